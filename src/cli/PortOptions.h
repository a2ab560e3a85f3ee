#pragma once

#include <string>
#include <vector>

#include "link/Comm.h"
#include "link/LinkTypes.h"

namespace kyr::cli {

// The link options of the terminal commands: --port NAME [--binary|--ascii] [--com-delay MS].
struct PortOptions {
    std::string port;  // a device, or "sim:" / "sim:N" for the built-in simulated terminal
    bool ascii = true;
    int comDelay = link::DefaultComDelay;
};

// Takes the link options out of `args`; what is left goes to `rest` in order. False for a
// missing or bad value, a second --port or no --port at all (a bad command line).
bool ParsePortOptions(const std::vector<std::string>& args, PortOptions& options,
                      std::vector<std::string>& rest);

// Makes the port for a device name: the simulated terminal for "sim:" (playing
// `simDefaultType`) and "sim:N", otherwise the PC's serial port. A "sim:" name with a bad
// type gives no port, so that opening it fails with the usual message.
TPortFactory MakePortFactory(int simDefaultType);

// The simulated terminal type "sim:" plays when no project says: the first type that talks
// the chosen link encoding.
int DefaultSimType(bool ascii);

// A link engine on the chosen port, opened and stepped in 50 ms ticks; the port is closed
// again when the session ends.
class PortSession {
public:
    static constexpr int TickMs = 50;

    explicit PortSession(const PortOptions& options);
    // "sim:" plays a terminal of `simDefaultType`.
    PortSession(const PortOptions& options, int simDefaultType);
    ~PortSession();
    PortSession(const PortSession&) = delete;
    PortSession& operator=(const PortSession&) = delete;

    // Opens the port; shows "Cannot open serial port " with the name tried when it fails.
    bool Open();
    TMKom& Kom() { return kom_; }
    // One link step, then the rest of the tick waited out through the port.
    void Tick();

private:
    TMKom kom_;
};

}  // namespace kyr::cli

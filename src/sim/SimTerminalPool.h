#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "link/SerialPort.h"
#include "sim/SimClock.h"
#include "sim/SimPort.h"

namespace kyr::sim {

// The simulated terminals behind the "sim:" and "sim:N" device names of one program run:
// one terminal per type, made when first asked for and kept until the pool goes, so that
// what a download wrote is still there for the next upload or verify, whatever the link
// did with its port object in between.
class SimTerminalPool {
public:
    static constexpr int TypeCount = 10;
    // The type "sim:" plays; asked each time such a port is opened.
    using DefaultType = std::function<int()>;

    explicit SimTerminalPool(SimClock::Kind clock = SimClock::Kind::RealTime);
    SimTerminalPool(const SimTerminalPool&) = delete;
    SimTerminalPool& operator=(const SimTerminalPool&) = delete;

    // The clock of terminals made from now on.
    void setClockKind(SimClock::Kind clock) { clock_ = clock; }
    void setDefaultType(DefaultType defaultType) { defaultType_ = std::move(defaultType); }
    int defaultType() const;

    // A port for a "sim:" or "sim:N" name (letter case ignored) that reaches, when opened,
    // the terminal of the type the name asks for; nullptr for any other name. The pool
    // must outlive the port.
    std::unique_ptr<SerialPort> makePort(const std::string& deviceName);

    // The terminal of `type` (0..9), made if needed; nullptr for a bad type.
    SimPort* terminal(int type);
    // The terminal of `type` if it was made already.
    SimPort* existing(int type) const;
    // Moves the manual clocks of every terminal on (a test's tick).
    void advance(std::int64_t ms);

private:
    SimClock::Kind clock_;
    DefaultType defaultType_;
    std::array<std::unique_ptr<SimPort>, TypeCount> terminals_{};
};

}  // namespace kyr::sim

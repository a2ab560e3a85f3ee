#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sim/SimClock.h"
#include "sim/SimTerminal.h"

namespace kyr::sim {

// Serves a simulated terminal on a pseudo-terminal: the program that opens the device path
// talks to the terminal as over a serial line. A pseudo-terminal carries no parity, so the
// terminal finds binary frames by address, size and CRC.
class PtyServer {
public:
    PtyServer(SimTerminal& terminal, SimClock& clock) : terminal_(terminal), clock_(clock) {}
    ~PtyServer();
    PtyServer(const PtyServer&) = delete;
    PtyServer& operator=(const PtyServer&) = delete;

    // Opens the pseudo-terminal in raw mode; false with `error` set when it cannot.
    bool open(std::string& error);
    const std::string& devicePath() const { return path_; }

    // Lets replies leave no faster than a serial line of `baud` with 11 bits a character
    // (start, 8 data, parity, stop); 0 sends them as soon as they are due.
    void setBaudRate(int baud) { baud_ = baud; }

    // Waits up to `timeoutMs` for input, hands it to the terminal and sends what is due.
    // False when the pseudo-terminal failed.
    bool serve(int timeoutMs);

private:
    struct Pending {
        std::int64_t dueMs;
        Bytes bytes;
    };
    void collect();
    bool sendDue();

    SimTerminal& terminal_;
    SimClock& clock_;
    int master_ = -1;
    int slave_ = -1;
    std::string path_;
    std::vector<Pending> pending_;
    std::int64_t lastInputMs_ = 0;
    int baud_ = 0;
    std::int64_t lineFreeUs_ = 0;  // when the terminal's transmitter has sent what it has
};

}  // namespace kyr::sim

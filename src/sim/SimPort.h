#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "link/SerialPort.h"
#include "sim/SimClock.h"
#include "sim/SimTerminal.h"

namespace kyr::sim {

// A serial port wired to a simulated terminal in the same process. What the link writes
// goes to the terminal at once; the terminal's replies wait in the port's input until read
// (each after the delay the terminal gave it). sleep() returns at once; on a manual clock
// it moves the clock on by the time slept. Keep the one object to keep the terminal's
// memory across closing and opening.
class SimPort final : public SerialPort {
public:
    struct SentByte {
        std::uint8_t value;
        Parity parity;
    };

    explicit SimPort(const SimConfig& config, SimClock::Kind clock = SimClock::Kind::Manual);

    bool open(const std::string& name) override;
    void close() override;
    bool isOpen() const override { return open_; }
    int readAvailable(std::span<std::uint8_t> buffer) override;
    bool writeBytes(std::span<const std::uint8_t> data) override;
    bool transmitChar(std::uint8_t c) override;
    bool setParity(Parity parity) override;
    void sleep(int milliseconds) override;

    SimTerminal& terminal() { return terminal_; }
    const SimTerminal& terminal() const { return terminal_; }
    SimClock& clock() { return clock_; }
    // Moves a manual clock on (a test's 50 ms tick).
    void advance(std::int64_t ms) { clock_.advance(ms); }
    Parity parity() const { return parity_; }

    // At most this many bytes per read, so that replies come in pieces over several
    // reads as on the wire; 0 for everything that is there.
    void setReadChunk(std::size_t maxBytesPerRead) { readChunk_ = maxBytesPerRead; }
    // Characters per second of the terminal's transmitter: a reply's characters arrive one
    // after another over the clock's time; 0 for all at once.
    void setLineSpeed(int charsPerSecond) { lineSpeed_ = charsPerSecond; }
    // Port faults: the next opens, writes or reads fail.
    void failOpens(int count) { failOpens_ = count; }
    void failWrites(int count) { failWrites_ = count; }
    void failReads(int count) { failReads_ = count; }

    // Everything the link wrote, with the parity each byte went out with.
    const std::vector<SentByte>& sent() const { return sent_; }
    Bytes sentBytes() const;
    void clearSent() { sent_.clear(); }
    // Reply bytes that have arrived and not been read yet.
    std::size_t bytesWaiting();

private:
    struct Pending {
        std::int64_t dueMs;
        Bytes bytes;
    };
    void feed(std::span<const std::uint8_t> data);
    void collectReplies();

    SimClock clock_;
    SimTerminal terminal_;
    bool open_ = false;
    Parity parity_ = Parity::Space;
    std::size_t readChunk_ = 0;
    int lineSpeed_ = 0;
    std::int64_t lineFreeUs_ = 0;  // when the terminal's transmitter is free again
    int failOpens_ = 0;
    int failWrites_ = 0;
    int failReads_ = 0;
    std::vector<Pending> pending_;  // ordered by due time, then by sending order
    std::deque<std::uint8_t> input_;
    std::vector<SentByte> sent_;
};

// The terminal type a device name asks for: "sim:" plays `defaultType` (the active
// project's type), "sim:N" type N (0..9). nullopt for any other name, or a bad N.
std::optional<int> simPortType(const std::string& deviceName, int defaultType);

// A port with a simulated terminal for a "sim:" or "sim:N" device name, on a real-time
// clock; nullptr when the name does not ask for one.
std::unique_ptr<SimPort> makeSimPort(const std::string& deviceName, int defaultType,
                                     SimClock::Kind clock = SimClock::Kind::RealTime);

}  // namespace kyr::sim

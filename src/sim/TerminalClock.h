#pragma once

#include <cstdint>

namespace kyr::sim {

// The terminal's real-time clock as decimal fields; the year is two digits (2000..2099).
struct ClockFields {
    int dayOfWeek = 4;  // 0 Sunday .. 6 Saturday
    int year = 26;
    int month = 1;
    int day = 1;
    int hour = 12;
    int minute = 0;
    int second = 0;

    bool operator==(const ClockFields&) const = default;
};

// A clock that runs with the simulator's time: set it once, read it at any later time.
class TerminalClock {
public:
    explicit TerminalClock(const ClockFields& start = {}) : base_(start) {}

    // False (and the clock unchanged) for a date or time the clock cannot hold.
    bool set(const ClockFields& fields, std::int64_t nowMs);
    ClockFields read(std::int64_t nowMs) const;

    static bool valid(const ClockFields& fields);

private:
    ClockFields base_;
    std::int64_t baseMs_ = 0;
};

}  // namespace kyr::sim

#pragma once

#include <chrono>
#include <cstdint>

namespace kyr::sim {

// The simulator's time in milliseconds. A manual clock moves only when told (tests, and
// the port's sleeps); a real-time clock follows the machine's steady clock from its
// creation (the desktop program's sim: port, kyr2sim).
class SimClock {
public:
    enum class Kind { Manual, RealTime };

    explicit SimClock(Kind kind = Kind::Manual)
        : kind_(kind), start_(std::chrono::steady_clock::now()) {}

    Kind kind() const { return kind_; }
    std::int64_t nowMs() const {
        if (kind_ == Kind::Manual) return manualMs_;
        const auto elapsed = std::chrono::steady_clock::now() - start_;
        return std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
    }
    // Moves a manual clock on; a real-time clock moves by itself.
    void advance(std::int64_t ms) {
        if (kind_ == Kind::Manual && ms > 0) manualMs_ += ms;
    }

private:
    Kind kind_;
    std::chrono::steady_clock::time_point start_;
    std::int64_t manualMs_ = 0;
};

}  // namespace kyr::sim

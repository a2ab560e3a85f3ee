#pragma once

#include <cstdint>
#include <functional>

namespace kyr {

// Counts the job ticks in which a job step waits without progress. The 51st such tick
// aborts the running job through the abort action.
class TTimeout {
public:
    static constexpr std::uint32_t Limit = 51;

    explicit TTimeout(std::function<void()> abort = {}) : abort_(std::move(abort)) {}

    void SetAbortAction(std::function<void()> abort) { abort_ = std::move(abort); }
    void Reset() { counter_ = 0; }
    bool IsZero() const { return counter_ == 0; }
    std::uint32_t Count() const { return counter_; }
    // True while below the limit; the tick that reaches it aborts the job once.
    bool Tick();

private:
    std::function<void()> abort_;
    std::uint32_t counter_ = 0;
};

}  // namespace kyr

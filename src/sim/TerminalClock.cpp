#include "sim/TerminalClock.h"

#include <chrono>

namespace kyr::sim {

namespace {

using namespace std::chrono;

sys_days dateOf(const ClockFields& f) {
    return sys_days{year{2000 + f.year} / month{static_cast<unsigned>(f.month)} /
                    day{static_cast<unsigned>(f.day)}};
}

}  // namespace

bool TerminalClock::valid(const ClockFields& f) {
    if (f.dayOfWeek < 0 || f.dayOfWeek > 6) return false;
    if (f.year < 0 || f.year > 99 || f.hour < 0 || f.hour > 23) return false;
    if (f.minute < 0 || f.minute > 59 || f.second < 0 || f.second > 59) return false;
    if (f.month < 1 || f.month > 12 || f.day < 1) return false;
    // Day and month are not checked against each other by the tool; the clock accepts a
    // day up to 31 and runs on from the date it stands for (31 February is 3 March).
    return f.day <= 31;
}

bool TerminalClock::set(const ClockFields& fields, std::int64_t nowMs) {
    if (!valid(fields)) return false;
    base_ = fields;
    baseMs_ = nowMs;
    return true;
}

ClockFields TerminalClock::read(std::int64_t nowMs) const {
    const std::int64_t elapsed = nowMs > baseMs_ ? (nowMs - baseMs_) / 1000 : 0;
    const std::int64_t secondsOfDay = base_.hour * 3600 + base_.minute * 60 + base_.second;
    const std::int64_t total = secondsOfDay + elapsed;
    const std::int64_t days = total / 86400;
    const std::int64_t rest = total % 86400;

    const year_month_day date{dateOf(base_) + std::chrono::days{days}};
    ClockFields out;
    out.dayOfWeek = static_cast<int>((base_.dayOfWeek + days) % 7);
    out.year = (static_cast<int>(date.year()) - 2000) % 100;
    out.month = static_cast<int>(static_cast<unsigned>(date.month()));
    out.day = static_cast<int>(static_cast<unsigned>(date.day()));
    out.hour = static_cast<int>(rest / 3600);
    out.minute = static_cast<int>(rest % 3600 / 60);
    out.second = static_cast<int>(rest % 60);
    return out;
}

}  // namespace kyr::sim

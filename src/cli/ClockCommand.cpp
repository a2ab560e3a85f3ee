#include "cli/ClockCommand.h"

#include <ctime>
#include <ostream>
#include <string>
#include <vector>

#include "cli/PortOptions.h"
#include "cli/TerminalTexts.h"
#include "link/KyrClockTexts.h"
#include "model/UserDialog.h"

namespace kyr::cli {

namespace {

// A read gives up after its sends (about 6 s); this bounds every wait beyond that.
constexpr int MaxTicks = 400;

// Ticks the session until `done` holds or the bound is reached; true when it held.
template <typename Done>
bool tickUntil(PortSession& session, TKyrClock& clock, Done done) {
    for (int tick = 0; tick < MaxTicks; ++tick) {
        if (done()) return true;
        session.Tick();
        clock.Refresh();
    }
    return done();
}

}  // namespace

TPcTime PcTimeNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
            local.tm_min,         local.tm_sec,     local.tm_wday};
}

int RunClock(CommandContext& context) {
    PortOptions options;
    std::vector<std::string> rest;
    if (!ParsePortOptions(context.args, options, rest)) return ExitBadCommandLine;
    bool setFromPc = false;
    for (const auto& a : rest) {
        if (a != "--set-from-pc") return ExitBadCommandLine;
        setFromPc = true;
    }
    PortSession session(options);
    if (!session.Open()) return ExitFailed;

    TKyrClock clock(session.Kom());
    clock.Open();
    auto answered = [&] { return clock.HasReading() || clock.ReadGaveUp(); };
    if (!tickUntil(session, clock, answered) || !clock.HasReading()) {
        showError(tr(texts::NoAnswer));
        return ExitFailed;
    }
    if (setFromPc) {
        clock.SetFromPc(PcTimeNow());
        tickUntil(session, clock, [&] { return !clock.SetPending(); });
        if (clock.SetStatus() != rsDone) {
            showError(tr(texts::ClockNotSet));
            return ExitFailed;
        }
        // A reading taken after the set.
        const int before = clock.ReadCount();
        tickUntil(session, clock, [&] { return clock.ReadCount() > before + 1; });
    }
    context.out << tr(kyr::texts::KyrClock) << ": " << formatTerminalClock(clock.Reading()) << '\n'
                << tr(kyr::texts::PcClock) << ": " << formatPcClock(PcTimeNow()) << '\n';
    return ExitDone;
}

}  // namespace kyr::cli

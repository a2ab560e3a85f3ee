#include "cli/TransferCommands.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <iostream>
#include <optional>
#include <ostream>
#include <thread>

#include "cli/CliDialog.h"
#include "cli/InterruptGuard.h"
#include "cli/PortOptions.h"
#include "cli/ProgressLine.h"
#include "cli/QtCoreScope.h"
#include "link/Comm.h"
#include "link/KyrComm.h"
#include "model/DataClass.h"
#include "model/ProjectTexts.h"
#include "qt/QtSerialPort.h"
#include "sim/SimPort.h"

namespace kyr::cli {

namespace {

constexpr Text3 kTransferSummary{"Doba přenosu %1 s, %2 bajtů dat, %3 bajtů/s",
                                 "Übertragungsdauer %1 s, %2 Bytes Nutzdaten, %3 Bytes/s",
                                 "Elapsed %1 s, %2 payload bytes, %3 bytes/s"};

constexpr int TickMs = 50;

enum class Kind { Download, Verify, Upload };

struct Options {
    std::string file;
    PortOptions link;
};

// FILE and the link options, in any order.
std::optional<Options> parse(const std::vector<std::string>& args) {
    Options o;
    std::vector<std::string> rest;
    if (!ParsePortOptions(args, o.link, rest)) return std::nullopt;
    if (rest.size() != 1 || rest[0].starts_with("-")) return std::nullopt;
    o.file = rest[0];
    return o;
}

// The real-time clock: sleeps until the next 50 ms tick.
TransferClock realClock() {
    auto start =
        std::make_shared<std::chrono::steady_clock::time_point>(std::chrono::steady_clock::now());
    auto ticks = std::make_shared<long>(0);
    TransferClock c;
    c.nextTick = [start, ticks] {
        ++*ticks;
        std::this_thread::sleep_until(*start + std::chrono::milliseconds(TickMs * *ticks));
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - *start)
            .count();
    };
    c.cancelRequested = [] { return InterruptGuard::Interrupted(); };
    return c;
}

const TransferClock* gClock = nullptr;

std::string fixed1(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f", v);
    return buf;
}

int run(CommandContext& context, Kind kind) {
    const auto options = parse(context.args);
    if (!options) return ExitBadCommandLine;

    std::unique_ptr<TKyrData> project;
    if (kind != Kind::Upload) {
        project = TKyrData::FromFile(options->file);
        if (project->LoadFailed()) return ExitFailed;
    }
    const QtCoreScope qt;
    const TransferClock clock = gClock ? *gClock : realClock();
    const int type = project ? project->TermType() : -1;
    TMKom kom([&](const std::string& name) { return clock.makePort(name, type); },
              TLinkSettings{options->link.ascii, options->link.comDelay, options->link.port});

    ProgressLine progress(std::cerr, isatty(STDERR_FILENO) != 0 && &context.out == &std::cout);
    ProgressAwareDialog dialog(context.dialog, progress);
    InterruptGuard interrupt;
    TKyrComm job(kom, progress);

    bool started = false;
    switch (kind) {
        case Kind::Download:
            started = job.StartDownload(project.get(), 1);
            break;
        case Kind::Verify:
            started = job.StartVerify(project.get(), 1);
            break;
        case Kind::Upload:
            started = job.StartUpload(TKyrData::ForUpload(0), 1);
            break;
    }
    if (!started) {
        kom.ClosePort();
        return ExitFailed;
    }
    double elapsedMs = 0;
    while (job.Phase() != jpFailed && job.Phase() != jpFinished) {
        elapsedMs = clock.nextTick();
        kom.KomStep();
        if (clock.cancelRequested && clock.cancelRequested()) {
            progress.Close(TModalResult::Cancel);
            job.CancelByUser();
            break;
        }
        job.JobStep();
    }
    const std::uint64_t payload = job.PayloadBytes();
    const TJobOutcome outcome = job.Outcome();
    TJobEnd end = job.IdlePass();

    const double seconds = elapsedMs / 1000.0;
    const auto rate =
        seconds > 0 ? static_cast<std::uint64_t>(static_cast<double>(payload) / seconds) : 0;
    context.out << FillIn(tr(kTransferSummary),
                          {fixed1(seconds), std::to_string(payload), std::to_string(rate)})
                << '\n';

    if (!end.success) return ExitFailed;
    if (kind == Kind::Upload) {
        if (!end.uploaded || !end.uploaded->SaveToFile(options->file, "")) return ExitFailed;
    }
    if (kind == Kind::Verify && !outcome.identical) return ExitFailed;
    return outcome.partial ? ExitPartial : ExitDone;
}

}  // namespace

std::unique_ptr<SerialPort> MakePort(const std::string& deviceName, int projectType) {
    if (auto simulated = sim::makeSimPort(deviceName, projectType, sim::SimClock::Kind::RealTime))
        return simulated;
    return std::make_unique<QtSerialPort>();
}

void SetTransferClock(const TransferClock* clock) { gClock = clock; }

int RunDownload(CommandContext& context) { return run(context, Kind::Download); }
int RunVerify(CommandContext& context) { return run(context, Kind::Verify); }
int RunUpload(CommandContext& context) { return run(context, Kind::Upload); }

}  // namespace kyr::cli

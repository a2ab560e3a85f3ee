#include "cli/FirmwareCommand.h"

#include <unistd.h>

#include <algorithm>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli/CliDialog.h"
#include "cli/InterruptGuard.h"
#include "cli/PortOptions.h"
#include "cli/ProgressLine.h"
#include "link/FirmwareJob.h"
#include "link/KyrComm.h"
#include "model/DataClass.h"

namespace kyr::cli {

namespace {

// The terminals "sim:" plays for each series: a KYR Mini, and a LUM Sigma.
constexpr int SimKyrSeriesM = 2;
constexpr int SimLum = 4;

struct FirmwareOptions {
    TFirmwareSeries series = TFirmwareSeries::KyrSeriesM;
    std::string file;
    PortOptions port;
};

std::optional<TFirmwareSeries> seriesOf(const std::string& name) {
    if (name == "m") return TFirmwareSeries::KyrSeriesM;
    if (name == "lum") return TFirmwareSeries::Lum;
    return std::nullopt;
}

std::optional<FirmwareOptions> parse(const std::vector<std::string>& args) {
    FirmwareOptions o;
    std::vector<std::string> rest;
    if (!ParsePortOptions(args, o.port, rest)) return std::nullopt;
    const bool asciiAsked = std::find(args.begin(), args.end(), "--ascii") != args.end();
    const bool binaryAsked = std::find(args.begin(), args.end(), "--binary") != args.end();
    std::optional<TFirmwareSeries> series;
    for (std::size_t i = 0; i < rest.size(); ++i) {
        if (rest[i] == "--series") {
            if (series || i + 1 >= rest.size()) return std::nullopt;
            series = seriesOf(rest[++i]);
            if (!series) return std::nullopt;
        } else if (o.file.empty() && !rest[i].starts_with("-")) {
            o.file = rest[i];
        } else {
            return std::nullopt;
        }
    }
    if (!series || o.file.empty()) return std::nullopt;
    o.series = *series;
    if (o.series == TFirmwareSeries::KyrSeriesM && !asciiAsked && !binaryAsked)
        o.port.ascii = false;
    return o;
}

int exitStatusOf(TFirmwareResult result) {
    switch (result) {
        case TFirmwareResult::Success:
            return ExitDone;
        case TFirmwareResult::Partial:
            return ExitPartial;
        default:
            return ExitFailed;
    }
}

}  // namespace

int RunFirmware(CommandContext& context) {
    const auto options = parse(context.args);
    if (!options) return ExitBadCommandLine;

    const bool kyrSeries = options->series == TFirmwareSeries::KyrSeriesM;
    PortSession session(options->port, kyrSeries ? SimKyrSeriesM : SimLum);
    ProgressLine progress(std::cerr, isatty(STDERR_FILENO) != 0 && &context.out == &std::cout);
    ProgressAwareDialog dialog(context.dialog, progress);
    const InterruptGuard interrupt;
    TKyrComm comm(session.Kom(), progress);
    TFirmwareJob job(comm);

    if (!job.Start(options->series, options->file, 1)) return ExitFailed;
    while (comm.Phase() != jpFailed && comm.Phase() != jpFinished) {
        session.Tick();
        if (InterruptGuard::Interrupted()) {
            progress.Close(TModalResult::Cancel);
            comm.CancelByUser();
            break;
        }
        comm.JobStep();
    }
    comm.IdlePass();
    return exitStatusOf(job.Result());
}

}  // namespace kyr::cli

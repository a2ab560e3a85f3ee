#include "cli/InfoCommand.h"

#include <ostream>
#include <string>
#include <vector>

#include "cli/PortOptions.h"
#include "cli/TerminalTexts.h"
#include "model/UserDialog.h"

namespace kyr::cli {

namespace {

// Enough ticks for every request and its repeats; the status gives up well before.
constexpr int MaxTicks = 400;
// The information's 100 ms flag is raised every second 50 ms tick.
constexpr int TicksPerErrorTick = 2;

void printGroup(std::ostream& out, TInfoGroup group, const std::vector<std::string>& labels) {
    out << tr(infoGroupTitle(group)) << ':';
    bool first = true;
    for (const auto& label : labels) {
        if (label.empty()) continue;
        out << (first ? " " : "\n  ") << label;
        first = false;
    }
    out << '\n';
}

}  // namespace

void PrintInfo(const TKyrInfoView& view, std::ostream& out) {
    printGroup(out, TInfoGroup::Type, {view.type});
    printGroup(out, TInfoGroup::FirmwareVersion,
               {view.firmwareVersion, view.identification,
                view.descriptionGroup ? view.description : std::string()});
    if (view.bootGroup) printGroup(out, TInfoGroup::BootVersion, {view.boot});
    if (view.memoryGroup)
        printGroup(out, TInfoGroup::AuxMemory, {view.memoryType, view.memoryWrite});
    if (view.switchGroup)
        printGroup(out, TInfoGroup::ConfigSwitch,
                   {view.programMode, view.bridgeMode, view.userProgram});
    if (view.protocolGroup)
        printGroup(out, TInfoGroup::Protocols,
                   std::vector<std::string>(view.protocols.begin(), view.protocols.end()));
}

int RunInfo(CommandContext& context) {
    PortOptions options;
    std::vector<std::string> rest;
    if (!ParsePortOptions(context.args, options, rest) || !rest.empty()) return ExitBadCommandLine;
    PortSession session(options);
    if (!session.Open()) return ExitFailed;

    TKyrInfo info(session.Kom());
    info.Open();
    for (int tick = 1; tick <= MaxTicks && !info.Complete() && !info.StatusGaveUp(); ++tick) {
        session.Tick();
        if (tick % TicksPerErrorTick == 0) info.ErrCntTimer();
        info.Refresh();
    }
    if (!info.HasStatus()) {
        showError(tr(texts::NoAnswer));
        return ExitFailed;
    }
    PrintInfo(info.View(), context.out);
    return ExitDone;
}

}  // namespace kyr::cli

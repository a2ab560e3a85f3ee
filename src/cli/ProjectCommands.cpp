#include "cli/ProjectCommands.h"

#include <ostream>
#include <string>

#include "cli/CliDialog.h"
#include "cli/CliTexts.h"
#include "model/DataClass.h"
#include "model/ProjectTexts.h"
#include "model/TermTypes.h"
#include "model/TextNumbers.h"
#include "model/UserDialog.h"
#include "model/Version.h"

namespace kyr::cli {

namespace {

constexpr Text3 kSummary{"%1: %2, obrazovky: %3, tabulky EXD: %4, verze souboru %5",
                         "%1: %2, Bildschirme: %3, EXD-Tabellen: %4, Dateiversion %5",
                         "%1: %2, screens: %3, EXD tables: %4, file version %5"};
constexpr Text3 kNoVersion{"žádná", "keine", "none"};

std::string versionText(int version) {
    return version < 0 ? std::string(tr(kNoVersion)) : FormatVersion(version);
}

// The project of `path`, nullptr (after the reader's messages) when it did not load.
std::unique_ptr<TKyrData> load(const std::string& path) {
    auto data = TKyrData::FromFile(path);
    if (data->LoadFailed()) return nullptr;
    return data;
}

}  // namespace

int RunNew(CommandContext& context) {
    const auto& args = context.args;
    std::optional<std::int32_t> type;
    std::string out;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--type" && i + 1 < args.size() && !type) {
            type = ParseInteger(args[++i]);
            if (!type || *type < 0 || *type >= TermTypeCount) {
                showError(tr(texts::BadType));
                return ExitBadCommandLine;
            }
        } else if (out.empty() && !args[i].starts_with("-")) {
            out = args[i];
        } else {
            return ExitBadCommandLine;
        }
    }
    if (!type || out.empty()) return ExitBadCommandLine;
    auto data = TKyrData::NewProject(0, static_cast<std::uint8_t>(*type));
    return data->SaveToFile(out, "") ? ExitDone : ExitFailed;
}

int RunCheck(CommandContext& context) {
    if (context.args.size() != 1) return ExitBadCommandLine;
    const std::string& path = context.args[0];
    const auto data = load(path);
    if (!data) return ExitFailed;
    const TermTypeInfo* info = termTypeInfo(data->TermType());
    context.out << FillIn(tr(kSummary),
                          {path, info ? info->modelLabel : "?", std::to_string(data->ScreenCount()),
                           std::to_string(data->ExdCount()), versionText(data->FileVersion())})
                << '\n';
    return context.dialog.MessageCount() == 0 ? ExitDone : ExitPartial;
}

int RunSave(CommandContext& context) {
    if (context.args.size() != 2) return ExitBadCommandLine;
    const auto data = load(context.args[0]);
    if (!data) return ExitFailed;
    const int readMessages = context.dialog.MessageCount();
    if (!data->SaveToFile(context.args[1], data->Description())) return ExitFailed;
    return readMessages == 0 ? ExitDone : ExitPartial;
}

}  // namespace kyr::cli

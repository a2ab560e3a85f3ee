#include "cli/HexCommand.h"

#include <optional>
#include <string>

#include "cli/CliDialog.h"
#include "image/EpromHexFile.h"
#include "model/DataClass.h"
#include "model/SystemMode.h"
#include "model/Texts.h"
#include "model/UserDialog.h"

namespace kyr::cli {

namespace {

constexpr Text3 kBadEprom{"--eprom očekává 64 nebo 128.", "--eprom erwartet 64 oder 128.",
                          "--eprom expects 64 or 128."};
constexpr Text3 kBadFirmware{"--firmware očekává 217 nebo 218.",
                             "--firmware erwartet 217 oder 218.", "--firmware expects 217 or 218."};

struct HexArguments {
    std::string project;
    std::string out;
    EpromSettings settings;
};

std::optional<EpromSize> epromOf(const std::string& value) {
    if (value == "64") return EpromSize::Kb64;
    if (value == "128") return EpromSize::Kb128;
    return std::nullopt;
}

std::optional<int> firmwareOf(const std::string& value) {
    if (value == "217" || value == "218") return std::stoi(value);
    return std::nullopt;
}

// The arguments, or std::nullopt for a bad command line (a bad option value is shown).
std::optional<HexArguments> parse(const std::vector<std::string>& args) {
    HexArguments parsed;
    bool eprom = false;
    bool firmware = false;
    std::vector<std::string> files;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--eprom" && hasValue && !eprom) {
            const auto size = epromOf(args[++i]);
            if (!size) {
                showError(tr(kBadEprom));
                return std::nullopt;
            }
            parsed.settings.size = *size;
            eprom = true;
        } else if (a == "--firmware" && hasValue && !firmware) {
            const auto format = firmwareOf(args[++i]);
            if (!format) {
                showError(tr(kBadFirmware));
                return std::nullopt;
            }
            parsed.settings.format = *format;
            firmware = true;
        } else if (!a.starts_with("-") && files.size() < 2) {
            files.push_back(a);
        } else {
            return std::nullopt;
        }
    }
    if (files.size() != 2) return std::nullopt;
    parsed.project = files[0];
    parsed.out = files[1];
    parsed.settings.systemMode = isSystemMode();
    return parsed;
}

}  // namespace

int RunHex(CommandContext& context) {
    const auto args = parse(context.args);
    if (!args) return ExitBadCommandLine;
    const auto data = TKyrData::FromFile(args->project);
    if (data->LoadFailed()) return ExitFailed;
    const bool readClean = context.dialog.MessageCount() == 0;
    switch (WriteHexFile(*data, args->out, args->settings)) {
        case HexFileStatus::Written:
            return readClean ? ExitDone : ExitPartial;
        case HexFileStatus::Incomplete:
            return ExitPartial;
        case HexFileStatus::NotWritten:
        case HexFileStatus::WriteFailed:
            break;
    }
    return ExitFailed;
}

}  // namespace kyr::cli

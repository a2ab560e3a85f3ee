#include "cli/Dispatcher.h"

#include <array>
#include <ostream>
#include <string_view>

#include "cli/CliDialog.h"
#include "cli/CliTexts.h"
#include "cli/CliTypes.h"
#include "cli/ClockCommand.h"
#include "cli/FirmwareCommand.h"
#include "cli/HexCommand.h"
#include "cli/InfoCommand.h"
#include "cli/ProjectCommands.h"
#include "cli/TransferCommands.h"
#include "model/ProjectTexts.h"
#include "model/SystemMode.h"
#include "model/Texts.h"

namespace kyr::cli {

namespace {

struct Command {
    std::string_view name;
    std::string_view usage;  // after "kyr2cli "
    Text3 summary;
    int (*run)(CommandContext&);
};

const std::array<Command, 10> kCommands{{
    {"new",
     "new --type N OUT.kyr",
     {"nový projekt terminálu typu N (0..9), uložený jako OUT",
      "neues Projekt für Terminaltyp N (0..9), gespeichert als OUT",
      "new project of terminal type N (0..9), saved as OUT"},
     &RunNew},
    {"check",
     "check FILE.kyr",
     {"načte projekt a ohlásí každé hlášení čtení",
      "liest das Projekt und meldet jede Meldung des Lesens",
      "read the project, report every reader message"},
     &RunCheck},
    {"save",
     "save FILE.kyr OUT.kyr",
     {"načte projekt a uloží jej jako OUT (Uložit jako)",
      "liest das Projekt und speichert es als OUT (Speichern unter)",
      "read, then save under OUT (Save As)"},
     &RunSave},
    {"hex",
     "hex FILE.kyr OUT.hex [--eprom 64|128] [--firmware 217|218]",
     {"zapíše obraz paměti EPROM projektu jako soubor Intel HEX",
      "schreibt das EPROM-Speicherabbild des Projekts als Intel-HEX-Datei",
      "write the project's EPROM memory image as an Intel HEX file"},
     &RunHex},
    {"info",
     "info --port NAME [--binary|--ascii] [--com-delay MS]",
     {"vypíše jednou popis připojeného terminálu",
      "gibt die Beschreibung des angeschlossenen Terminals einmal aus",
      "print the decoded terminal description once"},
     &RunInfo},
    {"clock",
     "clock --port NAME [--set-from-pc] [--binary|--ascii] [--com-delay MS]",
     {"vypíše hodiny terminálu a PC; --set-from-pc nastaví terminál podle PC",
      "gibt die Uhr des Terminals und des PCs aus; --set-from-pc stellt das Terminal nach dem PC",
      "print the terminal's and the PC's clock; --set-from-pc sets the terminal from the PC"},
     &RunClock},
    {"download",
     "download FILE.kyr --port NAME [--binary|--ascii] [--com-delay MS]",
     {"přenese projekt do terminálu", "überträgt das Projekt zum Terminal",
      "transfer the project to the terminal"},
     &RunDownload},
    {"verify",
     "verify FILE.kyr --port NAME [--binary|--ascii] [--com-delay MS]",
     {"porovná program v terminálu s projektem",
      "vergleicht das Programm im Terminal mit dem Projekt",
      "compare the terminal's program with the project"},
     &RunVerify},
    {"upload",
     "upload OUT.kyr --port NAME [--binary|--ascii] [--com-delay MS]",
     {"načte program z terminálu a uloží jej jako OUT",
      "liest das Programm aus dem Terminal und speichert es als OUT",
      "read the terminal's program and save it as OUT"},
     &RunUpload},
    {"firmware",
     "firmware --series m|lum FILE.hex --port NAME [--binary|--ascii] [--com-delay MS]",
     {"nahraje do terminálu nový firmware ze souboru Intel HEX (řada KYR M nebo LUM)",
      "lädt neue Firmware aus einer Intel-HEX-Datei ins Terminal (KYR-Serie M oder LUM)",
      "load new firmware from an Intel HEX file into the terminal (KYR Series M or LUM)"},
     &RunFirmware},
}};

const Command* findCommand(std::string_view name) {
    for (const Command& c : kCommands) {
        if (c.name == name) return &c;
    }
    return nullptr;
}

void printHelp(std::ostream& out) {
    out << tr(texts::HelpIntro);
    for (const Command& c : kCommands) {
        std::string usage(c.usage);
        usage.resize(std::max<std::size_t>(usage.size() + 2, 28), ' ');
        out << "  " << usage << tr(c.summary) << '\n';
    }
}

struct Globals {
    bool yes = false;
    bool system = false;
    std::uint8_t language = LangEnglish;
    bool help = false;
};

int badCommandLine(std::ostream& err, std::string_view text) {
    err << "error: " << text << '\n' << tr(texts::SeeHelp) << '\n';
    return ExitBadCommandLine;
}

std::optional<std::uint8_t> languageOf(std::string_view code) {
    if (code == "cs") return LangCzech;
    if (code == "de") return LangGerman;
    if (code == "en") return LangEnglish;
    return std::nullopt;
}

// Restores the process-wide settings a command line changes.
struct SettingsGuard {
    std::uint8_t language = kyr::language();
    bool system = isSystemMode();
    ~SettingsGuard() {
        setLanguage(language);
        setSystemMode(system);
    }
};

}  // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    SettingsGuard guard;
    Globals globals;
    std::size_t i = 0;
    for (; i < args.size() && args[i].starts_with("-"); ++i) {
        const std::string& a = args[i];
        if (a == "--yes") {
            globals.yes = true;
        } else if (a == "--system") {
            globals.system = true;
        } else if (a == "--help" || a == "-h") {
            globals.help = true;
        } else if (a == "--language") {
            const auto lang = i + 1 < args.size() ? languageOf(args[i + 1]) : std::nullopt;
            if (!lang) return badCommandLine(err, tr(texts::BadLanguage));
            globals.language = *lang;
            setLanguage(*lang);
            ++i;
        } else {
            setLanguage(globals.language);
            return badCommandLine(err, FillIn(tr(texts::UnknownOption), {a}));
        }
    }
    setLanguage(globals.language);
    if (globals.help) {
        printHelp(out);
        return ExitDone;
    }
    if (i >= args.size()) return badCommandLine(err, tr(texts::NoCommand));
    const Command* command = findCommand(args[i]);
    if (!command) return badCommandLine(err, FillIn(tr(texts::UnknownCommand), {args[i]}));
    setSystemMode(globals.system);

    CliDialog dialog(err, globals.yes);
    CommandContext context{
        {args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end()}, out, dialog};
    const int status = command->run(context);
    if (status == ExitBadCommandLine) {
        return badCommandLine(err,
                              FillIn(tr(texts::WrongArguments),
                                     {command->name, "kyr2cli " + std::string(command->usage)}));
    }
    return status;
}

}  // namespace kyr::cli

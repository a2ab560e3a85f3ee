// kyr2sim: a simulated terminal on a pseudo-terminal.
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "PtyServer.h"
#include "sim/SimConfig.h"
#include "sim/SimTerminal.h"

namespace {

using namespace kyr::sim;

volatile std::sig_atomic_t stopRequested = 0;

void onSignal(int) { stopRequested = 1; }

constexpr const char* Usage =
    "usage: kyr2sim --type N [--firmware 2.18] [--state FILE] [options]\n"
    "\n"
    "Plays a terminal of type N on a pseudo-terminal, prints the device path and serves it\n"
    "until stopped (Ctrl+C, SIGTERM). Set the program's portName to the printed path.\n"
    "\n"
    "  --type N          terminal type 0..9: 0 KYR-T240(E), 1 KYR-T220, 2 KYR Mini,\n"
    "                    3 KYR Grand (binary link); 4 LUM Sigma, 5 LUMQ1, 6 LUMQ1H,\n"
    "                    7 LUMQ2, 8 LUMQ3, 9 LUMQ4 (ASCII link)\n"
    "  --firmware V      firmware version the terminal reports (\"2.18\", \"2.18R\");\n"
    "                    default 2.57 for the KYR family, 2.60 for LUM\n"
    "  --memory KIND     KYR-T240(E)/KYR-T220 auxiliary memory MEM: none, ram32, ram128,\n"
    "                    flash32, flash128, eprom64, eprom128 (as the type allows)\n"
    "  --program WHERE   KYR-T240(E)/KYR-T220 user program in ram, mem or both\n"
    "  --write-protect   MEM is not write-enabled\n"
    "  --keep-on-clear   the memory clear leaves the program (screens can be compared)\n"
    "  --state FILE      write the terminal's memory as JSON to FILE on exit\n"
    "  --fault FAULT     spoil replies: KIND is drop, corrupt, delay or noise; COUNT replies\n"
    "                    (default 1, 0 for every reply); CMD only replies to that command\n"
    "                    code (hex, e.g. B0). May be given more than once.\n"
    "  --baud N          send replies no faster than a serial line of N baud (11 bits a\n"
    "                    character); by default they leave at once\n"
    "  --help            this text\n";

std::optional<Fault> parseFault(const std::string& faultText) {
    const auto first = faultText.find(':');
    const std::string kind = faultText.substr(0, first);
    Fault fault;
    if (kind == "drop")
        fault = Fault(FaultKind::Drop);
    else if (kind == "corrupt")
        fault = Fault(FaultKind::Corrupt);
    else if (kind == "delay")
        fault = Fault(FaultKind::Delay);
    else if (kind == "noise")
        fault = Fault(FaultKind::Noise);
    else
        return std::nullopt;
    if (first == std::string::npos) return fault;
    const std::string rest = faultText.substr(first + 1);
    const auto second = rest.find(':');
    try {
        const int count = std::stoi(rest.substr(0, second));
        if (count < 0) return std::nullopt;
        fault = count == 0 ? fault.always() : fault.times(count);
        if (second != std::string::npos) {
            const int code = std::stoi(rest.substr(second + 1), nullptr, 16);
            if (code < 0 || code > 0xFF) return std::nullopt;
            fault = fault.onCommand(static_cast<std::uint8_t>(code));
        }
    } catch (const std::exception&) {
        return std::nullopt;
    }
    return fault;
}

std::optional<AuxMemory> parseMemory(const std::string& v) {
    if (v == "none") return AuxMemory::None;
    if (v == "ram32") return AuxMemory::Ram32k;
    if (v == "ram128") return AuxMemory::Ram128k;
    if (v == "flash32") return AuxMemory::Flash32k;
    if (v == "flash128") return AuxMemory::Flash128k;
    if (v == "eprom64") return AuxMemory::Eprom64k;
    if (v == "eprom128") return AuxMemory::Eprom128k;
    return std::nullopt;
}

std::optional<ProgramPlace> parsePlace(const std::string& v) {
    if (v == "ram") return ProgramPlace::Ram;
    if (v == "mem") return ProgramPlace::Mem;
    if (v == "both") return ProgramPlace::RamAndMem;
    return std::nullopt;
}

struct Options {
    int type = -1;
    std::string firmware;
    std::optional<AuxMemory> memory;
    std::optional<ProgramPlace> place;
    bool writeProtect = false;
    bool keepOnClear = false;
    std::string stateFile;
    std::vector<Fault> faults;
    int baud = 0;
};

// 0 to run, else the exit status.
int parseArgs(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << Usage;
            return -1;
        }
        const bool hasValue = i + 1 < argc;
        if (arg == "--type" && hasValue) {
            const std::string v = argv[++i];
            if (v.size() != 1 || v[0] < '0' || v[0] > '9') {
                std::cerr << "kyr2sim: the terminal type must be 0..9\n";
                return 2;
            }
            options.type = v[0] - '0';
        } else if (arg == "--firmware" && hasValue) {
            options.firmware = argv[++i];
        } else if (arg == "--memory" && hasValue) {
            options.memory = parseMemory(argv[++i]);
            if (!options.memory) {
                std::cerr << "kyr2sim: unknown memory \"" << argv[i] << "\"\n";
                return 2;
            }
        } else if (arg == "--program" && hasValue) {
            options.place = parsePlace(argv[++i]);
            if (!options.place) {
                std::cerr << "kyr2sim: the program is in ram, mem or both\n";
                return 2;
            }
        } else if (arg == "--write-protect") {
            options.writeProtect = true;
        } else if (arg == "--keep-on-clear") {
            options.keepOnClear = true;
        } else if (arg == "--state" && hasValue) {
            options.stateFile = argv[++i];
        } else if (arg == "--baud" && hasValue) {
            const std::string v = argv[++i];
            const bool digits =
                !v.empty() && v.size() <= 7 &&
                std::all_of(v.begin(), v.end(), [](char c) { return c >= '0' && c <= '9'; });
            options.baud = digits ? std::stoi(v) : 0;
            if (options.baud < 300) {
                std::cerr << "kyr2sim: the baud rate must be a number from 300 up\n";
                return 2;
            }
        } else if (arg == "--fault" && hasValue) {
            const auto fault = parseFault(argv[++i]);
            if (!fault) {
                std::cerr << "kyr2sim: bad fault \"" << argv[i] << "\"\n";
                return 2;
            }
            options.faults.push_back(*fault);
        } else {
            std::cerr << "kyr2sim: unknown or incomplete option \"" << arg << "\"\n" << Usage;
            return 2;
        }
    }
    if (options.type < 0) {
        std::cerr << "kyr2sim: --type is required\n" << Usage;
        return 2;
    }
    return 0;
}

ClockFields localClock() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return ClockFields{local.tm_wday, local.tm_year % 100, local.tm_mon + 1, local.tm_mday,
                       local.tm_hour, local.tm_min,        local.tm_sec};
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    const int status = parseArgs(argc, argv, options);
    if (status != 0) return status < 0 ? 0 : status;

    SimConfig config = SimConfig::forType(options.type);
    if (!options.firmware.empty()) config.firmware = options.firmware;
    if (options.memory) config.auxMemory = *options.memory;
    if (options.place) config.programIn = *options.place;
    if (options.writeProtect) config.auxWritable = false;
    if (options.keepOnClear) config.clearErases = false;
    config.clockStart = localClock();
    if (const std::string problem = config.problem(); !problem.empty()) {
        std::cerr << "kyr2sim: " << problem << "\n";
        return 2;
    }

    SimClock clock(SimClock::Kind::RealTime);
    SimTerminal terminal(config);
    for (const Fault& f : options.faults) terminal.faults().add(f);
    PtyServer server(terminal, clock);
    server.setBaudRate(options.baud);
    std::string error;
    if (!server.open(error)) {
        std::cerr << "kyr2sim: " << error << "\n";
        return 1;
    }

    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);

    std::cout << server.devicePath() << std::endl;
    std::cerr << "kyr2sim: " << modelName(config.type) << " (type " << config.type << ", "
              << config.versionText() << ", "
              << (terminal.encoding() == LinkEncoding::Binary ? "binary" : "ASCII") << " link) on "
              << server.devicePath() << std::endl;

    int result = 0;
    while (!stopRequested) {
        if (!server.serve(20)) {
            std::cerr << "kyr2sim: the pseudo-terminal failed\n";
            result = 1;
            break;
        }
    }

    if (!options.stateFile.empty()) {
        std::ofstream out(options.stateFile, std::ios::binary | std::ios::trunc);
        out << terminal.stateJson(clock.nowMs());
        if (!out) {
            std::cerr << "kyr2sim: cannot write " << options.stateFile << "\n";
            result = 1;
        }
    }
    return result;
}

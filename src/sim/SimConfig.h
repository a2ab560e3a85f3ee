#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sim/TerminalClock.h"

namespace kyr::sim {

// How a terminal frames its requests and replies on the line.
enum class LinkEncoding { Binary, Ascii };

// The auxiliary memory MEM of a KYR-T240(E) (type 0) or KYR-T220 (type 1).
enum class AuxMemory { None, Eprom64k, Eprom128k, Flash32k, Flash128k, Ram32k, Ram128k };

// Where a KYR-T240(E) or KYR-T220 keeps its user program (configuration switch).
enum class ProgramPlace { Ram, Mem, RamAndMem };

// Type facts of the ten terminal types.
int terminalFamily(int type);  // 0 types 0-1, 1 types 2-3, 2 types 4-9
bool isLumType(int type);
const char* modelName(int type);
LinkEncoding encodingOfType(int type);

// Everything that makes one simulated terminal what it is. Start from forType(), which
// fills the defaults of that terminal type, then change what a test or the user asks for.
struct SimConfig {
    int type = 0;
    // Firmware version as the terminal reports it after "KYR V": "2.18", or "2.18R" for a
    // 2.18 firmware with the extended record format.
    std::string firmware = "2.57";
    std::uint8_t address = 1;

    // KYR-T240(E) and KYR-T220 only.
    AuxMemory auxMemory = AuxMemory::Ram128k;
    bool auxWritable = true;
    ProgramPlace programIn = ProgramPlace::Mem;
    bool programModeDisabled = false;
    bool bridgeModeDisabled = false;  // KYR-T220 only
    bool grandL = false;              // KYR Grand L

    // Minimum tool versions the terminal names (upload/verify, download).
    std::uint16_t minToolUpload = 250;
    std::uint16_t minToolDownload = 250;
    // BOOT loader version byte, one BCD digit per nibble (0x12 = 1.2).
    std::uint8_t bootVersion = 0x12;
    // Six identification characters and a number after the version text (KYR Mini/Grand,
    // LUM).
    std::string identChars = "SIM001";
    std::uint16_t identNumber = 0x0001;
    // LUM: the controller protocols the firmware holds (at most 10).
    std::vector<std::uint8_t> lumProtocols = {0, 1, 6, 7, 15, 29, 39, 41, 45, 46};

    // The memory clear (0xC4) erases the user program; when false it only acknowledges
    // and the program stays until it is overwritten.
    bool clearErases = true;
    // Flash program memory that cannot be erased or written: the free-memory reply
    // reports it.
    bool flashFault = false;
    // How long a flash erase keeps the terminal busy before it acknowledges.
    int flashEraseMs = 0;
    // The program holds valid data from the start (otherwise the status reports none until
    // a setup is written).
    bool validData = false;

    ClockFields clockStart{};

    static SimConfig forType(int type);

    // Empty when the configuration describes a possible terminal, else what is wrong.
    std::string problem() const;
    // Firmware version × 100 (218 for "2.18"); 0 when the text is not a version.
    int firmwareLevel() const;
    std::string versionText() const { return "KYR V" + firmware; }
    int family() const { return terminalFamily(type); }
    bool isLum() const { return isLumType(type); }
    // The program memory counts as flash (erased by the memory clear).
    bool programIsFlash() const;
};

// The three bytes of the status reply.
struct StatusBytes {
    std::uint8_t type = 0;
    std::uint8_t mode = 0;
    std::uint8_t flags = 0;
};
StatusBytes statusBytes(const SimConfig& config, bool validData);

}  // namespace kyr::sim

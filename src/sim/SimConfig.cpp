#include "sim/SimConfig.h"

#include <array>
#include <cctype>

namespace kyr::sim {

namespace {

constexpr std::array<const char*, 10> ModelNames = {
    "KYR-T240(E)", "KYR-T220", "KYR Mini", "KYR Grand", "LUM Sigma",
    "LUMQ1",       "LUMQ1H",   "LUMQ2",    "LUMQ3",     "LUMQ4"};

// Model code of the LUM status byte (bits 5..0) for types 4..9.
constexpr std::array<std::uint8_t, 6> LumModelCodes = {0, 1, 5, 2, 3, 4};

// Bits 2..0 of a KYR-T240(E) status byte: 7 − index in its memory-type table.
std::uint8_t t240MemoryBits(AuxMemory m) {
    switch (m) {
        case AuxMemory::Eprom64k:
            return 7;
        case AuxMemory::Eprom128k:
            return 6;
        case AuxMemory::Flash128k:
            return 4;
        case AuxMemory::Ram32k:
            return 3;
        case AuxMemory::Ram128k:
            return 2;
        default:
            return 2;
    }
}

// Bits 1..0 of a KYR-T220 status byte: 3 − index in its memory-type table.
std::uint8_t t220MemoryBits(AuxMemory m) {
    switch (m) {
        case AuxMemory::Eprom64k:
            return 3;
        case AuxMemory::Flash32k:
            return 2;
        case AuxMemory::Ram32k:
            return 1;
        default:
            return 1;
    }
}

bool fitsType(AuxMemory m, int type) {
    if (m == AuxMemory::None) return true;
    if (type == 0)
        return m == AuxMemory::Eprom64k || m == AuxMemory::Eprom128k || m == AuxMemory::Flash128k ||
               m == AuxMemory::Ram32k || m == AuxMemory::Ram128k;
    return m == AuxMemory::Eprom64k || m == AuxMemory::Flash32k || m == AuxMemory::Ram32k;
}

}  // namespace

int terminalFamily(int type) {
    if (type <= 1) return 0;
    if (type <= 3) return 1;
    return 2;
}

bool isLumType(int type) { return type >= 4 && type <= 9; }

const char* modelName(int type) {
    if (type < 0 || type > 9) return "??????";
    return ModelNames[static_cast<std::size_t>(type)];
}

LinkEncoding encodingOfType(int type) {
    return isLumType(type) ? LinkEncoding::Ascii : LinkEncoding::Binary;
}

SimConfig SimConfig::forType(int type) {
    SimConfig c;
    c.type = type;
    switch (terminalFamily(type)) {
        case 0:
            c.firmware = "2.57";
            c.auxMemory = type == 0 ? AuxMemory::Ram128k : AuxMemory::Ram32k;
            break;
        case 1:
            c.firmware = "2.57";
            c.auxMemory = AuxMemory::None;
            break;
        default:
            c.firmware = "2.60";
            c.auxMemory = AuxMemory::None;
            break;
    }
    return c;
}

int SimConfig::firmwareLevel() const {
    // "D.DD" optionally followed by "R".
    const std::string& f = firmware;
    const bool shape = (f.size() == 4 || (f.size() == 5 && (f[4] == 'R' || f[4] == 'r'))) &&
                       std::isdigit(static_cast<unsigned char>(f[0])) && f[1] == '.' &&
                       std::isdigit(static_cast<unsigned char>(f[2])) &&
                       std::isdigit(static_cast<unsigned char>(f[3]));
    if (!shape) return 0;
    return (f[0] - '0') * 100 + (f[2] - '0') * 10 + (f[3] - '0');
}

std::string SimConfig::problem() const {
    if (type < 0 || type > 9) return "terminal type must be 0..9";
    if (firmwareLevel() == 0) return "firmware must look like 2.18 or 2.18R";
    if (address == 0) return "terminal address must be 1..255";
    if (family() == 0 && !fitsType(auxMemory, type))
        return std::string("this memory type does not exist in a ") + modelName(type);
    if (family() == 0 && auxMemory == AuxMemory::None && programIn != ProgramPlace::Ram)
        return "a user program in MEM needs an auxiliary memory";
    if (lumProtocols.size() > 10) return "at most 10 LUM protocols";
    if (identChars.size() != 6) return "the identification must be six characters";
    if (!TerminalClock::valid(clockStart)) return "the clock start is not a valid time";
    return {};
}

bool SimConfig::programIsFlash() const {
    if (family() == 1) return true;
    if (type == 0) return auxMemory == AuxMemory::Flash128k;
    if (type == 1) return auxMemory == AuxMemory::Flash32k;
    return false;
}

StatusBytes statusBytes(const SimConfig& c, bool validData) {
    StatusBytes s;
    const std::uint8_t noData = validData ? 0 : 0x80;
    switch (c.type) {
        case 0:
        case 1: {
            const bool t220 = c.type == 1;
            s.type = t220 ? static_cast<std::uint8_t>(0x80 | t220MemoryBits(c.auxMemory))
                          : t240MemoryBits(c.auxMemory);
            if (c.auxWritable) s.type |= 0x08;
            if (c.programModeDisabled) s.mode |= 0x01;
            if (t220 && c.bridgeModeDisabled) s.mode |= 0x02;
            if (c.programIn == ProgramPlace::Mem) s.mode |= 0x10;
            if (c.programIn == ProgramPlace::RamAndMem) s.mode |= 0x20;
            s.flags =
                static_cast<std::uint8_t>((c.auxMemory != AuxMemory::None ? 0x01 : 0) | noData);
            break;
        }
        case 2:
            s.type = 0x20;
            s.mode = c.programModeDisabled ? 0x01 : 0x00;
            s.flags = noData;
            break;
        case 3:
            s.type = static_cast<std::uint8_t>(0x21 | (c.grandL ? 0x40 : 0));
            s.mode = c.programModeDisabled ? 0x01 : 0x00;
            s.flags = noData;
            break;
        default:
            s.type = static_cast<std::uint8_t>(
                0xC0 | LumModelCodes[static_cast<std::size_t>(c.type - 4) % LumModelCodes.size()]);
            s.flags = noData;
            break;
    }
    return s;
}

}  // namespace kyr::sim

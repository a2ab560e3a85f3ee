#include "link/JobState.h"

#include <array>
#include <cctype>

#include "link/JobTexts.h"
#include "model/Bytes.h"

namespace kyr {

bool TTerminalStatus::EpromFitted() const {
    if ((rawType & 0x80) != 0) return (rawType & 0x03) == 0x03;
    return (rawType & 0x06) == 0x06;
}

namespace {

// LUM models by T AND 0x3F.
constexpr std::array<std::uint8_t, 6> LumByCode{4, 5, 7, 8, 9, 6};

}  // namespace

TTerminalStatus DecodeStatus(std::span<const std::uint8_t> reply, bool ascii) {
    TTerminalStatus s;
    if (reply.size() < 3) return s;
    s.rawType = reply[0];
    s.mode = reply[1];
    s.flags = reply[2];
    const std::uint8_t t = s.rawType;
    if (ascii || (t & 0xF0) == 0xC0) {
        const std::size_t code = t & 0x3F;
        if (code < LumByCode.size()) s.type = LumByCode[code];
        return s;
    }
    if ((t & 0xC0) < 0xC0 && (t & 0x20) == 0) {
        s.type = t < 0x80 ? 0 : 1;
        if ((s.mode & 0x20) != 0)
            s.selector = SelectorRamAndMem;
        else if ((s.mode & 0x10) != 0)
            s.selector = SelectorMem;
        else
            s.selector = SelectorRam;
        return s;
    }
    if (t == 0x20 || t == 0) {
        s.type = 2;
        s.selector = SelectorProgram;
    } else if ((t & 0x9F) == 1) {
        s.type = 3;
        s.selector = SelectorProgram;
    }
    return s;
}

bool ProgramIsFlash(int projectTermFamily, const TTerminalStatus& status) {
    if (projectTermFamily == 1) return true;
    if (status.type == 0) return (status.rawType & 0x07) == 4;
    if (status.type == 1) return (status.rawType & 0x03) == 2;
    return false;
}

TFirmwareVersion DecodeVersion(std::span<const std::uint8_t> reply) {
    TFirmwareVersion v;
    // Length byte, then the text up to its zero byte.
    for (std::size_t i = 1; i < reply.size() && reply[i] != 0; ++i) {
        const char c = static_cast<char>(reply[i]);
        v.text.push_back(c == 'v' ? 'V' : c);
    }
    if (v.text.size() >= 9 && v.text.compare(0, 7, "KYR V2.") == 0 &&
        std::isdigit(static_cast<unsigned char>(v.text[7])) &&
        std::isdigit(static_cast<unsigned char>(v.text[8]))) {
        const int minor = (v.text[7] - '0') * 10 + (v.text[8] - '0');
        if ((minor >= 12 && minor <= 27) || (minor >= 50 && minor <= 57))
            v.level = minor == 16 ? 215 : 200 + minor;
    }
    v.extended = (!v.text.empty() && v.text.back() == 'R') ||
                 (v.level != TFirmwareVersion::Unknown && v.level >= 250);
    return v;
}

std::optional<TToolVersions> DecodeToolVersions(std::span<const std::uint8_t> reply,
                                                bool lowFirst) {
    if (reply.size() < 5) return std::nullopt;
    return TToolVersions{bytes::u16(reply, 1, lowFirst), bytes::u16(reply, 3, lowFirst)};
}

std::uint32_t FreeMemory(std::span<const std::uint8_t> reply, const TTerminalStatus& status) {
    if (reply.size() < 18) return 0;
    const auto word = [&](std::size_t i) -> std::uint32_t { return bytes::u16be(reply, 2 * i); };
    const auto banks = [&] {
        std::uint32_t sum = 0;
        for (std::size_t i = 1; i <= 8; ++i) sum += word(i);
        return sum;
    };
    const std::uint8_t sel = status.selector;
    if (sel == SelectorProgram) return banks();
    std::uint32_t free = 0;
    if (sel == SelectorRam || sel == SelectorRamAndMem) free += word(0);
    if ((sel == SelectorMem || sel == SelectorRamAndMem) && status.AuxWriteEnabled() &&
        !status.EpromFitted())
        free += banks();
    return free;
}

const Text3* PhaseLabelText(int phase, bool flash) {
    switch (phase) {
        case jpStatus: return &texts::PhaseStatus;
        case jpVersion: return &texts::PhaseVersion;
        case jpToolVersion: return &texts::PhaseCompatibility;
        case jpClear: return flash ? &texts::PhaseFlashErase : &texts::PhaseClear;
        case jpMemorySize:
        case jpMemorySizeEnd: return &texts::PhaseMemorySize;
        case jpSetup:
        case jpLumSetup: return &texts::PhaseSetup;
        case jpCommTable:
        case jpLumCommTable: return &texts::PhaseControlTable;
        case jpExdTables: return &texts::PhaseExdTables;
        case jpScreens:
        case jpLumScreens: return &texts::PhaseScreens;
        case jpLumStart:
        case jpLumStructure: return &texts::PhaseLumStructure;
        case jpLumProtocols: return &texts::PhaseProtocolTest;
        case 19: return &texts::PhaseCommTest;
        case 20: return &texts::PhaseBootVersion;
        case 21:
        case 25: return &texts::PhaseBootSwitch;
        case 22:
        case 23:
        case 26: return &texts::PhaseFlashErasing;
        case 24:
        case 27: return &texts::PhaseFirmwareProgramming;
        default: return nullptr;
    }
}

std::string_view PhaseLabel(int phase, bool flash) {
    const Text3* t = PhaseLabelText(phase, flash);
    return t ? tr(*t) : std::string_view{};
}

}  // namespace kyr

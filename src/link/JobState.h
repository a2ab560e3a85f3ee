#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "model/Texts.h"

namespace kyr {

// The phase of the one job that runs at a time.
enum TJobPhase : std::uint8_t {
    jpIdle = 0,      // no job
    jpFailed = 1,    // ended with an error or cancelled; the idle pass tidies up
    jpFinished = 2,  // ended successfully; the idle pass tidies up
    jpStatus = 3,
    jpVersion = 4,
    jpToolVersion = 5,
    jpClear = 6,
    jpMemorySize = 7,
    jpSetup = 8,
    jpCommTable = 9,
    jpExdTables = 10,
    jpScreens = 11,
    jpMemorySizeEnd = 12,
    jpLumStart = 13,
    jpLumStructure = 14,
    jpLumProtocols = 15,
    jpLumSetup = 16,
    jpLumCommTable = 17,
    jpLumScreens = 18,
    jpFirmwareFirst = 19,  // 19..27: the firmware job
    jpFirmwareLast = 27,
};

inline constexpr bool isTransferPhase(int phase) {
    return phase >= jpStatus && phase <= jpLumScreens;
}
inline constexpr bool isFirmwarePhase(int phase) {
    return phase >= jpFirmwareFirst && phase <= jpFirmwareLast;
}

// Which job runs; at most one flag is set.
struct TJobFlags {
    bool upload = false;
    bool download = false;
    bool verify = false;
    bool firmware = false;

    bool Any() const { return upload || download || verify || firmware; }
    void Clear() { *this = {}; }
};

// Terminal types as the status reply names them; 10 is a type this program does not know.
inline constexpr std::uint8_t DetectedUnknown = 10;

// Memory selectors sent with the memory commands.
inline constexpr std::uint8_t SelectorRam = 0;
inline constexpr std::uint8_t SelectorMem = 1;
inline constexpr std::uint8_t SelectorRamAndMem = 3;
inline constexpr std::uint8_t SelectorProgram = 16;  // the one program memory of Mini and Grand

// What the status reply (0xB0) tells about the terminal.
struct TTerminalStatus {
    std::uint8_t type = DetectedUnknown;
    std::uint8_t rawType = 0;  // T
    std::uint8_t mode = 0;     // M
    std::uint8_t flags = 0;    // F
    std::uint8_t selector = SelectorRam;

    bool Known() const { return type < DetectedUnknown; }
    bool IsLum() const { return type >= 4 && type <= 9; }
    // F bit 7: the terminal holds no valid program.
    bool NoValidData() const { return (flags & 0x80) != 0; }
    // T bit 3: the auxiliary memory is write-enabled.
    bool AuxWriteEnabled() const { return (rawType & 0x08) != 0; }
    // The auxiliary memory is an EPROM (KYR-T220: T bits 1 and 0; KYR-T240(E): T bits 2 and 1).
    bool EpromFitted() const;
};

// Decodes the three status bytes; `ascii` is the link's ASCII setting (LUM family). A reply
// shorter than three bytes gives an unknown terminal.
TTerminalStatus DecodeStatus(std::span<const std::uint8_t> reply, bool ascii);

// The terminal's program memory is flash: a KYR Mini or Grand project, or a KYRB or KYRC
// whose type byte names a flash memory.
bool ProgramIsFlash(int projectTermFamily, const TTerminalStatus& status);

// From the version reply (0xAC): the firmware level (version × 100; 999 unknown) and whether
// the terminal takes the extended screen format.
struct TFirmwareVersion {
    static constexpr int Unknown = 999;
    int level = Unknown;
    bool extended = false;
    std::string text;  // the text as the terminal sent it, up to its end
};
TFirmwareVersion DecodeVersion(std::span<const std::uint8_t> reply);

// The minimum tool versions of the 0xB9 reply: for upload and verify, and for download.
struct TToolVersions {
    std::uint16_t uploadVerify = 0;
    std::uint16_t download = 0;
};
// nullopt when the reply is too short to hold both numbers.
std::optional<TToolVersions> DecodeToolVersions(std::span<const std::uint8_t> reply,
                                                bool lowFirst);

// The free memory from the 18-byte reply of 0xB6 on a KYR terminal.
std::uint32_t FreeMemory(std::span<const std::uint8_t> reply, const TTerminalStatus& status);

// The progress label of a job phase ("" for 0..2); `flash` picks the flash-erase label of
// phase 6.
std::string_view PhaseLabel(int phase, bool flash);
const Text3* PhaseLabelText(int phase, bool flash);

}  // namespace kyr

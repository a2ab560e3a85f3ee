#pragma once

#include <cstdint>
#include <string_view>

namespace kyr {

// PLC protocol codes 0..46 (the Protocol setup byte) map to PLC families 0..21, or -1, on
// which every protocol-dependent rule (address spaces, notation, system numbers, version
// requirements) is keyed.
inline constexpr int ProtocolCount = 47;
inline constexpr int PlcFamilyCount = 22;

struct PlcFamilyInfo {
    std::string_view longName;  // "" for families without a maker name
    std::string_view shortName;
    std::string_view prefixName;  // only three families have one
    int lowestSystem;             // limits of the PLC "System" (station) number
    int highestSystem;
    int systemDigits;  // width of the System edit
};

// Family of a protocol code, -1 for code 46 and any code outside the table.
int plcFamilyOf(int protocol);

// Names and limits of a family; -1 and unknown families give empty names and limits 0..0.
const PlcFamilyInfo& plcFamilyInfo(int family);

// The step of the version ladder at which support for `protocol` was added; meaningful for
// the protocols of families above 9.
int protocolLadderVersion(int protocol);

// True when the System column shows "*" and is not edited. Bit 2 of `languageEx` is the
// station option of family 9.
bool hasNoSystemNumbers(int protocol, std::uint8_t languageEx);

}  // namespace kyr

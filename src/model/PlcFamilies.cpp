#include "model/PlcFamilies.h"

#include <array>

namespace kyr {

namespace {

// Family per protocol code 0..46.
constexpr std::array<std::int8_t, ProtocolCount> kFamilyOfProtocol{
    0,  2,  2,  1,  3,  3,  4,  5,  5,  6,  7,  7,  7,  8,  8,  9,   // 0..15
    10, 10, 10, 10, 11, 11, 11, 11, 12, 12, 12, 12, 13, 14, 14, 15,  // 16..31
    15, 15, 15, 16, 17, 18, 18, 19, 19, 20, 20, 20, 20, 21, -1,      // 32..46
};

constexpr PlcFamilyInfo kNone{"", "", "", 0, 0, 2};

constexpr std::array<PlcFamilyInfo, PlcFamilyCount> kFamilies{{
    {"", "", "", 0, 0, 2},                             // 0
    {"", "", "", 0, 0, 2},                             // 1
    {"Omron", "Omron", "", 0, 31, 2},                  // 2
    {"Toshiba", "Toshiba", "", 0, 15, 2},              // 3
    {"Mitsubishi", "Mitsubishi", "", 0, 0, 2},         // 4
    {"Tecomat", "Tecomat", "", 0, 99, 2},              // 5
    {"Hitachi", "Hitachi", "", 0, 1, 2},               // 6
    {"Allen-Bradley", "Bradley", "Allen-", 1, 31, 2},  // 7
    {"Toshiba", "Toshiba", "", 0, 32, 2},              // 8
    {"Hitachi", "Hitachi", "", 0, 31, 2},              // 9
    {"Koyo", "Koyo", "", 1, 90, 2},                    // 10
    {"Modicon TSX", "TSX", "Modicon", 1, 247, 3},      // 11
    {"Modicon", "Modicon", "", 1, 247, 3},             // 12
    {"Mitsubishi", "Mitsubishi", "", 0, 0, 2},         // 13
    {"Siemens", "Siemens", "", 0, 126, 2},             // 14
    {"GE Fanuc", "Fanuc", "GE", 0, 247, 3},            // 15
    {"NRX", "NRX", "", 0, 247, 3},                     // 16
    {"Festo", "Festo", "", 0, 0, 2},                   // 17
    {"Saia", "Saia", "", 0, 247, 3},                   // 18
    {"Fatek", "Fatek", "", 0, 247, 3},                 // 19
    {"Wago", "Wago", "", 1, 99, 2},                    // 20
    {"", "", "", 0, 0, 2},                             // 21
}};

}  // namespace

int plcFamilyOf(int protocol) {
    if (protocol < 0 || protocol >= ProtocolCount) return -1;
    return kFamilyOfProtocol[static_cast<std::size_t>(protocol)];
}

const PlcFamilyInfo& plcFamilyInfo(int family) {
    if (family < 0 || family >= PlcFamilyCount) return kNone;
    return kFamilies[static_cast<std::size_t>(family)];
}

int protocolLadderVersion(int protocol) {
    if (protocol <= 16) return 219;
    if (protocol <= 19) return 220;
    if (protocol <= 23) return 221;
    if (protocol <= 27) return 222;
    if (protocol == 28) return 223;
    if (protocol <= 35) return 224;
    if (protocol == 36) return 225;
    if (protocol <= 38) return 226;
    if (protocol <= 40) return 252;
    return 254;
}

bool hasNoSystemNumbers(int protocol, std::uint8_t languageEx) {
    const int family = plcFamilyOf(protocol);
    if (family == 4 || family == 13 || family == 6 || family == 17) return true;
    if (protocol == 31 || protocol == 32) return true;
    return family == 9 && (languageEx & 0x04) == 0;
}

}  // namespace kyr

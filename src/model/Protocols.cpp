#include "model/Protocols.h"

#include <algorithm>
#include <array>

#include "model/PlcFamilies.h"
#include "model/TermTypes.h"

namespace kyr {

namespace {

constexpr std::array<std::uint8_t, 17> kMultiMaster{2,  5,  8,  14, 17, 19, 25, 27, 21,
                                                    23, 30, 32, 34, 38, 40, 42, 44};

struct VendorGroup {
    std::string_view name;  // group 0 takes a language text instead
    std::array<std::int8_t, 10> positions;
    int count;
};

constexpr std::array<VendorGroup, VendorGroupTotal> kGroups{{
    {"", {0}, 1},
    {"Allen-Bradley...", {1, 2, 3}, 3},
    {"Zelvo...", {4}, 1},
    {"Fatek...", {5, 6}, 2},
    {"Festo...", {7}, 1},
    {"GE Fanuc ...", {8, 9, 10, 11}, 4},
    {"Hitachi...", {12, 13}, 2},
    {"Koyo...", {14, 15, 16, 17}, 4},
    {"Mitsubishi...", {19, 18}, 2},
    {"Modicon...", {20, 21, 22, 23, 24, 25, 26, 27}, 8},
    {"Omron...", {28, 29}, 2},
    {"Saia...", {30, 31, 32}, 3},
    {"Siemens...", {33, 34}, 2},
    {"Teco...", {35, 36}, 2},
    {"Toshiba...", {37, 38, 39, 40}, 4},
    {"Wago...", {41, 42, 43, 44}, 4},
    {"7seg...", {45}, 1},
}};

bool inList(int position) {
    return position >= 0 && static_cast<std::size_t>(position) < protocolList().size();
}

bool isOneOf(int value, std::initializer_list<int> values) {
    return std::find(values.begin(), values.end(), value) != values.end();
}

std::uint8_t defaultParity(int code, int family) {
    if (isOneOf(code, {10, 11, 43, 44}) || family == 17) return 5;  // N,8,1
    if (isOneOf(family, {16, 1, 18})) return 4;                     // N,8,2
    if (isOneOf(family, {15, 10, 13, 8, 3})) return 7;              // O,8,1
    if (isOneOf(family, {6, 9, 4, 19}) || isOneOf(code, {20, 21, 24, 25, 41, 42}))
        return 1;               // E,7,1
    if (family == 2) return 0;  // E,7,2
    return 6;                   // E,8,1
}

}  // namespace

int protocolCodeAt(int position) {
    return inList(position) ? protocolList()[static_cast<std::size_t>(position)].code : -1;
}

int protocolPositionOf(int code) {
    const auto list = protocolList();
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i].code == code) return static_cast<int>(i);
    return -1;
}

std::string_view protocolNameAt(int position) {
    return inList(position) ? tr(protocolList()[static_cast<std::size_t>(position)].name) : "";
}

std::span<const std::uint8_t> multiMasterCodes() { return kMultiMaster; }

bool isMultiMasterCode(int code) {
    return std::find(kMultiMaster.begin(), kMultiMaster.end(), code) != kMultiMaster.end();
}

LineDefaults protocolLineDefaults(int code) {
    const int family = plcFamilyOf(code);
    const std::uint8_t baud = (family == 7 || family == 15) ? 1 : 2;
    return {baud, defaultParity(code, family)};
}

AddressRule terminalAddressRule(int code) {
    if (code == 3) return {true, 3, 255};
    if (isMultiMasterCode(code)) return {true, 1, 7};
    if (code == 10 || code == 11 || code == 12) return {true, 2, 31};
    return {false, 1, 0};
}

int clampTerminalAddress(const AddressRule& rule, int address) {
    if (!rule.enabled) return 0;
    return std::clamp(address, 0, rule.maximum);
}

int vendorGroupCount(int termType) {
    return isLumQType(termType) ? VendorGroupTotal : VendorGroupTotal - 1;
}

std::string_view vendorGroupName(int group) {
    if (group == 0) return tr(texts::CharacterTerminal);
    if (group < 0 || group >= VendorGroupTotal) return "";
    return kGroups[static_cast<std::size_t>(group)].name;
}

std::vector<int> vendorGroupPositions(int group) {
    std::vector<int> out;
    if (group < 0 || group >= VendorGroupTotal) return out;
    const auto& g = kGroups[static_cast<std::size_t>(group)];
    for (int i = 0; i < g.count; ++i) {
        const int position = g.positions[static_cast<std::size_t>(i)];
        if (position != A1SPosition) out.push_back(position);
    }
    return out;
}

int vendorGroupOf(int position) {
    for (int g = 0; g < VendorGroupTotal; ++g) {
        const auto& group = kGroups[static_cast<std::size_t>(g)];
        for (int i = 0; i < group.count; ++i)
            if (group.positions[static_cast<std::size_t>(i)] == position) return g;
    }
    return -1;
}

namespace {

int skipAway(int currentPosition, int selected) {
    if (currentPosition <= selected && selected + 1 < ProtocolListSize) return selected + 1;
    return selected > 0 ? selected - 1 : selected;
}

int skipMultiMaster(int currentPosition, int selected) {
    for (const std::uint8_t code : kMultiMaster)
        if (protocolCodeAt(selected) == code) selected = skipAway(currentPosition, selected);
    return selected;
}

}  // namespace

int stepProtocolSelection(int termType, int currentPosition, int selected) {
    if (!inList(selected)) return selected;
    if (termType == 1) selected = skipMultiMaster(currentPosition, selected);
    if (selected == A1SPosition) selected = currentPosition <= A1SPosition ? 19 : 17;
    // Stepping up past "Mitsubishi A1S" lands on a MultiMaster entry, which a type-1
    // terminal cannot use either.
    if (termType == 1) selected = skipMultiMaster(currentPosition, selected);
    return selected;
}

std::uint8_t composeLanguageEx(int protocol, int language, int maxAddress, bool hitachiStation,
                               bool modSerialInterface) {
    const int lang = language & 0x03;
    if (protocol == 12) return static_cast<std::uint8_t>(lang + 4 * std::clamp(maxAddress, 0, 31));
    const int family = plcFamilyOf(protocol);
    if ((family == 9 && hitachiStation) || (family == 20 && modSerialInterface))
        return static_cast<std::uint8_t>(lang + 4);
    return static_cast<std::uint8_t>(lang);
}

std::vector<std::string> portList(int termType) {
    std::vector<std::string> list{"RS-232C PRG", "RS-232C", "RS-422", "RS-485"};
    switch (termType) {
        case 1:
            list[1] += "-T";
            list.resize(2);
            break;
        case 2:
            list = {"RS-232C VT"};
            break;
        case 3:
            list[1] += " XT";
            list[0] = std::string(tr(texts::PortAll));
            break;
        default:
            if (isLumType(termType)) list = {std::string(tr(texts::PortAll))};
            break;
    }
    return list;
}

OutputRules outputRules(int family, int termType, int ioBoard) {
    const bool ok = family != 0 && termType != 2;
    const bool exdBoard = (ioBoard == 2 || ioBoard == 4) && ok;
    return {(ioBoard >= 2 && ioBoard <= 4) && ok, exdBoard || termType == 3, !exdBoard};
}

}  // namespace kyr

#include "model/PlcTables.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "model/SystemMode.h"

namespace kyr {

namespace {

using Names = std::span<const std::string_view>;

constexpr std::string_view kOmron[] = {"IO", "LR", "HR", "DM"};
constexpr std::string_view kToshiba[] = {"XYW", "RW", "D", "ZW", "T", "C", "SW"};
constexpr std::string_view kMitsubishi[] = {"TOP", "T", "C", "D"};
constexpr std::string_view kMitsubishiBits[] = {"TOP", "T", "C", "D", "X", "Y", "M"};
constexpr std::string_view kTecomat[] = {"X", "Y", "S", "R"};
constexpr std::string_view kHitachiEc[] = {"X", "Y", "M", "T/C"};
constexpr std::string_view kAllenBradley[] = {"O", "I", "S", "B", "T", "C", "R", "N"};
constexpr std::string_view kHitachiH[] = {"WX", "WY", "WR", "WL", "WM", "TC"};
constexpr std::string_view kHitachiHBits[] = {"WX", "WY", "WR", "WL", "WM", "TC",  "X",  "Y",
                                              "R",  "L",  "M",  "TD", "CL", "DIF", "DFN"};
constexpr std::string_view kKoyo[] = {"V"};
constexpr std::string_view kKoyoBits[] = {"V", "X", "Y", "GX", "GY", "C", "S", "T", "CT", "SP"};
constexpr std::string_view kTsx[] = {"MW"};
constexpr std::string_view kTsxBits[] = {"MW", "M"};
constexpr std::string_view kModicon[] = {"4x"};
constexpr std::string_view kModiconBits[] = {"4x", "0x"};
constexpr std::string_view kSiemens[] = {"V", "I", "Q", "M", "SM"};
constexpr std::string_view kFanuc[] = {"%R", "%AI", "%AQ", "%I", "%Q", "%T", "%M", "%S", "%G"};
constexpr std::string_view kNrx[] = {"DATA", "XDATA", "SYSDATA"};
constexpr std::string_view kFesto[] = {"EW", "AW", "MW", "R", "TV", "TW", "ZV", "ZW"};
constexpr std::string_view kFestoBits[] = {"E", "A", "M", "R", "TV", "TW", "ZV", "ZW", "T", "Z"};
constexpr std::string_view kSaia[] = {"R", "T", "C", "I", "O", "F"};
constexpr std::string_view kFatek[] = {"R", "X", "Y", "M", "S"};
constexpr std::string_view kWago[] = {"OUT", "IN", "M"};
constexpr std::string_view kWagoBits[] = {"OUT", "IN", "M", "OUT BIT", "IN BIT"};

struct FamilySpaces {
    Names word;
    Names bit;
};

// Indexed by family number 0..21.
const std::array<FamilySpaces, 22> kFamilies{{
    {{}, {}},                        // 0
    {{}, {}},                        // 1
    {kOmron, kOmron},                // 2
    {kToshiba, kToshiba},            // 3
    {kMitsubishi, kMitsubishi},      // 4
    {kTecomat, kTecomat},            // 5
    {kHitachiEc, kHitachiEc},        // 6
    {kAllenBradley, kAllenBradley},  // 7
    {kToshiba, kToshiba},            // 8
    {kHitachiH, kHitachiHBits},      // 9
    {kKoyo, kKoyoBits},              // 10
    {kTsx, kTsxBits},                // 11
    {kModicon, kModiconBits},        // 12
    {kMitsubishi, kMitsubishiBits},  // 13
    {kSiemens, kSiemens},            // 14
    {kFanuc, kFanuc},                // 15
    {kNrx, kNrx},                    // 16
    {kFesto, kFestoBits},            // 17
    {kSaia, kSaia},                  // 18
    {kFatek, kFatek},                // 19
    {kWago, kWagoBits},              // 20
    {{}, {}},                        // 21
}};

// Terminal spaces by code - 20; codes 26..29 are not used.
constexpr std::string_view kTerminalSpaces[] = {
    "KYR.##", "KYR.SCRN", "KYR.FUNC", "KYR.BEEP", "KYR.TIME", "KYR.I/O", "", "", "", "", "KYR.SYS"};
constexpr int kLastStandardTerminalSpace = 25;
constexpr std::string_view kNoOffsetName = "-----";
constexpr int kMaxSpaceCode = SpaceCodeMask;
// Under the system-mode shift, list index 6 is code 30.
constexpr int kSystemShiftIndex = 6;
constexpr int kSystemShift = TerminalSystemSpace - kSystemShiftIndex;

bool systemShift(int family) { return !hasPlcSpaces(family) && isSystemMode(); }

std::string upper(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return out;
}

std::vector<std::string_view> withTerminal(Names plc, int lastCode) {
    std::vector<std::string_view> out(plc.begin(), plc.end());
    for (int code = FirstTerminalSpace; code <= lastCode; ++code) {
        out.push_back(terminalSpaceName(code));
    }
    return out;
}

}  // namespace

std::span<const std::string_view> plcSpaceNames(int family, SpaceList list) {
    if (family < 0 || family >= static_cast<int>(kFamilies.size())) return {};
    const FamilySpaces& f = kFamilies[static_cast<std::size_t>(family)];
    return list == SpaceList::Bit ? f.bit : f.word;
}

int plcSpaceCount(int family, SpaceList list) {
    return static_cast<int>(plcSpaceNames(family, list).size());
}

bool hasPlcSpaces(int family) { return plcSpaceCount(family, SpaceList::Word) > 0; }

int spaceIndexToCode(int family, SpaceList list, int index) {
    const int n = plcSpaceCount(family, list);
    if (index < 0) return -1;
    if (index < n) return index;
    const int code = systemShift(family) && index >= kSystemShiftIndex
                         ? index + kSystemShift
                         : index - n + FirstTerminalSpace;
    return code <= kMaxSpaceCode ? code : -1;
}

int spaceCodeToIndex(int family, SpaceList list, int code) {
    const int n = plcSpaceCount(family, list);
    if (code < 0 || code > kMaxSpaceCode) return -1;
    if (code < n) return code;
    if (code < FirstTerminalSpace) return -1;
    if (systemShift(family) && code > kLastStandardTerminalSpace) {
        return code >= TerminalSystemSpace ? code - kSystemShift : -1;
    }
    return code - FirstTerminalSpace + n;
}

std::string_view terminalSpaceName(int code) {
    const int i = code - FirstTerminalSpace;
    if (i < 0 || i >= static_cast<int>(std::size(kTerminalSpaces))) return {};
    return kTerminalSpaces[i];
}

std::vector<std::string_view> commSpaceList(int family) {
    return withTerminal(plcSpaceNames(family, SpaceList::Word), FirstTerminalSpace);
}

std::vector<std::string_view> sourceSpaceList(int family, SpaceList list) {
    auto out = withTerminal(plcSpaceNames(family, list), kLastStandardTerminalSpace);
    if (family == 1 && isSystemMode()) out.push_back(terminalSpaceName(TerminalSystemSpace));
    return out;
}

std::vector<std::string_view> offsetSpaceList(int family) {
    auto out = withTerminal(plcSpaceNames(family, SpaceList::Word), FirstTerminalSpace);
    out.push_back(kNoOffsetName);
    return out;
}

std::string_view spaceShortName(int family, int code) {
    const Names word = plcSpaceNames(family, SpaceList::Word);
    if (code < 0 || code >= static_cast<int>(word.size())) return "??";
    return word[static_cast<std::size_t>(code)];
}

int spaceNameToCode(int family, std::string_view name) {
    std::string wanted = upper(name);
    if ((family == 3 || family == 8) && (wanted == "XW" || wanted == "YW")) wanted = "XYW";
    const Names word = plcSpaceNames(family, SpaceList::Word);
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (upper(word[i]) == wanted) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace kyr

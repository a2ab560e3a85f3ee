#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "model/PlcTables.h"
#include "model/SystemMode.h"

namespace kyr {
namespace {

using Names = std::vector<std::string_view>;

struct SystemModeGuard {
    bool saved = isSystemMode();
    explicit SystemModeGuard(bool on) { setSystemMode(on); }
    ~SystemModeGuard() { setSystemMode(saved); }
};

Names list(int family, SpaceList which) {
    const auto names = plcSpaceNames(family, which);
    return Names(names.begin(), names.end());
}

TEST(SystemMode, IsOffUntilSet) {
    EXPECT_FALSE(isSystemMode());
    {
        SystemModeGuard on(true);
        EXPECT_TRUE(isSystemMode());
    }
    EXPECT_FALSE(isSystemMode());
}

TEST(PlcSpaces, WordAndBitListsPerFamily) {
    struct Case {
        int family;
        Names word;
        Names bit;
    };
    const Case cases[] = {
        {2, {"IO", "LR", "HR", "DM"}, {}},
        {3, {"XYW", "RW", "D", "ZW", "T", "C", "SW"}, {}},
        {8, {"XYW", "RW", "D", "ZW", "T", "C", "SW"}, {}},
        {6, {"X", "Y", "M", "T/C"}, {}},
        {7, {"O", "I", "S", "B", "T", "C", "R", "N"}, {}},
        {9,
         {"WX", "WY", "WR", "WL", "WM", "TC"},
         {"WX", "WY", "WR", "WL", "WM", "TC", "X", "Y", "R", "L", "M", "TD", "CL", "DIF", "DFN"}},
        {10, {"V"}, {"V", "X", "Y", "GX", "GY", "C", "S", "T", "CT", "SP"}},
        {11, {"MW"}, {"MW", "M"}},
        {12, {"4x"}, {"4x", "0x"}},
        {13, {"TOP", "T", "C", "D"}, {"TOP", "T", "C", "D", "X", "Y", "M"}},
        {15, {"%R", "%AI", "%AQ", "%I", "%Q", "%T", "%M", "%S", "%G"}, {}},
        {17,
         {"EW", "AW", "MW", "R", "TV", "TW", "ZV", "ZW"},
         {"E", "A", "M", "R", "TV", "TW", "ZV", "ZW", "T", "Z"}},
        {20, {"OUT", "IN", "M"}, {"OUT", "IN", "M", "OUT BIT", "IN BIT"}},
        {0, {}, {}},
        {1, {}, {}},
        {21, {}, {}},
        {-1, {}, {}},
        {22, {}, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(list(c.family, SpaceList::Word), c.word) << c.family;
        const Names& bit = c.bit.empty() ? c.word : c.bit;
        EXPECT_EQ(list(c.family, SpaceList::Bit), bit) << c.family;
        EXPECT_EQ(plcSpaceCount(c.family, SpaceList::Bit), static_cast<int>(bit.size()));
        EXPECT_EQ(hasPlcSpaces(c.family), !c.word.empty()) << c.family;
    }
}

struct IndexCode {
    int family;
    SpaceList list;
    int index;
    int code;
};

TEST(PlcSpaces, ListIndexAndCodeRoundTrip) {
    const IndexCode cases[] = {
        {14, SpaceList::Word, 0, 0},   {14, SpaceList::Word, 4, 4}, {14, SpaceList::Word, 5, 20},
        {14, SpaceList::Word, 10, 25}, {9, SpaceList::Word, 6, 20}, {9, SpaceList::Bit, 6, 6},
        {9, SpaceList::Bit, 14, 14},   {9, SpaceList::Bit, 15, 20}, {10, SpaceList::Bit, 10, 20},
        {0, SpaceList::Word, 0, 20},   {1, SpaceList::Bit, 5, 25},  {1, SpaceList::Bit, 6, 26},
        {-1, SpaceList::Word, 1, 21},
    };
    for (const IndexCode& c : cases) {
        EXPECT_EQ(spaceIndexToCode(c.family, c.list, c.index), c.code)
            << c.family << " index " << c.index;
        EXPECT_EQ(spaceCodeToIndex(c.family, c.list, c.code), c.index)
            << c.family << " code " << c.code;
    }
    for (int family = -1; family <= 21; ++family) {
        for (SpaceList which : {SpaceList::Word, SpaceList::Bit}) {
            for (int index = 0; index < plcSpaceCount(family, which) + 6; ++index) {
                const int code = spaceIndexToCode(family, which, index);
                EXPECT_EQ(spaceCodeToIndex(family, which, code), index) << family << " " << index;
            }
        }
    }
}

TEST(PlcSpaces, ValuesOutsideEveryListGiveMinusOne) {
    EXPECT_EQ(spaceIndexToCode(14, SpaceList::Word, -1), -1);
    EXPECT_EQ(spaceCodeToIndex(14, SpaceList::Word, -1), -1);
    EXPECT_EQ(spaceCodeToIndex(14, SpaceList::Word, 5), -1);  // no sixth Siemens space
    EXPECT_EQ(spaceCodeToIndex(9, SpaceList::Word, 6), -1);   // bit list only
    EXPECT_EQ(spaceCodeToIndex(9, SpaceList::Bit, 19), -1);
    EXPECT_EQ(spaceCodeToIndex(14, SpaceList::Word, 64), -1);  // beyond six bits
    EXPECT_EQ(spaceIndexToCode(14, SpaceList::Word, 60), -1);
}

TEST(PlcSpaces, SystemModeShiftsTerminalCodesOfFamiliesWithoutPlcSpaces) {
    SystemModeGuard on(true);
    const IndexCode cases[] = {
        {1, SpaceList::Word, 0, 20},
        {1, SpaceList::Word, 5, 25},
        {1, SpaceList::Word, 6, 30},
        {1, SpaceList::Bit, 7, 31},
        {0, SpaceList::Word, 6, 30},
        {21, SpaceList::Word, 6, 30},
        {-1, SpaceList::Word, 6, 30},
        // Families with PLC spaces are not shifted.
        {14, SpaceList::Word, 11, 26},
        {10, SpaceList::Word, 7, 26},
    };
    for (const IndexCode& c : cases) {
        EXPECT_EQ(spaceIndexToCode(c.family, c.list, c.index), c.code) << c.family;
        EXPECT_EQ(spaceCodeToIndex(c.family, c.list, c.code), c.index) << c.family;
    }
    for (int skipped = 26; skipped <= 29; ++skipped) {
        EXPECT_EQ(spaceCodeToIndex(1, SpaceList::Word, skipped), -1) << skipped;
    }
}

TEST(PlcSpaces, CommSpaceListEndsWithTheTerminalRegisters) {
    const Names siemens = commSpaceList(14);
    EXPECT_EQ(siemens, (Names{"V", "I", "Q", "M", "SM", "KYR.##"}));
    EXPECT_EQ(spaceIndexToCode(14, SpaceList::Word, 5), FirstTerminalSpace);
    EXPECT_EQ(commSpaceList(9), (Names{"WX", "WY", "WR", "WL", "WM", "TC", "KYR.##"}));
    EXPECT_EQ(commSpaceList(0), (Names{"KYR.##"}));
}

TEST(PlcSpaces, SourceAndOffsetLists) {
    EXPECT_EQ(
        sourceSpaceList(11, SpaceList::Bit),
        (Names{"MW", "M", "KYR.##", "KYR.SCRN", "KYR.FUNC", "KYR.BEEP", "KYR.TIME", "KYR.I/O"}));
    EXPECT_EQ(sourceSpaceList(1, SpaceList::Word).size(), 6u);
    EXPECT_EQ(offsetSpaceList(2), (Names{"IO", "LR", "HR", "DM", "KYR.##", "-----"}));
    EXPECT_EQ(spaceIndexToCode(2, SpaceList::Word, 5), NoOffsetSpace);
    {
        SystemModeGuard on(true);
        const Names sys = sourceSpaceList(1, SpaceList::Word);
        ASSERT_EQ(sys.size(), 7u);
        EXPECT_EQ(sys[6], "KYR.SYS");
        EXPECT_EQ(spaceIndexToCode(1, SpaceList::Word, 6), TerminalSystemSpace);
        EXPECT_EQ(sourceSpaceList(0, SpaceList::Word).size(), 6u);
    }
    EXPECT_EQ(terminalSpaceName(26), "");
    EXPECT_EQ(terminalSpaceName(30), "KYR.SYS");
    EXPECT_EQ(terminalSpaceName(19), "");
}

TEST(PlcSpaces, ShortNameByCode) {
    struct Case {
        int family, code;
        std::string_view name;
    };
    const Case cases[] = {
        {14, 0, "V"},   {14, 4, "SM"}, {14, 5, "??"},      {9, 5, "TC"}, {9, 6, "??"},
        {10, 1, "??"},  {7, 7, "N"},   {14, 20, "??"},     {0, 0, "??"}, {-1, 0, "??"},
        {14, -1, "??"}, {12, 0, "4x"}, {16, 2, "SYSDATA"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(spaceShortName(c.family, c.code), c.name) << c.family << " " << c.code;
    }
}

TEST(PlcSpaces, NameToCode) {
    struct Case {
        int family;
        std::string_view name;
        int code;
    };
    const Case cases[] = {
        {14, "sm", 4}, {14, "SM", 4}, {12, "4X", 0},  {15, "%ai", 1}, {3, "XW", 0},  {3, "yw", 0},
        {8, "YW", 0},  {3, "XYW", 0}, {3, "ZW", 3},   {2, "XW", -1},  {9, "X", -1},  {0, "X", -1},
        {-1, "", -1},  {14, "", -1},  {14, "V ", -1}, {6, "t/c", 3},  {17, "zw", 7},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(spaceNameToCode(c.family, c.name), c.code) << c.family << " " << c.name;
    }
}

}  // namespace
}  // namespace kyr

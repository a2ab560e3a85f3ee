#include <gtest/gtest.h>

#include "model/PlcFamilies.h"
#include "model/TermTypes.h"
#include "model/Version.h"

namespace kyr {
namespace {

TEST(TermTypes, KeywordsAreReadInAnyCase) {
    const struct {
        const char* keyword;
        int type;
    } cases[] = {
        {"KYRB", 0},  {"kyrc", 1},     {"KYRU", 2},  {"KyrMini", 2}, {"KYRG", 3},   {"kyrgrand", 3},
        {"LUMS", 4},  {"LUMSIGMA", 4}, {"LUMQ1", 5}, {"lumq1h", 6},  {"LUMQ2", 7},  {"LUMQ3", 8},
        {"LUMQ4", 9}, {"LUMQ5", -1},   {"KYR", -1},  {"", -1},       {" KYRB", -1}, {"KYRBX", -1},
    };
    for (const auto& c : cases) EXPECT_EQ(termTypeFromKeyword(c.keyword), c.type) << c.keyword;
}

TEST(TermTypes, WrittenKeywordReadsBackAsTheSameType) {
    for (int type = 0; type < TermTypeCount; ++type) {
        const auto* info = termTypeInfo(type);
        ASSERT_NE(info, nullptr);
        ASSERT_EQ(info->keywordWritten.front(), ' ');
        EXPECT_EQ(termTypeFromKeyword(info->keywordWritten.substr(1)), type);
    }
    EXPECT_EQ(termTypeInfo(-1), nullptr);
    EXPECT_EQ(termTypeInfo(10), nullptr);
}

TEST(TermTypes, FamiliesAndPredicates) {
    const struct {
        int type, family;
        bool lum, lumQ, sigma;
    } cases[] = {
        {0, 0, false, false, false}, {1, 0, false, false, false}, {2, 1, false, false, false},
        {3, 1, false, false, false}, {4, 2, true, false, true},   {5, 2, true, true, false},
        {6, 2, true, true, false},   {9, 2, true, true, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(termFamilyOf(c.type), c.family) << c.type;
        EXPECT_EQ(isLumType(c.type), c.lum) << c.type;
        EXPECT_EQ(isLumQType(c.type), c.lumQ) << c.type;
        EXPECT_EQ(isLumSigmaType(c.type), c.sigma) << c.type;
    }
}

TEST(PlcFamilies, ProtocolCodesMapToFamilies) {
    // Every code, in order 0..46.
    const int expected[ProtocolCount] = {0,  2,  2,  1,  3,  3,  4,  5,  5,  6,  7,  7,
                                         7,  8,  8,  9,  10, 10, 10, 10, 11, 11, 11, 11,
                                         12, 12, 12, 12, 13, 14, 14, 15, 15, 15, 15, 16,
                                         17, 18, 18, 19, 19, 20, 20, 20, 20, 21, -1};
    for (int code = 0; code < ProtocolCount; ++code)
        EXPECT_EQ(plcFamilyOf(code), expected[code]) << code;
    EXPECT_EQ(plcFamilyOf(47), -1);
    EXPECT_EQ(plcFamilyOf(255), -1);
    EXPECT_EQ(plcFamilyOf(-3), -1);
}

TEST(PlcFamilies, NamesAndSystemLimits) {
    const struct {
        int family;
        const char *longName, *shortName, *prefix;
        int lowest, highest, digits;
    } cases[] = {
        {-1, "", "", "", 0, 0, 2},
        {0, "", "", "", 0, 0, 2},
        {1, "", "", "", 0, 0, 2},
        {2, "Omron", "Omron", "", 0, 31, 2},
        {3, "Toshiba", "Toshiba", "", 0, 15, 2},
        {4, "Mitsubishi", "Mitsubishi", "", 0, 0, 2},
        {5, "Tecomat", "Tecomat", "", 0, 99, 2},
        {6, "Hitachi", "Hitachi", "", 0, 1, 2},
        {7, "Allen-Bradley", "Bradley", "Allen-", 1, 31, 2},
        {8, "Toshiba", "Toshiba", "", 0, 32, 2},
        {9, "Hitachi", "Hitachi", "", 0, 31, 2},
        {10, "Koyo", "Koyo", "", 1, 90, 2},
        {11, "Modicon TSX", "TSX", "Modicon", 1, 247, 3},
        {12, "Modicon", "Modicon", "", 1, 247, 3},
        {13, "Mitsubishi", "Mitsubishi", "", 0, 0, 2},
        {14, "Siemens", "Siemens", "", 0, 126, 2},
        {15, "GE Fanuc", "Fanuc", "GE", 0, 247, 3},
        {16, "NRX", "NRX", "", 0, 247, 3},
        {17, "Festo", "Festo", "", 0, 0, 2},
        {18, "Saia", "Saia", "", 0, 247, 3},
        {19, "Fatek", "Fatek", "", 0, 247, 3},
        {20, "Wago", "Wago", "", 1, 99, 2},
        {21, "", "", "", 0, 0, 2},
        {22, "", "", "", 0, 0, 2},
    };
    for (const auto& c : cases) {
        const auto& info = plcFamilyInfo(c.family);
        EXPECT_EQ(info.longName, c.longName) << c.family;
        EXPECT_EQ(info.shortName, c.shortName) << c.family;
        EXPECT_EQ(info.prefixName, c.prefix) << c.family;
        EXPECT_EQ(info.lowestSystem, c.lowest) << c.family;
        EXPECT_EQ(info.highestSystem, c.highest) << c.family;
        EXPECT_EQ(info.systemDigits, c.digits) << c.family;
    }
}

TEST(PlcFamilies, VersionLadderSteps) {
    const struct {
        int protocol, version;
    } cases[] = {
        {16, 219}, {17, 220}, {19, 220}, {20, 221}, {23, 221}, {24, 222},
        {27, 222}, {28, 223}, {29, 224}, {35, 224}, {36, 225}, {37, 226},
        {38, 226}, {39, 252}, {40, 252}, {41, 254}, {45, 254}, {46, 254},
    };
    for (const auto& c : cases)
        EXPECT_EQ(protocolLadderVersion(c.protocol), c.version) << c.protocol;
}

TEST(PlcFamilies, ProjectsWithoutSystemNumbers) {
    const struct {
        int protocol;
        std::uint8_t languageEx;
        bool none;
    } cases[] = {
        {6, 0, true},   // family 4
        {28, 0, true},  // family 13
        {9, 0, true},   // family 6
        {36, 0, true},  // family 17
        {31, 0, true},  // GE Fanuc codes 31, 32 only
        {32, 0, true},     {33, 0, false}, {34, 0, false},
        {15, 0x02, true},   // family 9, station option off (language bits alone do not count)
        {15, 0x06, false},  // family 9, station option on
        {0, 0, false},     {1, 0, false},  {41, 0x04, false},
        {46, 0, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(hasNoSystemNumbers(c.protocol, c.languageEx), c.none) << c.protocol;
}

TEST(Version, FormatsAsMajorDotTwoDigitMinor) {
    EXPECT_EQ(FormatVersion(ProgramVersion), "2.60");
    EXPECT_EQ(FormatVersion(218), "2.18");
    EXPECT_EQ(FormatVersion(205), "2.05");
}

}  // namespace
}  // namespace kyr

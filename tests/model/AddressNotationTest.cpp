#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

#include "model/AddressNotation.h"

namespace kyr {
namespace {

constexpr int X6 = 0, Y6 = 1, M6 = 2, TC6 = 3;

TEST(Family6, TypedToStored) {
    struct Case {
        int code, typed;
        std::optional<std::uint16_t> stored;
    };
    const Case cases[] = {
        {X6, 0, 0},       {X6, 15, 15},    {X6, 25, 21},     {X6, 195, 159},   {X6, 16, {}},
        {X6, 19, {}},     {X6, 200, {}},   {Y6, 200, 160},   {Y6, 395, 319},   {Y6, 25, {}},
        {M6, 400, 320},   {M6, 700, 576},  {M6, 991, 863},   {M6, 656, {}},    {M6, 992, {}},
        {TC6, 0, 928},    {TC6, 95, 1023}, {TC6, 110, 1044}, {TC6, 195, 1214}, {TC6, 200, 1216},
        {TC6, 295, 1406}, {TC6, 96, {}},   {TC6, 296, {}},   {X6, -1, {}},     {4, 0, {}},
        {20, 5, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(family6TypedToStored(c.code, c.typed), c.stored) << c.code << " " << c.typed;
        EXPECT_EQ(family6Accepts(c.code, c.typed), c.stored.has_value());
    }
}

TEST(Family6, StoredToTyped) {
    struct Case {
        int stored, typed;
    };
    const Case cases[] = {
        {0, 0},     {21, 25}, {159, 195}, {160, 200},  {319, 395},  {320, 400},
        {863, 991}, {928, 0}, {1023, 95}, {1044, 110}, {1045, 110}, {1406, 295},
        {864, 0},   {927, 0}, {1215, 0},  {1407, 0},   {65535, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(family6StoredToTyped(c.stored), c.typed) << c.stored;
}

TEST(Family6, EveryTypedNumberComesBack) {
    for (int code = X6; code <= TC6; ++code) {
        for (int typed = 0; typed < 1000; ++typed) {
            const auto stored = family6TypedToStored(code, typed);
            if (!stored) continue;
            EXPECT_EQ(family6StoredToTyped(*stored), typed) << code << " " << typed;
        }
    }
}

constexpr int WX9 = 0, TC9 = 5, X9 = 6, Y9 = 7, R9 = 8, M9 = 10, TD9 = 11, DFN9 = 14;

TEST(Family9, Parse) {
    struct Case {
        int code;
        std::string_view text;
        std::optional<WordBit> address;
    };
    const Case cases[] = {
        {X9, "1A05", WordBit{0x1A * 16 + 0, 5}},
        {X9, "5", WordBit{0, 5}},
        {X9, "15", WordBit{0, 15}},
        {X9, "16", WordBit{1, 0}},
        {Y9, "FFF99", WordBit{0xFFF * 16 + 6, 3}},
        {X9, "FFFF99", {}},
        {X9, "1A0G", {}},
        {X9, "", {}},
        {R9, "12B", WordBit{0x12, 11}},
        {R9, "b", WordBit{0, 11}},
        {M9, "FFFFF", WordBit{0xFFFF, 15}},
        {M9, "100000", {}},
        {WX9, "FFFF", WordBit{0xFFFF, 0}},
        {WX9, "1a", WordBit{0x1A, 0}},
        {WX9, "10000", {}},
        {TC9, "1234", WordBit{1234, 0}},
        {TC9, "12A", {}},
        {TD9, "35", WordBit{2, 3}},
        {DFN9, "9999", WordBit{624, 15}},
        {DFN9, "10000", {}},
        {20, "999", WordBit{999, 0}},
        {20, "65536", {}},
        {15, "1", {}},
        {R9, "1.2", {}},
        {WX9, "-1", {}},
        {WX9, "$10", {}},
        {X9, "1,05", {}},
        {TC9, " 12", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(family9Parse(c.code, c.text), c.address) << c.code << " " << c.text;
    }
}

TEST(Family9, TextAndRoundTrip) {
    struct Case {
        int code;
        WordBit address;
        std::string_view text;
    };
    const Case cases[] = {
        {X9, {0x1A0, 5}, "1A05"}, {X9, {0, 5}, "005"},         {Y9, {1, 0}, "016"},
        {R9, {0x12, 11}, "12B"},  {M9, {0xFFFF, 15}, "FFFFF"}, {WX9, {0xABC, 0}, "ABC"},
        {WX9, {0, 0}, "0"},       {TC9, {1234, 0}, "1234"},    {TD9, {2, 3}, "35"},
        {20, {999, 0}, "999"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(family9Text(c.code, c.address), c.text) << c.code;
        EXPECT_EQ(family9Parse(c.code, c.text), c.address) << c.text;
    }
}

constexpr int V10 = 0, X10 = 1, Y10 = 2, SP10 = 9;

TEST(Family10, Parse) {
    struct Case {
        int code;
        std::string_view text;
        std::optional<std::uint16_t> stored;
    };
    const Case cases[] = {
        {X10, "17777", 65535},  {X10, "20000", {}},   {X10, "0", 57344},      {X10, "", 57344},
        {V10, "177777", 65535}, {V10, "277777", {}},  {V10, "077777", 32767}, {V10, "1777777", {}},
        {V10, "", 0},           {V10, "8", {}},       {V10, "12a", {}},       {Y10, "13777", 65535},
        {Y10, "14000", {}},     {SP10, "777", 65535}, {SP10, "1000", {}},     {10, "1", {}},
        {20, "123", 123},       {20, "", {}},         {20, "12.", {}},        {20, "65535", 65535},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(family10Parse(c.code, c.text), c.stored) << c.code << " " << c.text;
    }
}

TEST(Family10, Text) {
    struct Case {
        int code;
        std::uint16_t stored;
        std::string_view text;
    };
    const Case cases[] = {
        {X10, 65535, "17777"},  {X10, 57344, "0"}, {X10, 57343, ""},   {V10, 0, "0"},
        {V10, 65535, "177777"}, {V10, 8, "10"},    {SP10, 65024, "0"}, {20, 123, "123"},
    };
    for (const Case& c : cases) EXPECT_EQ(family10Text(c.code, c.stored), c.text) << c.stored;
    for (int code = V10; code <= SP10; ++code) {
        for (std::uint32_t v : {0u, 1u, 7u, 8u, 511u, 767u, 1023u, 8191u, 65535u}) {
            const auto stored = family10Parse(code, octalText(v));
            if (!stored) continue;
            EXPECT_EQ(family10Text(code, *stored), octalText(v)) << code << " " << v;
        }
    }
}

TEST(Family7, FileNumberAndSelectorTexts) {
    EXPECT_EQ(family7FileNumberText(7, 0x0C05), "12");
    EXPECT_EQ(family7FileNumberText(7, 0x0005), "0");
    EXPECT_EQ(family7FileNumberText(6, 0x0C05), "");
    EXPECT_EQ(family7SelectorText(7, 0x80 | 4), "2");
    EXPECT_EQ(family7SelectorText(7, 4), "0");
    EXPECT_EQ(family7SelectorText(14, 0x80 | 4), "");
    for (int i = -1; i <= 8; ++i) {
        EXPECT_EQ(family7HasFileNumber(i), i >= 0 && i <= 7) << i;
        EXPECT_EQ(family7HasSelector(i), i >= 4 && i <= 6) << i;
    }
}

TEST(Family7, SpaceCell) {
    struct Case {
        std::string_view text;
        std::optional<Family7Space> space;
    };
    const Case cases[] = {
        {"T4", Family7Space{4, 4}},
        {"t4", Family7Space{4, 4}},
        {"N255", Family7Space{7, 255}},
        {"B3", Family7Space{3, 3}},
        {"O0", Family7Space{0, 0}},
        {"N256", {}},
        {"T", {}},
        {"4", {}},
        {"X4", {}},
        {"T4a", {}},
        {"", {}},
        {"TC4", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(family7ParseSpace(c.text), c.space) << c.text;
    EXPECT_EQ(family7SpaceText(4, 4), "T4");
    EXPECT_EQ(family7SpaceText(7, 255), "N255");
}

TEST(AddressNotation, FormatByFamily) {
    struct Case {
        int family;
        std::uint8_t spaceByte;
        std::uint16_t address;
        std::uint8_t bit;
        std::string_view text;
    };
    const Case cases[] = {
        {2, 3, 1234, 0, "1234"},         {14, 20, 7, 0, "7"},       {16, 0, 0xFFFE, 0, "FFFE"},
        {16, 20, 300, 0, "300"},         {6, X6, 21, 0, "25"},      {6, 20, 21, 0, "21"},
        {7, 0x40 | 4, 0x0305, 0, "5.1"}, {7, 3, 0x0305, 0, "5"},    {7, 20, 0x0305, 0, "773"},
        {9, X9, 0x1A0, 5, "1A05"},       {9, WX9, 0x1A0, 0, "1A0"}, {10, X10, 65535, 0, "17777"},
        {10, 20, 65535, 0, "65535"},     {-1, 0, 9, 0, "9"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(formatAddress(c.family, c.spaceByte, c.address, c.bit), c.text)
            << c.family << " " << int(c.spaceByte);
    }
}

TEST(AddressNotation, NumberTexts) {
    EXPECT_EQ(hexText(0), "0");
    EXPECT_EQ(hexText(0xABCDE), "ABCDE");
    EXPECT_EQ(octalText(0), "0");
    EXPECT_EQ(octalText(8191), "17777");
}

TEST(ExdCellText, BlanksAndDotParts) {
    EXPECT_EQ(removeBlanks(" 1 2. 3 "), "12.3");
    EXPECT_EQ(removeBlanks(""), "");
    struct Case {
        std::string_view text;
        int before, after;
    };
    const Case cases[] = {
        {"5.1", 5, 1}, {"5", 5, 0},      {"255.2", 255, 2},      {".2", -1, 2},
        {"5.", 5, -1}, {"a.1", -1, 1},   {"5.x", 5, -1},         {"", -1, 0},
        {"-1", -1, 0}, {"5.1.2", 5, -1}, {"99999999999", -1, 0}, {"+3", -1, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(numberBeforeDot(c.text), c.before) << c.text;
        EXPECT_EQ(numberAfterDot(c.text), c.after) << c.text;
    }
}

}  // namespace
}  // namespace kyr

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "model/Charset.h"

namespace kyr {
namespace {

constexpr std::array kBothSets{CharSet::Latin, CharSet::Cyrillic};

bool isLatinLowExtra(int code) { return code == 15 || code == 20 || code == 21; }

TEST(Charset, SetNumberOneIsCyrillicEverythingElseLatin) {
    EXPECT_EQ(charSetFromNumber(1), CharSet::Cyrillic);
    for (int v : {0, 2, 3, -1}) EXPECT_EQ(charSetFromNumber(v), CharSet::Latin) << v;
}

TEST(Charset, EveryCodeRoundTripsThroughThePcCodePage) {
    for (CharSet set : kBothSets) {
        for (int c = 0; c < 256; ++c) {
            if (set == CharSet::Latin && isLatinLowExtra(c)) continue;
            const auto code = static_cast<std::uint8_t>(c);
            EXPECT_EQ(pcToTerm(termToPc(code, set), set), code) << "terminal " << c;
            EXPECT_EQ(termToPc(pcToTerm(code, set), set), code) << "pc " << c;
        }
    }
}

TEST(Charset, UpperHalfIsAPermutationAndLowerHalfIsKept) {
    for (CharSet set : kBothSets) {
        std::array<bool, 256> seen{};
        for (int c = 128; c < 256; ++c) {
            const std::uint8_t pc = termToPc(static_cast<std::uint8_t>(c), set);
            ASSERT_GE(pc, 128) << c;
            EXPECT_FALSE(seen[pc]) << "pc " << int(pc) << " twice";
            seen[pc] = true;
        }
        for (int c = 0; c < 128; ++c) {
            if (set == CharSet::Latin && isLatinLowExtra(c)) continue;
            EXPECT_EQ(termToPc(static_cast<std::uint8_t>(c), set), c);
            EXPECT_EQ(pcToTerm(static_cast<std::uint8_t>(c), set), c);
        }
    }
}

struct Pair {
    CharSet set;
    std::uint8_t term;
    std::uint8_t pc;
};

TEST(Charset, TableEntries) {
    const Pair cases[] = {
        {CharSet::Latin, 0x80, 0xC7},    {CharSet::Latin, 0x8F, 0xC6},
        {CharSet::Latin, 0xCB, 0xB6},    {CharSet::Latin, 0xCF, 0xA4},
        {CharSet::Latin, 0xF5, 0xA7},    {CharSet::Latin, 0xFF, 0x98},
        {CharSet::Cyrillic, 0x80, 0x88}, {CharSet::Cyrillic, 0x8E, 0xC0},
        {CharSet::Cyrillic, 0xE2, 0xD9}, {CharSet::Cyrillic, 0xFF, 0xAE},
    };
    for (const Pair& p : cases) {
        EXPECT_EQ(termToPc(p.term, p.set), p.pc) << int(p.term);
        EXPECT_EQ(pcToTerm(p.pc, p.set), p.term) << int(p.pc);
    }
}

TEST(Charset, LatinExtrasShowAsPcCharactersButDoNotComeBack) {
    struct Extra {
        std::uint8_t term, pc, back;
    };
    for (const Extra& e : {Extra{15, 164, 0xCF}, Extra{20, 182, 0xCB}, Extra{21, 167, 0xF5}}) {
        EXPECT_EQ(termToPc(e.term, CharSet::Latin), e.pc);
        EXPECT_EQ(pcToTerm(e.pc, CharSet::Latin), e.back);
        EXPECT_EQ(pcToTerm(e.term, CharSet::Latin), e.term);
        EXPECT_EQ(termToPc(e.term, CharSet::Cyrillic), e.term);
    }
}

TEST(Charset, BufferConversionInPlaceAndToAnotherBuffer) {
    const std::array<std::uint8_t, 5> term{'A', 0x8E, 20, 0xE2, 0};
    std::array<std::uint8_t, 5> pc{};
    termToPc(term.data(), pc.data(), term.size(), CharSet::Cyrillic);
    EXPECT_EQ(pc, (std::array<std::uint8_t, 5>{'A', 0xC0, 20, 0xD9, 0}));

    std::array<std::uint8_t, 5> buf = pc;
    pcToTerm(buf.data(), buf.data(), buf.size(), CharSet::Cyrillic);
    EXPECT_EQ(buf, term);

    std::string text = "\x80\x14x";
    termToPcInPlace(text, CharSet::Latin);
    EXPECT_EQ(text, "\xC7\xB6x");
    pcToTermInPlace(text, CharSet::Latin);
    EXPECT_EQ(text, "\x80\xCBx");
    EXPECT_EQ(termToPc(std::string_view("\x8E", 1), CharSet::Cyrillic), "\xC0");
    EXPECT_EQ(pcToTerm(std::string_view("\xC0", 1), CharSet::Cyrillic), "\x8E");
}

TEST(Charset, UnicodeDisplayOfBothSets) {
    struct Shown {
        CharSet set;
        std::uint8_t term;
        char32_t ch;
    };
    const Shown cases[] = {
        {CharSet::Latin, 'A', U'A'},          {CharSet::Latin, 0x80, U'Ç'},
        {CharSet::Latin, 0xA6, U'Ž'},         {CharSet::Latin, 0xCB, U'╦'},
        {CharSet::Latin, 0xFD, U'ř'},         {CharSet::Latin, 0xFF, U'\u00A0'},
        {CharSet::Latin, 15, U'¤'},           {CharSet::Latin, 20, U'¶'},
        {CharSet::Latin, 21, U'§'},           {CharSet::Cyrillic, 0x8E, U'А'},
        {CharSet::Cyrillic, 0xE2, U'Щ'},      {CharSet::Cyrillic, 20, U'\x14'},
        {CharSet::Cyrillic, 0x84, U'\u0098'},
    };
    for (const Shown& s : cases) EXPECT_EQ(termToUnicode(s.term, s.set), s.ch) << int(s.term);
}

TEST(Charset, EveryCodeRoundTripsThroughUnicode) {
    for (CharSet set : kBothSets) {
        for (int c = 0; c < 256; ++c) {
            if (set == CharSet::Latin && isLatinLowExtra(c)) continue;
            const auto code = static_cast<std::uint8_t>(c);
            EXPECT_EQ(unicodeToTerm(termToUnicode(code, set), set), code) << c;
        }
    }
    // The extras are typed back as code page 852 has them; it has no pilcrow.
    EXPECT_EQ(unicodeToTerm(U'¤', CharSet::Latin), 0xCF);
    EXPECT_EQ(unicodeToTerm(U'¶', CharSet::Latin), 20);
    EXPECT_EQ(unicodeToTerm(U'§', CharSet::Latin), 0xF5);
}

TEST(Charset, CyrillicDisplayIsItsPcByteInCodePage1251) {
    EXPECT_EQ(termToUtf8("\x8E\xE2", CharSet::Cyrillic), "АЩ");
    EXPECT_EQ(utf8ToTerm("АЩ", CharSet::Cyrillic), "\x8E\xE2");
}

TEST(Charset, Utf8StringsBothWays) {
    EXPECT_EQ(termToUtf8("Gr\x94\xE1"
                         "e",
                         CharSet::Latin),
              "Größe");
    EXPECT_EQ(utf8ToTerm("Größe", CharSet::Latin),
              "Gr\x94\xE1"
              "e");
    EXPECT_EQ(termToUtf8(std::string_view("a\0b", 3), CharSet::Latin), std::string("a\0b", 3));
}

TEST(Charset, CharactersTheSetCannotHoldBecomeQuestionMarks) {
    struct Case {
        std::string_view utf8;
        CharSet set;
        std::string_view term;
        std::size_t unmapped, malformed;
    };
    const Case cases[] = {
        {"a€b", CharSet::Latin, "a?b", 1, 0},
        {"Жx", CharSet::Latin, "?x", 1, 0},
        {"Ř", CharSet::Cyrillic, "?", 1, 0},
        {"\xC3", CharSet::Latin, "?", 0, 1},
        {"\xC0\xAFz", CharSet::Latin, "??z", 0, 2},
        {"\xED\xA0\x80", CharSet::Latin, "???", 0, 3},
        {"\xF4\x90\x80\x80", CharSet::Latin, "????", 0, 4},
        {"\x80", CharSet::Cyrillic, "?", 0, 1},
        {"😀", CharSet::Latin, "?", 1, 0},
    };
    for (const Case& c : cases) {
        Utf8Issues issues;
        EXPECT_EQ(utf8ToTerm(c.utf8, c.set, &issues), c.term) << c.utf8;
        EXPECT_EQ(issues.unmapped, c.unmapped) << c.utf8;
        EXPECT_EQ(issues.malformed, c.malformed) << c.utf8;
        EXPECT_FALSE(issues.ok());
    }
    Utf8Issues clean;
    utf8ToTerm("plain", CharSet::Latin, &clean);
    EXPECT_TRUE(clean.ok());
}

TEST(Charset, Cp1250BothWays) {
    EXPECT_EQ(utf8ToCp1250("Příliš žluťoučký kůň"),
              "P\xF8\xEDli\x9A \x9Elu\x9Do\x75\xE8k\xFD k\xF9\xF2");
    EXPECT_EQ(cp1250ToUtf8("\x8A\xE8\x80"), "Šč€");
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<std::uint8_t>(b);
        EXPECT_EQ(unicodeToCp1250(cp1250ToUnicode(byte)), byte) << b;
    }
    // Undefined bytes stand for the C1 control of the same value.
    EXPECT_EQ(cp1250ToUnicode(0x81), U'\u0081');
    Utf8Issues issues;
    EXPECT_EQ(utf8ToCp1250("Ж", &issues), "?");
    EXPECT_EQ(issues.unmapped, 1u);
}

TEST(Charset, Utf8EncodingOfEveryLength) {
    for (char32_t ch :
         {U'\x7F', U'\u0080', U'\u07FF', U'\u0800', U'\uFFFD', U'\U00010000', U'\U0010FFFF'}) {
        std::string s;
        appendUtf8(s, ch);
        std::size_t pos = 0;
        EXPECT_EQ(nextUtf8(s, pos), ch);
        EXPECT_EQ(pos, s.size());
    }
}

}  // namespace
}  // namespace kyr

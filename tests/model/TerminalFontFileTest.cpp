#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "model/TerminalFont.h"
#include "model/TerminalFontFile.h"

namespace kyr {
namespace {

// A font whose glyphs differ from code to code: a diagonal stroke and the code's bits.
TerminalFont sampleFont(int width = TerminalCellWidth, int height = TerminalCellHeight,
                        std::string face = "KYR_Font") {
    TerminalFont font(std::move(face), width, height);
    for (int code = 0; code < TerminalFont::Codes; ++code) {
        const auto c = static_cast<std::uint8_t>(code);
        for (int bit = 0; bit < 8; ++bit)
            font.setPixel(c, bit % width, height - 1, (code >> bit) & 1);
        font.setPixel(c, code % width, code % height, true);
    }
    return font;
}

Bytes encoded(const TerminalFont& font) {
    auto data = encodeTerminalFont(font);
    EXPECT_TRUE(data.has_value());
    return data.value_or(Bytes{});
}

// Recomputes the hash after a deliberate change, so that the change itself is what is judged.
void rehash(Bytes& data) {
    const std::size_t at = data.size() - fontfile::HashSize;
    bytes::setU32le(data, at, fontfile::fnv1a(std::span<const std::uint8_t>(data).first(at)));
}

TEST(TerminalFont, PixelsOutsideTheCellAreClearAndCannotBeSet) {
    TerminalFont font("F", 12, 20);
    font.setPixel(7, 12, 0, true);
    font.setPixel(7, -1, 0, true);
    font.setPixel(7, 0, 20, true);
    EXPECT_TRUE(font.isBlank(7));
    font.setPixel(7, 11, 19, true);
    EXPECT_TRUE(font.pixel(7, 11, 19));
    EXPECT_FALSE(font.pixel(7, 12, 19));
    EXPECT_EQ(font.inkCount(7), 1);
    EXPECT_TRUE(font.isBlank(6));
    EXPECT_TRUE(font.isBlank(8));
}

TEST(TerminalFont, SetGlyphClearsTheBitsRightOfTheCell) {
    TerminalFont font("F", 12, 2);
    const Bytes rows{0xFF, 0xFF, 0xFF, 0xFF};
    ASSERT_TRUE(font.setGlyph(1, rows));
    EXPECT_EQ(font.inkCount(1), 24);
    EXPECT_EQ(font.glyph(1)[1], 0xF0);
    EXPECT_FALSE(font.setGlyph(1, Bytes{0xFF}));
}

TEST(TerminalFontFile, RoundTripKeepsFaceCellAndEveryGlyph) {
    for (auto [width, height] : {std::pair{12, 20}, {8, 8}, {1, 1}, {32, 64}, {9, 13}}) {
        const TerminalFont font = sampleFont(width, height, "KYR_FontR");
        const Bytes data = encoded(font);
        EXPECT_EQ(data.size(), fontfile::fileSize(width, height));
        const auto back = decodeTerminalFont(data);
        ASSERT_TRUE(back.has_value()) << width << "x" << height;
        EXPECT_EQ(*back, font);
    }
}

TEST(TerminalFontFile, HeaderLayout) {
    const Bytes data = encoded(sampleFont());
    ASSERT_EQ(data.size(), 44u + 256u * 40u + 4u);
    EXPECT_EQ(std::string(data.begin(), data.begin() + 7), "KYRFONT");
    EXPECT_EQ(data[7], 0x1A);
    EXPECT_EQ(bytes::u16le(data, 8), 1);
    EXPECT_EQ(data[10], 12);
    EXPECT_EQ(data[11], 20);
    EXPECT_EQ(data[12], 8);
    EXPECT_EQ(std::string(data.begin() + 13, data.begin() + 21), "KYR_Font");
    EXPECT_EQ(data[21], 0);
}

TEST(TerminalFontFile, FacesThatCannotBeStoredAreRefused) {
    const std::string faces[] = {"", std::string(32, 'A'), "KYR Font", "KYR_F\xC3\xB6nt"};
    for (const std::string& face : faces) {
        EXPECT_FALSE(encodeTerminalFont(TerminalFont(face, 12, 20)).has_value()) << face;
    }
    EXPECT_TRUE(encodeTerminalFont(TerminalFont(std::string(31, 'A'), 12, 20)).has_value());
}

struct Damage {
    const char* what;
    std::function<void(Bytes&)> apply;
    bool rehash;  // whether the hash is made to fit the damaged bytes
};

TEST(TerminalFontFile, DamagedFilesAreNotFonts) {
    const Damage damages[] = {
        {"empty", [](Bytes& d) { d.clear(); }, false},
        {"header only", [](Bytes& d) { d.resize(fontfile::GlyphsAt); }, false},
        {"truncated by one byte", [](Bytes& d) { d.pop_back(); }, false},
        {"truncated in the glyphs", [](Bytes& d) { d.resize(d.size() / 2); }, false},
        {"truncated and rehashed", [](Bytes& d) { d.resize(d.size() - 40); }, true},
        {"one byte appended", [](Bytes& d) { d.push_back(0); }, false},
        {"appended and rehashed", [](Bytes& d) { d.insert(d.end() - 4, 40, 0); }, true},
        {"magic", [](Bytes& d) { d[0] = 'k'; }, true},
        {"magic end", [](Bytes& d) { d[7] = 0; }, true},
        {"version 2", [](Bytes& d) { d[8] = 2; }, true},
        {"version high byte", [](Bytes& d) { d[9] = 1; }, true},
        {"width 0", [](Bytes& d) { d[10] = 0; }, true},
        {"width 33", [](Bytes& d) { d[10] = 33; }, true},
        {"height 0", [](Bytes& d) { d[11] = 0; }, true},
        {"height 21", [](Bytes& d) { d[11] = 21; }, true},
        {"name length 0", [](Bytes& d) { d[12] = 0; }, true},
        {"name length 32", [](Bytes& d) { d[12] = 32; }, true},
        {"name longer than its text", [](Bytes& d) { d[12] = 9; }, true},
        {"name with a blank", [](Bytes& d) { d[16] = ' '; }, true},
        {"bytes after the name", [](Bytes& d) { d[30] = 'x'; }, true},
        {"bits right of the cell", [](Bytes& d) { d[fontfile::GlyphsAt + 1] |= 0x01; }, true},
        {"glyph bit flipped", [](Bytes& d) { d[fontfile::GlyphsAt + 100] ^= 0x10; }, false},
        {"hash", [](Bytes& d) { d.back() ^= 0x80; }, false},
        {"all zero", [](Bytes& d) { std::fill(d.begin(), d.end(), 0); }, false},
        {"all ones", [](Bytes& d) { std::fill(d.begin(), d.end(), 0xFF); }, false},
    };
    const Bytes good = encoded(sampleFont());
    ASSERT_TRUE(decodeTerminalFont(good).has_value());
    for (const Damage& damage : damages) {
        Bytes data = good;
        damage.apply(data);
        if (damage.rehash && data.size() >= fontfile::HashSize) rehash(data);
        EXPECT_FALSE(decodeTerminalFont(data).has_value()) << damage.what;
    }
}

TEST(TerminalFontFile, EveryShorterPrefixIsRefused) {
    const Bytes good = encoded(sampleFont(8, 8));
    for (std::size_t n = 0; n < good.size(); ++n) {
        ASSERT_FALSE(decodeTerminalFont(std::span<const std::uint8_t>(good).first(n)).has_value())
            << n;
    }
}

TEST(TerminalFontFile, NamesOfTheTwoFonts) {
    EXPECT_STREQ(terminalFontFile(CharSet::Latin), "kyrfont.fon");
    EXPECT_STREQ(terminalFontFile(CharSet::Cyrillic), "kyrfontr.fon");
    EXPECT_STREQ(terminalFontFace(CharSet::Latin), "KYR_Font");
    EXPECT_STREQ(terminalFontFace(CharSet::Cyrillic), "KYR_FontR");
}

}  // namespace
}  // namespace kyr

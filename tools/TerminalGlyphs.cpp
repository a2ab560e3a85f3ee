#include "TerminalGlyphs.h"

#include <array>

#include "model/TerminalFontFile.h"

namespace kyr::fontgen {

namespace {

// What a PC shows for the control codes 1..31 (code 0 has no picture).
constexpr std::array<char16_t, 32> kControlPictures{
    0,      0x263A, 0x263B, 0x2665, 0x2666, 0x2663, 0x2660, 0x2022, 0x25D8, 0x25CB, 0x25D9,
    0x2642, 0x2640, 0x266A, 0x266B, 0x263C, 0x25BA, 0x25C4, 0x2195, 0x203C, 0x00B6, 0x00A7,
    0x25AC, 0x21A8, 0x2191, 0x2193, 0x2192, 0x2190, 0x221F, 0x2194, 0x25B2, 0x25BC,
};
constexpr char32_t kDelPicture = 0x2302;

bool showsNoInk(char32_t ch) { return ch == 0 || (ch >= 0x80 && ch <= 0xA0); }

void fillRect(TerminalFont& font, std::uint8_t code, int x0, int y0, int x1, int y1) {
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) font.setPixel(code, x, y, true);
}

void drawBars(TerminalFont& font, CharSet set) {
    const BarCodes bars = barCodes(set);
    fillRect(font, bars.full, 0, 0, font.width(), font.height());
    fillRect(font, bars.half, 0, 0, font.width() / 2, font.height());
}

// A hollow box in the middle of the cell, for a code without a visible character.
void drawBox(TerminalFont& font, std::uint8_t code) {
    const int x0 = 2, x1 = font.width() - 2;
    const int y0 = font.height() / 4, y1 = font.height() - font.height() / 4;
    for (int x = x0; x < x1; ++x) {
        font.setPixel(code, x, y0, true);
        font.setPixel(code, x, y1 - 1, true);
    }
    for (int y = y0; y < y1; ++y) {
        font.setPixel(code, x0, y, true);
        font.setPixel(code, x1 - 1, y, true);
    }
}

}  // namespace

BarCodes barCodes(CharSet set) {
    return set == CharSet::Cyrillic ? BarCodes{255, 245} : BarCodes{178, 177};
}

std::optional<char32_t> glyphChar(std::uint8_t code, CharSet set) {
    const BarCodes bars = barCodes(set);
    if (code == bars.full || code == bars.half) return std::nullopt;
    const char32_t ch = termToUnicode(code, set);
    if (ch < kControlPictures.size()) {
        if (kControlPictures[ch] == 0) return std::nullopt;
        return kControlPictures[ch];
    }
    if (ch == 0x7F) return kDelPicture;
    if (showsNoInk(ch)) return std::nullopt;
    return ch;
}

TerminalFont makeTerminalFont(CharSet set, GlyphRaster& raster) {
    TerminalFont font(terminalFontFace(set), TerminalCellWidth, TerminalCellHeight);
    drawBars(font, set);
    const BarCodes bars = barCodes(set);
    for (int value = 0; value < TerminalFont::Codes; ++value) {
        const auto code = static_cast<std::uint8_t>(value);
        if (code == ' ' || code == bars.full || code == bars.half) continue;
        const auto ch = glyphChar(code, set);
        if (ch) raster.draw(*ch, font, code);
        if (font.isBlank(code)) drawBox(font, code);
    }
    return font;
}

}  // namespace kyr::fontgen

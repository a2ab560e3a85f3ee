#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "model/Charset.h"
#include "model/TerminalFont.h"

class QPainter;

namespace kyr {

// The terminal's two raster fonts, "kyrfont.fon" (face "KYR_Font", the Latin set) and
// "kyrfontr.fon" (face "KYR_FontR", the Cyrillic set), read from the program's folder at
// start and held for the life of the object. Screen editors draw terminal text with them,
// one 12 × 20 cell per character code.
class TerminalFonts {
public:
    // Looks for the font files in `folder`.
    explicit TerminalFonts(QString folder);
    ~TerminalFonts();
    TerminalFonts(const TerminalFonts&) = delete;
    TerminalFonts& operator=(const TerminalFonts&) = delete;

    // Reads both files and makes them the program's fonts (active()). A file that is missing,
    // truncated or not a font of its face with 12 × 20 cells is reported ("Cannot read file
    // KYRFONT.FON") and the result is false, with neither font kept.
    bool registerFonts();
    // Gives the fonts up; active() no longer returns this object.
    void removeFonts();

    // The registered fonts, nullptr while none are.
    static const TerminalFonts* active();

    static QSize cellSize();
    static const char* faceName(CharSet set);

    bool hasFace(CharSet set) const;
    // The font of a set, nullptr while it has none.
    const TerminalFont* font(CharSet set) const;
    // The glyph of `code` in a one-bit image of one cell: ink opaque black, the rest
    // transparent. A null image while the set has no font.
    const QImage& glyph(CharSet set, std::uint8_t code) const;

    // Draws `codes` left to right, one cell each, the first cell's top left corner at
    // `topLeft`: ink pixels in `ink`, the others left as they are.
    void drawText(QPainter& painter, QPoint topLeft, CharSet set, std::string_view codes,
                  const QColor& ink) const;
    void drawCell(QPainter& painter, QPoint topLeft, CharSet set, std::uint8_t code,
                  const QColor& ink) const;

private:
    struct Face {
        std::optional<TerminalFont> font;
        std::array<QImage, TerminalFont::Codes> glyphs;
    };

    bool readFace(CharSet set);
    const Face& face(CharSet set) const { return faces_[static_cast<int>(set)]; }
    Face& face(CharSet set) { return faces_[static_cast<int>(set)]; }

    QString folder_;
    std::array<Face, 2> faces_;
};

}  // namespace kyr

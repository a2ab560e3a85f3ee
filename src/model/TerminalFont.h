#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "model/Bytes.h"

namespace kyr {

// A raster font of the terminal's character set: one glyph of equal cell size for each of the
// 256 character codes. Each glyph is `height` rows of `rowBytes()` bytes, the leftmost pixel
// of a row in the highest bit of its first byte; bits right of the cell width stay clear.
class TerminalFont {
public:
    static constexpr int Codes = 256;
    static constexpr int MaxWidth = 32;
    static constexpr int MaxHeight = 64;

    // A font whose glyphs are all blank. Width and height are clamped to 1..Max.
    TerminalFont(std::string face, int width, int height);

    const std::string& face() const { return face_; }
    int width() const { return width_; }
    int height() const { return height_; }
    int rowBytes() const { return (width_ + 7) / 8; }
    std::size_t glyphBytes() const { return static_cast<std::size_t>(rowBytes()) * height_; }

    // A pixel outside the cell is clear and cannot be set.
    bool pixel(std::uint8_t code, int x, int y) const;
    void setPixel(std::uint8_t code, int x, int y, bool on);
    bool isBlank(std::uint8_t code) const;
    int inkCount(std::uint8_t code) const;

    std::span<const std::uint8_t> glyph(std::uint8_t code) const;
    // Replaces a glyph's rows; the bits right of the cell width are cleared. `rows` must hold
    // glyphBytes() bytes, otherwise nothing changes and the result is false.
    bool setGlyph(std::uint8_t code, std::span<const std::uint8_t> rows);

    bool operator==(const TerminalFont&) const = default;

private:
    bool inCell(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    std::size_t byteAt(std::uint8_t code, int x, int y) const;
    void clearPadding(std::uint8_t code);

    std::string face_;
    int width_;
    int height_;
    Bytes bits_;
};

}  // namespace kyr

#include "model/TerminalFont.h"

#include <algorithm>
#include <bit>

namespace kyr {

TerminalFont::TerminalFont(std::string face, int width, int height)
    : face_(std::move(face)),
      width_(std::clamp(width, 1, MaxWidth)),
      height_(std::clamp(height, 1, MaxHeight)),
      bits_(glyphBytes() * Codes, 0) {}

std::size_t TerminalFont::byteAt(std::uint8_t code, int x, int y) const {
    return code * glyphBytes() + static_cast<std::size_t>(y) * rowBytes() +
           static_cast<std::size_t>(x / 8);
}

bool TerminalFont::pixel(std::uint8_t code, int x, int y) const {
    if (!inCell(x, y)) return false;
    return (bits_[byteAt(code, x, y)] & (0x80 >> (x % 8))) != 0;
}

void TerminalFont::setPixel(std::uint8_t code, int x, int y, bool on) {
    if (!inCell(x, y)) return;
    const auto mask = static_cast<std::uint8_t>(0x80 >> (x % 8));
    std::uint8_t& b = bits_[byteAt(code, x, y)];
    b = on ? static_cast<std::uint8_t>(b | mask) : static_cast<std::uint8_t>(b & ~mask);
}

bool TerminalFont::isBlank(std::uint8_t code) const { return inkCount(code) == 0; }

int TerminalFont::inkCount(std::uint8_t code) const {
    int count = 0;
    for (std::uint8_t b : glyph(code)) count += std::popcount(b);
    return count;
}

std::span<const std::uint8_t> TerminalFont::glyph(std::uint8_t code) const {
    return std::span<const std::uint8_t>(bits_).subspan(code * glyphBytes(), glyphBytes());
}

bool TerminalFont::setGlyph(std::uint8_t code, std::span<const std::uint8_t> rows) {
    if (rows.size() != glyphBytes()) return false;
    std::copy(rows.begin(), rows.end(),
              bits_.begin() + static_cast<std::ptrdiff_t>(code * glyphBytes()));
    clearPadding(code);
    return true;
}

void TerminalFont::clearPadding(std::uint8_t code) {
    const int unused = rowBytes() * 8 - width_;
    if (unused == 0) return;
    const auto keep = static_cast<std::uint8_t>(0xFF << unused);
    for (int y = 0; y < height_; ++y) {
        bits_[byteAt(code, width_ - 1, y)] &= keep;
    }
}

}  // namespace kyr

#pragma once

#include <cstdint>
#include <optional>

#include "GlyphRaster.h"
#include "model/Charset.h"
#include "model/TerminalFont.h"

namespace kyr::fontgen {

// The bar-graph glyphs of a set: the full bar fills the cell, the half bar its left half.
struct BarCodes {
    std::uint8_t full;
    std::uint8_t half;
};
BarCodes barCodes(CharSet set);

// The character drawn for a terminal code: its Unicode character from the set's table, the
// PC picture for the control codes 1..31 and 127, nothing for the bars (drawn apart) and
// for characters that show no ink (code 0, the C1 controls, the no-break space).
std::optional<char32_t> glyphChar(std::uint8_t code, CharSet set);

// The whole font of a set, 12 × 20 cells: every code but the space gets ink; a character
// the outline font lacks or draws blank is shown as a small box.
TerminalFont makeTerminalFont(CharSet set, GlyphRaster& raster);

}  // namespace kyr::fontgen

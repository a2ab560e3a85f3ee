#pragma once

#include <memory>
#include <string>

#include "model/TerminalFont.h"

namespace kyr::fontgen {

// Renders characters of an outline font (through FreeType) into the cells of a TerminalFont.
// Letters keep their proportions and stand on one baseline; box-drawing and block characters
// are stretched to the whole cell so that neighbouring cells join.
class GlyphRaster {
public:
    // Opens the outline font at `path`; ok() tells whether that worked and error() why not.
    GlyphRaster(const std::string& path, int cellWidth, int cellHeight);
    ~GlyphRaster();
    GlyphRaster(const GlyphRaster&) = delete;
    GlyphRaster& operator=(const GlyphRaster&) = delete;

    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }

    bool hasChar(char32_t ch) const;
    // Draws `ch` into the glyph of `code`; false when the font has no such character or it
    // could not be rendered (the glyph is left as it was).
    bool draw(char32_t ch, TerminalFont& font, std::uint8_t code);

private:
    struct Library;
    bool chooseSizes();
    bool render(char32_t ch, bool fillCell);

    std::unique_ptr<Library> ft_;
    int cellWidth_;
    int cellHeight_;
    int textSize_ = 0;      // pixels per em of letters, both directions
    int textLeft_ = 0;      // where a letter's advance starts in the cell
    int textBaseline_ = 0;  // row of the letters' baseline, from the cell top
    int fillWidthSize_ = 0;
    int fillHeightSize_ = 0;
    int fillBaseline_ = 0;
    std::string error_;
};

}  // namespace kyr::fontgen

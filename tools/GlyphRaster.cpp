#include "GlyphRaster.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>

namespace kyr::fontgen {

struct GlyphRaster::Library {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    ~Library() {
        if (face) FT_Done_Face(face);
        if (library) FT_Done_FreeType(library);
    }
};

namespace {

// Box drawing, block elements and shades fill their cell.
bool fillsCell(char32_t ch) { return ch >= 0x2500 && ch <= 0x259F; }

}  // namespace

GlyphRaster::GlyphRaster(const std::string& path, int cellWidth, int cellHeight)
    : ft_(std::make_unique<Library>()), cellWidth_(cellWidth), cellHeight_(cellHeight) {
    if (FT_Init_FreeType(&ft_->library) != 0) {
        error_ = "FreeType cannot start";
        return;
    }
    if (FT_New_Face(ft_->library, path.c_str(), 0, &ft_->face) != 0) {
        error_ = "cannot open the outline font " + path;
        return;
    }
    if (!FT_IS_SCALABLE(ft_->face) || !chooseSizes()) {
        error_ = "not a scalable fixed-pitch font: " + path;
    }
}

GlyphRaster::~GlyphRaster() = default;

// Sizes from the font's own metrics: the line (ascender to descender) of a letter fits the
// cell height, its advance the cell width; the stretched size makes both fit exactly.
bool GlyphRaster::chooseSizes() {
    FT_Face face = ft_->face;
    if (FT_Load_Char(face, 'M', FT_LOAD_NO_SCALE) != 0) return false;
    const double em = face->units_per_EM;
    const double advance = static_cast<double>(face->glyph->advance.x);
    const double line = static_cast<double>(face->ascender - face->descender);
    if (em <= 0 || advance <= 0 || line <= 0) return false;

    textSize_ = static_cast<int>(std::min(cellHeight_ * em / line, cellWidth_ * em / advance));
    const int textAdvance = static_cast<int>(std::lround(textSize_ * advance / em));
    textLeft_ = std::max(0, (cellWidth_ - textAdvance) / 2);
    const double textLine = textSize_ * line / em;
    const double spare = std::max(0.0, cellHeight_ - textLine);
    textBaseline_ = static_cast<int>(std::lround(spare / 2 + textSize_ * face->ascender / em));

    fillWidthSize_ = static_cast<int>(std::lround(cellWidth_ * em / advance));
    fillHeightSize_ = static_cast<int>(std::lround(cellHeight_ * em / line));
    fillBaseline_ = static_cast<int>(std::lround(fillHeightSize_ * face->ascender / em));
    return textSize_ > 0 && fillWidthSize_ > 0 && fillHeightSize_ > 0;
}

bool GlyphRaster::hasChar(char32_t ch) const {
    return ft_->face && FT_Get_Char_Index(ft_->face, ch) != 0;
}

bool GlyphRaster::render(char32_t ch, bool fillCell) {
    FT_Face face = ft_->face;
    const FT_UInt width = static_cast<FT_UInt>(fillCell ? fillWidthSize_ : textSize_);
    const FT_UInt height = static_cast<FT_UInt>(fillCell ? fillHeightSize_ : textSize_);
    if (FT_Set_Pixel_Sizes(face, width, height) != 0) return false;
    const FT_UInt index = FT_Get_Char_Index(face, ch);
    if (index == 0) return false;
    if (FT_Load_Glyph(face, index, FT_LOAD_TARGET_MONO) != 0) return false;
    if (FT_Render_Glyph(face->glyph, FT_RENDER_MODE_MONO) != 0) return false;
    return face->glyph->bitmap.pixel_mode == FT_PIXEL_MODE_MONO;
}

bool GlyphRaster::draw(char32_t ch, TerminalFont& font, std::uint8_t code) {
    if (!ok()) return false;
    const bool fillCell = fillsCell(ch);
    if (!render(ch, fillCell)) return false;
    const FT_GlyphSlot slot = ft_->face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    const int left = (fillCell ? 0 : textLeft_) + slot->bitmap_left;
    const int top = (fillCell ? fillBaseline_ : textBaseline_) - slot->bitmap_top;
    for (unsigned row = 0; row < bitmap.rows; ++row) {
        const unsigned char* line = bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
        for (unsigned col = 0; col < bitmap.width; ++col) {
            if (line[col / 8] & (0x80 >> (col % 8))) {
                font.setPixel(code, left + static_cast<int>(col), top + static_cast<int>(row),
                              true);
            }
        }
    }
    return true;
}

}  // namespace kyr::fontgen

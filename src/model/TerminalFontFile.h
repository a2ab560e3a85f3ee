#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "model/Bytes.h"
#include "model/Charset.h"
#include "model/TerminalFont.h"

namespace kyr {

// The program's own raster font file ("kyrfont.fon", "kyrfontr.fon"):
//
//   offset  size  field
//        0     8  magic "KYRFONT" 0x1A
//        8     2  format version, low byte first (1)
//       10     1  cell width in pixels, 1..32
//       11     1  cell height in pixels, 1..64
//       12     1  face name length, 1..31
//       13    31  face name, printable ASCII, the rest zero
//       44     n  256 glyphs, code 0 first, each TerminalFont::glyphBytes() long
//   44 + n     4  FNV-1a hash of every byte before it, low byte first
//
// Anything else — another size, magic or version, a cell or name out of range, set bits
// right of the cell width, a wrong hash — is not a font file.
namespace fontfile {

inline constexpr std::uint8_t Magic[8] = {'K', 'Y', 'R', 'F', 'O', 'N', 'T', 0x1A};
inline constexpr std::uint16_t Version = 1;
inline constexpr std::size_t VersionAt = 8;
inline constexpr std::size_t WidthAt = 10;
inline constexpr std::size_t HeightAt = 11;
inline constexpr std::size_t NameLengthAt = 12;
inline constexpr std::size_t NameAt = 13;
inline constexpr std::size_t MaxNameLength = 31;
inline constexpr std::size_t GlyphsAt = NameAt + MaxNameLength;
inline constexpr std::size_t HashSize = 4;

// The size of a file with cells of width × height.
std::size_t fileSize(int width, int height);
// The largest valid file; a reader need not look further.
std::size_t maxFileSize();

std::uint32_t fnv1a(std::span<const std::uint8_t> data);

}  // namespace fontfile

// The program's two fonts, one per character set, and the cell the screen editors draw in.
inline constexpr int TerminalCellWidth = 12;
inline constexpr int TerminalCellHeight = 20;
constexpr const char* terminalFontFile(CharSet set) {
    return set == CharSet::Cyrillic ? "kyrfontr.fon" : "kyrfont.fon";
}
constexpr const char* terminalFontFace(CharSet set) {
    return set == CharSet::Cyrillic ? "KYR_FontR" : "KYR_Font";
}

// The file's bytes; nullopt for a font whose face name cannot be stored (empty, too long or
// not printable ASCII).
std::optional<Bytes> encodeTerminalFont(const TerminalFont& font);
// The font in `data`, or nullopt when `data` is not exactly one valid font file.
std::optional<TerminalFont> decodeTerminalFont(std::span<const std::uint8_t> data);

}  // namespace kyr

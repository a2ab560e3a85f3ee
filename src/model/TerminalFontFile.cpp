#include "model/TerminalFontFile.h"

#include <algorithm>
#include <string>

namespace kyr {

namespace fontfile {

std::size_t fileSize(int width, int height) {
    const std::size_t glyphBytes = static_cast<std::size_t>((width + 7) / 8) * height;
    return GlyphsAt + glyphBytes * TerminalFont::Codes + HashSize;
}

std::size_t maxFileSize() { return fileSize(TerminalFont::MaxWidth, TerminalFont::MaxHeight); }

std::uint32_t fnv1a(std::span<const std::uint8_t> data) {
    std::uint32_t hash = 2166136261u;
    for (std::uint8_t b : data) {
        hash ^= b;
        hash *= 16777619u;
    }
    return hash;
}

}  // namespace fontfile

namespace {

using namespace fontfile;

bool validName(std::string_view name) {
    if (name.empty() || name.size() > MaxNameLength) return false;
    return std::all_of(name.begin(), name.end(), [](char c) { return c > 0x20 && c < 0x7F; });
}

bool validCell(int width, int height) {
    return width >= 1 && width <= TerminalFont::MaxWidth && height >= 1 &&
           height <= TerminalFont::MaxHeight;
}

bool validHeader(std::span<const std::uint8_t> data) {
    if (data.size() < GlyphsAt + HashSize) return false;
    if (!std::equal(std::begin(Magic), std::end(Magic), data.begin())) return false;
    if (bytes::u16le(data, VersionAt) != Version) return false;
    const int width = bytes::u8(data, WidthAt);
    const int height = bytes::u8(data, HeightAt);
    return validCell(width, height) && data.size() == fileSize(width, height);
}

std::optional<std::string> storedName(std::span<const std::uint8_t> data) {
    const std::size_t length = bytes::u8(data, NameLengthAt);
    if (length > MaxNameLength) return std::nullopt;
    const auto field = data.subspan(NameAt, MaxNameLength);
    if (std::any_of(field.begin() + static_cast<std::ptrdiff_t>(length), field.end(),
                    [](std::uint8_t b) { return b != 0; })) {
        return std::nullopt;
    }
    std::string name(field.begin(), field.begin() + static_cast<std::ptrdiff_t>(length));
    if (!validName(name)) return std::nullopt;
    return name;
}

bool validHash(std::span<const std::uint8_t> data) {
    const std::size_t at = data.size() - HashSize;
    return bytes::u32le(data, at) == fnv1a(data.first(at));
}

}  // namespace

std::optional<Bytes> encodeTerminalFont(const TerminalFont& font) {
    if (!validName(font.face())) return std::nullopt;
    Bytes out(fileSize(font.width(), font.height()), 0);
    std::copy(std::begin(Magic), std::end(Magic), out.begin());
    bytes::setU16le(out, VersionAt, Version);
    bytes::setU8(out, WidthAt, static_cast<std::uint8_t>(font.width()));
    bytes::setU8(out, HeightAt, static_cast<std::uint8_t>(font.height()));
    bytes::setU8(out, NameLengthAt, static_cast<std::uint8_t>(font.face().size()));
    std::copy(font.face().begin(), font.face().end(), out.begin() + NameAt);
    auto glyphs = out.begin() + GlyphsAt;
    for (int code = 0; code < TerminalFont::Codes; ++code) {
        const auto rows = font.glyph(static_cast<std::uint8_t>(code));
        glyphs = std::copy(rows.begin(), rows.end(), glyphs);
    }
    const std::size_t hashAt = out.size() - HashSize;
    bytes::setU32le(out, hashAt, fnv1a(std::span<const std::uint8_t>(out).first(hashAt)));
    return out;
}

std::optional<TerminalFont> decodeTerminalFont(std::span<const std::uint8_t> data) {
    if (!validHeader(data) || !validHash(data)) return std::nullopt;
    const auto name = storedName(data);
    if (!name) return std::nullopt;
    TerminalFont font(*name, bytes::u8(data, WidthAt), bytes::u8(data, HeightAt));
    const std::size_t size = font.glyphBytes();
    for (int code = 0; code < TerminalFont::Codes; ++code) {
        const auto rows = data.subspan(GlyphsAt + static_cast<std::size_t>(code) * size, size);
        const auto c = static_cast<std::uint8_t>(code);
        font.setGlyph(c, rows);
        // Bits beyond the cell are not part of any valid file.
        if (!std::equal(rows.begin(), rows.end(), font.glyph(c).begin())) return std::nullopt;
    }
    return font;
}

}  // namespace kyr

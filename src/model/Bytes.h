#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

namespace kyr {

using Bytes = std::vector<std::uint8_t>;

// Typed access to little- and big-endian fields of a byte record. Records that are also
// memory-image or link records are kept as bytes and read and written only through these,
// so that the layout is exact and the byte order explicit. Callers keep offsets in range.
namespace bytes {

inline std::uint8_t u8(std::span<const std::uint8_t> b, std::size_t at) { return b[at]; }
inline void setU8(std::span<std::uint8_t> b, std::size_t at, std::uint8_t v) { b[at] = v; }

inline std::uint16_t u16le(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}
inline std::uint16_t u16be(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint16_t>((b[at] << 8) | b[at + 1]);
}
inline void setU16le(std::span<std::uint8_t> b, std::size_t at, std::uint16_t v) {
    b[at] = static_cast<std::uint8_t>(v & 0xFF);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
inline void setU16be(std::span<std::uint8_t> b, std::size_t at, std::uint16_t v) {
    b[at] = static_cast<std::uint8_t>(v >> 8);
    b[at + 1] = static_cast<std::uint8_t>(v & 0xFF);
}
// The terminal byte order: high byte first unless `lowFirst`.
inline std::uint16_t u16(std::span<const std::uint8_t> b, std::size_t at, bool lowFirst) {
    return lowFirst ? u16le(b, at) : u16be(b, at);
}
inline void setU16(std::span<std::uint8_t> b, std::size_t at, std::uint16_t v, bool lowFirst) {
    if (lowFirst) setU16le(b, at, v); else setU16be(b, at, v);
}

inline std::uint32_t u32le(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint32_t>(u16le(b, at)) | (static_cast<std::uint32_t>(u16le(b, at + 2)) << 16);
}
inline void setU32le(std::span<std::uint8_t> b, std::size_t at, std::uint32_t v) {
    setU16le(b, at, static_cast<std::uint16_t>(v & 0xFFFF));
    setU16le(b, at + 2, static_cast<std::uint16_t>(v >> 16));
}

// IEEE single, always low byte first.
inline float f32le(std::span<const std::uint8_t> b, std::size_t at) {
    return std::bit_cast<float>(u32le(b, at));
}
inline void setF32le(std::span<std::uint8_t> b, std::size_t at, float v) {
    setU32le(b, at, std::bit_cast<std::uint32_t>(v));
}

}  // namespace bytes
}  // namespace kyr

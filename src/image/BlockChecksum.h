#pragma once

#include <cstdint>
#include <span>

#include "model/Bytes.h"

namespace kyr {

// Every block of the EPROM image is followed by two check bytes: 0x1234 plus the byte sum of
// the block, modulo 65536, high byte first.
inline constexpr std::uint16_t BlockChecksumSeed = 0x1234;
inline constexpr std::size_t BlockChecksumSize = 2;

std::uint16_t blockChecksum(std::span<const std::uint8_t> block);

// The block followed by its two check bytes.
Bytes withBlockChecksum(std::span<const std::uint8_t> block);

}  // namespace kyr

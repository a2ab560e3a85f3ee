#include "image/BlockChecksum.h"

#include <numeric>

namespace kyr {

std::uint16_t blockChecksum(std::span<const std::uint8_t> block) {
    const unsigned sum = std::accumulate(block.begin(), block.end(), unsigned{BlockChecksumSeed});
    return static_cast<std::uint16_t>(sum & 0xFFFF);
}

Bytes withBlockChecksum(std::span<const std::uint8_t> block) {
    Bytes out(block.begin(), block.end());
    out.resize(block.size() + BlockChecksumSize);
    bytes::setU16be(out, block.size(), blockChecksum(block));
    return out;
}

}  // namespace kyr

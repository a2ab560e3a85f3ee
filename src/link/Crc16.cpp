#include "link/Crc16.h"

namespace kyr {

Crc16::Crc16() {
    for (unsigned i = 0; i < 256; ++i) {
        std::uint16_t crc = static_cast<std::uint16_t>(i << 8);
        for (int bit = 0; bit < 8; ++bit)
            crc = static_cast<std::uint16_t>((crc & 0x8000) ? (crc << 1) ^ 0x1021 : crc << 1);
        table_[i] = crc;
    }
}

std::uint16_t Crc16::compute(std::span<const std::uint8_t> data, std::uint16_t crc) const {
    for (std::uint8_t b : data) crc = update(crc, b);
    return crc;
}

const Crc16& Crc16::instance() {
    static const Crc16 crc;
    return crc;
}

}  // namespace kyr

#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace kyr {

// CRC-16 of the link frames: polynomial 0x1021, initial value 0, no reflection, no final
// XOR. Table-driven: entry i is the CRC of one zero byte started from i * 256.
class Crc16 {
public:
    Crc16();

    std::uint16_t update(std::uint16_t crc, std::uint8_t byte) const {
        return static_cast<std::uint16_t>(table_[((crc >> 8) ^ byte) & 0xFF] ^ (crc << 8));
    }
    std::uint16_t compute(std::span<const std::uint8_t> data, std::uint16_t crc = 0) const;

    // The one shared table.
    static const Crc16& instance();

private:
    std::array<std::uint16_t, 256> table_{};
};

}  // namespace kyr

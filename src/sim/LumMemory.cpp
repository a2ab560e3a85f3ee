#include "sim/LumMemory.h"

#include <algorithm>

namespace kyr::sim {

LumMemory::LumMemory(const SimConfig& config) : bytes_(0x10000, 0) {
    std::fill_n(bytes_.begin() + ProtocolList, ProtocolListSize, 0xFF);
    std::copy(config.lumProtocols.begin(), config.lumProtocols.end(),
              bytes_.begin() + ProtocolList);
}

std::array<std::uint16_t, 5> LumMemory::structure() const {
    return {0x0001, SetupAddress, CommAddress, ScreensStart, ProtocolList};
}

Bytes LumMemory::read(std::uint16_t address, std::size_t count) const {
    Bytes out(count, 0xFF);
    const std::size_t n = std::min<std::size_t>(count, bytes_.size() - address);
    std::copy_n(bytes_.begin() + address, n, out.begin());
    return out;
}

bool LumMemory::write(std::uint16_t address, std::span<const std::uint8_t> data) {
    if (address < SetupAddress || address + data.size() > UserEnd) return false;
    std::copy(data.begin(), data.end(), bytes_.begin() + address);
    return true;
}

std::uint16_t LumMemory::checkSum(std::span<const std::uint8_t> block) {
    unsigned sum = 0x1234;
    for (std::uint8_t b : block) sum += b;
    return static_cast<std::uint16_t>(sum & 0xFFFF);
}

std::optional<Bytes> LumMemory::checkedBlock(std::uint16_t address, std::size_t size) const {
    const Bytes block = read(address, size + 2);
    const auto data = std::span<const std::uint8_t>(block).first(size);
    if (checkSum(data) != bytes::u16le(block, size)) return std::nullopt;
    return Bytes(data.begin(), data.end());
}

std::optional<Bytes> LumMemory::setup() const { return checkedBlock(SetupAddress, SetupSize); }

std::optional<Bytes> LumMemory::commTable() const { return checkedBlock(CommAddress, CommSize); }

std::vector<Bytes> LumMemory::screenRecords() const {
    std::vector<Bytes> out;
    std::size_t at = ScreensStart;
    while (at + 2 <= UserEnd) {
        const std::uint16_t length = bytes::u16le(bytes_, at);
        if (length < 2 || at + length > UserEnd) break;
        out.emplace_back(bytes_.begin() + static_cast<std::ptrdiff_t>(at),
                         bytes_.begin() + static_cast<std::ptrdiff_t>(at + length));
        at += length;
    }
    return out;
}

}  // namespace kyr::sim

#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "model/Bytes.h"
#include "sim/SimConfig.h"

namespace kyr::sim {

// The memory of a LUM terminal: one 64 KB space with the setup, the communication table and
// the screen records at the addresses its memory structure names, and the list of the
// firmware's protocols above the user area.
class LumMemory {
public:
    explicit LumMemory(const SimConfig& config);

    // The five words of the memory structure reply, in order: structure version, setup
    // address, communication-table address, screens start, protocol-list address.
    std::array<std::uint16_t, 5> structure() const;
    std::uint16_t setupAddress() const { return SetupAddress; }
    std::uint16_t commAddress() const { return CommAddress; }
    std::uint16_t screensStart() const { return ScreensStart; }
    std::uint16_t protocolListAddress() const { return ProtocolList; }

    Bytes read(std::uint16_t address, std::size_t count) const;
    // False, changing nothing, outside the user area.
    bool write(std::uint16_t address, std::span<const std::uint8_t> data);

    // The setup and communication table as stored, when their check sums are right.
    std::optional<Bytes> setup() const;
    std::optional<Bytes> commTable() const;
    // The screen records from the screens start up to the record length 0.
    std::vector<Bytes> screenRecords() const;

    static constexpr std::size_t SetupSize = 10;
    static constexpr std::size_t CommSize = 16;
    static constexpr std::size_t ProtocolListSize = 50;
    // 0x1234 plus the byte sum, 16 bits.
    static std::uint16_t checkSum(std::span<const std::uint8_t> block);

private:
    static constexpr std::uint16_t SetupAddress = 0x8000;
    static constexpr std::uint16_t CommAddress = 0x8010;
    static constexpr std::uint16_t ScreensStart = 0x8100;
    static constexpr std::uint16_t UserEnd = 0xFE00;
    static constexpr std::uint16_t ProtocolList = 0xFE00;

    std::optional<Bytes> checkedBlock(std::uint16_t address, std::size_t size) const;

    Bytes bytes_;
};

}  // namespace kyr::sim

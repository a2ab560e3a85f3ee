#include "image/BootBlocks.h"

#include <algorithm>

#include "image/HexRecord.h"

namespace kyr {

std::optional<BootRecord> BootBlocker::next() {
    while (address_ < FirmwareImage::Size && !image_.used(address_)) ++address_;
    if (address_ >= FirmwareImage::Size) return std::nullopt;

    const std::size_t start = address_;
    const std::size_t blockEnd = std::min((start / BlockSize + 1) * BlockSize, FirmwareImage::Size);
    Bytes data;
    data.reserve(BlockSize);
    while (address_ < blockEnd && image_.used(address_)) data.push_back(image_.at(address_++));

    const auto address = static_cast<std::uint16_t>(start);
    return BootRecord{address, formatHexRecord(address, HexData, data)};
}

std::vector<BootRecord> bootRecords(const FirmwareImage& image) {
    std::vector<BootRecord> records;
    BootBlocker blocker(image);
    while (auto record = blocker.next()) records.push_back(std::move(*record));
    return records;
}

int bootGauge(std::uint16_t address, std::int32_t highest) {
    if (highest <= 0) return 100;
    return static_cast<int>(std::min<std::int64_t>(100, std::int64_t{address} * 100 / highest));
}

std::string bootStartFirmwareFrame() {
    std::string frame(BootStartFirmwareRecord);
    frame.push_back('\0');
    return frame;
}

}  // namespace kyr

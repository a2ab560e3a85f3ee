#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "image/FirmwareImage.h"

namespace kyr {

// One data record for the LUM BOOT loader: the record text without line end, and its load
// address for the progress gauge.
struct BootRecord {
    std::uint16_t address = 0;
    std::string text;
};

// Walks a firmware image from address 0 upward and cuts its used bytes into records for the
// LUM BOOT loader: each record is one run of used bytes that ends at the next unused byte or
// 64-byte boundary, whichever comes first.
class BootBlocker {
public:
    static constexpr std::size_t BlockSize = 64;

    explicit BootBlocker(const FirmwareImage& image) : image_(image) {}

    // The next record, or std::nullopt after the last one.
    std::optional<BootRecord> next();

private:
    const FirmwareImage& image_;
    std::size_t address_ = 0;
};

// Every record of the image, in order.
std::vector<BootRecord> bootRecords(const FirmwareImage& image);

// The gauge position 0..100 for a record at `address` when `highest` is the highest used
// address; an image whose only used byte is at 0 shows 100.
int bootGauge(std::uint16_t address, std::int32_t highest);

// What goes to the loader to start the new firmware: the start record and one zero byte.
std::string bootStartFirmwareFrame();

}  // namespace kyr

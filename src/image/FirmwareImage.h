#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <istream>
#include <span>
#include <string_view>
#include <vector>

#include "model/Bytes.h"

namespace kyr {

// The firmware as read from an Intel HEX file: 65528 bytes of code and, beside them, which
// bytes the file gave.
class FirmwareImage {
public:
    static constexpr std::size_t Size = 65528;

    FirmwareImage() : data_(Size, 0xFF), used_(Size, false) {}

    std::uint8_t at(std::size_t address) const { return data_[address]; }
    bool used(std::size_t address) const { return used_[address]; }
    // Stores `bytes` from `address`; false, storing nothing, when they run past the image.
    bool store(std::size_t address, std::span<const std::uint8_t> bytes);
    // The highest used address, or -1 when no byte is used.
    std::int32_t highestUsed() const;

private:
    Bytes data_;
    std::vector<bool> used_;
};

enum class HexReadStatus {
    Ok,
    BadRecord,    // "Bad  HEX record"
    BadChecksum,  // "Bad checksum"
    OutOfRange,   // data beyond the 65528-byte image
    CannotOpen,   // the file could not be opened
};

struct HexReadResult {
    HexReadStatus status = HexReadStatus::Ok;
    std::size_t line = 0;  // 1-based line of the fault; 0 when there is none
    bool ok() const { return status == HexReadStatus::Ok; }
};

// Reads firmware records into `image`: lines not starting with ":" are skipped; the end of
// the text, a line starting with 0x1A or a record of any type but data ends the reading.
// A fault stops the reading and is shown in an error box; the image then holds the records
// before the faulty line.
HexReadResult readHexText(std::string_view text, FirmwareImage& image);
HexReadResult readHexFile(std::istream& in, FirmwareImage& image);
HexReadResult readHexFile(const std::filesystem::path& path, FirmwareImage& image);

}  // namespace kyr

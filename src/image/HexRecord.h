#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "model/Bytes.h"

namespace kyr {

// Intel HEX record types.
inline constexpr std::uint8_t HexData = 0x00;
inline constexpr std::uint8_t HexEndOfFile = 0x01;
inline constexpr std::uint8_t HexExtendedSegment = 0x02;
inline constexpr std::uint8_t HexBootCommand = 0x03;

// The fixed lines of an EPROM file: the extended segments of the second 64 KB (0x1000) and
// of the part after it (0x2000), and the end of file.
inline constexpr std::string_view HexSegment1000Record = ":020000021000EC";
inline constexpr std::string_view HexSegment2000Record = ":020000022000DC";
inline constexpr std::string_view HexEndOfFileRecord = ":00000001FF";

// The LUM BOOT loader's command records: erase the flash, start the new firmware. The start
// command goes out as its 19 characters followed by one zero byte.
inline constexpr std::string_view BootEraseFlashRecord = ":0100000307F5";
inline constexpr std::string_view BootStartFirmwareRecord = ":0400000303010000F5";

// The longest data part a record's one-byte length can describe.
inline constexpr std::size_t HexMaxRecordData = 255;

// Two's complement of the byte sum of length, both address bytes, type and data.
std::uint8_t hexChecksum(std::uint16_t address, std::uint8_t type,
                         std::span<const std::uint8_t> data);

// Appends one record without line end: ":" length address type data check sum, upper-case
// hex. `data` holds at most HexMaxRecordData bytes; longer data is cut there.
void appendHexRecord(std::string& out, std::uint16_t address, std::uint8_t type,
                     std::span<const std::uint8_t> data);
std::string formatHexRecord(std::uint16_t address, std::uint8_t type,
                            std::span<const std::uint8_t> data);

// One record as read from a line.
struct HexRecord {
    std::uint16_t address = 0;
    std::uint8_t type = 0;
    Bytes data;
};

enum class HexParseStatus {
    Ok,
    BadRecord,    // not ":", too short for its length, or a non-hex digit
    BadChecksum,  // the byte sum is not 0 modulo 256
};

struct HexParseResult {
    HexParseStatus status = HexParseStatus::BadRecord;
    HexRecord record;  // valid when status is Ok
};

// Parses a line that starts with ":". Characters after the check sum (trailing blanks, a
// stray carriage return) are ignored, as the record's length says where it ends.
HexParseResult parseHexRecord(std::string_view line);

}  // namespace kyr

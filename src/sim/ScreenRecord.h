#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace kyr::sim {

// How the terminal reads the head of a screen record.
struct ScreenFormat {
    bool twoByteNumber = true;  // format 218 and later
    bool lowFirst = false;      // LUM family
};

struct ScreenRecordInfo {
    std::uint16_t length = 0;
    std::uint16_t number = 0;
    // No text block and no functions: the record that deletes the screen of its number.
    bool empty = false;
};

// Checks that a record is one the terminal can show: its length fits, the character set is
// 0 or 1, and the function records end inside it with a zero length. nullopt when not.
std::optional<ScreenRecordInfo> checkScreenRecord(std::span<const std::uint8_t> record,
                                                  ScreenFormat format);

// The screen number in a record's head (the record need not be complete).
std::optional<std::uint16_t> screenNumberOf(std::span<const std::uint8_t> record,
                                            ScreenFormat format);

}  // namespace kyr::sim

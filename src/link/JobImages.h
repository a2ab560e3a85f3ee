#pragma once

#include <cstdint>
#include <span>

#include "model/Bytes.h"

namespace kyr {

class TKyrData;
class TKyrScreen;

// A screen's image record as a transfer sends it, or why it could not be built.
struct TScreenImage {
    Bytes bytes;
    // 0 built; 1 bad screen number for the format; 2 character set not allowed; 3 other.
    int problem = 0;
    bool ok() const { return problem == 0; }
};

// The record of `screen` for a terminal at firmware `level`; `allowCharSet` lets a screen in
// the Cyrillic set through (terminals with the extended format).
TScreenImage BuildScreenImage(TKyrScreen& screen, int level, bool allowCharSet);

// The record of an empty screen numbered `number`, which deletes that screen in a terminal.
Bytes EmptyScreenImage(int number, int level);

// Builds a screen from a record read back and appends it to `data`; false when the record
// is not a screen this program understands.
bool AddScreenFromImage(TKyrData& data, std::span<const std::uint8_t> record, int level);

}  // namespace kyr

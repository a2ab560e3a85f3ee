#pragma once

#include <array>
#include <cstdint>

#include "model/Bytes.h"
#include "model/Setup.h"

namespace kyr {

class TKyrData;

// The blocks of a project as the terminal holds them, without their check bytes.

// The ten setup bytes, byte 0 first.
std::array<std::uint8_t, TSetup::Size> SetupBlock(const TKyrData& data);

// The communication block of the EPROM image: rows 0..4 (20 bytes) for terminal types 0 and
// 1, rows 0..LastCommRow for the others; Begin in the terminal family's byte order.
Bytes CommBlock(const TKyrData& data);

// The 65-byte block of the EXD table at list index `index` (0 <= index < ExdCount()): the
// table number, then its 16 rows.
Bytes ExdBlock(const TKyrData& data, int index);

// The record of an empty screen: length, number (one byte in format 217, two bytes high byte
// first from 218 on), a text block length of 0 and the end of the function list; 6 bytes in
// format 217, 7 from 218 on.
Bytes EmptyScreenRecord(int number, int format);

}  // namespace kyr

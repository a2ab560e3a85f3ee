#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kyr {

// Address spaces of the PLC families. A space byte holds the space code in bits 0-5 (codes
// 0..19 the PLC family's own spaces in the order of its list, 20 and up the terminal's own
// spaces) and, for family 7 only, a sub-element selector in bits 6-7. Families are the
// numbers of the PLC family table (0..21, -1 for an unknown protocol).

inline constexpr std::uint8_t SpaceCodeMask = 0x3F;
inline constexpr int FirstTerminalSpace = 20;   // "KYR.##", the terminal's registers
inline constexpr int NoOffsetSpace = 21;        // "-----" in the offset list
inline constexpr int TerminalSystemSpace = 30;  // "KYR.SYS", system mode only

// Which of a family's lists: the word list (communication rows, EXD tables, word-sized
// data) or the bit list (word list first, then the bit spaces; for the BIT field kind).
// Families without a second list give their word list for both.
enum class SpaceList : std::uint8_t { Word, Bit };

// The family's PLC space names (empty for families 0, 1, 21, -1 and unknown numbers).
std::span<const std::string_view> plcSpaceNames(int family, SpaceList list);
int plcSpaceCount(int family, SpaceList list);
bool hasPlcSpaces(int family);

// Choice-list index <-> space code for a list of the family's PLC spaces followed by the
// terminal spaces: index i < N is code i, index N + k is code 20 + k. In system mode a
// family without PLC spaces maps indices from 6 on to codes from 30 on (codes 26..29 are
// not offered there). Both give -1 for a value that belongs to no list: a negative value,
// a PLC code at or above N, a code above 63, codes 26..29 under the system-mode shift. The
// caller still checks an index against the length of its own list.
int spaceIndexToCode(int family, SpaceList list, int index);
int spaceCodeToIndex(int family, SpaceList list, int code);

// Name of a terminal space (codes 20..25 and 30), empty for any other code.
std::string_view terminalSpaceName(int code);

// The communication table's Space list: the word list followed by "KYR.##" (code 20).
std::vector<std::string_view> commSpaceList(int family);

// A field's source space list: the PLC spaces, then "KYR.##" .. "KYR.I/O" (codes 20..25),
// then "KYR.SYS" (code 30) in system mode for family 1 (protocol code 3, the only one of
// that family).
std::vector<std::string_view> sourceSpaceList(int family, SpaceList list);

// A field's offset space list: the word list, "KYR.##" (code 20) and "-----" (code 21).
std::vector<std::string_view> offsetSpaceList(int family);

// The word-list name of `code`; "??" for any other code (bit-list-only codes, terminal
// codes, families without PLC spaces).
std::string_view spaceShortName(int family, int code);

// The code of the first word-list entry equal to `name` ignoring case, -1 when none. For
// families 3 and 8, "XW" and "YW" stand for "XYW" (code 0).
int spaceNameToCode(int family, std::string_view name);

}  // namespace kyr

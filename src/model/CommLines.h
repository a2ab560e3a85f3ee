#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kyr {

// How the Comm Tables page lays the communication table out on its eight lines (index
// 0..7), which lines a terminal type and I/O board can use, and how a line's Begin, System,
// selector and file-number texts are shown, checked and read back.

inline constexpr int CommLineCount = 8;
inline constexpr int TerminalBeginLimit = 499;  // highest register of "KYR.##"

// The table row a line edits: line i shows row i, except that with I/O board 1 lines 4 and
// 5 show rows 5 and 4 crosswise.
int commLineRow(int ioBoard, int line);

std::string_view commLineLabel(int termType, int line);
std::string_view commLineLength(int termType, int line);
bool commLineVisible(int termType, int line);
bool commLineUsable(int termType, int ioBoard, int line);

// The System edit's text for a System byte: decimal, empty for 254 and 255, "*" for a
// non-empty text of a project without system numbers.
std::string commSystemText(std::uint8_t systemByte, bool noSystemNumbers);

// The Begin text of a row in the family's notation (families other than 7; family 7 shows
// the element, file number and selector in separate edits).
std::string commBeginText(int family, int spaceCode, std::uint16_t begin);
// The stored Begin of a Begin text (families other than 7 with a PLC space); 0 for a text
// that does not convert.
std::uint16_t commBeginValue(int family, int spaceCode, std::string_view text);

// A decimal number with an optional sign and surrounding blanks; nullopt for anything else.
std::optional<long long> decimalValue(std::string_view text);
// The decimal value of an edit text, -1 when it is not a number.
int entryNumber(std::string_view text);

// The entry checks of the page's edits.
bool systemEntryValid(int family, std::string_view text);
bool beginEntryValid(int family, int spaceCode, std::string_view text);
bool selectorEntryValid(std::string_view text);    // family 7, 0..2
bool fileNumberEntryValid(std::string_view text);  // family 7, 0..255

}  // namespace kyr

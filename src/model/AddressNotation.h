#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kyr {

// How PLC addresses are typed and shown. By default an address is an unsigned decimal
// number (hexadecimal for family 16); families 6, 7, 9 and 10 use their PLC's own notation
// for PLC spaces (codes below 20). Terminal spaces (codes 20 and up) are always decimal.
// Parsers return nullopt for a text they do not accept; callers show their own message.

// Family 6 (word list X, Y, M, T/C): the number typed by the user <-> the stored address,
// through the family's range table. Only PLC codes 0..3 have ranges.
std::optional<std::uint16_t> family6TypedToStored(int code, int typed);
bool family6Accepts(int code, int typed);
// The typed number of a stored address; 0 for a value in no range.
int family6StoredToTyped(int stored);

// A word address with a bit number 0..15 (family 9 bit spaces).
struct WordBit {
    std::uint16_t word = 0;
    std::uint8_t bit = 0;
    friend bool operator==(const WordBit&, const WordBit&) = default;
};

// Family 9, bit list codes 0..14 and terminal codes: the address text <-> word and bit.
std::optional<WordBit> family9Parse(int code, std::string_view text);
std::string family9Text(int code, WordBit address);

// Family 10, bit list codes 0..9 (octal, with a per-space offset) and terminal codes
// (decimal): the address text <-> the stored address. An empty octal text is 0. A stored
// value below its space's offset shows as an empty text.
std::optional<std::uint16_t> family10Parse(int code, std::string_view text);
std::string family10Text(int code, std::uint16_t stored);

// Family 7: the file number is the high byte of the stored address, the element the low
// byte; the spaces T, C and R (codes 4..6) also have a sub-element selector 0..2 in bits
// 6-7 of the space byte. The two texts are empty for other families.
std::string family7FileNumberText(int family, std::uint16_t address);
std::string family7SelectorText(int family, std::uint8_t spaceByte);
// Which positions of a family-7 space list show the file number and the selector edits.
constexpr bool family7HasFileNumber(int index) { return index >= 0 && index <= 7; }
constexpr bool family7HasSelector(int index) { return index >= 4 && index <= 6; }

// The family-7 space cell "T4": a space name of the family's list followed directly by a
// file number 0..255, any case.
struct Family7Space {
    int code = 0;
    int fileNumber = 0;
    friend bool operator==(const Family7Space&, const Family7Space&) = default;
};
std::optional<Family7Space> family7ParseSpace(std::string_view text);
std::string family7SpaceText(int code, int fileNumber);

// The address as the tables and the status line show it: family 7 the element, plus "."
// and the selector for T, C and R; family 6 the typed number; families 9 and 10 their
// address text (`bit` is used by family 9 bit spaces); family 16 with a PLC space upper-case
// hexadecimal; everything else decimal. `spaceByte` may carry the family-7 selector.
std::string formatAddress(int family, std::uint8_t spaceByte, std::uint16_t address,
                          std::uint8_t bit = 0);

// Upper-case hexadecimal without leading zeros ("0" for zero), and octal likewise.
std::string hexText(std::uint32_t value);
std::string octalText(std::uint32_t value);

// Small text conversions of the EXD table editor.
std::string removeBlanks(std::string_view text);
// The unsigned decimal number before the first "." (the whole text without one); -1 when
// that part is not a number.
int numberBeforeDot(std::string_view text);
// The unsigned decimal number after the first "."; 0 when there is no ".", -1 when the part
// after it is not a number.
int numberAfterDot(std::string_view text);

}  // namespace kyr

#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace kyr {

// Integers in project text: an optional sign and decimal digits that fit 32 bits, or "$"
// and one to eight hexadecimal digits taken as two's complement ("$FFFFFFFF" is -1).
// Nothing else may stand in the token.
std::optional<std::int32_t> ParseInteger(std::string_view token);

// The conversion "with a default" used for values after a keyword or inside brackets:
// leading spaces (not tabs) are skipped, then the whole rest must be an integer as above;
// otherwise `fallback`.
std::int32_t IntegerOr(std::string_view text, std::int32_t fallback);

// Blanks between tokens of [Info], [Setup], [Tables] and function lines.
constexpr bool IsTextBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The next run of non-blanks at or after `pos`, leading blanks skipped; `pos` ends after
// it. Empty at the end of the text.
std::string_view NextToken(std::string_view text, std::size_t& pos);

}  // namespace kyr

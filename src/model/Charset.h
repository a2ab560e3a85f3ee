#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kyr {

// Screen texts and field strings are held in terminal codes of one of two character sets.
// Project files hold them as PC code-page bytes (Windows-1250 for the Latin set, Windows-1251
// for the Cyrillic set); people see them as Unicode. All conversions between the three live
// here. Codes 0..127 are the same in every direction; the upper half goes through one fixed
// permutation per set.
enum class CharSet : std::uint8_t { Latin = 0, Cyrillic = 1 };

// The set selected by a screen's character-set value (flags bits 2-3): 1 is Cyrillic, any
// other value Latin.
constexpr CharSet charSetFromNumber(int value) {
    return value == 1 ? CharSet::Cyrillic : CharSet::Latin;
}

// Terminal code <-> PC code page, one byte. In the Latin set the terminal codes 15, 20 and
// 21 also show as the PC bytes 164, 182 and 167; the way back leaves them as they are (PC
// 164, 182, 167 are the terminal codes CF, CB, F5), so those three do not round-trip.
std::uint8_t termToPc(std::uint8_t code, CharSet set);
std::uint8_t pcToTerm(std::uint8_t pc, CharSet set);

// Buffer to buffer, byte by byte from the front, so `dst` may be the same buffer as `src`.
void termToPc(const std::uint8_t* src, std::uint8_t* dst, std::size_t len, CharSet set);
void pcToTerm(const std::uint8_t* src, std::uint8_t* dst, std::size_t len, CharSet set);

// In place on a string of bytes, and as a converted copy.
void termToPcInPlace(std::string& text, CharSet set);
void pcToTermInPlace(std::string& text, CharSet set);
std::string termToPc(std::string_view text, CharSet set);
std::string pcToTerm(std::string_view text, CharSet set);

// Terminal code <-> Unicode, for showing and typing screen text. The Latin set is code page
// 852, with 15, 20 and 21 shown as U+00A4, U+00B6 and U+00A7 like their PC bytes; the
// Cyrillic set is its PC byte read as code page 1251. Typing U+00A4 and U+00A7 gives their
// code-page-852 codes CF and F5, U+00B6 (not in 852) gives 20. A character the set cannot
// show has no code (nullopt).
char32_t termToUnicode(std::uint8_t code, CharSet set);
std::optional<std::uint8_t> unicodeToTerm(char32_t ch, CharSet set);

// PC code page 1250 <-> Unicode, for names, comments and descriptions. The five bytes that
// the code page leaves undefined stand for the C1 control of the same value, so that every
// byte survives the way through Unicode.
char32_t cp1250ToUnicode(std::uint8_t pc);
std::optional<std::uint8_t> unicodeToCp1250(char32_t ch);

// Counts what a conversion from UTF-8 could not take over exactly.
struct Utf8Issues {
    std::size_t unmapped = 0;   // characters the target cannot hold, written as '?'
    std::size_t malformed = 0;  // invalid UTF-8 sequences, written as '?'
    bool ok() const { return unmapped == 0 && malformed == 0; }
};

// Strings: terminal codes or PC bytes <-> UTF-8.
std::string termToUtf8(std::string_view codes, CharSet set);
std::string utf8ToTerm(std::string_view utf8, CharSet set, Utf8Issues* issues = nullptr);
std::string cp1250ToUtf8(std::string_view pc);
std::string utf8ToCp1250(std::string_view utf8, Utf8Issues* issues = nullptr);

// UTF-8 building blocks shared by the conversions above.
void appendUtf8(std::string& out, char32_t ch);
// Decodes one character at `pos` and advances `pos`; nullopt (and one byte skipped) for a
// malformed sequence, an overlong form, a surrogate or a value above U+10FFFF.
std::optional<char32_t> nextUtf8(std::string_view text, std::size_t& pos);

}  // namespace kyr

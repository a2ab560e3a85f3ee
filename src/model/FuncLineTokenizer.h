#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kyr {

// Numbers of the project text. An integer is an optional sign and decimal digits (32 bits),
// or "$" and one to eight hexadecimal digits taken as two's complement ("$FFFFFFFF" is -1);
// nothing else may stand in the token.
std::optional<std::int32_t> parseTextInt(std::string_view token);
// A real with "." as decimal separator, or else with ","; nullopt when neither converts or
// the value is out of single range (the caller then uses 0.0).
std::optional<float> parseTextReal(std::string_view token);

// Space, TAB, CR and LF.
constexpr bool isLineBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
// True when `line` holds nothing but blanks.
bool isBlankLine(std::string_view line);

// Splits one function line into its tokens. The line is taken up to its first CR (or LF).
// The keyword is the text before the first space; each later value is the next run of
// non-blanks. When the line has no more values, the last value is given again (an empty
// token when there was none), and the cursor stays behind it.
class TFuncLineTokenizer {
public:
    enum class Start { AtKeyword, AtValues };
    explicit TFuncLineTokenizer(std::string_view line, Start start = Start::AtKeyword);

    std::string_view Keyword() const { return keyword_; }
    std::string_view NextToken();
    // The next token as an integer, nullopt when it does not convert.
    std::optional<std::int32_t> NextInt();
    // The next token as a real; 0.0 when it does not convert.
    float NextReal();
    // The rest of the line after leading blanks, without a leading double quote and without
    // a trailing one; empty when the rest does not begin with a double quote.
    std::string_view QuotedRest() const;

private:
    std::string_view line_;
    std::string_view keyword_;
    std::string_view last_;
    std::size_t cursor_ = 0;
};

}  // namespace kyr

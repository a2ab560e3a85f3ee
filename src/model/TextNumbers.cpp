#include "model/TextNumbers.h"

namespace kyr {

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::optional<std::int32_t> parseHex(std::string_view digits) {
    if (digits.empty() || digits.size() > 8) return std::nullopt;
    std::uint32_t value = 0;
    for (char c : digits) {
        const int d = hexDigit(c);
        if (d < 0) return std::nullopt;
        value = (value << 4) | static_cast<std::uint32_t>(d);
    }
    return static_cast<std::int32_t>(value);
}

std::optional<std::int32_t> parseDecimal(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
    std::int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > limit) return std::nullopt;
    }
    return static_cast<std::int32_t>(negative ? -value : value);
}

}  // namespace

std::optional<std::int32_t> ParseInteger(std::string_view token) {
    if (!token.empty() && token.front() == '$') return parseHex(token.substr(1));
    return parseDecimal(token);
}

std::int32_t IntegerOr(std::string_view text, std::int32_t fallback) {
    const std::size_t start = text.find_first_not_of(' ');
    if (start == std::string_view::npos) return fallback;
    return ParseInteger(text.substr(start)).value_or(fallback);
}

std::string_view NextToken(std::string_view text, std::size_t& pos) {
    while (pos < text.size() && IsTextBlank(text[pos])) ++pos;
    const std::size_t start = pos;
    while (pos < text.size() && !IsTextBlank(text[pos])) ++pos;
    return text.substr(start, pos - start);
}

}  // namespace kyr

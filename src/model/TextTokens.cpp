#include "model/TextTokens.h"

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
    std::uint32_t v = 0;
    for (char c : digits) {
        const int d = hexDigit(c);
        if (d < 0) return std::nullopt;
        v = (v << 4) | static_cast<std::uint32_t>(d);
    }
    return static_cast<std::int32_t>(v);
}

std::optional<std::int32_t> parseDecimal(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    std::int64_t v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        v = v * 10 + (c - '0');
        if (v > 2147483648LL) return std::nullopt;
    }
    if (negative) v = -v;
    if (v > INT32_MAX || v < INT32_MIN) return std::nullopt;
    return static_cast<std::int32_t>(v);
}

}  // namespace

std::optional<std::int32_t> parseInt(std::string_view token) {
    if (!token.empty() && token.front() == '$') return parseHex(token.substr(1));
    return parseDecimal(token);
}

std::int32_t intOrDefault(std::string_view text, std::int32_t fallback) {
    const auto start = text.find_first_not_of(' ');
    if (start == std::string_view::npos) return fallback;
    return parseInt(text.substr(start)).value_or(fallback);
}

std::string_view trimLeadingBlanks(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && isTextBlank(text[i])) ++i;
    return text.substr(i);
}

std::vector<std::string_view> sectionLines(std::string_view section) {
    std::vector<std::string_view> lines;
    while (!section.empty()) {
        const auto cr = section.find('\r');
        lines.push_back(section.substr(0, cr));
        if (cr == std::string_view::npos) break;
        section.remove_prefix(cr + 1);
    }
    return lines;
}

std::string_view TokenCursor::Take() {
    std::size_t i = 0;
    while (i < rest_.size() && isTextBlank(rest_[i])) ++i;
    std::size_t j = i;
    while (j < rest_.size() && !isTextBlank(rest_[j])) ++j;
    const std::string_view token = rest_.substr(i, j - i);
    rest_.remove_prefix(j);
    if (!token.empty()) last_ = token;
    return token;
}

std::string_view TokenCursor::Next() {
    Take();
    return last_;
}

std::optional<std::int32_t> TokenCursor::NextInt() { return parseInt(Next()); }

}  // namespace kyr

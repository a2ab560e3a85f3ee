#include "model/FuncLineTokenizer.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace kyr {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

int hexValue(char c) {
    if (isDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// A real with '.' as its separator: optional sign, digits with at most one '.', at least one
// digit, an optional exponent. Spelled-out values ("inf", "nan") are not numbers here.
std::optional<double> parseDotReal(std::string_view token) {
    std::string_view body = token;
    bool negative = false;
    if (!body.empty() && (body.front() == '+' || body.front() == '-')) {
        negative = body.front() == '-';
        body.remove_prefix(1);
    }
    if (body.empty() || !(isDigit(body.front()) || body.front() == '.')) return std::nullopt;
    if (body.front() == '.' && (body.size() < 2 || !isDigit(body[1]))) return std::nullopt;
    double value = 0.0;
    const auto [end, ec] =
        std::from_chars(body.data(), body.data() + body.size(), value, std::chars_format::general);
    if (ec != std::errc() || end != body.data() + body.size()) return std::nullopt;
    return negative ? -value : value;
}

}  // namespace

std::optional<std::int32_t> parseTextInt(std::string_view token) {
    if (token.empty()) return std::nullopt;
    if (token.front() == '$') {
        const std::string_view digits = token.substr(1);
        if (digits.empty() || digits.size() > 8) return std::nullopt;
        std::uint32_t v = 0;
        for (const char c : digits) {
            const int d = hexValue(c);
            if (d < 0) return std::nullopt;
            v = (v << 4) | static_cast<std::uint32_t>(d);
        }
        return static_cast<std::int32_t>(v);
    }
    std::string_view digits = token;
    bool negative = false;
    if (digits.front() == '+' || digits.front() == '-') {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    if (digits.empty()) return std::nullopt;
    std::int64_t v = 0;
    for (const char c : digits) {
        if (!isDigit(c)) return std::nullopt;
        v = v * 10 + (c - '0');
        if (v > std::int64_t{1} << 31) return std::nullopt;
    }
    if (negative) v = -v;
    if (v > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
    return static_cast<std::int32_t>(v);
}

std::optional<float> parseTextReal(std::string_view token) {
    std::optional<double> value = parseDotReal(token);
    if (!value && token.find('.') == std::string_view::npos) {
        std::string comma(token);
        std::replace(comma.begin(), comma.end(), ',', '.');
        if (std::count(token.begin(), token.end(), ',') == 1) value = parseDotReal(comma);
    }
    if (!value || !std::isfinite(*value) ||
        std::fabs(*value) > static_cast<double>(std::numeric_limits<float>::max()))
        return std::nullopt;
    return static_cast<float>(*value);
}

bool isBlankLine(std::string_view line) {
    return std::all_of(line.begin(), line.end(), isLineBlank);
}

TFuncLineTokenizer::TFuncLineTokenizer(std::string_view line, Start start) {
    line_ = line.substr(0, std::min(line.find('\r'), line.find('\n')));
    if (start == Start::AtValues) return;
    const std::size_t space = line_.find(' ');
    keyword_ = line_.substr(0, space);
    cursor_ = keyword_.size();
}

std::string_view TFuncLineTokenizer::NextToken() {
    std::size_t at = cursor_;
    while (at < line_.size() && isLineBlank(line_[at])) ++at;
    if (at >= line_.size()) return last_;
    std::size_t end = at;
    while (end < line_.size() && !isLineBlank(line_[end])) ++end;
    last_ = line_.substr(at, end - at);
    cursor_ = end;
    return last_;
}

std::optional<std::int32_t> TFuncLineTokenizer::NextInt() { return parseTextInt(NextToken()); }

float TFuncLineTokenizer::NextReal() { return parseTextReal(NextToken()).value_or(0.0f); }

std::string_view TFuncLineTokenizer::QuotedRest() const {
    std::size_t at = cursor_;
    while (at < line_.size() && isLineBlank(line_[at])) ++at;
    std::string_view rest = line_.substr(at);
    if (rest.empty() || rest.front() != '"') return {};
    rest.remove_prefix(1);
    if (!rest.empty() && rest.back() == '"') rest.remove_suffix(1);
    return rest;
}

}  // namespace kyr

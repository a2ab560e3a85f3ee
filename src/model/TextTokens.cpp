#include "model/TextTokens.h"

namespace kyr {

std::string_view trimLeadingBlanks(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsTextBlank(text[i])) ++i;
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
    while (i < rest_.size() && IsTextBlank(rest_[i])) ++i;
    std::size_t j = i;
    while (j < rest_.size() && !IsTextBlank(rest_[j])) ++j;
    const std::string_view token = rest_.substr(i, j - i);
    rest_.remove_prefix(j);
    if (!token.empty()) last_ = token;
    return token;
}

std::string_view TokenCursor::Next() {
    Take();
    return last_;
}

std::optional<std::int32_t> TokenCursor::NextInt() { return ParseInteger(Next()); }

}  // namespace kyr

#include "app/DescriptionPreview.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "model/Charset.h"

namespace kyr {

namespace {

bool isBlank(char c) { return c == '\r' || c == '\n' || c == '\t' || c == ' '; }

std::string lower(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

// The lines of `text` up to the first one that starts with "[", at most PreviewLines.
std::vector<std::string_view> sectionLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t pos = 0;
    while (pos < text.size() && lines.size() < static_cast<std::size_t>(PreviewLines)) {
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(pos, end - pos);
        if (!line.empty() && line.front() == '[') break;
        lines.push_back(line);
        pos = end;
        if (pos < text.size() && text[pos] == '\r') ++pos;
        if (pos < text.size() && text[pos] == '\n') ++pos;
    }
    while (!lines.empty() && lines.back().empty()) lines.pop_back();
    return lines;
}

}  // namespace

DescriptionPreview previewDescription(std::string_view head) {
    head = head.substr(0, std::min(head.size(), PreviewBytes));
    std::size_t pos = 0;
    while (pos < head.size() && isBlank(head[pos])) ++pos;
    if (pos >= head.size() || head[pos] != '[') return {DescriptionPreview::Kind::NotKyr, {}};

    const std::size_t close = head.find(']', pos);
    const std::size_t wordEnd = close == std::string_view::npos ? head.size() : close;
    if (lower(head.substr(pos + 1, wordEnd - pos - 1)) != "descr")
        return {DescriptionPreview::Kind::Nothing, {}};

    std::size_t body = std::min(head.size(), wordEnd + 1);
    while (body < head.size() && isBlank(head[body])) ++body;
    std::string text;
    for (std::string_view line : sectionLines(head.substr(body))) {
        if (!text.empty()) text += '\n';
        text += cp1250ToUtf8(line);
    }
    return {DescriptionPreview::Kind::Description, text};
}

}  // namespace kyr

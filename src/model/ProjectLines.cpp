#include "model/ProjectLines.h"

#include <algorithm>

namespace kyr {

std::vector<std::string_view> SplitProjectLines(std::string_view content) {
    std::vector<std::string_view> lines;
    std::size_t pos = 0;
    while (pos < content.size()) {
        std::size_t end = content.find('\n', pos);
        const std::size_t next = end == std::string_view::npos ? content.size() : end + 1;
        if (end == std::string_view::npos)
            end = content.size();
        else if (end > pos && content[end - 1] == '\r')
            --end;
        lines.push_back(content.substr(pos, std::min(end - pos, ProjectLineMax)));
        pos = next;
    }
    return lines;
}

std::string_view TextSection::Header() const {
    const std::string_view all = text;
    return all.substr(0, all.find('\r'));
}

std::size_t TextSection::BodyOffset() const {
    const std::size_t cr = text.find('\r');
    return cr == std::string::npos ? text.size() : cr + 1;
}

std::string_view TextSection::Body() const { return std::string_view(text).substr(BodyOffset()); }

int TextSection::LineOf(std::size_t offset) const {
    offset = std::min(offset, text.size());
    const auto crs =
        std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(offset), '\r');
    return firstLine + static_cast<int>(crs);
}

namespace {

bool isHeader(std::string_view line) { return !line.empty() && line.front() == '['; }

TextSection joinSection(const std::vector<std::string_view>& lines, std::size_t from,
                        std::size_t to) {
    TextSection section;
    section.firstLine = static_cast<int>(from) + 1;
    std::size_t size = 0;
    for (std::size_t i = from; i < to; ++i) size += lines[i].size() + 1;
    if (to == lines.size()) --size;  // no CR after the file's last line
    if (size > TextSection::MaxSize) {
        section.tooLong = true;
        return section;
    }
    section.text.reserve(size);
    for (std::size_t i = from; i < to; ++i) {
        section.text += lines[i];
        if (i + 1 < lines.size()) section.text += '\r';
    }
    return section;
}

}  // namespace

std::vector<TextSection> SplitSections(const std::vector<std::string_view>& lines) {
    std::vector<TextSection> sections;
    std::size_t i = 0;
    while (i < lines.size() && !isHeader(lines[i])) ++i;
    while (i < lines.size()) {
        std::size_t end = i + 1;
        while (end < lines.size() && !isHeader(lines[end])) ++end;
        sections.push_back(joinSection(lines, i, end));
        i = end;
    }
    return sections;
}

}  // namespace kyr

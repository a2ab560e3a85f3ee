#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kyr {

// Project files are read as lines ended by CR LF or by a bare LF; each line is taken up to
// its first 255 characters. The views point into `content`.
inline constexpr std::size_t ProjectLineMax = 255;
std::vector<std::string_view> SplitProjectLines(std::string_view content);

// One section of a project file: its header line (the line that starts with "[") and every
// following line up to the next header, joined with one CR after each line; a section that
// ends at the end of the file has no CR after its last line.
struct TextSection {
    // The joined buffer may hold at most this many bytes.
    static constexpr std::size_t MaxSize = 65526;

    std::string text;   // empty when tooLong
    int firstLine = 0;  // 1-based line of the header in the file
    bool tooLong = false;

    std::string_view Header() const;
    // The text after the header line's CR (empty when the header is the file's last line).
    std::string_view Body() const;
    // Offset of Body() within text.
    std::size_t BodyOffset() const;
    // 1-based file line of the character at `offset` of text.
    int LineOf(std::size_t offset) const;
};

// The sections of the file; lines before the first header are skipped.
std::vector<TextSection> SplitSections(const std::vector<std::string_view>& lines);

}  // namespace kyr

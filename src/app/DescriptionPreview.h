#pragma once

#include <string>
#include <string_view>

namespace kyr {

// What the file dialog shows of a file it has not opened as a project yet: the description
// section at the start of a project file.
struct DescriptionPreview {
    enum class Kind {
        NotKyr,       // the file does not begin with a section header
        Description,  // a [Descr] section: `text` holds its first lines (UTF-8)
        Nothing,      // it begins with another section
    };
    Kind kind = Kind::Nothing;
    std::string text;
};

inline constexpr std::size_t PreviewBytes = 501;
inline constexpr int PreviewLines = 5;

// `head` is the start of the file (the dialog reads PreviewBytes bytes), in the PC code page.
DescriptionPreview previewDescription(std::string_view head);

}  // namespace kyr

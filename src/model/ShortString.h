#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kyr {

// Names, comments, descriptions and file names are short strings: at most 255 characters.
inline constexpr std::size_t ShortStringMax = 255;

inline std::string shortString(std::string_view s) {
    return std::string(s.substr(0, ShortStringMax));
}

}  // namespace kyr

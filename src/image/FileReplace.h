#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace kyr {

// Writes `content` as the whole file `path`: first into a new file beside it, which then
// replaces `path`, so that a failed write (disk full, no permission) leaves no half-written
// file under the target name. Returns an empty string on success, else the system's reason.
std::string replaceFileContent(const std::filesystem::path& path, std::string_view content);

}  // namespace kyr

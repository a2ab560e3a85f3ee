#pragma once

#include <string>

namespace kyr {

// The program's own version; written into every saved project and compared with the versions
// that files and terminals require.
inline constexpr int ProgramVersion = 260;

// A version number as the user sees it: 260 → "2.60", 218 → "2.18".
std::string FormatVersion(int version);

}  // namespace kyr

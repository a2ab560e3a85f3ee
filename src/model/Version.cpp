#include "model/Version.h"

#include <cstdio>

namespace kyr {

std::string FormatVersion(int version) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%d.%.2d", version / 100, version % 100);
    return buf;
}

}  // namespace kyr

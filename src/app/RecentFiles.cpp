#include "app/RecentFiles.h"

#include <algorithm>
#include <cctype>

namespace kyr {

RecentFiles::RecentFiles(std::vector<std::string> files) {
    for (auto& name : files)
        if (!name.empty() && files_.size() < MaxEntries) files_.push_back(std::move(name));
}

void RecentFiles::add(const std::string& name) {
    if (name.empty()) return;
    std::erase_if(files_, [&](const std::string& f) { return sameFile(f, name); });
    files_.insert(files_.begin(), name);
    if (files_.size() > MaxEntries) files_.resize(MaxEntries);
}

bool RecentFiles::sameFile(const std::string& a, const std::string& b) {
#ifdef _WIN32
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::toupper(static_cast<unsigned char>(x)) ==
               std::toupper(static_cast<unsigned char>(y));
    });
#else
    return a == b;
#endif
}

}  // namespace kyr

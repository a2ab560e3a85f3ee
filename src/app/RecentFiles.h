#pragma once

#include <string>
#include <vector>

namespace kyr {

// The recent-files list: full file names, most recent first, at most eight.
class RecentFiles {
public:
    static constexpr std::size_t MaxEntries = 8;

    RecentFiles() = default;
    explicit RecentFiles(std::vector<std::string> files);

    // Moves `name` to the top (removing every equal entry) and trims the list.
    void add(const std::string& name);
    const std::vector<std::string>& files() const { return files_; }
    bool empty() const { return files_.empty(); }

    // File names compare without regard to letter case on Windows only.
    static bool sameFile(const std::string& a, const std::string& b);

private:
    std::vector<std::string> files_;
};

}  // namespace kyr

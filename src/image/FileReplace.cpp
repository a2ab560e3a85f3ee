#include "image/FileReplace.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>

namespace kyr {

namespace {

namespace fs = std::filesystem;

// A name beside `path` that does not exist yet.
fs::path temporaryBeside(const fs::path& path) {
    for (int i = 0;; ++i) {
        fs::path candidate = path;
        candidate += ".tmp" + std::to_string(i);
        std::error_code ec;
        if (!fs::exists(candidate, ec) && !ec) return candidate;
        if (i > 1000) return candidate;
    }
}

std::string errnoText(int err) { return err != 0 ? std::strerror(err) : "write error"; }

// Writes and closes the file; the system's reason on failure.
std::string writeAll(const fs::path& path, std::string_view content) {
    errno = 0;
#ifdef _WIN32
    std::FILE* f = _wfopen(path.c_str(), L"wbx");
#else
    std::FILE* f = std::fopen(path.c_str(), "wbx");
#endif
    if (!f) return errnoText(errno);
    const std::size_t written = std::fwrite(content.data(), 1, content.size(), f);
    const int writeErr = errno;
    const bool flushed = std::fflush(f) == 0;
    const int flushErr = errno;
    const bool closed = std::fclose(f) == 0;
    if (written != content.size()) return errnoText(writeErr);
    if (!flushed) return errnoText(flushErr);
    if (!closed) return errnoText(errno);
    return {};
}

}  // namespace

std::string replaceFileContent(const fs::path& path, std::string_view content) {
    const fs::path temp = temporaryBeside(path);
    std::string reason = writeAll(temp, content);
    std::error_code ec;
    if (reason.empty()) {
        fs::rename(temp, path, ec);
        if (!ec) return {};
        reason = ec.message();
    }
    fs::remove(temp, ec);
    return reason;
}

}  // namespace kyr

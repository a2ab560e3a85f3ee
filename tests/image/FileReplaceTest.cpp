#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "TempFolder.h"
#include "image/FileReplace.h"

namespace kyr {
namespace {

namespace fs = std::filesystem;

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class FileReplace : public ::testing::Test {
protected:
    std::size_t entries() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(dir_), fs::directory_iterator()));
    }
    test::TempFolder temp_{"kyr-replace"};
    const fs::path dir_ = temp_.path();
};

TEST_F(FileReplace, WritesANewFileAndReplacesAnOldOne) {
    const fs::path target = dir_ / "out.hex";
    EXPECT_EQ(replaceFileContent(target, "first\r\n"), "");
    EXPECT_EQ(slurp(target), "first\r\n");
    EXPECT_EQ(replaceFileContent(target, "second"), "");
    EXPECT_EQ(slurp(target), "second");
    EXPECT_EQ(entries(), 1u);
}

TEST_F(FileReplace, FailureIsReportedAndLeavesNothingBehind) {
    EXPECT_NE(replaceFileContent(dir_ / "missing" / "out.hex", "x"), "");
    EXPECT_EQ(entries(), 0u);

    // A directory in the way of the name: it stays, and no temporary file is left.
    fs::create_directory(dir_ / "taken.hex");
    fs::create_directory(dir_ / "taken.hex" / "inside");
    EXPECT_NE(replaceFileContent(dir_ / "taken.hex", "x"), "");
    EXPECT_TRUE(fs::is_directory(dir_ / "taken.hex" / "inside"));
    EXPECT_EQ(entries(), 1u);
}

// A file size limit makes writes fail the way a full disk does (EFBIG instead of ENOSPC).
TEST_F(FileReplace, FailedWriteKeepsTheOldFile) {
    const fs::path target = dir_ / "out.hex";
    ASSERT_EQ(replaceFileContent(target, "old"), "");

    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 16;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::string reason = replaceFileContent(target, std::string(4096, 'x'));
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);

    EXPECT_NE(reason, "");
    EXPECT_EQ(slurp(target), "old");
    EXPECT_EQ(entries(), 1u);
}

}  // namespace
}  // namespace kyr

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "cli/CliTypes.h"
#include "cli/Dispatcher.h"
#include "image/ImageBuilder.h"
#include "model/DataClass.h"
#include "model/Screen.h"
#include "model/SystemMode.h"

namespace kyr::cli {
namespace {

namespace fs = std::filesystem;

class HexCommand : public ::testing::Test {
protected:
    std::string file(const std::string& name) const { return (dir_ / name).string(); }

    // A saved project of `type` with the screens `numbers`.
    std::string project(const std::string& name, std::uint8_t type, std::vector<int> numbers,
                        int exdTables = 0) {
        setSystemMode(true);  // lets the model take any screen number
        auto data = TKyrData::NewProject(0, type);
        for (int n : numbers) data->AddScreen(n, data->ScreenCount()).SetDisplayText("HELLO");
        for (int t = 0; t < exdTables; ++t) data->AddExdTable(static_cast<std::uint8_t>(t), t);
        const std::string path = file(name);
        EXPECT_TRUE(data->SaveToFile(path, ""));
        setSystemMode(false);
        return path;
    }

    static std::string slurp(const std::string& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    // The image the desktop program would write for the project file.
    static std::string expectedHex(const std::string& path, EpromSettings settings) {
        const auto data = TKyrData::FromFile(path);
        return BuildEpromImage(*data, settings).hex;
    }

    struct Result {
        int status;
        std::string out;
        std::string err;
    };
    static Result run(const std::vector<std::string>& args) {
        std::ostringstream out;
        std::ostringstream err;
        const int status = kyr::cli::Run(args, out, err);
        return {status, out.str(), err.str()};
    }

    test::TempFolder temp_{"kyr-cli-hex"};
    const fs::path dir_ = temp_.path();
};

TEST_F(HexCommand, WritesTheImageWithTheChosenSettings) {
    const std::string kyr = project("p.kyr", 0, {1, 2, 3});
    struct Case {
        std::vector<std::string> options;
        EpromSize size;
        int format;
    };
    const Case cases[] = {
        {{}, EpromSize::Kb128, 218},
        {{"--eprom", "64"}, EpromSize::Kb64, 218},
        {{"--firmware", "217", "--eprom", "128"}, EpromSize::Kb128, 217},
        {{"--eprom", "64", "--firmware", "218"}, EpromSize::Kb64, 218},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options.size());
        std::vector<std::string> args{"hex", kyr, file("p.hex")};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const Result r = run(args);
        EXPECT_EQ(r.status, ExitDone);
        EXPECT_EQ(r.err, "");
        EpromSettings s;
        s.size = c.size;
        s.format = c.format;
        EXPECT_EQ(slurp(file("p.hex")), expectedHex(kyr, s));
    }
}

TEST_F(HexCommand, SystemModeWritesTheSystemPageOnly) {
    const std::string kyr = project("sys.kyr", 4, {2500});
    const Result r = run({"--system", "hex", kyr, file("sys.hex")});
    EXPECT_EQ(r.status, ExitDone);
    EXPECT_EQ(r.err, "");
    EpromSettings s;
    s.systemMode = true;
    setSystemMode(true);
    const std::string expected = expectedHex(kyr, s);
    setSystemMode(false);
    const std::string hex = slurp(file("sys.hex"));
    EXPECT_EQ(hex, expected);
    EXPECT_EQ(hex.find(":02000002"), std::string::npos);
    EXPECT_EQ(hex.substr(3, 4), "FE00");  // the LUM family's system page
}

TEST_F(HexCommand, IncompleteFileGivesStatus3) {
    const std::string kyr = project("exd.kyr", 0, {1}, 12);
    const Result r = run({"--language", "cs", "hex", kyr, file("exd.hex")});
    EXPECT_EQ(r.status, ExitPartial);
    EXPECT_EQ(r.err, "warning: Nedostatek místa pro tabulky EXD\n");
    EXPECT_TRUE(fs::exists(file("exd.hex")));
}

TEST_F(HexCommand, FailedScreenRecordGivesStatus3) {
    const std::string kyr = project("big.kyr", 0, {1, 200});
    const Result r = run({"hex", kyr, file("big.hex"), "--firmware", "217"});
    EXPECT_EQ(r.status, ExitPartial);
    EXPECT_EQ(r.err, "error: HEX File was generated only partially\n");
    EXPECT_TRUE(fs::exists(file("big.hex")));
    EXPECT_EQ(run({"hex", kyr, file("big.hex")}).status, ExitDone);
}

TEST_F(HexCommand, ExampleProjects) {
    for (const auto& entry : fs::directory_iterator(KYR_EXAMPLES_DIR)) {
        if (entry.path().extension() != ".kyr") continue;
        SCOPED_TRACE(entry.path().string());
        const Result r = run({"hex", entry.path().string(), file("example.hex"), "--eprom", "64"});
        EXPECT_EQ(r.status, ExitDone);
        EXPECT_EQ(r.err, "");
        EpromSettings s;
        s.size = EpromSize::Kb64;
        EXPECT_EQ(slurp(file("example.hex")), expectedHex(entry.path().string(), s));
    }
}

TEST_F(HexCommand, FailuresAndBadCommandLines) {
    const std::string kyr = project("p.kyr", 0, {1});
    const Result missing = run({"hex", file("none.kyr"), file("x.hex")});
    EXPECT_EQ(missing.status, ExitFailed);
    EXPECT_FALSE(fs::exists(file("x.hex")));

    const Result unwritable = run({"hex", kyr, file("no/such/dir.hex")});
    EXPECT_EQ(unwritable.status, ExitFailed);
    EXPECT_EQ(
        unwritable.err.rfind("error: Cannot write HEX file " + file("no/such/dir.hex") + " (", 0),
        0u);

    const std::string usage =
        "error: Wrong arguments for the command hex; usage: kyr2cli hex FILE.kyr OUT.hex "
        "[--eprom 64|128] [--firmware 217|218]";
    const struct {
        std::vector<std::string> args;
        std::string firstLine;
    } cases[] = {
        {{"hex", kyr}, usage},
        {{"hex", kyr, "a.hex", "b.hex"}, usage},
        {{"hex", kyr, "a.hex", "--eprom"}, usage},
        {{"hex", kyr, "a.hex", "--eprom", "64", "--eprom", "64"}, usage},
        {{"hex", kyr, "a.hex", "--fast"}, usage},
        {{"hex", kyr, "a.hex", "--eprom", "256"}, "error: --eprom expects 64 or 128."},
        {{"hex", kyr, "a.hex", "--firmware", "2.18"}, "error: --firmware expects 217 or 218."},
    };
    for (const auto& c : cases) {
        const Result r = run(c.args);
        EXPECT_EQ(r.status, ExitBadCommandLine) << c.firstLine;
        EXPECT_EQ(r.err.substr(0, r.err.find('\n')), c.firstLine);
    }
    EXPECT_FALSE(fs::exists("a.hex"));
}

}  // namespace
}  // namespace kyr::cli

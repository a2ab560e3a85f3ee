#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "cli/CliTypes.h"
#include "cli/Dispatcher.h"
#include "model/DataClass.h"
#include "model/ProjectWriter.h"
#include "model/Texts.h"

namespace kyr::cli {
namespace {

class Folder {
public:
    Folder() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::filesystem::temp_directory_path() /
                (std::string("kyr_cli_") + info->test_suite_name() + "_" + info->name());
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~Folder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

struct Result {
    int status;
    std::string out;
    std::string err;
};

Result run(std::vector<std::string> args) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = Run(args, out, err);
    return {status, out.str(), err.str()};
}

std::string modelData(const std::string& name) {
    return std::string(KYR_MODEL_DATA_DIR) + "/" + name;
}

TEST(CliCommandLine, BadCommandLinesGiveStatus2) {
    const struct {
        std::vector<std::string> args;
        std::string firstLine;
    } cases[] = {
        {{}, "error: No command given."},
        {{"frob"}, "error: Unknown command \"frob\"."},
        {{"--quiet", "check", "x"}, "error: Unknown option \"--quiet\"."},
        {{"--language", "fr", "check", "x"}, "error: --language expects cs, de or en."},
        {{"--language"}, "error: --language expects cs, de or en."},
        {{"check"}, "error: Wrong arguments for the command check; usage: kyr2cli check FILE.kyr"},
        {{"save", "a.kyr"},
         "error: Wrong arguments for the command save; usage: kyr2cli save FILE.kyr OUT.kyr"},
        {{"new", "out.kyr"},
         "error: Wrong arguments for the command new; usage: kyr2cli new --type N OUT.kyr"},
        {{"new", "--type", "10", "out.kyr"}, "error: --type expects a terminal type 0 to 9."},
        {{"new", "--type", "x", "out.kyr"}, "error: --type expects a terminal type 0 to 9."},
    };
    for (const auto& c : cases) {
        const Result r = run(c.args);
        EXPECT_EQ(r.status, ExitBadCommandLine) << c.firstLine;
        EXPECT_EQ(r.err.substr(0, r.err.find('\n')), c.firstLine);
        EXPECT_NE(r.err.find("See kyr2cli --help\n"), std::string::npos) << c.firstLine;
    }
}

TEST(CliCommandLine, HelpListsTheCommandsInTheChosenLanguage) {
    const Result en = run({"--help"});
    EXPECT_EQ(en.status, ExitDone);
    EXPECT_NE(en.out.find("  save FILE.kyr OUT.kyr       read, then save under OUT (Save As)\n"),
              std::string::npos);
    const Result cs = run({"--language", "cs", "--help"});
    EXPECT_NE(cs.out.find("Příkazy:\n"), std::string::npos);
    EXPECT_EQ(language(), LangEnglish);  // the language is restored after the run
}

TEST(CliNew, WritesTheProjectOfFileNew) {
    Folder folder;
    const std::string out = folder.File("new.kyr");
    const Result r = run({"new", "--type", "7", out});
    EXPECT_EQ(r.status, ExitDone);
    EXPECT_EQ(r.err, "");
    auto expected = TKyrData::NewProject(0, 7);
    EXPECT_EQ(readBytes(out), ProjectFileText(*expected));
}

TEST(CliCheck, ReportsWhatWasReadAndTheStatus) {
    const Result clean = run({"check", modelData("lowercase_info.kyr")});
    EXPECT_EQ(clean.status, ExitDone);
    EXPECT_EQ(clean.out, modelData("lowercase_info.kyr") +
                             ": KYR Mini, screens: 0, EXD tables: 0, file version 2.50\n");
    EXPECT_EQ(clean.err, "");

    const Result warned = run({"check", modelData("bad_comm_names.kyr")});
    EXPECT_EQ(warned.status, ExitPartial);
    EXPECT_EQ(warned.err, "warning: Bad Comm Table Name: CAN\n");

    const Result refused = run({"--language", "de", "check", modelData("too_new_ver.kyr")});
    EXPECT_EQ(refused.status, ExitFailed);
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(refused.err,
              "error: Alte Version des KYR2-Programmierwerkzeugs; zum Öffnen dieser Datei "
              "benötigen Sie mindestens die Version 2.62\n");

    const Result noVersion = run({"check", modelData("descr_and_unknown.kyr")});
    EXPECT_EQ(noVersion.status, ExitDone);
    EXPECT_NE(noVersion.out.find("file version none"), std::string::npos);
}

TEST(CliSave, OlderVersionQuestionIsAnsweredByYes) {
    Folder folder;
    const std::string in = folder.File("old.kyr");
    const std::string out = folder.File("new.kyr");
    writeBytes(in, "[Info]\r\n KYRC\r\n VER 217\r\n");
    const std::string question =
        "question: File was originally created with an older version of program; after Save "
        "the original version will not be able to read it. CONTINUE?";

    const Result no = run({"save", in, out});
    EXPECT_EQ(no.status, ExitFailed);
    EXPECT_EQ(no.err, question + " [no]\n");
    EXPECT_FALSE(std::filesystem::exists(out));

    const Result yes = run({"--yes", "save", in, out});
    EXPECT_EQ(yes.status, ExitDone);
    EXPECT_EQ(yes.err, question + " [yes]\n");
    EXPECT_NE(readBytes(out).find(" VER 260\r\n COMPAT 218\r\n"), std::string::npos);
}

TEST(CliSave, DroppedItemsMakeThePartialStatus) {
    Folder folder;
    const Result r = run({"save", modelData("bad_comm_names.kyr"), folder.File("out.kyr")});
    EXPECT_EQ(r.status, ExitPartial);
    EXPECT_TRUE(std::filesystem::exists(folder.File("out.kyr")));
}

TEST(CliCheck, SystemModeAllowsHigherScreenNumbers) {
    Folder folder;
    const std::string path = folder.File("sys.kyr");
    writeBytes(path, "[Info]\r\n KYRB\r\n VER 260\r\n[2500] system screen\r\n  FLAGS $00\r\n");
    const Result normal = run({"check", path});
    EXPECT_EQ(normal.status, ExitPartial);
    EXPECT_EQ(normal.err, "warning: Bad screen number: 2500\n");
    const Result system = run({"--system", "check", path});
    EXPECT_EQ(system.status, ExitDone);
    EXPECT_NE(system.out.find("screens: 1,"), std::string::npos);
}

TEST(CliExamples, EveryExampleChecksClean) {
    for (const char* name : {"boiler-t240e.kyr", "counter-lumq2.kyr", "pump-grand-cyrillic.kyr"}) {
        const Result r = run({"check", std::string(KYR_EXAMPLES_DIR) + "/" + name});
        EXPECT_EQ(r.status, ExitDone) << name;
        EXPECT_EQ(r.err, "") << name;
    }
}

int exitStatusOf(const std::string& command) {
    const int raw = std::system(command.c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

TEST(CliProgram, ExitStatusesOfTheBinary) {
    const std::string cli = KYR2CLI_PATH;
    EXPECT_EQ(exitStatusOf(cli + " --help > /dev/null"), 0);
    EXPECT_EQ(exitStatusOf(cli + " check " + modelData("lowercase_info.kyr") + " > /dev/null"), 0);
    EXPECT_EQ(exitStatusOf(cli + " check " + modelData("old_version.kyr") + " 2> /dev/null"), 1);
    EXPECT_EQ(exitStatusOf(cli + " bogus 2> /dev/null"), 2);
    EXPECT_EQ(exitStatusOf(cli + " check " + modelData("bad_comm_names.kyr") + " > /dev/null 2>&1"),
              3);
}

}  // namespace
}  // namespace kyr::cli

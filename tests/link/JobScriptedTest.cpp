// Jobs against a terminal double that answers each command with one fixed reply: the
// replies a real terminal gives only in odd states (unknown type, a full screen list, a
// refused screen, no room).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AnsweringTerminal.h"
#include "JobProjects.h"
#include "RecordingDialog.h"
#include "link/KyrComm.h"

namespace kyr {
namespace {

Bytes variable(Bytes body) {
    body.insert(body.begin(), static_cast<std::uint8_t>(body.size() + 1));
    return body;
}

Bytes versionText(const std::string& text) {
    Bytes body(text.begin(), text.end());
    body.push_back(0);
    return variable(body);
}

class ScriptedJob : public ::testing::Test {
protected:
    void SetUp() override { setLanguage(LangEnglish); }

    // A KYRB in RAM at level 2.57 holding nothing: every write is acknowledged.
    void kyrbTerminal() {
        auto& s = *link.script;
        s.replies[0xB0] = {0x08, 0x00, 0x00};
        s.replies[0xAC] = versionText("KYR V2.57");
        s.replies[0xB6] = Bytes(18, 0);
        s.replies[0xB6][0] = 0x40;  // 16 KB free in RAM
        s.replies[0xB2] = variable({});
        s.replies[0xC5] = variable({});
        s.replies[0xB3] = {0x10, 0x00, 0x00, 0x00};  // room at 0x1000, bank 0
        s.replies[0xB5] = {0x00};
        for (std::uint8_t c : {0xC4, 0xBD, 0xB8, 0xC8, 0xC2, 0xA4, 0xBF}) s.acks[c] = true;
    }

    TJobEnd run(int maxTicks = 20000) {
        for (int t = 0; t < maxTicks; ++t) {
            if (job.Phase() == jpFailed || job.Phase() == jpFinished) break;
            link.kom.KomStep();
            job.JobStep();
        }
        return job.IdlePass();
    }

    test::RecordingDialog dialog;
    test::AnsweringLink link;
    TSilentProgress progress;
    TKyrComm job{link.kom, progress};
};

TEST_F(ScriptedJob, UnknownTypeEndsEveryJob) {
    link.script->replies[0xB0] = {0x22, 0x00, 0x00};
    auto project = test::sampleProject(0);
    ASSERT_TRUE(job.StartDownload(project.get(), 1));
    EXPECT_FALSE(run().success);
    ASSERT_TRUE(job.StartUpload(TKyrData::ForUpload(0), 1));
    EXPECT_FALSE(run().success);
    ASSERT_TRUE(job.StartVerify(project.get(), 1));
    EXPECT_FALSE(run().success);
    EXPECT_EQ(dialog.texts(), (std::vector<std::string>(3, "Unknown KYR type")));
}

TEST_F(ScriptedJob, KyrV216CountsAsLevel215) {
    kyrbTerminal();
    link.script->replies[0xAC] = versionText("KYR V2.16");
    auto project = test::sampleProject(0);
    project->Setup().SetProtocol(0);  // nothing beyond the setup needs more than 2.15
    ASSERT_TRUE(job.StartDownload(project.get(), 1));
    EXPECT_TRUE(run().success) << ::testing::PrintToString(dialog.texts());
    EXPECT_EQ(job.Firmware().level, 215);
    EXPECT_EQ(link.script->count(0xB9), 0);  // a known level needs no tool check
}

TEST_F(ScriptedJob, UnknownVersionAsksForTheToolVersions) {
    kyrbTerminal();
    link.script->replies[0xAC] = versionText("KYR X9");
    link.script->replies[0xB9] = variable({0x01, 0x04, 0x01, 0x04});  // 2.60 both
    auto project = test::sampleProject(0);
    ASSERT_TRUE(job.StartDownload(project.get(), 1));
    EXPECT_TRUE(run().success) << ::testing::PrintToString(dialog.texts());
    EXPECT_EQ(job.Firmware().level, TFirmwareVersion::Unknown);
    EXPECT_EQ(link.script->count(0xB9), 1);
}

TEST_F(ScriptedJob, FullScreenListPartAsksForTheNext) {
    kyrbTerminal();
    Bytes part;
    for (int n = 0; n < 120; ++n) {
        part.push_back(0);
        part.push_back(static_cast<std::uint8_t>(n + 10));
    }
    link.script->replies[0xC5] = variable(part);
    link.script->replies[0xC6] = variable({0x01, 0x00, 0x01, 0x01});  // 256 and 257
    auto project = TKyrData::NewProject(0, 0);
    project->Setup().SetProtocol(1);
    ASSERT_TRUE(job.StartDownload(project.get(), 1));
    EXPECT_TRUE(run().success) << ::testing::PrintToString(dialog.texts());
    EXPECT_EQ(link.script->count(0xC6), 1);
    // Every listed screen is deleted with an empty record of its number.
    EXPECT_EQ(link.script->count(0xB3), 122);
    const auto last = link.script->last(0xA4);
    ASSERT_TRUE(last);
    EXPECT_EQ(*last, (Bytes{0xA4, 8, 0x10, 0x00, 0x00, 0x07, 0x01, 0x01, 0x00, 0x00, 0x00}));
}

TEST_F(ScriptedJob, ScreenListThatRepeatsItselfEnds) {
    kyrbTerminal();
    Bytes part;
    for (int n = 0; n < 120; ++n) {
        part.push_back(0);
        part.push_back(static_cast<std::uint8_t>(n));
    }
    link.script->replies[0xC5] = variable(part);
    link.script->replies[0xC6] = variable(part);
    auto project = TKyrData::NewProject(0, 0);
    project->Setup().SetProtocol(1);
    ASSERT_TRUE(job.StartDownload(project.get(), 1));
    EXPECT_TRUE(run().success);
    EXPECT_EQ(link.script->count(0xC6), 1);
}

TEST_F(ScriptedJob, CloseErrorsAreReportedAndMakeThePartialResult) {
    struct Case {
        std::uint8_t code;
        std::string text;
    };
    const std::vector<Case> cases = {
        {2, " 1: Screen with this number already exists"},
        {3, "Screen 1 has bad format"},
        {9, "????"},
    };
    for (const Case& c : cases) {
        dialog.clear();
        link.script->requests.clear();
        kyrbTerminal();
        link.script->replies[0xB5] = {c.code};
        auto project = test::sampleProject(0);
        ASSERT_TRUE(job.StartDownload(project.get(), 1));
        const TJobEnd end = run();
        EXPECT_TRUE(end.success);
        EXPECT_TRUE(job.Outcome().partial);
        const auto texts = dialog.texts();
        ASSERT_EQ(texts.size(), 4u) << ::testing::PrintToString(texts);
        EXPECT_EQ(texts[0], c.text);
        EXPECT_EQ(texts[3], "Program was transferred only partially due to errors");
        EXPECT_EQ(dialog.entries[3].kind, MsgKind::Warning);
        EXPECT_EQ(dialog.entries[3].title, "DONE");
    }
}

TEST_F(ScriptedJob, KyrMiniStopsAtARefusedScreen) {
    auto& s = *link.script;
    s.replies[0xB0] = {0x20, 0x00, 0x00};
    s.replies[0xAC] = versionText("KYR V2.55");
    s.replies[0xB6] = Bytes(18, 0);
    s.replies[0xC5] = variable({});
    s.replies[0xB3] = {0x10, 0x00, 0x01, 0x00};
    s.replies[0xB5] = {0x03};
    for (std::uint8_t c : {0xC4, 0xBD, 0xB8, 0xBF}) s.acks[c] = true;
    auto project = test::sampleProject(2);
    ASSERT_TRUE(job.StartDownload(project.get(), 1));
    EXPECT_FALSE(run().success);
    EXPECT_EQ(dialog.texts(), std::vector<std::string>{"Screen 1 has bad format"});
    EXPECT_EQ(s.count(0xB3), 1);
    EXPECT_EQ(s.count(0xB2), 0);  // KYR Mini has no EXD tables
}

TEST_F(ScriptedJob, NoRoomForAScreen) {
    kyrbTerminal();
    link.script->replies[0xB3] = {0x00, 0x00, 0xFF, 0x00};
    auto project = test::sampleProject(0);
    ASSERT_TRUE(job.StartDownload(project.get(), 1));
    EXPECT_FALSE(run().success);
    EXPECT_EQ(dialog.texts(), std::vector<std::string>{"No space in KYR memory for new screen"});
}

TEST_F(ScriptedJob, OldFirmwareGetsBadScreenNumbers) {
    kyrbTerminal();
    link.script->replies[0xAC] = versionText("KYR V2.17");
    link.script->replies[0xB1] = variable({});
    auto project = TKyrData::NewProject(0, 0);
    project->Setup().SetProtocol(1);
    test::addScreen(*project, 12, "Twelve", false);
    test::addScreen(*project, 200, "Too high", false);
    ASSERT_TRUE(job.StartDownload(project.get(), 1));
    EXPECT_TRUE(run().success);
    EXPECT_EQ(dialog.texts(), (std::vector<std::string>{
                                  "Bad screen number 200",
                                  "Bad screen number - program was transferred only partially"}));
    EXPECT_EQ(link.script->count(0xB1), 1);
    EXPECT_EQ(link.script->count(0xC5), 0);
    // One screen with its one-byte number.
    EXPECT_EQ(link.script->count(0xB3), 1);
    const auto block = link.script->last(0xA4);
    ASSERT_TRUE(block);
    EXPECT_EQ((*block)[6], 12);
}

TEST_F(ScriptedJob, BankedWritesOfFamilyZero) {
    kyrbTerminal();
    link.script->replies[0xB3] = {0x81, 0x00, 0x06, 0x00};  // bank 6 at 0x8100
    auto project = TKyrData::NewProject(0, 0);
    project->Setup().SetProtocol(1);
    test::addScreen(*project, 1, std::string(40, 'x'), false);
    ASSERT_TRUE(job.StartDownload(project.get(), 1));
    EXPECT_TRUE(run().success);
    const auto alloc = link.script->last(0xB3);
    ASSERT_TRUE(alloc);
    const std::size_t record = project->Screen(0).ImageSize(257);
    // Family 0 asks for two bytes more than the record.
    EXPECT_EQ(bytes::u16be(*alloc, 2), record + 2);
    const auto block = link.script->last(0xBF);
    ASSERT_TRUE(block);
    EXPECT_EQ((*block)[2], 1);                       // (6 - 1) div 4
    EXPECT_EQ(bytes::u16be(*block, 3), 0x4100);      // 0x8100 - 0x8000 + 1 * 0x4000
    EXPECT_EQ((*block)[1], record + 1);              // count + 1
    EXPECT_EQ(*link.script->last(0xB5), (Bytes{0xB5, static_cast<std::uint8_t>(record + 1)}));
}

TEST_F(ScriptedJob, ScreenLengthZeroFailsTheUpload) {
    auto& s = *link.script;
    s.replies[0xB0] = {0x08, 0x00, 0x00};
    s.replies[0xAC] = versionText("KYR V2.57");
    s.replies[0xBC] = {2, 5, 1, 1, 1, 2, 0xFF, 1, 0, 0};
    s.replies[0xC7] = Bytes(24, 0xFF);
    s.replies[0xB2] = variable({});
    s.replies[0xC5] = variable({0x00, 0x05});
    s.replies[0xB4] = {0x10, 0x00, 0x00, 0x00, 0x00};
    ASSERT_TRUE(job.StartUpload(TKyrData::ForUpload(0), 1));
    const TJobEnd end = run();
    EXPECT_FALSE(end.success);
    EXPECT_EQ(end.uploaded, nullptr);
    EXPECT_EQ(dialog.texts(), std::vector<std::string>{"Program transmission failed."});
}

TEST_F(ScriptedJob, UnreadableScreenIsNamedAndTheRestTaken) {
    auto& s = *link.script;
    s.replies[0xB0] = {0x08, 0x00, 0x00};
    s.replies[0xAC] = versionText("KYR V2.57");
    s.replies[0xBC] = {2, 5, 1, 1, 1, 2, 0xFF, 1, 0, 0};
    s.replies[0xC7] = Bytes(24, 0xFF);
    s.replies[0xB2] = variable({});
    s.replies[0xC5] = variable({0x00, 0x05});
    s.replies[0xB4] = {0x10, 0x00, 0x00, 0x0C, 0x00};
    // Character-set bits 3: a record this program cannot read.
    s.replies[0xA1] = {0x00, 0x0C, 0x00, 0x05, 0x04, 0x0C, 0xFF, 'a', 'b', 0, 0, 0};
    ASSERT_TRUE(job.StartUpload(TKyrData::ForUpload(0), 1));
    const TJobEnd end = run();
    EXPECT_TRUE(end.success);
    ASSERT_NE(end.uploaded, nullptr);
    EXPECT_EQ(end.uploaded->ScreenCount(), 0);
    EXPECT_EQ(dialog.texts(), (std::vector<std::string>{
                                  "Screen 5 has unknown format",
                                  "Unknown format - program was transferred only partially"}));
}

}  // namespace
}  // namespace kyr

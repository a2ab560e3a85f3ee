#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "JobProjects.h"
#include "JobRig.h"
#include "link/JobTexts.h"
#include "model/Func.h"
#include "model/Screen.h"

namespace kyr {
namespace {

using test::JobRig;
using test::sampleProject;

std::size_t commBytesOf(int type) {
    if (type == 3) return 32;
    if (type <= 1) return 24;  // the simulated KYRB and KYRC run level 257: the long form
    return 20;
}

bool startsWith(const std::string& s, const std::string& prefix) { return s.rfind(prefix, 0) == 0; }

class PerFamily : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override { setLanguage(LangEnglish); }
};

TEST_P(PerFamily, DownloadThenUploadGivesTheSameProjectAndVerifyAgrees) {
    const int type = GetParam();
    JobRig rig(type);
    auto project = sampleProject(static_cast<std::uint8_t>(type));

    const TJobEnd down = rig.Download(*project);
    EXPECT_TRUE(down.ended);
    EXPECT_TRUE(down.success);
    const auto messages = rig.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(startsWith(messages[0], "Program was successfully transferred.\nOccupied "))
        << messages[0];
    EXPECT_TRUE(rig.progress.closed);
    EXPECT_EQ(rig.progress.result, TModalResult::Ok);
    EXPECT_EQ(rig.progress.title, "Download to KYR");
    EXPECT_EQ(rig.job.Phase(), jpIdle);
    EXPECT_FALSE(rig.kom.IsPortOpen());

    const auto uploaded = rig.Upload();
    ASSERT_NE(uploaded, nullptr) << ::testing::PrintToString(rig.Messages());
    EXPECT_EQ(rig.Messages(), std::vector<std::string>{"Program was successfully transferred."});
    EXPECT_EQ(uploaded->TermType(), type);
    EXPECT_EQ(test::imagesOf(*uploaded, commBytesOf(type)),
              test::imagesOf(*project, commBytesOf(type)));

    rig.Verify(*project);
    ASSERT_EQ(rig.dialog.entries.size(), 1u);
    EXPECT_EQ(rig.dialog.entries[0].text, "Program in KYR is identical.");
    EXPECT_EQ(rig.dialog.entries[0].title, project->DisplayName());
    EXPECT_TRUE(rig.job.Outcome().identical);
}

INSTANTIATE_TEST_SUITE_P(KyrTypes, PerFamily, ::testing::Values(0, 1, 2, 3));

TEST(LumDownload, SetupTableAndScreensLandInTheTerminal) {
    setLanguage(LangEnglish);
    for (int type : {4, 5, 9}) {
        JobRig rig(type);
        auto project = sampleProject(static_cast<std::uint8_t>(type));
        EXPECT_TRUE(rig.Download(*project).success) << type;
        const auto images = test::imagesOf(*project, 16, 218);
        std::size_t total = 2;
        for (const Bytes& r : images.screens) total += r.size();
        EXPECT_EQ(rig.Messages(),
                  std::vector<std::string>{"Program was successfully transferred.\nOccupied " +
                                           std::to_string(total) + " bytes, i.e. " +
                                           std::to_string(rig.job.UsedPercent()) +
                                           " % of useable memory."});
        EXPECT_EQ(rig.job.Used(), total);
        EXPECT_EQ(rig.terminal().setup(), Bytes(images.setup.begin(), images.setup.end())) << type;
        const Bytes comm = rig.terminal().commTable();
        EXPECT_EQ(Bytes(comm.begin(), comm.begin() + 16),
                  Bytes(images.comm.begin(), images.comm.begin() + 16))
            << type;
        const auto screens = rig.terminal().screens();
        ASSERT_EQ(screens.size(), images.screens.size()) << type;
        for (std::size_t i = 0; i < screens.size(); ++i)
            EXPECT_EQ(screens[i].record, images.screens[i]) << type << " screen " << i;
    }
}

TEST(LumDownload, ScreensBeyondTheBufferFindNoRoom) {
    setLanguage(LangEnglish);
    JobRig rig(9);
    auto project = sampleProject(9);
    // Full screens of about 28 bytes each: 900 of them do not fit 24000 bytes.
    for (int n = 10; n < 910; ++n) test::addScreen(*project, n, std::string(160, 'x'), false);
    EXPECT_FALSE(rig.Download(*project).success);
    EXPECT_EQ(rig.Messages(), std::vector<std::string>{"No space in KYR memory for new screen"});
    EXPECT_EQ(rig.terminal().counters().byCommand.at(0xA5), 2);  // setup and table only
}

// ---- what a download leaves out and removes -------------------------------------------------

TEST(DownloadCompare, UnchangedTablesAreNotWrittenAgainAndSurplusOnesAreRemoved) {
    setLanguage(LangEnglish);
    auto config = sim::SimConfig::forType(0);
    config.clearErases = false;  // the terminal keeps its program over the clear
    JobRig rig(config);
    auto project = sampleProject(0);
    // The terminal holds table 5 as the project has it, table 3 different, and table 9 the
    // project lacks.
    Bytes slot(TExdTab::ImageSlotSize);
    project->ExdTableImage(1, slot);
    rig.terminal().storeExdTable(5, std::span<const std::uint8_t>(slot).subspan(2));
    Bytes other(64, 0xFF);
    other[0] = 0;
    rig.terminal().storeExdTable(3, other);
    rig.terminal().storeExdTable(9, other);

    ASSERT_TRUE(rig.Download(*project).success);
    EXPECT_EQ(rig.terminal().counters().byCommand.at(0xC2), 2);  // table 3 written, 9 removed
    EXPECT_EQ(rig.terminal().exdNumbers(), (std::vector<std::uint8_t>{3, 5}));

    const int writesBefore = rig.terminal().counters().byCommand.at(0xC2);
    ASSERT_TRUE(rig.Download(*project).success);
    EXPECT_EQ(rig.terminal().counters().byCommand.at(0xC2), writesBefore);
}

TEST(DownloadCompare, UnchangedScreensAreNotWrittenAgainAndSurplusOnesAreDeleted) {
    setLanguage(LangEnglish);
    auto config = sim::SimConfig::forType(3);
    config.clearErases = false;
    JobRig rig(config);
    auto project = sampleProject(3);
    // The terminal holds screen 2 as the project has it, and screens 40 and 41 it lacks.
    rig.terminal().storeScreen(BuildScreenImage(project->Screen(1), 257, true).bytes);
    auto stray = TKyrData::NewProject(0, 3);
    rig.terminal().storeScreen(
        BuildScreenImage(test::addScreen(*stray, 40, "Old", false), 257, true).bytes);
    rig.terminal().storeScreen(
        BuildScreenImage(test::addScreen(*stray, 41, "Older", false), 257, true).bytes);

    ASSERT_TRUE(rig.Download(*project).success);
    // Screens 1 and 7 written, 40 and 41 overwritten by empty screens; 2 left alone.
    EXPECT_EQ(rig.terminal().counters().byCommand.at(0xB3), 4);
    EXPECT_TRUE(rig.progress.sawBlack);
    EXPECT_EQ(rig.progress.color, TGaugeColor::Green);
    std::vector<int> held;
    for (const auto& s : rig.terminal().screens()) held.push_back(s.number);
    EXPECT_EQ(held, (std::vector<int>{1, 2, 7}));

    ASSERT_TRUE(rig.Download(*project).success);
    EXPECT_EQ(rig.terminal().counters().byCommand.at(0xB3), 4);
    EXPECT_EQ(rig.terminal().counters().byCommand.at(0xC2), 2);
}

// ---- verify ---------------------------------------------------------------------------------

TEST(Verify, NamesEveryDifferenceAndEndsNotIdentical) {
    setLanguage(LangEnglish);
    JobRig rig(0);
    auto project = sampleProject(0);
    ASSERT_TRUE(rig.Download(*project).success);
    rig.Messages();

    project->Setup().SetAddress(9);
    project->CommTable().SetBegin(1, 0x7777);
    project->ExdTable(1).SetRow(2, 0, 1, 0x0005);
    project->Screen(0).SetDisplayText("Pump 2 ##### rpm");
    test::addScreen(*project, 8, "New", false);
    rig.dialog.answers = {Answer::Ok, Answer::Ok, Answer::Ok, Answer::Ok, Answer::Ok};
    EXPECT_TRUE(rig.Verify(*project).success);
    EXPECT_EQ(rig.Messages(), (std::vector<std::string>{
                                  "Setup is different", "Control Table is different",
                                  "EXD Table 5 is different", "Screen list is different",
                                  "Screen 1 is different", "Program in KYR is not identical."}));
    EXPECT_EQ(rig.dialog.entries.size(), 0u);
    EXPECT_FALSE(rig.job.Outcome().identical);

    // Cancel at the first difference ends the verify there.
    EXPECT_FALSE(rig.Verify(*project).success);
    EXPECT_EQ(rig.Messages(), std::vector<std::string>{"Setup is different"});
    EXPECT_EQ(rig.progress.result, TModalResult::Abort);
}

TEST(Verify, DifferenceBoxesOfferOkAndCancel) {
    setLanguage(LangEnglish);
    JobRig rig(1);
    auto project = sampleProject(1);
    ASSERT_TRUE(rig.Download(*project).success);
    rig.Messages();
    project->DeleteExdTable(0);
    rig.dialog.answers = {Answer::Ok, Answer::Ok};
    rig.Verify(*project);
    ASSERT_GE(rig.dialog.entries.size(), 2u);
    EXPECT_EQ(rig.dialog.entries[0].text, "EXD Tables list is different");
    EXPECT_EQ(rig.dialog.entries[0].title, "ERROR");
    EXPECT_TRUE(rig.dialog.entries[0].isQuestion);
    EXPECT_EQ(rig.dialog.entries.back().text, "Program in KYR is not identical.");
    EXPECT_EQ(rig.dialog.entries.back().kind, MsgKind::Warning);
}

// ---- a noisy line, a slow flash -------------------------------------------------------------

TEST(NoisyLine, EveryJobStillEndsCorrectly) {
    setLanguage(LangEnglish);
    for (int type : {0, 2, 3, 5}) {
        JobRig rig(type);
        rig.noise.loseEveryWrite = 7;
        rig.noise.damageEveryByte = 211;
        auto project = sampleProject(static_cast<std::uint8_t>(type));
        EXPECT_TRUE(rig.Download(*project).success)
            << type << ::testing::PrintToString(rig.Messages());
        rig.Messages();
        if (type == 5) continue;  // LUM terminals do not upload
        const auto uploaded = rig.Upload();
        ASSERT_NE(uploaded, nullptr) << type << ::testing::PrintToString(rig.Messages());
        EXPECT_EQ(test::imagesOf(*uploaded, commBytesOf(type)),
                  test::imagesOf(*project, commBytesOf(type)))
            << type;
        rig.Messages();
        rig.Verify(*project);
        EXPECT_EQ(rig.Messages(), std::vector<std::string>{"Program in KYR is identical."}) << type;
        EXPECT_GT(rig.noise.writes, 7);
    }
}

TEST(FlashErase, TheWaitDoesNotCountAgainstTheTimeout) {
    setLanguage(LangEnglish);
    auto config = sim::SimConfig::forType(2);
    config.flashEraseMs = 8000;  // 160 ticks, far more than the job's 51
    JobRig rig(config);
    auto project = sampleProject(2);
    std::vector<std::string> labels;
    EXPECT_TRUE(rig.Download(*project).success) << ::testing::PrintToString(rig.Messages());
    EXPECT_TRUE(rig.job.ProgramFlash());
    EXPECT_NE(std::find(rig.progress.labels.begin(), rig.progress.labels.end(),
                        "Erasing KYR Flash Memory"),
              rig.progress.labels.end());
}

// ---- errors ---------------------------------------------------------------------------------

struct ErrorCase {
    const char* name;
    std::function<void(sim::SimConfig&)> configure;
    std::function<void(TKyrData&)> adjust;
    int projectType;
    std::string message;
};

class DownloadErrors : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(DownloadErrors, EndWithTheirMessage) {
    setLanguage(LangEnglish);
    const ErrorCase& c = GetParam();
    auto config = sim::SimConfig::forType(c.projectType);
    c.configure(config);
    JobRig rig(config);
    auto project = sampleProject(static_cast<std::uint8_t>(c.projectType));
    if (c.adjust) c.adjust(*project);
    const TJobEnd end = rig.Download(*project);
    EXPECT_TRUE(end.ended);
    EXPECT_FALSE(end.success);
    ASSERT_EQ(rig.dialog.entries.size(), 1u) << ::testing::PrintToString(rig.dialog.texts());
    EXPECT_EQ(rig.dialog.entries[0].text, c.message);
    EXPECT_EQ(rig.dialog.entries[0].title, "ERROR");
    EXPECT_EQ(rig.dialog.entries[0].kind, MsgKind::Error);
    EXPECT_EQ(rig.progress.result, TModalResult::Abort);
    EXPECT_EQ(rig.job.Phase(), jpIdle);
    EXPECT_FALSE(rig.job.Running());
}

const ErrorCase kDownloadErrors[] = {
    {"TypeMismatch",
     [](sim::SimConfig& c) { c.type = 1; },
     {},
     0,
     "Type of connected KYR terminal doesn't match with the file type"},
    {"Eprom",
     [](sim::SimConfig& c) { c.auxMemory = sim::AuxMemory::Eprom64k; },
     {},
     0,
     "KYR auxiliary memory is not writeable"},
    {"WriteProtected",
     [](sim::SimConfig& c) { c.auxWritable = false; },
     {},
     0,
     "KYR auxiliary memory is not writeable"},
    {"OldFirmware", [](sim::SimConfig& c) { c.firmware = "2.50"; },
     [](TKyrData& p) { p.Setup().SetIoBoard(4); }, 0,
     "Old KYR firmware version; for the required operation you need at least the version 2.55"},
    {"OldTool",
     [](sim::SimConfig& c) {
         c.firmware = "2.60";
         c.minToolDownload = 261;
     },
     {},
     0,
     "Old KYR2 Programming Tool version; for the required operation you need at least version "
     "2.61"},
    {"FlashNotErased",
     [](sim::SimConfig& c) { c.flashFault = true; },
     {},
     2,
     "Cannot erase the FLASH memory"},
    {"LumProtocolMissing",
     [](sim::SimConfig& c) {
         c.lumProtocols = {0, 45};
     },
     {},
     5,
     "The terminal's firmware doesn't contain required communication protocol"},
};

INSTANTIATE_TEST_SUITE_P(Terminal, DownloadErrors, ::testing::ValuesIn(kDownloadErrors),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(UploadErrors, EndWithTheirMessage) {
    setLanguage(LangEnglish);
    {
        JobRig rig(0);  // a fresh terminal holds no valid program
        EXPECT_EQ(rig.Upload(), nullptr);
        EXPECT_EQ(rig.Messages(), std::vector<std::string>{"No valid data in KYR"});
    }
    {
        JobRig rig(6);
        EXPECT_EQ(rig.Upload(), nullptr);
        EXPECT_EQ(rig.Messages(),
                  std::vector<std::string>{"The connected terminal doesn't support uploading"});
    }
    {
        auto config = sim::SimConfig::forType(0);
        config.firmware = "2.60";
        config.minToolUpload = 300;
        JobRig rig(config);
        auto project = sampleProject(0);
        ASSERT_TRUE(rig.Download(*project).success);
        rig.Messages();
        EXPECT_EQ(rig.Upload(), nullptr);
        EXPECT_EQ(rig.Messages(),
                  std::vector<std::string>{"Old KYR2 Programming Tool version; for the required "
                                           "operation you need at least version 3.00"});
    }
}

// ---- starting, cancelling, time-out ---------------------------------------------------------

TEST(JobStart, RefusedWithoutProjectAndWhileAJobIsEnding) {
    setLanguage(LangEnglish);
    JobRig rig(0);
    EXPECT_FALSE(rig.job.StartDownload(nullptr, 1));
    EXPECT_EQ(rig.Messages(), std::vector<std::string>{"No KYR Data Selected"});
    EXPECT_FALSE(rig.job.StartVerify(nullptr, 1));
    EXPECT_EQ(rig.Messages(), std::vector<std::string>{"No KYR Data Selected"});

    auto project = sampleProject(0);
    ASSERT_TRUE(rig.job.StartDownload(project.get(), 1));
    EXPECT_EQ(rig.job.Phase(), jpStatus);
    EXPECT_TRUE(rig.job.Flags().download);
    EXPECT_FALSE(rig.job.StartVerify(project.get(), 1));
    EXPECT_EQ(rig.dialog.beeps, 1);
    rig.Run();
    EXPECT_EQ(rig.job.Phase(), jpIdle);
    EXPECT_TRUE(rig.job.StartVerify(project.get(), 1));
}

TEST(JobStart, PortThatDoesNotOpenStartsNothing) {
    setLanguage(LangEnglish);
    JobRig rig(0);
    rig.port.failOpens(1);
    auto project = sampleProject(0);
    EXPECT_FALSE(rig.job.StartDownload(project.get(), 7));
    ASSERT_EQ(rig.dialog.texts().size(), 1u);
    EXPECT_TRUE(startsWith(rig.dialog.texts()[0], "Cannot open serial port 7"));
    EXPECT_EQ(rig.job.Phase(), jpIdle);
}

TEST(JobCancel, EndsWithTheMessageOfTheJob) {
    setLanguage(LangEnglish);
    for (const bool verify : {false, true}) {
        JobRig rig(0);
        auto project = sampleProject(0);
        if (verify) {
            ASSERT_TRUE(rig.Download(*project).success);
            rig.Messages();
        }
        rig.beforeStep = [&](int tick) {
            if (tick == 3) rig.job.CancelByUser();
        };
        const TJobEnd end = verify ? rig.Verify(*project) : rig.Download(*project);
        EXPECT_FALSE(end.success);
        EXPECT_TRUE(rig.job.Outcome().cancelled);
        EXPECT_EQ(rig.Messages(),
                  std::vector<std::string>{verify ? "Program verification aborted by user"
                                                  : "Program transmission aborted by user"});
        EXPECT_EQ(rig.progress.percent, 0);
        EXPECT_EQ(rig.progress.color, TGaugeColor::Green);
    }
}

TEST(JobTimeout, FiftyOneTicksWithoutProgressEndTheJob) {
    setLanguage(LangEnglish);
    JobRig rig(1);
    auto project = sampleProject(1);
    rig.terminal().faults().add(sim::Fault(sim::FaultKind::Drop).always());
    const TJobEnd end = rig.Download(*project);
    EXPECT_FALSE(end.success);
    EXPECT_EQ(rig.ticks, 51);
    EXPECT_EQ(rig.Messages(), std::vector<std::string>{"Program transmission failed."});
    EXPECT_EQ(rig.progress.result, TModalResult::Abort);
}

TEST(JobMessages, JobStepWaitsWhileAMessageIsOpen) {
    // A box shown by the job lets the job timer fire again; that tick must do nothing.
    setLanguage(LangEnglish);
    JobRig rig(0);
    auto project = sampleProject(0);
    struct Reentrant final : UserDialog {
        std::function<void()> inside;
        int messages = 0;
        void message(MsgKind, std::string_view, std::string_view) override {
            ++messages;
            inside();
        }
        Answer question(MsgKind, std::string_view, std::string_view, Buttons) override {
            return Answer::Ok;
        }
        std::optional<std::string> inputBox(std::string_view, std::string_view,
                                            std::string_view) override {
            return std::nullopt;
        }
        void beep() override {}
    } reentrant;
    reentrant.inside = [&] {
        rig.kom.KomStep();
        rig.job.JobStep();
    };
    UserDialog* previous = setDialogs(&reentrant);
    const bool success = rig.Download(*project).success;
    setDialogs(previous);
    EXPECT_TRUE(success);
    EXPECT_EQ(reentrant.messages, 1);
}

// The ticks at which the terminal received each request of `commands` while a job ran.
class BlockTicks {
public:
    BlockTicks(JobRig& rig, std::vector<std::uint8_t> commands)
        : rig_(rig), commands_(std::move(commands)) {
        rig_.beforeStep = [this](int tick) {
            for (int total = count(); seen_ < total; ++seen_) ticks.push_back(tick);
        };
    }
    ~BlockTicks() { rig_.beforeStep = nullptr; }
    std::vector<int> ticks;

private:
    int count() const {
        int n = 0;
        for (const std::uint8_t c : commands_) {
            const auto& counts = rig_.terminal().counters().byCommand;
            if (const auto it = counts.find(c); it != counts.end()) n += it->second;
        }
        return n;
    }
    JobRig& rig_;
    std::vector<std::uint8_t> commands_;
    int seen_ = 0;
};

// A request that follows an answered one goes out in the same tick, in both directions: a
// long screen costs one tick per block, not two, and the next screen starts at once.
TEST(JobPace, ScreenBlocksFollowEachOtherTickByTick) {
    setLanguage(LangEnglish);
    JobRig rig(0);
    auto project = test::sampleProject(0);
    // The last screen: with its twelve fields, two blocks.
    TKyrScreen& longScreen = test::addScreen(*project, 9, "Long", true);
    for (int i = 1; i < 12; ++i) {
        auto field = std::make_unique<TFunc>(*project, TFunc::KindNum);
        field->SetPosition(i);
        field->SetSourceAddr(static_cast<std::uint16_t>(0x0200 + i));
        longScreen.AppendFunction(std::move(field));
    }
    {
        const BlockTicks writes(rig, {0xA4, 0xBF});
        ASSERT_TRUE(rig.Download(*project).success);
        ASSERT_GE(writes.ticks.size(), 5u);
        const auto n = writes.ticks.size();
        EXPECT_EQ(writes.ticks[n - 1] - writes.ticks[n - 2], 1);
    }
    {
        // The next screen starts in the tick that closed the last: allocate, block, close.
        JobRig fresh(0);
        const BlockTicks allocations(fresh, {0xB3});
        ASSERT_TRUE(fresh.Download(*project).success);
        ASSERT_GE(allocations.ticks.size(), 2u);
        EXPECT_EQ(allocations.ticks[1] - allocations.ticks[0], 3);
    }
    {
        const BlockTicks reads(rig, {0xA1, 0xBE});
        ASSERT_NE(rig.Upload(), nullptr);
        ASSERT_GE(reads.ticks.size(), 5u);
        const auto n = reads.ticks.size();
        EXPECT_EQ(reads.ticks[n - 1] - reads.ticks[n - 2], 1);
    }
}

}  // namespace
}  // namespace kyr

// Download, verify and upload from the main window's menu against the simulated terminal,
// with the progress dialog, Cancel and the refusals.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QPushButton>

#include "TerminalTestSupport.h"
#include "app/FileForm.h"
#include "app/KyrInfoForm.h"
#include "app/Progress.h"
#include "model/DataClass.h"

namespace kyr {
namespace {

using test::TerminalRig;

class TerminalJobsTest : public ::testing::Test {
protected:
    void SetUp() override { setLanguage(LangEnglish); }
    void TearDown() override { setLanguage(LangEnglish); }

    static QAction* item(const TerminalRig& rig, const char* name) {
        return test::findNamed<QAction>(rig.main.get(), name);
    }
    // Opens the example; the idle pass then enables the commands that need a project.
    static TKyrFileForm* openBoiler(TerminalRig& rig) {
        TKyrFileForm* form = rig.main->OpenProjectFile(
            QString::fromStdString(test::examplePath("boiler-t240e.kyr")));
        rig.main->AppIdle();
        return form;
    }
    static bool startsWith(const std::string& text, const std::string& prefix) {
        return text.rfind(prefix, 0) == 0;
    }
};

TEST_F(TerminalJobsTest, DownloadThenVerifyThenUploadThroughTheMenu) {
    TerminalRig rig;
    TKyrFileForm* form = openBoiler(rig);
    ASSERT_NE(form, nullptr);
    rig.main->AppIdle();
    ASSERT_TRUE(item(rig, "KyrDownloadItem")->isEnabled());

    item(rig, "KyrDownloadItem")->trigger();
    ASSERT_EQ(rig.shown, std::vector<std::string>{"ProgressDlg"});
    TProgressDlg& dlg = rig.terminal().progressDlg();
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(dlg.windowTitle(), "Download to KYR");
    EXPECT_TRUE(rig.kom().IsPortOpen());
    rig.ticks(2);
    EXPECT_EQ(test::findNamed<QLabel>(&dlg, "PhaseLabel")->text(), "Reading KYR Status");
    ASSERT_TRUE(rig.runJob());
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_TRUE(startsWith(rig.lastText(), "Program was successfully transferred.\nOccupied "))
        << rig.lastText();
    EXPECT_FALSE(rig.kom().IsPortOpen()) << "the idle pass closes the port";
    sim::SimPort* terminal = rig.terminal().simTerminals().existing(0);
    ASSERT_NE(terminal, nullptr) << "\"sim:\" plays the project's type";
    EXPECT_EQ(static_cast<int>(terminal->terminal().screens().size()),
              form->project().ScreenCount());

    // The same simulated terminal answers the next jobs: it holds what was written.
    rig.dialog.clear();
    item(rig, "KyrVerifyItem")->trigger();
    EXPECT_EQ(dlg.windowTitle(), "Verifying program in KYR");
    ASSERT_TRUE(rig.runJob());
    EXPECT_EQ(rig.dialog.texts(), std::vector<std::string>{"Program in KYR is identical."});

    rig.dialog.clear();
    item(rig, "KyrUploadItem")->trigger();
    EXPECT_EQ(dlg.windowTitle(), "Upload from KYR");
    ASSERT_TRUE(rig.runJob());
    EXPECT_EQ(rig.dialog.texts(),
              std::vector<std::string>{"Program was successfully transferred."});
    ASSERT_EQ(rig.main->projectWindowCount(), 2) << "the upload opens a project window";
    TKyrFileForm* uploaded = rig.main->activeProjectWindow();
    ASSERT_NE(uploaded, form);
    EXPECT_EQ(uploaded->project().DisplayName(), "> KYR <");
    EXPECT_EQ(uploaded->project().TermType(), 0);
    EXPECT_EQ(uploaded->project().ScreenCount(), form->project().ScreenCount());
    EXPECT_EQ(rig.shown.size(), 3u);
    EXPECT_FALSE(rig.kom().IsPortOpen());
}

TEST_F(TerminalJobsTest, VerifyAfterTheProjectChangedFindsTheDifference) {
    TerminalRig rig;
    TKyrFileForm* form = openBoiler(rig);
    ASSERT_NE(form, nullptr);
    item(rig, "KyrDownloadItem")->trigger();
    ASSERT_TRUE(rig.runJob());
    ASSERT_TRUE(form->project().DeleteScreen(0));
    rig.dialog.clear();
    rig.dialog.answers.assign(5, Answer::Ok);  // OK to every difference: go on
    item(rig, "KyrVerifyItem")->trigger();
    ASSERT_TRUE(rig.runJob());
    const auto texts = rig.dialog.texts();
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.front(), "Screen list is different");
    EXPECT_EQ(texts.back(), "Program in KYR is not identical.");
}

struct CancelCase {
    const char* command;
    const char* message;
};

TEST_F(TerminalJobsTest, CancelDuringAJobEndsItWithTheAbortMessage) {
    for (const CancelCase& c :
         {CancelCase{"KyrDownloadItem", "Program transmission aborted by user"},
          CancelCase{"KyrVerifyItem", "Program verification aborted by user"},
          CancelCase{"KyrUploadItem", "Program transmission aborted by user"}}) {
        SCOPED_TRACE(c.command);
        TerminalRig rig;
        ASSERT_NE(openBoiler(rig), nullptr);
        // Something to verify and upload first.
        item(rig, "KyrDownloadItem")->trigger();
        ASSERT_TRUE(rig.runJob());
        rig.dialog.clear();
        rig.shown.clear();

        item(rig, c.command)->trigger();
        ASSERT_EQ(rig.shown, std::vector<std::string>{"ProgressDlg"});
        TProgressDlg& dlg = rig.terminal().progressDlg();
        rig.ticks(10);
        ASSERT_TRUE(dlg.isVisible());
        test::findNamed<QPushButton>(&dlg, "CancelBtn")->click();
        EXPECT_FALSE(dlg.isVisible());
        EXPECT_EQ(dlg.result(), QDialog::Rejected);
        EXPECT_EQ(rig.dialog.texts(), std::vector<std::string>{c.message});
        EXPECT_EQ(rig.comm().Phase(), jpFailed);
        rig.tick();
        EXPECT_EQ(rig.comm().Phase(), jpIdle);
        EXPECT_FALSE(rig.kom().IsPortOpen());
        EXPECT_EQ(rig.main->projectWindowCount(), 1) << "a cancelled upload opens nothing";
    }
}

TEST_F(TerminalJobsTest, CommandsNeedAProjectOrRoomForOne) {
    TerminalRig rig;
    rig.main->AppIdle();
    for (const char* name :
         {"KyrInfoItem", "KyrClockItem", "KyrUploadItem", "FirmwareMItem", "FirmwareLumItem"})
        EXPECT_TRUE(item(rig, name)->isEnabled()) << name;
    EXPECT_FALSE(item(rig, "KyrDownloadItem")->isEnabled());

    for (auto click :
         {&TTerminalCommands::KyrDownloadItemClick, &TTerminalCommands::KyrVerifyItemClick}) {
        rig.dialog.clear();
        (rig.terminal().*click)();
        EXPECT_EQ(rig.dialog.texts(), std::vector<std::string>{"No KYR Data Selected"});
    }
    for (int i = 0; i < TMainMDIForm::MaxProjectWindows; ++i)
        rig.main->CreateProjectWindow(TKyrData::FromFile(test::examplePath("boiler-t240e.kyr")));
    rig.dialog.clear();
    item(rig, "KyrUploadItem")->trigger();
    EXPECT_EQ(rig.dialog.texts(), std::vector<std::string>{"Too many open files"});
    EXPECT_TRUE(rig.shown.empty());
    EXPECT_FALSE(rig.kom().IsPortOpen());
}

TEST_F(TerminalJobsTest, AJobThatIsStillEndingRefusesTheNextWithABeep) {
    TerminalRig rig;
    ASSERT_NE(openBoiler(rig), nullptr);
    item(rig, "KyrDownloadItem")->trigger();
    // The timers without the idle pass: the job ends and waits for it.
    for (int i = 0; i < 20000 && rig.comm().Phase() != jpFinished; ++i) {
        rig.terminal().KomTimerTimer();
        rig.terminal().simTerminals().advance(TerminalRig::Tick);
        rig.terminal().CommTimerTimer();
    }
    ASSERT_EQ(rig.comm().Phase(), jpFinished);
    for (const char* name : {"KyrDownloadItem", "KyrVerifyItem", "KyrUploadItem", "FirmwareMItem",
                             "FirmwareLumItem"}) {
        rig.dialog.clear();
        item(rig, name)->trigger();
        EXPECT_EQ(rig.dialog.beeps, 1) << name;
        EXPECT_TRUE(rig.dialog.texts().empty()) << name;
    }
    EXPECT_EQ(rig.shown.size(), 1u);
    rig.main->AppIdle();
    EXPECT_EQ(rig.comm().Phase(), jpIdle);
    EXPECT_FALSE(rig.kom().IsPortOpen());
}

TEST_F(TerminalJobsTest, APortThatCannotBeOpenedIsReported) {
    TerminalRig rig(test::simSettings("sim:x"));
    ASSERT_NE(openBoiler(rig), nullptr);
    rig.terminal().SetPortFactory([](const std::string&) { return std::unique_ptr<SerialPort>(); });
    item(rig, "KyrDownloadItem")->trigger();
    EXPECT_EQ(rig.dialog.texts(), std::vector<std::string>{"Cannot open serial port 1 (sim:x)"});
    EXPECT_TRUE(rig.shown.empty());
    EXPECT_EQ(rig.comm().Phase(), jpIdle);
}

TEST_F(TerminalJobsTest, SimPlaysTheActiveProjectsTypeOrTheLinksFirstType) {
    struct Case {
        Settings settings;
        bool project;
        int type;
    };
    for (const Case& c : {Case{test::simSettings("sim:", false), false, 0},
                          Case{test::simSettings("SIM:", true), false, 4},
                          Case{test::simSettings("sim:", true), true, 0},
                          Case{test::simSettings("Sim:3", false), true, 3}}) {
        SCOPED_TRACE(c.settings.portName);
        TerminalRig rig(c.settings);
        if (c.project) {
            ASSERT_NE(openBoiler(rig), nullptr);
        }
        item(rig, "KyrInfoItem")->trigger();
        ASSERT_TRUE(rig.kom().IsPortOpen());
        for (int type = 0; type < sim::SimTerminalPool::TypeCount; ++type)
            EXPECT_EQ(rig.terminal().simTerminals().existing(type) != nullptr, type == c.type)
                << "type " << type;
        rig.terminal().infoForm().reject();
        EXPECT_FALSE(rig.kom().IsPortOpen());
    }
}

}  // namespace
}  // namespace kyr

// The info and clock dialogs against the simulated terminal.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include "TerminalTestSupport.h"
#include "app/KyrClockForm.h"
#include "app/KyrInfoForm.h"
#include "app/Progress.h"

namespace kyr {
namespace {

using test::TerminalRig;

QAction* item_of(const TMainMDIForm& main, const char* name) {
    return test::findNamed<QAction>(&main, name);
}
QAction* item(const TerminalRig& rig, const char* name) { return item_of(*rig.main, name); }

class InfoTest : public ::testing::Test {
protected:
    void SetUp() override { setLanguage(LangEnglish); }
    void TearDown() override { setLanguage(LangEnglish); }

    // Opens the dialog from the menu and ticks until everything has answered.
    TKyrInfoForm& open(TerminalRig& rig) {
        item(rig, "KyrInfoItem")->trigger();
        TKyrInfoForm& form = rig.terminal().infoForm();
        EXPECT_EQ(rig.shown, std::vector<std::string>{"KyrInfoForm"});
        EXPECT_TRUE(form.isVisible());
        EXPECT_TRUE(rig.tickUntil([&] { return form.info().Complete(); }, 400));
        return form;
    }
    static QString text(const TKyrInfoForm& form, const char* name) {
        return test::findNamed<QLabel>(&form, name)->text();
    }
    static bool shown(const TKyrInfoForm& form, const char* name) {
        return test::findNamed<QWidget>(&form, name)->isVisible();
    }
};

TEST_F(InfoTest, ShowsTheSimulatedTerminalsTypeAndClosesThePort) {
    TerminalRig rig(test::simSettings("sim:0"));
    TKyrInfoForm& form = open(rig);
    EXPECT_TRUE(form.errCntTimer()->isActive());
    EXPECT_EQ(form.errCntTimer()->interval(), 100);
    EXPECT_EQ(text(form, "TypeLabel"), "KYR-T240(E)");
    EXPECT_EQ(text(form, "FirmwareVersionLabel"), "KYR V2.57");
    EXPECT_TRUE(shown(form, "MemGroupBox"));
    EXPECT_TRUE(shown(form, "SwitchGroupBox"));
    EXPECT_FALSE(shown(form, "ProtocolGroupBox"));
    EXPECT_FALSE(shown(form, "BootGroupBox"));
    EXPECT_FALSE(text(form, "MemTypeLabel").isEmpty());
    EXPECT_TRUE(text(form, "UserProgramLabel").startsWith("User Program in"));

    // A finished request is followed by the next while the dialog is open.
    sim::SimPort* port = rig.terminal().simTerminals().existing(0);
    const std::size_t sent = port->sentBytes().size();
    rig.ticks(20);
    EXPECT_GT(port->sentBytes().size(), sent);

    test::findNamed<QPushButton>(&form, "OkBtn")->click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(form.errCntTimer()->isActive());
    EXPECT_FALSE(rig.kom().IsPortOpen()) << "closing the dialog closes the port";
}

TEST_F(InfoTest, RelabelsWithTheLanguage) {
    TerminalRig rig(test::simSettings("sim:1"));
    TKyrInfoForm& form = open(rig);
    EXPECT_EQ(text(form, "TypeLabel"), "KYR-T220");
    EXPECT_FALSE(text(form, "BridgeModeLabel").isEmpty());
    setLanguage(LangGerman);
    rig.main->SetLanguageTexts();
    EXPECT_EQ(test::findNamed<QGroupBox>(&form, "TypeGroupBox")->title(), "Typ");
    EXPECT_EQ(test::findNamed<QGroupBox>(&form, "MemGroupBox")->title(), "Zusatzspeicher MEM");
    EXPECT_TRUE(text(form, "UserProgramLabel").startsWith("Anwenderprogramm im"));
    form.reject();
}

TEST_F(InfoTest, LumTerminalListsItsProtocols) {
    TerminalRig rig(test::simSettings("sim:4", true));
    TKyrInfoForm& form = open(rig);
    EXPECT_EQ(text(form, "TypeLabel"), "LUM Sigma");
    EXPECT_TRUE(shown(form, "ProtocolGroupBox"));
    EXPECT_FALSE(text(form, "ProtocolLabel1").isEmpty());
    EXPECT_FALSE(shown(form, "MemGroupBox"));
    form.reject();
}

TEST_F(InfoTest, MiniShowsItsBootVersion) {
    TerminalRig rig(test::simSettings("sim:2"));
    TKyrInfoForm& form = open(rig);
    EXPECT_EQ(text(form, "TypeLabel"), "KYR Mini");
    EXPECT_TRUE(shown(form, "BootGroupBox"));
    EXPECT_TRUE(text(form, "BootLabel").startsWith("BOOT V"));
    form.reject();
}

TEST_F(InfoTest, ATerminalThatStopsAnsweringEmptiesTheLabels) {
    TerminalRig rig(test::simSettings("sim:0"));
    TKyrInfoForm& form = open(rig);
    ASSERT_EQ(text(form, "TypeLabel"), "KYR-T240(E)");
    rig.terminal().simTerminals().existing(0)->failReads(1000000);
    ASSERT_TRUE(rig.tickUntil(
        [&] {
            form.ErrCntTimerTimer();  // the 100 ms timer, once a tick here
            return text(form, "TypeLabel").isEmpty();
        },
        400));
    EXPECT_FALSE(shown(form, "MemGroupBox"));
    form.reject();
}

class ClockTest : public ::testing::Test {
protected:
    void SetUp() override {
        setLanguage(LangEnglish);
        item(rig, "KyrClockItem")->trigger();
        ASSERT_EQ(rig.shown, std::vector<std::string>{"KyrClockForm"});
        ASSERT_TRUE(rig.tickUntil([&] { return form().clock().HasReading(); }, 400));
    }
    void TearDown() override { setLanguage(LangEnglish); }

    TKyrClockForm& form() { return rig.terminal().clockForm(); }
    QString text(TClockField f) { return form().field(f)->text(); }
    sim::ClockFields terminalClock() {
        sim::SimPort* port = rig.terminal().simTerminals().existing(0);
        return port->terminal().clock(port->clock().nowMs());
    }
    // Leaves the field, which sends what was edited, and waits for the terminal to take it.
    void leaveAndSend() {
        form().FieldExit();
        ASSERT_TRUE(form().clock().SetPending());
        ASSERT_TRUE(rig.tickUntil([&] { return !form().clock().SetPending(); }, 400));
    }
    QToolButton* spin(const char* name, const char* button) {
        return test::findNamed<QWidget>(&form(), name)->findChild<QToolButton*>(button);
    }

    TerminalRig rig{test::simSettings("sim:0")};
};

TEST_F(ClockTest, FieldsShowTheSimulatedClock) {
    EXPECT_EQ(form().windowTitle(), "KYR Clock");
    EXPECT_EQ(test::findNamed<QGroupBox>(&form(), "KyrClockGroupBox")->title(), "KYR Clock");
    EXPECT_EQ(test::findNamed<QGroupBox>(&form(), "PcClockGroupBox")->title(), "PC Clock");
    EXPECT_EQ(test::findNamed<QPushButton>(&form(), "PcToKyrBtn")->text(), "PC->&KYR");
    auto* days = test::findNamed<QComboBox>(&form(), "DayComboBox");
    EXPECT_EQ(days->count(), 7);
    EXPECT_EQ(days->currentText(), "Thu");
    EXPECT_EQ(text(TClockField::Hour), "12");
    EXPECT_EQ(text(TClockField::Minute), "00");
    EXPECT_EQ(text(TClockField::Day), "01");
    EXPECT_EQ(text(TClockField::Month), "01");
    EXPECT_EQ(text(TClockField::Year), "26");
    EXPECT_FALSE(test::findNamed<QLabel>(&form(), "PcClockLabel")->text().isEmpty());

    setLanguage(LangCzech);
    rig.main->SetLanguageTexts();
    EXPECT_EQ(days->itemText(0), "Ne");
    EXPECT_EQ(days->currentText(), "Čt");
    EXPECT_EQ(form().windowTitle(), "Hodiny KYR");
}

TEST_F(ClockTest, SpinWrapsAtTheEdgesAndLeavingAFieldSetsTheTerminal) {
    form().FieldEnter(TClockField::Hour);
    form().FieldEdited(TClockField::Hour, "23");
    form().SpinClick(TClockGroup::Time, true);
    EXPECT_EQ(text(TClockField::Hour), "00");
    rig.ticks(3);
    EXPECT_EQ(text(TClockField::Hour), "00") << "the edited field keeps its text";

    form().FieldEnter(TClockField::Month);  // leaving the hour sends it
    form().FieldEdited(TClockField::Month, "01");
    form().SpinClick(TClockGroup::Date, false);
    EXPECT_EQ(text(TClockField::Month), "12");
    leaveAndSend();
    const sim::ClockFields clock = terminalClock();
    EXPECT_EQ(clock.hour, 0);
    EXPECT_EQ(clock.month, 12);
    EXPECT_EQ(clock.day, 1);
    EXPECT_EQ(rig.dialog.beeps, 0);
    rig.ticks(4);
    EXPECT_EQ(text(TClockField::Month), "12") << "the reading follows the terminal again";

    // The buttons step the field last focused in their group.
    ASSERT_NE(spin("TimeSpinButton", "UpBtn"), nullptr);
    ASSERT_NE(spin("DateSpinButton", "DownBtn"), nullptr);
    spin("TimeSpinButton", "UpBtn")->click();
    EXPECT_EQ(text(TClockField::Hour), "01");
    spin("DateSpinButton", "DownBtn")->click();
    EXPECT_EQ(text(TClockField::Month), "11");
}

TEST_F(ClockTest, AValueAbove99BeepsAndIsSentAsZero) {
    form().FieldEnter(TClockField::Year);
    form().FieldEdited(TClockField::Year, "123");
    leaveAndSend();
    EXPECT_EQ(rig.dialog.beeps, 1);
    EXPECT_EQ(terminalClock().year, 0);
}

TEST_F(ClockTest, ChoosingADaySendsItOnLeaving) {
    form().DayActivated(6);
    leaveAndSend();
    EXPECT_EQ(terminalClock().dayOfWeek, 6);
}

TEST_F(ClockTest, PcButtonSetsTheTerminalFromThePcClock) {
    test::findNamed<QPushButton>(&form(), "PcToKyrBtn")->click();
    ASSERT_TRUE(rig.tickUntil([&] { return !form().clock().SetPending(); }, 400));
    const TPcTime pc = pcTimeNow();
    const sim::ClockFields clock = terminalClock();
    EXPECT_EQ(clock.year, pc.year % 100);
    EXPECT_EQ(clock.month, pc.month);
    EXPECT_EQ(clock.day, pc.day);
}

TEST_F(ClockTest, ClosingSendsTheChangeBeforeThePortCloses) {
    form().FieldEnter(TClockField::Minute);
    form().FieldEdited(TClockField::Minute, "42");
    test::findNamed<QPushButton>(&form(), "OkBtn")->click();
    EXPECT_FALSE(form().isVisible());
    EXPECT_TRUE(rig.kom().IsPortOpen()) << "the set request still has to go out";
    ASSERT_TRUE(rig.tickUntil([&] { return !rig.kom().IsPortOpen(); }, 400));
    EXPECT_EQ(terminalClock().minute, 42);
}

TEST_F(ClockTest, ClosingWithoutAChangeClosesThePortAtOnce) {
    form().reject();
    EXPECT_FALSE(rig.kom().IsPortOpen());
    EXPECT_FALSE(form().PortClosePending());
}

// The program's own way: the dialog runs modally in a nested event loop, the 50 ms timers
// drive the link and the idle pass refreshes the dialog, against a real-time simulated
// terminal. A watchdog closes the dialog should anything stall.
TEST(TerminalDialogsEventLoop, InfoRunsModallyOnTheTimers) {
    setLanguage(LangEnglish);
    test::guiApp();
    QTemporaryDir dir;
    test::RecordingDialog dialog;
    TMainMDIForm main(SettingsFile(dir.filePath("kyr.ini")), test::simSettings("sim:0"),
                      ProgramOptions{});
    TKyrInfoForm& form = main.terminal().infoForm();
    QString type;
    QTimer poll;
    poll.setInterval(20);
    int polls = 0;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!form.isVisible()) return;
        type = test::findNamed<QLabel>(&form, "TypeLabel")->text();
        if (!type.isEmpty() || ++polls > 250) form.accept();
    });
    poll.start();
    item_of(main, "KyrInfoItem")->trigger();
    EXPECT_EQ(type, "KYR-T240(E)");
    EXPECT_FALSE(main.terminal().kom().IsPortOpen());
}

TEST(TerminalDialogsEventLoop, CancelInTheModalProgressDialog) {
    setLanguage(LangEnglish);
    test::guiApp();
    QTemporaryDir dir;
    test::RecordingDialog dialog;
    TMainMDIForm main(SettingsFile(dir.filePath("kyr.ini")), test::simSettings("sim:"),
                      ProgramOptions{});
    ASSERT_NE(main.OpenProjectFile(QString::fromStdString(test::examplePath("boiler-t240e.kyr"))),
              nullptr);
    main.AppIdle();
    QTimer::singleShot(300, [&] {
        auto* cancel = test::findNamed<QPushButton>(&main.terminal().progressDlg(), "CancelBtn");
        if (main.terminal().progressDlg().isVisible()) cancel->click();
    });
    item_of(main, "KyrDownloadItem")->trigger();
    EXPECT_EQ(dialog.texts(), std::vector<std::string>{"Program transmission aborted by user"});
    main.AppIdle();
    EXPECT_EQ(main.terminal().comm().Phase(), jpIdle);
    EXPECT_FALSE(main.terminal().kom().IsPortOpen());
}

}  // namespace
}  // namespace kyr

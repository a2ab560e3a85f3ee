#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMenu>
#include <QDir>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTemporaryDir>
#include <memory>

#include "GuiTestSupport.h"
#include "RecordingDialog.h"
#include "app/FileForm.h"
#include "app/MainForm.h"
#include "model/DataClass.h"
#include "model/Texts.h"

namespace kyr {
namespace {

class ProjectWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::guiApp();
        setLanguage(LangEnglish);
        TKyrFileForm::NextScreenNumber = 0;
        TKyrFileForm::NextExdNumber = 0;
        main = std::make_unique<TMainMDIForm>(SettingsFile(dir.filePath("kyr.ini")), Settings{},
                                              ProgramOptions{});
        main->show();
    }
    void TearDown() override {
        for (TKyrFileForm* form : main->projectWindows()) form->project().ClearModified();
        main.reset();
        setLanguage(LangEnglish);
    }

    // A project window on the Screens page: a project with a PLC protocol (code 1, Omron).
    TKyrFileForm* openProject(std::uint8_t type = 0, std::uint8_t protocol = 1) {
        auto project = TKyrData::NewProject(untitled++, type);
        project->Setup().SetProtocol(protocol);
        return main->CreateProjectWindow(std::move(project));
    }
    static QListWidget* screens(TKyrFileForm* form) {
        return test::findNamed<QListWidget>(form, "ScrListBox");
    }
    static QListWidget* exdTables(TKyrFileForm* form) {
        return test::findNamed<QListWidget>(form, "ExdTabListBox");
    }
    static std::vector<int> screenNumbers(const TKyrFileForm* form) {
        std::vector<int> numbers;
        for (const auto& s : form->project().Screens()) numbers.push_back(s->Number());
        return numbers;
    }
    static void selectRows(QListWidget* list, std::initializer_list<int> rows) {
        list->clearSelection();
        for (int row : rows) {
            list->setCurrentRow(row, QItemSelectionModel::Select);
        }
    }
    void addScreens(TKyrFileForm* form, std::initializer_list<int> numbers) {
        int at = form->project().ScreenCount();
        for (int n : numbers) form->project().AddScreen(n, at++);
        form->project().ClearModified();
        form->RefreshScreenList(0);
    }
    QString savedProject(const char* name, std::uint8_t protocol = 1) {
        auto project = TKyrData::NewProject(0, 0);
        project->Setup().SetProtocol(protocol);
        const QString path = dir.filePath(name);
        EXPECT_TRUE(project->SaveToFile(path.toStdString(), ""));
        return path;
    }

    QTemporaryDir dir;
    test::RecordingDialog dialog;
    std::unique_ptr<TMainMDIForm> main;
    int untitled = 0;
};

TEST_F(ProjectWindowTest, NewProjectsAreNamedByTheUntitledCounter) {
    EXPECT_EQ(openProject()->windowTitle(), "NoName ");
    EXPECT_EQ(openProject()->windowTitle(), "NoName 1");
}

TEST_F(ProjectWindowTest, FileNewAsksForTheTypeAndRemembersIt) {
    test::whenModal([](QWidget* modal) {
        ASSERT_EQ(modal->windowTitle(), "New File");
        test::findNamed<QRadioButton>(modal, "KyrTypeRadio3")->setChecked(true);
        test::findNamed<QPushButton>(modal, "OkBtn")->click();
    });
    main->action(Cmd::FileNew)->trigger();
    ASSERT_EQ(main->projectWindowCount(), 1);
    TKyrFileForm* form = main->projectWindows().front();
    EXPECT_EQ(form->project().TermType(), 3);
    EXPECT_EQ(form->windowTitle(), "NoName ");

    bool remembered = false;
    test::whenModal([&](QWidget* modal) {
        remembered = test::findNamed<QRadioButton>(modal, "KyrTypeRadio3")->isChecked();
        test::findNamed<QPushButton>(modal, "CancelBtn")->click();
    });
    main->action(Cmd::FileNew)->trigger();
    EXPECT_TRUE(remembered);
    EXPECT_EQ(main->projectWindowCount(), 1);
}

TEST_F(ProjectWindowTest, AFourthProjectWindowIsRefused) {
    for (int i = 0; i < TMainMDIForm::MaxProjectWindows; ++i) openProject();
    const QString path = savedProject("four.kyr");
    main->action(Cmd::FileNew)->trigger();
    EXPECT_EQ(main->OpenProjectFile(path), nullptr);
    EXPECT_EQ(main->projectWindowCount(), 3);
    ASSERT_EQ(dialog.texts(), (std::vector<std::string>{"Too many open files", "Too many open files"}));
    EXPECT_EQ(dialog.entries[0].title, "KYR");
    EXPECT_EQ(dialog.entries[0].kind, MsgKind::Warning);
}

TEST_F(ProjectWindowTest, OpeningAMissingFileSaysSo) {
    EXPECT_EQ(main->OpenProjectFile(dir.filePath("missing.kyr")), nullptr);
    ASSERT_EQ(dialog.texts(), std::vector<std::string>{" File not found."});
    EXPECT_EQ(main->projectWindowCount(), 0);
}

TEST_F(ProjectWindowTest, OpeningAFileShowsItAndPutsItFirstInTheRecentList) {
    const QString first = savedProject("first.kyr");
    const QString second = savedProject("second.kyr");
    main->OpenProjectFile(first);
    TKyrFileForm* form = main->OpenProjectFile(second);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->windowTitle(), second);
    EXPECT_EQ(main->recentFiles().files(),
              (std::vector<std::string>{second.toStdString(), first.toStdString()}));
    EXPECT_EQ(test::findNamed<QStackedWidget>(form, "Notebook")->currentIndex(),
              TKyrFileForm::PageScreens);
}

TEST_F(ProjectWindowTest, ReopeningAnOpenChangedFileBringsItToTheFront) {
    const QString path = savedProject("open.kyr");
    TKyrFileForm* form = main->OpenProjectFile(path);
    main->OpenProjectFile(savedProject("other.kyr"));
    form->project().SetModified();
    EXPECT_EQ(main->OpenProjectFile(path), form);
    EXPECT_EQ(main->projectWindowCount(), 2);
    EXPECT_EQ(main->activeProjectWindow(), form);
    ASSERT_EQ(dialog.texts().size(), 1u);
    EXPECT_EQ(dialog.texts()[0], "The file " + path.toStdString() + " is already open and was changed.");
    EXPECT_EQ(dialog.entries[0].kind, MsgKind::Information);
}

TEST_F(ProjectWindowTest, WithoutProtocolOnlyTheSetupPageIsShown) {
    TKyrFileForm* form = openProject(0, 0);
    auto* tabs = test::findNamed<QTabBar>(form, "TabSet");
    EXPECT_FALSE(tabs->isEnabled());
    EXPECT_EQ(form->pageIndex(), TKyrFileForm::PageSetup);
    EXPECT_FALSE(form->TabSetChange(TKyrFileForm::PageScreens));
    EXPECT_EQ(form->pageIndex(), TKyrFileForm::PageSetup);
    EXPECT_EQ(tabs->currentIndex(), TKyrFileForm::PageSetup);
}

TEST_F(ProjectWindowTest, TabsAndButtonsFollowTheLanguage) {
    TKyrFileForm* form = openProject();
    auto* tabs = test::findNamed<QTabBar>(form, "TabSet");
    EXPECT_EQ(tabs->tabText(0), "&Screens");
    EXPECT_EQ(tabs->tabText(1), "Control Ta&ble");
    EXPECT_EQ(tabs->tabText(2), "&EXD Tables");
    EXPECT_EQ(tabs->tabText(3), "S&etup");
    main->action(Cmd::TestLanguage)->trigger();
    EXPECT_EQ(tabs->tabText(0), "&Obrazovky");
    EXPECT_EQ(test::findNamed<QPushButton>(form, "ScrSortBtn")->text(), "Seřadit");
    main->action(Cmd::TestLanguage)->trigger();
    EXPECT_EQ(tabs->tabText(0), "&Bildschirme");
    EXPECT_EQ(form->editMenu()->title(), "&Bearbeiten");
}

TEST_F(ProjectWindowTest, ScreenLinesLineUpTheNumbers) {
    TKyrFileForm* form = openProject();
    addScreens(form, {5, 50, 500});
    form->project().Screen(0).SetComment("start");
    form->RefreshScreenList(0);
    QListWidget* list = screens(form);
    EXPECT_EQ(list->item(0)->text(), "    5  start");
    EXPECT_EQ(list->item(1)->text(), "  50  ");
    EXPECT_EQ(list->item(2)->text(), "500  ");
}

TEST_F(ProjectWindowTest, InsertScreenPlacesTheNewScreenByTheCurrentLine) {
    TKyrFileForm* form = openProject();
    addScreens(form, {10, 20, 30});
    QListWidget* list = screens(form);

    struct Case {
        int current;
        const char* number;
        std::vector<int> expected;
    } cases[] = {
        {-1, "1", {1, 10, 20, 30}},
        {3, "2", {1, 10, 20, 30, 2}},
        {2, "3", {1, 10, 3, 20, 30, 2}},
    };
    for (const Case& c : cases) {
        list->setCurrentRow(c.current);
        dialog.inputs.push_back(c.number);
        form->runCommand(Cmd::InsertScreen);
        EXPECT_EQ(screenNumbers(form), c.expected) << c.number;
    }
    EXPECT_TRUE(form->project().Modified());
    EXPECT_EQ(list->currentRow(), 2);
}

TEST_F(ProjectWindowTest, InsertScreenProposalsAreSharedByAllWindows) {
    TKyrFileForm* first = openProject();
    TKyrFileForm* second = openProject();
    dialog.inputs = {std::string("0"), std::string("1")};
    first->runCommand(Cmd::InsertScreen);
    EXPECT_EQ(dialog.lastInitial, "0");
    first->runCommand(Cmd::InsertScreen);
    EXPECT_EQ(dialog.lastInitial, "1") << "the next query starts at the last number given";
    dialog.inputs = {std::string("1")};
    second->runCommand(Cmd::InsertScreen);
    EXPECT_EQ(dialog.lastInitial, "1");
    EXPECT_EQ(dialog.entries.back().title, "New Screen");
    EXPECT_EQ(dialog.entries.back().text, "Enter number");
}

TEST_F(ProjectWindowTest, TheNumberQueryKeepsToItsLimits) {
    struct Case {
        bool exd;
        int max;
        bool system;
    } cases[] = {{false, 999, false}, {false, 3000, true}, {true, 9, false}};
    for (const Case& c : cases) {
        TKyrFileForm::MaxScreenNumber = c.system ? 3000 : 999;
        TKyrFileForm* form = openProject();
        form->project().AddScreen(0, 0);
        form->project().AddExdTable(0, 0);
        dialog.clear();
        dialog.inputs = {std::to_string(c.max + 1), std::string("-1"), std::string("x1"),
                         std::string("0"), std::to_string(c.max)};
        int number = 0;
        EXPECT_TRUE(form->AskNumber(number, c.exd, false));
        EXPECT_EQ(number, c.max);
        ASSERT_EQ(dialog.texts(),
                  (std::vector<std::string>{"Enter number", "Bad number; try again",
                                            "Bad number; try again", "Bad number; try again",
                                            "This number is already used; enter another"}));
        EXPECT_EQ(dialog.entries[0].title, c.exd ? "New EXD Table" : "New Screen");
        form->project().ClearModified();
        form->parentWidget()->close();
    }
    TKyrFileForm::MaxScreenNumber = 999;
}

TEST_F(ProjectWindowTest, InsertExdTableDoesNothingWhenAllNumbersAreUsed) {
    TKyrFileForm* form = openProject();
    for (int n = 0; n <= 9; ++n) form->project().AddExdTable(static_cast<std::uint8_t>(n), n);
    form->RefreshExdList(0);
    ASSERT_TRUE(form->TabSetChange(TKyrFileForm::PageExd));
    form->runCommand(Cmd::InsertExd);
    EXPECT_TRUE(dialog.entries.empty());
    EXPECT_EQ(form->project().ExdCount(), 10);
}

TEST_F(ProjectWindowTest, DeleteAsksAndRemovesTheSelectedScreens) {
    TKyrFileForm* form = openProject();
    addScreens(form, {1, 2, 3, 4});
    QListWidget* list = screens(form);

    list->clearSelection();
    form->runCommand(Cmd::DeleteScreen);
    EXPECT_EQ(dialog.beeps, 1);

    selectRows(list, {1});
    dialog.answers = {Answer::No};
    form->runCommand(Cmd::DeleteScreen);
    EXPECT_EQ(dialog.texts().back(), "Do you really want to delete screen NoName  [2] ?");
    EXPECT_EQ(dialog.entries.back().title, "KYR");
    EXPECT_EQ(screenNumbers(form), (std::vector<int>{1, 2, 3, 4}));

    form->project().Screen(1).SetModified(true);
    selectRows(list, {1});
    dialog.answers = {Answer::Yes};
    form->runCommand(Cmd::DeleteScreen);
    EXPECT_EQ(dialog.texts().back(),
              "Screen NoName  [2] is modified; Do you want to cancel all changes ?");
    EXPECT_EQ(screenNumbers(form), (std::vector<int>{1, 3, 4}));
    EXPECT_EQ(list->currentRow(), 1);

    selectRows(list, {0, 2});
    dialog.answers = {Answer::Yes};
    form->runCommand(Cmd::DeleteScreen);
    EXPECT_EQ(dialog.texts().back(), "Do you really want to delete all marked screens?");
    EXPECT_EQ(screenNumbers(form), (std::vector<int>{3}));
    EXPECT_TRUE(form->project().Modified());
}

TEST_F(ProjectWindowTest, GermanDeleteQuestionsEndWithLoeschen) {
    setLanguage(LangGerman);
    TKyrFileForm* form = openProject();
    addScreens(form, {7});
    selectRows(screens(form), {0});
    form->runCommand(Cmd::DeleteScreen);
    EXPECT_EQ(dialog.texts().back(), "Wollen Sie wirklich den Bildschirm NoName  [7] löschen ?");
}

TEST_F(ProjectWindowTest, SortOrdersTheScreensByNumber) {
    TKyrFileForm* form = openProject();
    addScreens(form, {30, 10, 20});
    test::findNamed<QPushButton>(form, "ScrSortBtn")->click();
    EXPECT_EQ(screenNumbers(form), (std::vector<int>{10, 20, 30}));
    EXPECT_TRUE(form->project().Modified());
}

TEST_F(ProjectWindowTest, PastingTwoCopiedScreensAsksTwiceForFreeNumbers) {
    TKyrFileForm* form = openProject();
    addScreens(form, {5, 6, 7});
    form->project().Screen(0).SetComment("five");
    selectRows(screens(form), {0, 1});
    form->runCommand(Cmd::Copy);

    screens(form)->setCurrentRow(2);
    dialog.inputs = {std::string("8"), std::string("9")};
    form->runCommand(Cmd::Paste);
    ASSERT_EQ(dialog.entries.size(), 2u);
    EXPECT_EQ(dialog.entries[0].title, "New Screen (5)");
    EXPECT_EQ(dialog.entries[1].title, "New Screen (6)");
    EXPECT_EQ(screenNumbers(form), (std::vector<int>{5, 6, 7, 8, 9}));
    EXPECT_EQ(form->project().Screen(3).Comment(), "five");
    EXPECT_EQ(screens(form)->currentRow(), 4);
    EXPECT_TRUE(form->project().Modified());
}

TEST_F(ProjectWindowTest, PastingOnlyAsksWhenTheNumberIsTaken) {
    TKyrFileForm* source = openProject();
    addScreens(source, {40});
    selectRows(screens(source), {0});
    source->runCommand(Cmd::Copy);
    TKyrFileForm* target = openProject();
    addScreens(target, {1});
    screens(target)->setCurrentRow(-1);
    target->runCommand(Cmd::Paste);
    EXPECT_TRUE(dialog.entries.empty());
    EXPECT_EQ(screenNumbers(target), (std::vector<int>{40, 1}));
}

TEST_F(ProjectWindowTest, PastingTextThatIsNoScreenBeeps) {
    TKyrFileForm* form = openProject();
    QGuiApplication::clipboard()->setText("not a screen");
    form->runCommand(Cmd::Paste);
    EXPECT_EQ(dialog.beeps, 1);
    EXPECT_EQ(form->project().ScreenCount(), 0);
}

TEST_F(ProjectWindowTest, AnExdTableNameIsCutAtABracketWhenPasted) {
    TKyrFileForm* form = openProject();
    form->project().AddExdTable(2, 0).SetName("ab[cd");
    form->RefreshExdList(0);
    ASSERT_TRUE(form->TabSetChange(TKyrFileForm::PageExd));
    selectRows(exdTables(form), {0});
    form->runCommand(Cmd::Copy);
    dialog.inputs = {std::string("4")};
    form->runCommand(Cmd::Paste);
    ASSERT_EQ(form->project().ExdCount(), 2);
    EXPECT_EQ(form->project().ExdTable(1).Number(), 4);
    EXPECT_EQ(form->project().ExdTable(1).Name(), "ab");
    EXPECT_EQ(dialog.entries.at(0).title, "New EXD Table (2)");
}

TEST_F(ProjectWindowTest, DefaultExdButtonSetsAndClears) {
    TKyrFileForm* form = openProject();
    form->project().AddExdTable(3, 0);
    form->project().AddExdTable(5, 1);
    form->RefreshExdList(1);
    ASSERT_TRUE(form->TabSetChange(TKyrFileForm::PageExd));
    auto* button = test::findNamed<QPushButton>(form, "ExdDefaultBitBtn");
    auto* label = test::findNamed<QLabel>(form, "DefaultExdTabLabel");
    EXPECT_EQ(button->text(), "Set");
    EXPECT_EQ(label->text(), "");
    button->click();
    EXPECT_EQ(form->project().Setup().DefaultExd(), 5);
    EXPECT_EQ(label->text(), "5");
    EXPECT_EQ(button->text(), "Clear");
    button->click();
    EXPECT_EQ(form->project().Setup().DefaultExd(), -1);
    EXPECT_EQ(button->text(), "Set");
}

TEST_F(ProjectWindowTest, CloseQuestionPaths) {
    TKyrFileForm* form = openProject();
    form->project().SetModified();
    QMdiSubWindow* sub = main->mdiArea()->subWindowList().front();

    dialog.answers = {Answer::Cancel};
    sub->close();
    EXPECT_EQ(main->projectWindowCount(), 1);
    EXPECT_EQ(dialog.texts().back(), "The file NoName  was changed. Save before closing?");
    EXPECT_EQ(dialog.entries.back().kind, MsgKind::Question);

    dialog.answers = {Answer::No};
    sub->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(main->projectWindowCount(), 0);
}

TEST_F(ProjectWindowTest, YesToCloseANewProjectAndCancellingSaveAsClosesWithoutSaving) {
    openProject()->project().SetModified();
    dialog.answers = {Answer::Yes};
    test::whenModal([](QWidget* modal) {
        ASSERT_EQ(modal->windowTitle(), "Save KYR File");
        test::findNamed<QPushButton>(modal, "CancelBtn")->click();
    });
    main->AppIdle();
    main->action(Cmd::FileClose)->trigger();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(main->projectWindowCount(), 0);
    EXPECT_TRUE(QDir(dir.path()).entryList({"*.kyr"}, QDir::Files).isEmpty());
}

TEST_F(ProjectWindowTest, SaveAsByExtension) {
    TKyrFileForm* form = openProject();
    const QString target = dir.filePath("saved.kyr");
    test::whenModal([&](QWidget* modal) {
        auto* edit = test::findNamed<QLineEdit>(modal, "FileNameEdit");
        edit->setText(dir.filePath("saved.txt"));
        test::findNamed<QPushButton>(modal, "OkBtn")->click();  // refused, the dialog stays
        edit->setText(target);
        test::findNamed<QPushButton>(modal, "OkBtn")->click();
    });
    main->AppIdle();
    main->action(Cmd::FileSaveAs)->trigger();
    ASSERT_EQ(dialog.texts(), std::vector<std::string>{"File must have the .KYR or .HEX extension"});
    EXPECT_EQ(dialog.entries.back().title, "ERROR");
    EXPECT_EQ(dialog.beeps, 1);
    EXPECT_TRUE(QFile::exists(target));
    EXPECT_EQ(form->windowTitle(), target);
    EXPECT_EQ(form->project().Origin(), TKyrData::OriginFile);
    EXPECT_EQ(main->recentFiles().files().front(), target.toStdString());
}

TEST_F(ProjectWindowTest, SaveAsOverAnExistingFileAsksFirst) {
    const QString existing = savedProject("exists.kyr");
    TKyrFileForm* form = openProject();
    dialog.answers = {Answer::No, Answer::Yes};
    test::whenModal([&](QWidget* modal) {
        test::findNamed<QLineEdit>(modal, "FileNameEdit")->setText(existing);
        test::findNamed<QPushButton>(modal, "OkBtn")->click();
        EXPECT_TRUE(modal->isVisible()) << "No keeps the dialog open";
        test::findNamed<QPushButton>(modal, "OkBtn")->click();
    });
    EXPECT_TRUE(form->SaveAs());
    ASSERT_EQ(dialog.texts().size(), 2u);
    EXPECT_EQ(dialog.texts()[0], "File with this name already exists: overwrite?");
    EXPECT_EQ(dialog.entries[0].title, "CONFIRM");
    EXPECT_EQ(form->windowTitle(), existing);
}

TEST_F(ProjectWindowTest, SaveCommandStateFollowsTheProject) {
    const QString path = savedProject("state.kyr");
    TKyrFileForm* form = main->OpenProjectFile(path);
    main->AppIdle();
    EXPECT_FALSE(main->action(Cmd::FileSave)->isEnabled());
    EXPECT_TRUE(main->action(Cmd::FileSaveAs)->isEnabled());
    EXPECT_TRUE(main->action(Cmd::FileClose)->isEnabled());
    EXPECT_TRUE(main->action(Cmd::InsertScreen)->isVisible());
    form->project().SetModified();
    main->AppIdle();
    EXPECT_TRUE(main->action(Cmd::FileSave)->isEnabled());
    main->action(Cmd::FileSave)->trigger();
    EXPECT_FALSE(form->project().IsModified());
}

}  // namespace
}  // namespace kyr

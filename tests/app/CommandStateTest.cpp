#include <gtest/gtest.h>

#include "app/Commands.h"
#include "app/ProgramOptions.h"
#include "app/RecentFiles.h"

namespace kyr {
namespace {

CommandContext withProject(ProjectSummary project, ChildKind kind = ChildKind::Project,
                           int page = 0) {
    CommandContext c;
    c.childCount = 1;
    c.active = kind;
    c.projectPage = page;
    c.project = project;
    c.terminalLink = true;
    c.printing = true;
    return c;
}

TEST(CommandStateTest, WithoutChildrenOnlyTheFrameCommandsWork) {
    const CommandStates s = commandStates(CommandContext{});
    for (Cmd cmd : {Cmd::FileClose, Cmd::FileSave, Cmd::FileSaveAs, Cmd::FileHex, Cmd::FilePrint,
                    Cmd::KyrDownload, Cmd::KyrVerify, Cmd::WindowCascade, Cmd::WindowTile,
                    Cmd::WindowArrange, Cmd::WindowMinimize, Cmd::Cut, Cmd::Copy, Cmd::Paste})
        EXPECT_FALSE(stateOf(s, cmd).enabled) << commandDef(cmd).objectName;
    for (Cmd cmd : {Cmd::FileExit, Cmd::Settings, Cmd::About, Cmd::TestLanguage})
        EXPECT_TRUE(stateOf(s, cmd).enabled) << commandDef(cmd).objectName;
    for (Cmd cmd : {Cmd::InsertScreen, Cmd::DeleteScreen, Cmd::InsertExd, Cmd::DeleteExd,
                    Cmd::InsertMNUM, Cmd::InsertBAR})
        EXPECT_FALSE(stateOf(s, cmd).visible) << commandDef(cmd).objectName;
}

TEST(CommandStateTest, SaveNeedsAChangeOrAProjectWithoutFile) {
    struct Case {
        bool modified;
        int origin;
        bool save;
    } cases[] = {{false, 1, false}, {true, 1, true}, {false, 0, true}, {false, 2, true}};
    for (const Case& c : cases) {
        const CommandStates s = commandStates(withProject({c.modified, c.origin, 0}));
        EXPECT_EQ(stateOf(s, Cmd::FileSave).enabled, c.save) << c.modified << " " << c.origin;
        EXPECT_TRUE(stateOf(s, Cmd::FileSaveAs).enabled);
        EXPECT_TRUE(stateOf(s, Cmd::KyrDownload).enabled);
        EXPECT_TRUE(stateOf(s, Cmd::FilePrint).enabled);
    }
}

TEST(CommandStateTest, VerifyAndHexDependOnTheTerminalFamily) {
    struct Case {
        int family;
        bool system;
        bool verify;
        bool hex;
    } cases[] = {{0, false, true, true},  {1, false, true, false}, {2, false, false, false},
                 {1, true, true, true},   {2, true, false, true}};
    for (const Case& c : cases) {
        CommandContext context = withProject({false, 1, c.family});
        context.systemMode = c.system;
        const CommandStates s = commandStates(context);
        EXPECT_EQ(stateOf(s, Cmd::KyrVerify).enabled, c.verify) << c.family << c.system;
        EXPECT_EQ(stateOf(s, Cmd::FileHex).enabled, c.hex) << c.family << c.system;
    }
}

TEST(CommandStateTest, PageButtonsFollowTheActiveWindowAndPage) {
    struct Case {
        ChildKind kind;
        int page;
        bool screens;
        bool exd;
        bool fields;
    } cases[] = {{ChildKind::Project, 0, true, false, false},
                 {ChildKind::Project, 1, false, false, false},
                 {ChildKind::Project, 2, false, true, false},
                 {ChildKind::Project, 3, false, false, false},
                 {ChildKind::MultiScreen, -1, false, false, true},
                 {ChildKind::Other, -1, false, false, false}};
    for (const Case& c : cases) {
        const CommandStates s = commandStates(withProject({}, c.kind, c.page));
        EXPECT_EQ(stateOf(s, Cmd::InsertScreen).visible, c.screens);
        EXPECT_EQ(stateOf(s, Cmd::DeleteScreen).visible, c.screens);
        EXPECT_EQ(stateOf(s, Cmd::InsertExd).visible, c.exd);
        EXPECT_EQ(stateOf(s, Cmd::DeleteExd).visible, c.exd);
        for (Cmd cmd : {Cmd::InsertMNUM, Cmd::InsertMSTR, Cmd::InsertSSTR, Cmd::InsertBUTT,
                        Cmd::InsertBAR})
            EXPECT_EQ(stateOf(s, cmd).visible, c.fields);
    }
}

TEST(CommandStateTest, ClipboardButtonsComeFromTheActiveEditorOnly) {
    CommandContext c = withProject({});
    c.edit = {true, false, true};
    CommandStates s = commandStates(c);
    EXPECT_TRUE(stateOf(s, Cmd::Cut).enabled);
    EXPECT_FALSE(stateOf(s, Cmd::Copy).enabled);
    EXPECT_TRUE(stateOf(s, Cmd::Paste).enabled);
    c.active = ChildKind::Other;
    s = commandStates(c);
    EXPECT_FALSE(stateOf(s, Cmd::Cut).enabled);
    EXPECT_FALSE(stateOf(s, Cmd::Paste).enabled);
}

TEST(CommandStateTest, TerminalCommandsNeedTheLink) {
    CommandContext c = withProject({false, 1, 0});
    c.terminalLink = false;
    const CommandStates s = commandStates(c);
    for (Cmd cmd : {Cmd::KyrInfo, Cmd::KyrClock, Cmd::KyrUpload, Cmd::KyrVerify, Cmd::KyrDownload,
                    Cmd::FirmwareM, Cmd::FirmwareLum})
        EXPECT_FALSE(stateOf(s, cmd).enabled) << commandDef(cmd).objectName;
}

TEST(RecentFilesTest, OpeningMovesToTheTopWithoutDuplicates) {
    RecentFiles recent({"/a.kyr", "/b.kyr", "/c.kyr"});
    recent.add("/b.kyr");
    EXPECT_EQ(recent.files(), (std::vector<std::string>{"/b.kyr", "/a.kyr", "/c.kyr"}));
}

TEST(RecentFilesTest, TheNinthFileDropsTheOldest) {
    RecentFiles recent;
    for (int i = 1; i <= 9; ++i) recent.add("/f" + std::to_string(i) + ".kyr");
    ASSERT_EQ(recent.files().size(), 8u);
    EXPECT_EQ(recent.files().front(), "/f9.kyr");
    EXPECT_EQ(recent.files().back(), "/f2.kyr");
}

TEST(RecentFilesTest, ListFromTheSettingsIsTrimmedAndSkipsEmptyNames) {
    std::vector<std::string> names{"", "/x.kyr"};
    for (int i = 0; i < 10; ++i) names.push_back("/n" + std::to_string(i));
    const RecentFiles recent(names);
    EXPECT_EQ(recent.files().size(), 8u);
    EXPECT_EQ(recent.files().front(), "/x.kyr");
}

TEST(ProgramOptionsTest, SysAloneSelectsSystemMode) {
    struct Case {
        QStringList args;
        bool system;
        int files;
    } cases[] = {{{}, false, 0},
                 {{"SYS"}, true, 0},
                 {{"sys"}, true, 0},
                 {{"SYS", "a.kyr"}, false, 2},
                 {{"a.kyr"}, false, 1},
                 {{"a.kyr", "b.kyr", "c.kyr"}, false, 0}};
    for (const Case& c : cases) {
        const ProgramOptions o = parseCommandLine(c.args);
        EXPECT_EQ(o.systemMode, c.system) << c.args.join(' ').toStdString();
        EXPECT_EQ(o.files.size(), c.files) << c.args.join(' ').toStdString();
    }
}

}  // namespace
}  // namespace kyr

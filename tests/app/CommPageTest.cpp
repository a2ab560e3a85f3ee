#include <gtest/gtest.h>

#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "PageTestSupport.h"
#include "model/CommLines.h"

namespace kyr::test {
namespace {

constexpr int Omron = 1;          // family 2, word list IO, LR, HR, DM; systems 0..31
constexpr int HitachiEc = 9;      // family 6, no system numbers
constexpr int AllenBradley = 10;  // family 7
constexpr int HitachiH = 15;      // family 9
constexpr int Koyo = 16;          // family 10
constexpr int Nrx = 35;           // family 16
constexpr int MitsubishiFx = 6;   // family 4, no system numbers

TEST(CommPageTest, IoBoardOneOnTypeZeroEditsRowFourOnTheInputLine) {
    PageHost h(0, Omron, 1);
    TCommTable& t = h.project->CommTable();
    t.SetRow(4, 3, 1, 40);  // I/O: system 3, LR 40
    t.SetRow(5, 2, 0, 50);  // IN
    h.comm->FillCommPage();

    EXPECT_EQ(h.check(5)->text(), "OUT");
    EXPECT_EQ(h.check(6)->text(), "IN");
    EXPECT_FALSE(h.check(5)->isEnabled());
    EXPECT_TRUE(h.check(6)->isEnabled());
    EXPECT_TRUE(h.check(6)->isChecked());
    EXPECT_EQ(h.edit("SystemEdit", 6)->text(), "3");
    EXPECT_EQ(h.edit("BeginEdit", 6)->text(), "40");
    EXPECT_EQ(h.space(6)->currentText(), "LR");

    h.edit("BeginEdit", 6)->setText("41");
    ASSERT_TRUE(h.comm->StoreCommPage());
    EXPECT_EQ(t.Begin(4), 41);
    EXPECT_EQ(t.System(4), 3);
    EXPECT_EQ(static_cast<std::uint8_t>(t.System(5)), 255);  // line 5 is switched off
    EXPECT_EQ(t.Begin(5), 50);
}

TEST(CommPageTest, FillAndStoreKeepTheUsableRowsForEveryTypeAndBoard) {
    for (int type = 0; type <= 9; ++type) {
        for (int board = 0; board <= 4; ++board) {
            SCOPED_TRACE(testing::Message() << "type " << type << " board " << board);
            PageHost h(type, Omron, board);
            TCommTable& t = h.project->CommTable();
            for (int row = 0; row < 8; ++row)
                t.SetRow(row, static_cast<std::int8_t>(row + 1), static_cast<std::uint8_t>(row % 4),
                         static_cast<std::uint16_t>(100 * row + 7));
            t.SetRow(1, TCommTable::SystemTerminal, 20, 499);
            const TCommTable before = t;
            h.comm->FillCommPage();
            EXPECT_FALSE(h.project->Modified());
            ASSERT_TRUE(h.comm->StoreCommPage());
            for (int line = 0; line < 8; ++line) {
                const int row = commLineRow(board, line);
                EXPECT_EQ(t.Space(row), before.Space(row)) << "row " << row;
                EXPECT_EQ(t.Begin(row), before.Begin(row)) << "row " << row;
                if (commLineUsable(type, board, line))
                    EXPECT_EQ(t.System(row), before.System(row)) << "row " << row;
                else
                    EXPECT_EQ(t.System(row), TCommTable::SystemUnused) << "row " << row;
            }
        }
    }
}

TEST(CommPageTest, LayoutByTerminalType) {
    PageHost grand(3, Omron);
    grand.comm->FillCommPage();
    EXPECT_EQ(grand.w<QLabel>("LengthLabel", 3)->text(), "3");
    EXPECT_EQ(grand.check(5)->text(), "LEDs");
    EXPECT_FALSE(grand.check(7)->isHidden());
    EXPECT_TRUE(grand.check(7)->isEnabled());

    PageHost lum(5, Omron);
    lum.comm->FillCommPage();
    EXPECT_EQ(lum.w<QLabel>("LengthLabel", 3)->text(), "2");
    for (int line = 6; line <= 8; ++line) EXPECT_TRUE(lum.check(line)->isHidden()) << line;
    EXPECT_FALSE(lum.check(5)->isHidden());
    EXPECT_FALSE(lum.check(5)->isEnabled());  // no I/O board
    EXPECT_FALSE(lum.check(1)->isEnabled());  // BEEPER is not on LUM terminals
    EXPECT_TRUE(lum.check(2)->isEnabled());

    PageHost mini(2, Omron);
    mini.comm->FillCommPage();
    EXPECT_EQ(mini.check(5)->text(), "LEDs");
    EXPECT_TRUE(mini.check(6)->isHidden());
}

TEST(CommPageTest, SystemTitleIsTheFamilyName) {
    PageHost h(0, AllenBradley);
    h.comm->FillCommPage();
    EXPECT_EQ(h.w<QLabel>("SystemTitleLabel")->text(), "Allen-Bradley");
}

TEST(CommPageTest, TickingALineEnablesItsSystemEditAtOnceAndClearingSwitchesItOff) {
    PageHost h(0, Omron);
    TCommTable& t = h.project->CommTable();
    t.SetRow(1, TCommTable::SystemUnused, 3, 10);  // SCRN off, DM 10
    h.comm->FillCommPage();
    EXPECT_FALSE(h.edit("SystemEdit", 2)->isEnabled());

    h.check(2)->setChecked(true);
    EXPECT_TRUE(h.edit("SystemEdit", 2)->isEnabled());
    EXPECT_EQ(t.System(1), 0);
    EXPECT_EQ(h.edit("SystemEdit", 2)->text(), "0");
    EXPECT_TRUE(h.project->Modified());

    h.check(2)->setChecked(false);
    EXPECT_EQ(t.System(1), TCommTable::SystemUnused);
    EXPECT_FALSE(h.edit("SystemEdit", 2)->isEnabled());
}

TEST(CommPageTest, TerminalSpaceRowsStoreTheTerminalMarkerAndNoSystemEdit) {
    PageHost h(0, Omron);
    TCommTable& t = h.project->CommTable();
    t.SetRow(1, TCommTable::SystemUnused, 20, 10);
    h.comm->FillCommPage();
    h.check(2)->setChecked(true);
    EXPECT_EQ(t.System(1), TCommTable::SystemTerminal);
    EXPECT_FALSE(h.edit("SystemEdit", 2)->isEnabled());
    EXPECT_EQ(h.edit("SystemEdit", 2)->text(), "");
}

TEST(CommPageTest, ProjectsWithoutSystemNumbersShowAStarAndStoreZero) {
    PageHost h(0, MitsubishiFx);
    TCommTable& t = h.project->CommTable();
    t.SetRow(1, 5, 3, 10);
    h.comm->FillCommPage();
    EXPECT_EQ(h.edit("SystemEdit", 2)->text(), "*");
    EXPECT_FALSE(h.edit("SystemEdit", 2)->isEnabled());
    ASSERT_TRUE(h.comm->StoreCommPage());
    EXPECT_EQ(t.System(1), 0);
}

TEST(CommPageTest, BeginOfATerminalSpaceLineIsLimitedTo499) {
    PageHost h(0, Omron);
    h.project->CommTable().SetRow(1, TCommTable::SystemTerminal, 20, 0);
    h.showActive();
    h.comm->FillCommPage();
    QLineEdit* begin = h.edit("BeginEdit", 2);
    begin->setFocus();
    ASSERT_TRUE(begin->hasFocus());

    begin->setText("500");
    EXPECT_FALSE(h.comm->StoreCommPage());
    ASSERT_EQ(h.dialog.texts(), std::vector<std::string>{"Bad number entry"});
    EXPECT_EQ(h.dialog.entries[0].title, "ERROR");
    EXPECT_EQ(h.dialog.entries[0].kind, MsgKind::Error);
    EXPECT_TRUE(begin->hasFocus());
    EXPECT_EQ(begin->text(), "500");
    EXPECT_EQ(h.project->CommTable().Begin(1), 0);

    begin->setText("499");
    EXPECT_TRUE(h.comm->StoreCommPage());
    EXPECT_EQ(h.project->CommTable().Begin(1), 499);
    EXPECT_EQ(h.dialog.texts().size(), 1u);
}

TEST(CommPageTest, ARefusedEntryBeepsWhenTheFocusGoesToAnUpperSpaceList) {
    PageHost h(0, Omron);
    h.project->CommTable().SetRow(1, 1, 3, 0);
    h.showActive();
    h.comm->FillCommPage();
    QLineEdit* system = h.edit("SystemEdit", 2);
    system->setFocus();
    system->setText("32");  // Omron stations are 0..31

    h.space(3)->setFocus();
    EXPECT_EQ(h.dialog.beeps, 1);
    EXPECT_TRUE(h.dialog.texts().empty());
    EXPECT_TRUE(system->hasFocus());

    h.check(1)->setFocus();
    EXPECT_EQ(h.dialog.texts(), std::vector<std::string>{"Bad number entry"});
    EXPECT_TRUE(system->hasFocus());

    system->setText("31");
    h.check(1)->setFocus();
    EXPECT_TRUE(h.check(1)->hasFocus());
    ASSERT_TRUE(h.comm->StoreCommPage());
    EXPECT_EQ(h.project->CommTable().System(1), 31);
}

TEST(CommPageTest, BeginIsShownAndReadInTheFamilyNotation) {
    struct Case {
        int protocol;
        int code;
        std::uint16_t stored;
        const char* text;
        const char* spaceName;
    };
    const Case cases[] = {
        {HitachiEc, 0, 21, "25", "X"},
        {HitachiEc, 3, 1044, "110", "T/C"},
        {HitachiH, 0, 0x1A2, "1A2", "WX"},
        {HitachiH, 5, 1234, "1234", "TC"},
        {Koyo, 0, 8, "10", "V"},
        {Nrx, 1, 0xBEEF, "BEEF", "XDATA"},
        {Nrx, 20, 300, "300", "KYR.##"},
        {Omron, 3, 4321, "4321", "DM"},
        {HitachiEc, 20, 321, "321", "KYR.##"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "protocol " << c.protocol << " code " << c.code);
        PageHost h(0, c.protocol);
        TCommTable& t = h.project->CommTable();
        t.SetRow(1, c.code >= 20 ? TCommTable::SystemTerminal : 0,
                 static_cast<std::uint8_t>(c.code), c.stored);
        h.comm->FillCommPage();
        EXPECT_EQ(h.space(2)->currentText(), c.spaceName);
        EXPECT_EQ(h.edit("BeginEdit", 2)->text(), c.text);
        t.SetBegin(1, 0);
        ASSERT_TRUE(h.comm->StoreCommPage());
        EXPECT_EQ(t.Begin(1), c.stored);
        EXPECT_EQ(t.Space(1), c.code);
    }
}

TEST(CommPageTest, AllenBradleyFileNumberAndSelectorEdits) {
    PageHost h(0, AllenBradley);
    TCommTable& t = h.project->CommTable();
    t.SetRow(1, 1, 4 + 64 * 2, 7 * 256 + 5);  // T7:5, selector 2
    t.SetRow(2, 1, 3, 9 * 256 + 12);          // B9:12
    t.SetRow(3, TCommTable::SystemTerminal, 20, 300);
    h.comm->FillCommPage();

    EXPECT_EQ(h.space(2)->currentText(), "T");
    EXPECT_EQ(h.edit("BeginEdit", 2)->text(), "5");
    EXPECT_EQ(h.edit("SpaceSEdit", 2)->text(), "7");
    EXPECT_EQ(h.edit("ItemSelEdit", 2)->text(), "2");
    EXPECT_FALSE(h.edit("SpaceSEdit", 2)->isHidden());
    EXPECT_FALSE(h.edit("ItemSelEdit", 2)->isHidden());
    EXPECT_EQ(h.edit("BeginEdit", 2)->maxLength(), 3);

    EXPECT_EQ(h.space(3)->currentText(), "B");
    EXPECT_FALSE(h.edit("SpaceSEdit", 3)->isHidden());
    EXPECT_TRUE(h.edit("ItemSelEdit", 3)->isHidden());

    EXPECT_EQ(h.space(4)->currentText(), "KYR.##");
    EXPECT_TRUE(h.edit("SpaceSEdit", 4)->isHidden());
    EXPECT_EQ(h.edit("BeginEdit", 4)->text(), "300");

    h.edit("SpaceSEdit", 2)->setText("200");
    h.edit("ItemSelEdit", 2)->setText("1");
    h.edit("BeginEdit", 2)->setText("255");
    ASSERT_TRUE(h.comm->StoreCommPage());
    EXPECT_EQ(t.Space(1), 4 + 64 * 1);
    EXPECT_EQ(t.Begin(1), 200 * 256 + 255);
    EXPECT_EQ(t.Space(2), 3);
    EXPECT_EQ(t.Begin(2), 9 * 256 + 12);
    EXPECT_EQ(t.Begin(3), 300);
}

TEST(CommPageTest, EntryChecksOfTheAllenBradleyEdits) {
    PageHost h(0, AllenBradley);
    h.project->CommTable().SetRow(1, 1, 4, 0);
    h.showActive();
    h.comm->FillCommPage();
    struct Case {
        const char* edit;
        const char* bad;
        const char* good;
    };
    const Case cases[] = {{"ItemSelEdit", "3", "2"},
                          {"SpaceSEdit", "256", "255"},
                          {"BeginEdit", "256", "255"},
                          {"SystemEdit", "32", "1"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.edit);
        h.dialog.clear();
        QLineEdit* e = h.edit(c.edit, 2);
        e->setFocus();
        e->setText(c.bad);
        EXPECT_FALSE(h.comm->StoreCommPage());
        EXPECT_EQ(h.dialog.texts(), std::vector<std::string>{"Bad number entry"});
        e->setText(c.good);
        EXPECT_TRUE(h.comm->StoreCommPage());
    }
}

TEST(CommPageTest, FamilySixSpaceChangeChecksTheBeginFirst) {
    PageHost h(0, HitachiEc);
    TCommTable& t = h.project->CommTable();
    t.SetRow(1, 0, 0, 21);  // X 25
    h.showActive();
    h.comm->FillCommPage();
    QComboBox* space = h.space(2);
    space->setFocus();
    space->setCurrentIndex(1);  // Y: 25 lies in no Y range
    emit space->activated(1);
    EXPECT_TRUE(h.edit("BeginEdit", 2)->hasFocus());
    EXPECT_EQ(t.Space(1), 0);

    h.edit("BeginEdit", 2)->setText("205");
    space->setFocus();
    emit space->activated(1);
    EXPECT_EQ(t.Space(1), 1);
    EXPECT_EQ(t.Begin(1), 165);
    EXPECT_EQ(h.edit("BeginEdit", 2)->text(), "205");
    EXPECT_TRUE(space->hasFocus());
}

TEST(CommPageTest, SpaceChangeStoresAndRefillsThePage) {
    PageHost h(0, AllenBradley);
    TCommTable& t = h.project->CommTable();
    t.SetRow(1, 1, 3, 0);  // B
    h.showActive();
    h.comm->FillCommPage();
    QComboBox* space = h.space(2);
    space->setFocus();
    space->setCurrentIndex(4);  // T: the selector edit appears
    emit space->activated(4);
    EXPECT_EQ(t.Space(1), 4);
    EXPECT_FALSE(h.edit("ItemSelEdit", 2)->isHidden());
    EXPECT_TRUE(h.edit("SpaceSEdit", 2)->hasFocus());
    EXPECT_TRUE(h.project->Modified());
}

TEST(CommPageTest, BeginOfTheFirstLineDoesNotMarkTheProjectUntilStored) {
    PageHost h(0, Omron);
    h.comm->FillCommPage();
    h.edit("BeginEdit", 1)->setText("3");
    EXPECT_FALSE(h.project->Modified());
    h.edit("BeginEdit", 2)->setText("3");
    EXPECT_TRUE(h.project->Modified());
}

TEST(CommPageTest, AnotherProjectWindowTakingTheFocusChecksNothing) {
    guiApp();
    RecordingDialog dialog;
    auto first = TKyrData::NewProject(0, 0);
    auto second = TKyrData::NewProject(1, 0);
    first->Setup().SetProtocol(Omron);
    second->Setup().SetProtocol(Omron);
    first->CommTable().SetRow(1, TCommTable::SystemTerminal, 20, 0);
    QMdiArea area;
    auto* pageA = new TCommPage;
    auto* pageB = new TCommPage;
    pageA->setProject(first.get());
    pageB->setProject(second.get());
    area.addSubWindow(pageA);
    area.addSubWindow(pageB);
    area.show();
    QApplication::setActiveWindow(&area);
    pageA->FillCommPage();
    pageB->FillCommPage();
    auto* begin = pageA->findChild<QLineEdit*>("BeginEdit2");
    begin->setFocus();
    begin->setText("500");
    pageB->findChild<QCheckBox*>("TabCheckBox2")->setFocus();
    EXPECT_TRUE(dialog.texts().empty());
    EXPECT_EQ(dialog.beeps, 0);
}

}  // namespace
}  // namespace kyr::test

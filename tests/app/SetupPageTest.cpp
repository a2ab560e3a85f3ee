#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>

#include "PageTestSupport.h"
#include "model/Protocols.h"

namespace kyr::test {
namespace {

struct SetupHost : PageHost {
    explicit SetupHost(int type, int protocol = 0, int ioBoard = 0)
        : PageHost(type, protocol, ioBoard) {}

    QComboBox* box(const char* name) const { return w<QComboBox>(name); }
    QCheckBox* tick(const char* name) const { return w<QCheckBox>(name); }
    QListWidget* list(int n) const {
        return w<QListWidget>(n == 1 ? "ModeListBox1" : "ModeListBox2");
    }
    QSpinBox* spin(const char* name) const { return w<QSpinBox>(name); }
    QPushButton* defaultBtn() const { return w<QPushButton>("DefaultBtn"); }

    void fill() { setup->FillSetupPage(); }
    // Opens the vendor lists and chooses the group's entry at `index` with the Enter key.
    void choose(int group, int index) {
        box("ModeComboBox")->showPopup();
        ASSERT_TRUE(list(1)->isVisibleTo(window.get()));
        list(1)->setCurrentRow(group);
        pressKey(list(1), Qt::Key_Return);
        if (group == 0) return;
        ASSERT_TRUE(list(2)->isVisibleTo(window.get()));
        list(2)->setCurrentRow(index);
        pressKey(list(2), Qt::Key_Return);
    }
    std::uint8_t protocol() const { return project->Setup().Protocol(); }
};

constexpr int OmronGroup = 10;
constexpr int ModiconGroup = 9;

std::string defaultsQuestion(const char* name, const char* baud, const char* parity) {
    return std::string("Default communication parameters for ") + name + "\nare " + baud + ",  " +
           parity + ".  Do you want to use these parameters ?";
}

TEST(SetupPageTest, ChoosingOmronHostLinkAsksForItsDefaults) {
    SetupHost h(0);
    h.fill();
    EXPECT_FALSE(h.defaultBtn()->isEnabled());
    EXPECT_EQ(h.box("ModeComboBox")->currentText(), "Character Terminal");

    h.dialog.answers.push_back(Answer::Yes);
    h.choose(OmronGroup, 0);
    EXPECT_EQ(h.protocol(), 1);
    EXPECT_EQ(h.protocolChanges, 1);
    EXPECT_TRUE(h.project->Modified());
    ASSERT_EQ(h.dialog.texts(),
              std::vector<std::string>{defaultsQuestion("Omron Host Link", "9600 Bd", "E,7,2")});
    EXPECT_EQ(h.dialog.entries[0].title, "KYR");
    EXPECT_EQ(h.box("ComSpeedComboBox")->currentText(), "9600 Bd");
    EXPECT_EQ(h.box("ComParamsComboBox")->currentText(), "E,7,2");
    EXPECT_TRUE(h.defaultBtn()->isEnabled());
    EXPECT_FALSE(h.list(1)->isVisibleTo(h.window.get()));
    EXPECT_FALSE(h.list(2)->isVisibleTo(h.window.get()));

    // The defaults are shown now: choosing again asks nothing, the button still asks.
    h.dialog.clear();
    h.choose(OmronGroup, 0);
    EXPECT_TRUE(h.dialog.texts().empty());
    h.defaultBtn()->click();
    EXPECT_EQ(h.dialog.texts(),
              std::vector<std::string>{defaultsQuestion("Omron Host Link", "9600 Bd", "E,7,2")});
}

TEST(SetupPageTest, AnsweringNoKeepsTheLineSettings) {
    SetupHost h(0);
    h.fill();
    h.choose(1, 2);  // Allen-Bradley DH485
    EXPECT_EQ(h.protocol(), 12);
    EXPECT_EQ(h.dialog.texts(), std::vector<std::string>{
                                    defaultsQuestion("Allen-Bradley DH485", "19200 Bd", "E,8,1")});
    EXPECT_EQ(h.box("ComSpeedComboBox")->currentText(), "9600 Bd");
    EXPECT_EQ(h.box("ComParamsComboBox")->currentText(), "N,8,1");
}

TEST(SetupPageTest, TypeOneReplacesAMultiMasterChoiceByItsPlainVariant) {
    SetupHost h(1);
    h.fill();
    h.choose(ModiconGroup, 3);  // Modicon Modbus RTU MultiMaster
    EXPECT_EQ(h.protocol(), 26);
    EXPECT_EQ(h.setup->GroupChoice[ModiconGroup], 2);
    EXPECT_EQ(h.box("ModeComboBox")->currentText(), "Modicon Modbus RTU");

    // The group opens on its remembered entry.
    h.box("ModeComboBox")->showPopup();
    EXPECT_EQ(h.list(1)->currentRow(), ModiconGroup);
    pressKey(h.list(1), Qt::Key_Return);
    EXPECT_EQ(h.list(2)->currentRow(), 2);
    EXPECT_EQ(h.list(2)->count(), 8);
}

TEST(SetupPageTest, KeyboardSteppingSkipsEntries) {
    struct Case {
        int type;
        int fromProtocol;
        int key;
        int toPosition;
    };
    const Case cases[] = {
        {1, 39, Qt::Key_Down, 7},   // Fatek -> Festo FPC, not Fatek MultiMaster
        {0, 39, Qt::Key_Down, 6},   // other types step onto MultiMaster
        {0, 19, Qt::Key_Down, 19},  // Koyo DirectNET MultiMaster -> FX, past A1S
        {0, 6, Qt::Key_Up, 17},     // and back
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << " from " << c.fromProtocol);
        SetupHost h(c.type, c.fromProtocol);
        h.fill();
        pressKey(h.box("ModeComboBox"), c.key);
        EXPECT_EQ(h.box("ModeComboBox")->currentIndex(), c.toPosition);
        EXPECT_EQ(h.protocol(), protocolCodeAt(c.toPosition));
        EXPECT_EQ(h.protocolChanges, 1);
    }
}

TEST(SetupPageTest, MitsubishiGroupDoesNotListA1S) {
    SetupHost h(0);
    h.fill();
    h.box("ModeComboBox")->showPopup();
    EXPECT_EQ(h.list(1)->count(), 16);
    h.list(1)->setCurrentRow(8);
    pressKey(h.list(1), Qt::Key_Return);
    ASSERT_EQ(h.list(2)->count(), 1);
    EXPECT_EQ(h.list(2)->item(0)->text(), "Mitsubishi FX0,FX0S,FX0N,FX2N,FX");
    pressKey(h.list(2), Qt::Key_Escape);
    EXPECT_FALSE(h.list(2)->isVisibleTo(h.window.get()));
    pressKey(h.list(1), Qt::Key_Escape);
    EXPECT_FALSE(h.list(1)->isVisibleTo(h.window.get()));
    EXPECT_EQ(h.protocol(), 0);
}

TEST(SetupPageTest, A1SNoticeFollowsTheProtocol) {
    SetupHost h(0, 28);
    h.fill();
    EXPECT_FALSE(h.w<QLabel>("A1SLabel")->isHidden());
    EXPECT_EQ(h.w<QLabel>("A1SLabel")->text(), "Mitsubishi A1S - only special KYR hardware !");
    h.choose(OmronGroup, 0);
    EXPECT_TRUE(h.w<QLabel>("A1SLabel")->isHidden());
}

TEST(SetupPageTest, DigitalSignalsDisableTheLineBoxesAndAskNothing) {
    SetupHost h(5);
    h.fill();
    h.box("ModeComboBox")->showPopup();
    EXPECT_EQ(h.list(1)->count(), 17);
    h.choose(16, 0);
    EXPECT_EQ(h.protocol(), 45);
    EXPECT_TRUE(h.dialog.texts().empty());
    for (const char* name : {"ComPortComboBox", "ComSpeedComboBox", "ComParamsComboBox"})
        EXPECT_FALSE(h.box(name)->isEnabled()) << name;
    EXPECT_FALSE(h.defaultBtn()->isEnabled());
    EXPECT_EQ(h.box("ModeComboBox")->currentText(), "3 Digital Signals 24V");
}

TEST(SetupPageTest, MaxAddressAndHitachiStationLiveInLanguageEx) {
    SetupHost h(0);
    h.fill();
    h.box("LanguageComboBox")->setCurrentIndex(2);
    h.choose(1, 2);  // Allen-Bradley DH485
    EXPECT_FALSE(h.spin("MaxAdrSpinEdit")->isHidden());
    h.spin("MaxAdrSpinEdit")->setValue(5);
    h.setup->StoreSetupPage();
    EXPECT_EQ(h.project->Setup().LanguageEx(), 22);

    h.choose(6, 1);  // Hitachi H
    EXPECT_EQ(h.project->Setup().LanguageEx(), 2);
    EXPECT_TRUE(h.spin("MaxAdrSpinEdit")->isHidden());
    EXPECT_FALSE(h.tick("HitStNum")->isHidden());
    EXPECT_TRUE(h.tick("ModSerInterf")->isHidden());

    h.tick("HitStNum")->click();  // writes its bit at once
    EXPECT_EQ(h.project->Setup().LanguageEx(), 6);
    h.tick("HitStNum")->click();
    EXPECT_EQ(h.project->Setup().LanguageEx(), 2);

    h.choose(15, 0);  // Wago Modbus ASCII
    EXPECT_FALSE(h.tick("ModSerInterf")->isHidden());
    h.tick("ModSerInterf")->click();
    EXPECT_EQ(h.project->Setup().LanguageEx(), 6);
}

TEST(SetupPageTest, TerminalAddressFollowsTheProtocol) {
    SetupHost h(0, 3);  // Saia slave: 0..255
    h.project->Setup().SetAddress(200);
    h.fill();
    QSpinBox* address = h.spin("SlvAdrSpinEdit");
    EXPECT_TRUE(address->isEnabled());
    EXPECT_EQ(address->value(), 200);
    h.choose(OmronGroup, 1);  // MultiMaster: 0..7
    EXPECT_EQ(address->value(), 7);
    EXPECT_EQ(address->maximum(), 7);
    h.setup->StoreSetupPage();
    EXPECT_EQ(h.project->Setup().Address(), 7);
    h.choose(OmronGroup, 0);  // no terminal address
    EXPECT_EQ(address->value(), 0);
    EXPECT_FALSE(address->isEnabled());
    h.choose(1, 0);  // Allen-Bradley: 0..31
    EXPECT_TRUE(address->isEnabled());
    EXPECT_EQ(address->maximum(), 31);
}

TEST(SetupPageTest, IoBoardDecidesTheOutputOptions) {
    SetupHost h(0, 1);
    h.project->Setup().SetExtDisplay(1);
    h.fill();
    QComboBox* board = h.box("IOBrdComboBox");
    EXPECT_TRUE(board->isEnabled());
    board->setCurrentIndex(4);
    EXPECT_EQ(h.project->Setup().IoBoard(), 4);
    EXPECT_TRUE(h.tick("ClrOBAtErrorCheckBox")->isEnabled());
    EXPECT_TRUE(h.tick("ExdLCheckBox")->isEnabled());
    h.tick("ExdLCheckBox")->click();
    EXPECT_TRUE(h.tick("ExdLCheckBox")->isChecked());
    h.tick("ExdSCheckBox")->click();
    EXPECT_FALSE(h.tick("ExdLCheckBox")->isChecked());
    h.tick("ClrOBAtErrorCheckBox")->setChecked(true);

    board->setCurrentIndex(3);
    EXPECT_FALSE(h.tick("ExdLCheckBox")->isEnabled());
    EXPECT_FALSE(h.tick("ExdSCheckBox")->isChecked());
    EXPECT_TRUE(h.tick("ClrOBAtErrorCheckBox")->isEnabled());
    EXPECT_TRUE(h.tick("ClrOBAtErrorCheckBox")->isChecked());

    board->setCurrentIndex(1);
    EXPECT_FALSE(h.tick("ClrOBAtErrorCheckBox")->isEnabled());
    EXPECT_FALSE(h.tick("ClrOBAtErrorCheckBox")->isChecked());
}

TEST(SetupPageTest, StoringWritesTheBoardByTerminalFamily) {
    struct Case {
        int type;
        int board;
        int stored;
    };
    const Case cases[] = {{3, 0, 2}, {2, 4, 2}, {0, 3, 3}, {1, 2, 2}, {4, 1, 1}};
    for (const auto& c : cases) {
        SetupHost h(c.type, 1, c.board);
        h.fill();
        h.setup->StoreSetupPage();
        EXPECT_EQ(h.project->Setup().IoBoard(), c.stored) << "type " << c.type;
    }
    SetupHost grand(3, 1, 2);
    grand.fill();
    EXPECT_TRUE(grand.box("IOBrdComboBox")->isHidden());
    EXPECT_EQ(grand.w<QLabel>("IOBrdLabel")->text(), "Digital Outputs:");
    SetupHost mini(2, 1, 2);
    mini.fill();
    EXPECT_EQ(mini.box("IOBrdComboBox")->currentIndex(), 0);
}

TEST(SetupPageTest, FillAndStoreKeepTheSetup) {
    SetupHost h(0, 20);  // Modicon TSX Modbus ASCII
    TSetup& s = h.project->Setup();
    s.SetBaudIndex(3);
    s.SetParityIndex(6);
    s.SetPortIndex(3);
    s.SetAddress(0);
    s.SetSetupFlags(TSetup::FlagKeyboardBeep | TSetup::FlagSwitchOffAtError);
    s.SetLanguageEx(1);
    s.SetDefaultExd(4);
    s.SetIoBoard(2);
    s.SetExtDisplay(2);
    const TSetup before = s;
    h.fill();
    EXPECT_FALSE(h.project->Modified());
    EXPECT_EQ(h.w<QLabel>("KyrTypeLabel")->text(), "KYR-T240(E)");
    h.setup->StoreSetupPage();
    EXPECT_EQ(s, before);
}

TEST(SetupPageTest, UnknownPortOrProtocolStores255) {
    SetupHost h(1, 46);
    h.project->Setup().SetPortIndex(3);  // a type-1 list has two ports
    h.fill();
    EXPECT_EQ(h.box("ComPortComboBox")->currentIndex(), -1);
    h.setup->StoreSetupPage();
    EXPECT_EQ(h.project->Setup().PortIndex(), 255);
    EXPECT_EQ(h.project->Setup().Protocol(), 46);
}

TEST(SetupPageTest, PortListsAndForcedOptionsByType) {
    using L = QStringList;
    struct Case {
        int type;
        L ports;
    };
    const Case cases[] = {
        {0, {"RS-232C PRG", "RS-232C", "RS-422", "RS-485"}},
        {1, {"RS-232C PRG", "RS-232C-T"}},
        {2, {"RS-232C VT"}},
        {3, {"All", "RS-232C XT", "RS-422", "RS-485"}},
        {6, {"All"}},
    };
    for (const auto& c : cases) {
        SetupHost h(c.type, 1);
        h.fill();
        QComboBox* ports = h.box("ComPortComboBox");
        L items;
        for (int i = 0; i < ports->count(); ++i) items << ports->itemText(i);
        EXPECT_EQ(items, c.ports) << "type " << c.type;
    }
    SetupHost lumq(7, 1);
    lumq.project->Setup().SetLanguageEx(0);
    lumq.fill();
    EXPECT_EQ(lumq.box("LanguageComboBox")->currentIndex(), 2);
    EXPECT_FALSE(lumq.box("LanguageComboBox")->isEnabled());
    EXPECT_TRUE(lumq.tick("SuppressStartupScreenCheckBox")->isChecked());
    EXPECT_FALSE(lumq.tick("SuppressStartupScreenCheckBox")->isEnabled());
    EXPECT_FALSE(lumq.tick("KbBeepCheckBox")->isEnabled());
    EXPECT_FALSE(lumq.tick("KbBeepCheckBox")->isChecked());
}

TEST(SetupPageTest, LanguageTextsRelabelAndKeepTheChoices) {
    SetupHost h(3, 0);
    h.fill();
    setLanguage(LangGerman);
    h.setup->SetLanguageTexts();
    EXPECT_EQ(h.box("ModeComboBox")->currentText(), "Zeichenterminal");
    EXPECT_EQ(h.box("ComPortComboBox")->itemText(0), "Alle");
    EXPECT_EQ(h.box("ComPortComboBox")->currentIndex(), 1);
    EXPECT_EQ(h.tick("KbBeepCheckBox")->text(), "Tastaturton");
    EXPECT_EQ(h.w<QLabel>("IOBrdLabel")->text(), "Digitalausgänge:");
    EXPECT_FALSE(h.project->Modified());
    setLanguage(LangCzech);
    h.setup->SetLanguageTexts();
    EXPECT_EQ(h.box("ModeComboBox")->currentText(), "Znakový terminál");
    setLanguage(LangEnglish);
}

TEST(SetupPageTest, ClickOnThePageBackgroundClosesTheVendorLists) {
    SetupHost h(0);
    h.showActive();
    h.fill();
    h.box("ModeComboBox")->showPopup();
    EXPECT_TRUE(h.list(1)->hasFocus());
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(h.setup, &press);
    EXPECT_FALSE(h.list(1)->isVisible());
    EXPECT_TRUE(h.box("ModeComboBox")->hasFocus());

    // Leaving the first list for anything but the second hides it.
    h.box("ModeComboBox")->showPopup();
    h.box("ComSpeedComboBox")->setFocus();
    EXPECT_FALSE(h.list(1)->isVisible());
}

}  // namespace
}  // namespace kyr::test

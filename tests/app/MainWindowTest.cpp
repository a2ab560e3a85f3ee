#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QToolButton>
#include <memory>

#include "GuiTestSupport.h"
#include "RecordingDialog.h"
#include "app/AboutDlg.h"
#include "app/MainForm.h"
#include "app/SettingsDlg.h"
#include "model/Texts.h"

namespace kyr {
namespace {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::guiApp();
        setLanguage(LangEnglish);
    }
    void TearDown() override { setLanguage(LangEnglish); }

    std::unique_ptr<TMainMDIForm> makeMain(ProgramOptions options = {}, Settings settings = {}) {
        return std::make_unique<TMainMDIForm>(SettingsFile(dir.filePath("kyr.ini")),
                                              std::move(settings), std::move(options));
    }
    static QAction* item(const TMainMDIForm& main, const char* name) {
        return test::findNamed<QAction>(&main, name);
    }
    static QMenu* menu(const TMainMDIForm& main, const char* name) {
        return test::findNamed<QMenu>(&main, name);
    }

    QTemporaryDir dir;
    test::RecordingDialog dialog;
};

struct MenuText {
    const char* name;
    const char* cs;
    const char* de;
    const char* en;
};

constexpr MenuText MenuTexts[] = {
    {"FileNewItem", "&Nový...", "&Neu...", "&New..."},
    {"FileOpenItem", "&Otevřít...", "Ö&ffnen...", "&Open..."},
    {"FileCloseItem", "&Zavřít", "&Schließen", "&Close"},
    {"FileSaveItem", "&Uložit", "&Speichern", "&Save"},
    {"FileSaveAsItem", "Uložit &jako...", "Speichern &unter...", "Save &As..."},
    {"FileHexItem", "Generovat &HEX soubor...", "&HEX-Datei erzeugen...", "Generate &HEX File..."},
    {"FilePrintItem", "&Tisk...", "&Drucken...", "&Print..."},
    {"FirmwareMItem", "Aktualizace fir&mwaru (jen KYR Série M)...",
     "Fir&mware-Update (nur KYR Serie M)...", "Fir&mware update (KYR Series M only)..."},
    {"FirmwareLumItem", "Aktualizace firm&waru (jen LUM Série)...",
     "Firm&ware-Update (nur LUM Serie)...", "Firm&ware update (LUM Series only)..."},
    {"FileExitItem", "&Konec", "&Beenden", "E&xit"},
    {"SettingsItem", "&Nastavení", "&Einstellungen", "&Settings"},
    {"KyrInfoItem", "&Informace", "&Info", "&Info"},
    {"KyrClockItem", "&Hodiny", "&Uhr", "&Clock"},
    {"KyrUploadItem", "&Načíst program z KYR", "Programm aus KYR &laden", "&Upload program from KYR"},
    {"KyrVerifyItem", "&Porovnat program s KYR", "Programm mit KYR &vergleichen",
     "&Verify program with KYR"},
    {"KyrDownloadItem", "&Odeslat program do KYR", "Programm in KYR ü&bertragen",
     "&Download program to KYR"},
    {"WindowCascadeItem", "&Kaskáda", "Ü&berlappend", "&Cascade"},
    {"WindowTileItem", "&Dlaždice", "&Nebeneinander", "&Tile"},
    {"WindowArrangeItem", "&Uspořádat ikony", "&Symbole anordnen", "&Arrange Icons"},
    {"WindowMinimizeItem", "&Minimalizovat vše", "Alle &minimieren", "&Minimize All"},
    {"AboutItem", "&O programu", "Ü&ber", "&About"},
};

TEST_F(MainWindowTest, EveryMenuItemHasItsTextInEachLanguage) {
    auto main = makeMain();
    for (std::uint8_t lang : {LangCzech, LangGerman, LangEnglish}) {
        setLanguage(lang);
        main->SetLanguageTexts();
        for (const MenuText& m : MenuTexts) {
            QAction* a = item(*main, m.name);
            ASSERT_NE(a, nullptr) << m.name;
            const char* expected = lang == LangCzech ? m.cs : lang == LangGerman ? m.de : m.en;
            EXPECT_EQ(a->text().toStdString(), expected) << m.name;
        }
    }
}

TEST_F(MainWindowTest, MenusHintsAndShortcuts) {
    auto main = makeMain();
    EXPECT_EQ(menu(*main, "FileMenu")->title(), "&File");
    EXPECT_EQ(menu(*main, "KyrMenu")->title(), "KY&R");
    EXPECT_EQ(menu(*main, "WindowMenu")->title(), "&Window");
    EXPECT_EQ(menu(*main, "FileMenu")->menuAction()->statusTip(), "File related commands");

    QAction* open = item(*main, "FileOpenItem");
    EXPECT_EQ(open->toolTip(), "Open");
    EXPECT_EQ(open->statusTip(), "Open an existing file");
    QAction* hex = item(*main, "FileHexItem");
    EXPECT_EQ(hex->toolTip(), "HEX file");
    EXPECT_EQ(hex->statusTip(), "Generate file for programming auxiliary EPROM memory for "
                                "KYR-T240(E) und KYR-T220 terminals");
    EXPECT_EQ(item(*main, "FileNewItem")->statusTip(), "Create a new file");
    EXPECT_EQ(item(*main, "TestLanguageItem")->shortcut(), QKeySequence("Ctrl+F1"));

    setLanguage(LangGerman);
    main->SetLanguageTexts();
    EXPECT_EQ(menu(*main, "FileMenu")->title(), "&Datei");
    EXPECT_EQ(item(*main, "KyrDownloadItem")->toolTip(), "Übertragen");
}

TEST_F(MainWindowTest, ToolButtonsCarryTheirNamesAndShortHints) {
    auto main = makeMain();
    struct Button {
        const char* name;
        const char* tip;
    } buttons[] = {{"FileOpenBtn", "Open"},        {"FileSaveBtn", "Save"},
                   {"CutBtn", "Cut"},              {"CopyBtn", "Copy"},
                   {"PasteBtn", "Paste"},          {"FileExitBtn", "Exit"},
                   {"InsertScreenBtn", "Insert screen"}, {"DeleteScreenBtn", "Delete screen"},
                   {"InsertExdBtn", "Insert EXD"}, {"DeleteExdBtn", "Delete EXD"},
                   {"KyrUploadBtn", "Upload"},     {"KyrDownloadBtn", "Download"},
                   {"FileHexBtn", "HEX file"},     {"KyrVerifyBtn", "Verify program"},
                   {"FilePrintBtn", "Print"},      {"InsertMNUMBtn", "Insert MNUM"}};
    for (const Button& b : buttons) {
        auto* button = test::findNamed<QToolButton>(main.get(), b.name);
        ASSERT_NE(button, nullptr) << b.name;
        EXPECT_EQ(button->defaultAction()->toolTip().toStdString(), b.tip) << b.name;
    }
    EXPECT_EQ(test::findNamed<QToolButton>(main.get(), "CutBtn")->defaultAction()->statusTip(),
              "Cut to clipboard");
}

TEST_F(MainWindowTest, TitleShowsSystemMode) {
    auto normal = makeMain();
    EXPECT_EQ(normal->windowTitle(), "KYR2");
    ProgramOptions sys;
    sys.systemMode = true;
    auto system = makeMain(sys);
    EXPECT_EQ(system->windowTitle(), "KYR2   SYS");
}

TEST_F(MainWindowTest, TestLanguageCyclesAndRelabelsWithoutSaving) {
    auto main = makeMain();
    QAction* test = item(*main, "TestLanguageItem");
    QAction* exitItem = item(*main, "FileExitItem");
    test->trigger();
    EXPECT_EQ(language(), LangCzech);
    EXPECT_EQ(exitItem->text(), "&Konec");
    test->trigger();
    EXPECT_EQ(language(), LangGerman);
    EXPECT_EQ(exitItem->text(), "&Beenden");
    test->trigger();
    EXPECT_EQ(language(), LangEnglish);
    EXPECT_EQ(exitItem->text(), "E&xit");
    EXPECT_FALSE(QFile::exists(dir.filePath("kyr.ini")));
}

TEST_F(MainWindowTest, IdlePassDisablesProjectCommandsWithoutProject) {
    auto main = makeMain();
    main->AppIdle();
    for (const char* name : {"FileCloseItem", "FileSaveItem", "FileSaveAsItem", "FileHexItem",
                             "WindowTileItem", "KyrDownloadItem"})
        EXPECT_FALSE(item(*main, name)->isEnabled()) << name;
    EXPECT_TRUE(item(*main, "FileExitItem")->isEnabled());
    EXPECT_FALSE(item(*main, "InsertScreenCmd")->isVisible());
}

TEST_F(MainWindowTest, SettingsDialogShowsTheDefaults) {
    auto main = makeMain();
    TSettingsDlg* dlg = main->settingsDlg();
    dlg->load(Settings{}, language());
    EXPECT_EQ(test::findNamed<QComboBox>(dlg, "ComPortComboBox")->currentText(), "COM1:");
    EXPECT_EQ(test::findNamed<QComboBox>(dlg, "ComPortComboBox")->count(), 12);
    EXPECT_TRUE(test::findNamed<QRadioButton>(dlg, "AsciiRadioButton")->isChecked());
    EXPECT_EQ(test::findNamed<QComboBox>(dlg, "HexVersionComboBox")->currentText(),
              "2.18 and newer");
    EXPECT_EQ(test::findNamed<QComboBox>(dlg, "EpromSizeComboBox")->currentText(),
              "128kB (27C1001)");
    EXPECT_TRUE(test::findNamed<QRadioButton>(dlg, "EnglishRadioButton")->isChecked());
    EXPECT_EQ(test::findNamed<QRadioButton>(dlg, "CzechRadioButton")->text(), "Cestin&a");
    EXPECT_EQ(dlg->windowTitle(), "Settings");
}

TEST_F(MainWindowTest, SettingsOkWritesTheFiveKeysAndRelabels) {
    auto main = makeMain();
    test::whenModal([](QWidget* modal) {
        ASSERT_EQ(modal->objectName(), "SettingsDlg");
        test::findNamed<QRadioButton>(modal, "GermanRadioButton")->setChecked(true);
        test::findNamed<QPushButton>(modal, "OkBtn")->click();
    });
    item(*main, "SettingsItem")->trigger();

    EXPECT_EQ(language(), LangGerman);
    EXPECT_EQ(item(*main, "FileExitItem")->text(), "&Beenden");
    const QSettings ini(dir.filePath("kyr.ini"), QSettings::IniFormat);
    EXPECT_EQ(ini.value("Communication/comPort").toInt(), 1);
    EXPECT_EQ(ini.value("Communication/ascii").toInt(), 1);
    EXPECT_EQ(ini.value("HexFile/epromSize").toInt(), 1);
    EXPECT_EQ(ini.value("HexVersion/hexVersion").toInt(), 1);
    EXPECT_EQ(ini.value("Language/language").toInt(), 1);
    EXPECT_FALSE(ini.contains("Communication/comDelay"));
}

TEST_F(MainWindowTest, SettingsCancelChangesNothing) {
    auto main = makeMain();
    test::whenModal([](QWidget* modal) {
        test::findNamed<QRadioButton>(modal, "CzechRadioButton")->setChecked(true);
        test::findNamed<QPushButton>(modal, "CancelBtn")->click();
    });
    item(*main, "SettingsItem")->trigger();
    EXPECT_EQ(language(), LangEnglish);
    EXPECT_FALSE(QFile::exists(dir.filePath("kyr.ini")));
}

TEST_F(MainWindowTest, AboutShowsTheVersionInTheCurrentLanguage) {
    auto main = makeMain();
    TAboutBox* about = main->aboutBox();
    EXPECT_EQ(about->windowTitle(), "About KYR2");
    EXPECT_EQ(test::findNamed<QLabel>(about, "VersionLabel")->text(), "Version 2.60");
    setLanguage(LangCzech);
    main->SetLanguageTexts();
    EXPECT_EQ(about->windowTitle(), "O programu KYR2");
    setLanguage(LangGerman);
    main->SetLanguageTexts();
    EXPECT_EQ(about->windowTitle(), "KYR2 Info");
}

TEST_F(MainWindowTest, RecentFilesAppearInTheFileMenuAndAreSavedOnClose) {
    Settings settings;
    settings.recentFiles = {"/p/one.kyr", "/p/t&o.kyr"};
    auto main = makeMain({}, settings);
    QAction* first = item(*main, "RecentFile1");
    QAction* second = item(*main, "RecentFile2");
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(first->text(), "&1 /p/one.kyr");
    EXPECT_EQ(second->text(), "&2 /p/t&&o.kyr");
    EXPECT_EQ(first->statusTip(), "Open file");

    main->AddRecentFile("/p/t&o.kyr");
    EXPECT_EQ(item(*main, "RecentFile1")->data().toString(), "/p/t&o.kyr");
    main->close();
    const QSettings ini(dir.filePath("kyr.ini"), QSettings::IniFormat);
    EXPECT_EQ(ini.value("RecentFiles/1").toString(), "/p/t&o.kyr");
    EXPECT_EQ(ini.value("RecentFiles/2").toString(), "/p/one.kyr");
}

}  // namespace
}  // namespace kyr

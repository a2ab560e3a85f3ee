// The device choice of the settings dialog: kyr.ini's portName and the link that uses it.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <QSettings>

#include "TerminalTestSupport.h"
#include "app/SettingsDlg.h"

namespace kyr {
namespace {

using test::TerminalRig;

class PortSettingTest : public ::testing::Test {
protected:
    void SetUp() override { setLanguage(LangEnglish); }

    // Opens the settings from the menu, puts `device` into the device choice and presses OK.
    void choose(const QString& device, QString* before = nullptr) {
        test::whenModal([device, before](QWidget* modal) {
            ASSERT_EQ(modal->objectName(), "SettingsDlg");
            auto* names = test::findNamed<QComboBox>(modal, "PortNameComboBox");
            if (before) *before = names->currentText();
            const int index = names->findText(device);
            if (index >= 0)
                names->setCurrentIndex(index);
            else
                names->setEditText(device);
            test::findNamed<QPushButton>(modal, "OkBtn")->click();
        });
        test::findNamed<QAction>(rig.main.get(), "SettingsItem")->trigger();
    }
    QVariant iniValue(const char* key) const {
        return QSettings(rig.dir.filePath("kyr.ini"), QSettings::IniFormat).value(key);
    }

    TerminalRig rig{Settings{}};
};

TEST_F(PortSettingTest, TheSimulatedTerminalIsOffered) {
    auto* names = test::findNamed<QComboBox>(rig.main->settingsDlg(), "PortNameComboBox");
    ASSERT_NE(names, nullptr);
    EXPECT_TRUE(names->isEditable());
    EXPECT_EQ(names->itemText(0), "");
    EXPECT_EQ(names->itemText(1), "sim:");
    EXPECT_EQ(names->itemData(1, Qt::ToolTipRole).toString(), "sim: (simulated terminal)");
}

TEST_F(PortSettingTest, ChoiceIsWrittenToKyrIniAndUsedByTheLink) {
    QString before;
    choose("sim:", &before);
    EXPECT_EQ(before, "");
    EXPECT_EQ(iniValue("Communication/portName").toString(), "sim:");
    EXPECT_EQ(rig.main->settings().portName, "sim:");
    EXPECT_EQ(rig.kom().Settings().portName, "sim:") << "the link follows the dialog";
    EXPECT_EQ(SettingsFile(rig.dir.filePath("kyr.ini")).read().portName, "sim:");

    choose("/dev/ttyUSB3", &before);
    EXPECT_EQ(before, "sim:") << "the dialog opens with the current device";
    EXPECT_EQ(iniValue("Communication/portName").toString(), "/dev/ttyUSB3");

    choose("");
    EXPECT_FALSE(iniValue("Communication/portName").isValid()) << "no device: comPort counts again";
    EXPECT_EQ(rig.kom().Settings().portName, "");
    EXPECT_EQ(iniValue("Communication/comPort").toInt(), 1);
}

TEST_F(PortSettingTest, LinkKindFollowsTheDialog) {
    test::whenModal([](QWidget* modal) {
        test::findNamed<QAbstractButton>(modal, "BinaryRadioButton")->setChecked(true);
        test::findNamed<QPushButton>(modal, "OkBtn")->click();
    });
    test::findNamed<QAction>(rig.main.get(), "SettingsItem")->trigger();
    EXPECT_FALSE(rig.kom().Settings().ascii);
}

}  // namespace
}  // namespace kyr

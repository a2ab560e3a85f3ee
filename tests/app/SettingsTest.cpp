#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include "GuiTestSupport.h"
#include "qt/Settings.h"

namespace kyr {
namespace {

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override { test::guiApp(); }
    QString iniPath() const { return dir.filePath("kyr.ini"); }
    void writeIni(const QByteArray& text) const {
        QFile f(iniPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    QTemporaryDir dir;
};

TEST_F(SettingsTest, MissingFileGivesEveryDefault) {
    const Settings s = SettingsFile(iniPath()).read();
    EXPECT_EQ(s.comPort, 1);
    EXPECT_TRUE(s.ascii);
    EXPECT_EQ(s.comDelay, 10);
    EXPECT_EQ(s.epromSize, 1);
    EXPECT_EQ(s.hexVersion, 1);
    EXPECT_EQ(s.language, 2);
    EXPECT_TRUE(s.portName.empty());
    EXPECT_TRUE(s.recentFiles.empty());
    EXPECT_FALSE(QFile::exists(iniPath()));
}

TEST_F(SettingsTest, ReadsEveryKeyOfEverySection) {
    writeIni("[Communication]\ncomPort=4\nascii=0\ncomDelay=25\nportName=sim:3\n"
             "[HexFile]\nepromSize=0\n[HexVersion]\nhexVersion=0\n[Language]\nlanguage=1\n"
             "[RecentFiles]\n1=/tmp/b.kyr\n2=\n3=/tmp/a.kyr\n");
    const Settings s = SettingsFile(iniPath()).read();
    EXPECT_EQ(s.comPort, 4);
    EXPECT_FALSE(s.ascii);
    EXPECT_EQ(s.comDelay, 25);
    EXPECT_EQ(s.portName, "sim:3");
    EXPECT_EQ(s.portDevice(), "sim:3");
    EXPECT_EQ(s.epromSize, 0);
    EXPECT_EQ(s.hexVersion, 0);
    EXPECT_EQ(s.language, 1);
    EXPECT_EQ(s.recentFiles, (std::vector<std::string>{"/tmp/b.kyr", "/tmp/a.kyr"}));
}

TEST_F(SettingsTest, ValuesOutOfRangeOrUnreadableFallBackToTheDefault) {
    writeIni("[Communication]\ncomPort=0\nascii=maybe\ncomDelay=x\n"
             "[HexFile]\nepromSize=2\n[HexVersion]\nhexVersion=-1\n[Language]\nlanguage=7\n");
    EXPECT_EQ(SettingsFile(iniPath()).read(), Settings{});
}

TEST_F(SettingsTest, PortDeviceFollowsComPortWithoutPortName) {
    Settings s;
    s.comPort = 3;
#ifdef _WIN32
    EXPECT_EQ(s.portDevice(), "COM3");
#else
    EXPECT_EQ(s.portDevice(), "/dev/ttyS2");
#endif
}

TEST_F(SettingsTest, DialogKeysAreWrittenInTheirSectionsAndNothingElse) {
    writeIni("[Communication]\ncomDelay=30\nportName=/dev/ttyUSB0\n");
    Settings s;
    s.comPort = 5;
    s.ascii = false;
    s.epromSize = 0;
    s.hexVersion = 0;
    s.language = 0;
    s.comDelay = 99;
    SettingsFile(iniPath()).writeDialogKeys(s);

    const QSettings ini(iniPath(), QSettings::IniFormat);
    EXPECT_EQ(ini.value("Communication/comPort").toInt(), 5);
    EXPECT_EQ(ini.value("Communication/ascii").toString(), "0");
    EXPECT_EQ(ini.value("HexFile/epromSize").toInt(), 0);
    EXPECT_EQ(ini.value("HexVersion/hexVersion").toInt(), 0);
    EXPECT_EQ(ini.value("Language/language").toInt(), 0);
    EXPECT_EQ(ini.value("Communication/comDelay").toInt(), 30) << "comDelay is never written";
    EXPECT_EQ(ini.value("Communication/portName").toString(), "/dev/ttyUSB0");

    Settings back = SettingsFile(iniPath()).read();
    EXPECT_EQ(back.comPort, 5);
    EXPECT_FALSE(back.ascii);
    EXPECT_EQ(back.language, 0);
}

TEST_F(SettingsTest, RecentFilesReplaceTheWholeSection) {
    writeIni("[RecentFiles]\n1=/old/1.kyr\n2=/old/2.kyr\n3=/old/3.kyr\n");
    const SettingsFile file(iniPath());
    file.writeRecentFiles({"/new/a.kyr"});
    const QSettings ini(iniPath(), QSettings::IniFormat);
    EXPECT_EQ(ini.value("RecentFiles/1").toString(), "/new/a.kyr");
    EXPECT_FALSE(ini.contains("RecentFiles/2"));
    EXPECT_FALSE(ini.contains("RecentFiles/3"));
}

}  // namespace
}  // namespace kyr

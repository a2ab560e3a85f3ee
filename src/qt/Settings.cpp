#include "qt/Settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include "link/PortName.h"

namespace kyr {

namespace {

constexpr auto IniName = "kyr.ini";

int readInt(const QSettings& ini, const QString& key, int fallback, int low, int high) {
    bool ok = false;
    const int value = ini.value(key).toString().trimmed().toInt(&ok);
    if (!ok || value < low || value > high) return fallback;
    return value;
}

bool readBool(const QSettings& ini, const QString& key, bool fallback) {
    const QString text = ini.value(key).toString().trimmed().toLower();
    if (text == "1" || text == "true" || text == "yes") return true;
    if (text == "0" || text == "false" || text == "no") return false;
    return fallback;
}

}  // namespace

std::string Settings::portDevice() const { return portDeviceName(comPort, portName); }

SettingsFile::SettingsFile(QString path) : path_(std::move(path)) {}

QString SettingsFile::defaultPath() {
    const QString programDir = QCoreApplication::applicationDirPath();
    const QFileInfo beside(QDir(programDir).filePath(IniName));
    if (beside.exists() ? beside.isWritable() : QFileInfo(programDir).isWritable())
        return beside.filePath();
    const QString configDir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(configDir);
    return QDir(configDir).filePath(IniName);
}

Settings SettingsFile::read() const {
    const QSettings ini(path_, QSettings::IniFormat);
    const Settings defaults;
    Settings s;
    s.comPort = readInt(ini, "Communication/comPort", defaults.comPort, 1, 255);
    s.ascii = readBool(ini, "Communication/ascii", defaults.ascii);
    s.comDelay = readInt(ini, "Communication/comDelay", defaults.comDelay, 0, 1000);
    s.portName = ini.value("Communication/portName").toString().trimmed().toStdString();
    s.epromSize = readInt(ini, "HexFile/epromSize", defaults.epromSize, 0, 1);
    s.hexVersion = readInt(ini, "HexVersion/hexVersion", defaults.hexVersion, 0, 1);
    s.language =
        static_cast<std::uint8_t>(readInt(ini, "Language/language", defaults.language, 0, 2));
    for (int i = 1; i <= Settings::MaxRecentFiles; ++i) {
        const QString name = ini.value(QString("RecentFiles/%1").arg(i)).toString();
        if (!name.isEmpty()) s.recentFiles.push_back(name.toStdString());
    }
    return s;
}

void SettingsFile::writeDialogKeys(const Settings& s) const {
    QSettings ini(path_, QSettings::IniFormat);
    ini.setValue("Communication/comPort", s.comPort);
    ini.setValue("Communication/ascii", s.ascii ? 1 : 0);
    ini.setValue("HexFile/epromSize", s.epromSize);
    ini.setValue("HexVersion/hexVersion", s.hexVersion);
    ini.setValue("Language/language", static_cast<int>(s.language));
    ini.sync();
}

void SettingsFile::writePortName(const std::string& portName) const {
    QSettings ini(path_, QSettings::IniFormat);
    if (portName.empty())
        ini.remove("Communication/portName");
    else
        ini.setValue("Communication/portName", QString::fromStdString(portName));
    ini.sync();
}

void SettingsFile::writeRecentFiles(const std::vector<std::string>& files) const {
    QSettings ini(path_, QSettings::IniFormat);
    ini.remove("RecentFiles");
    int key = 1;
    for (const auto& name : files) {
        if (key > Settings::MaxRecentFiles) break;
        ini.setValue(QString("RecentFiles/%1").arg(key++), QString::fromStdString(name));
    }
    ini.sync();
}

}  // namespace kyr

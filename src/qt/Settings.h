#pragma once

#include <QString>
#include <cstdint>
#include <string>
#include <vector>

namespace kyr {

// The program settings held in kyr.ini. Values outside their range read as the default.
struct Settings {
    static constexpr int MaxRecentFiles = 8;

    int comPort = 1;          // Communication/comPort: serial port number
    bool ascii = true;        // Communication/ascii: ASCII link (LUM) or binary link (KYR)
    int comDelay = 10;        // Communication/comDelay: ms after the binary address character
    std::string portName;     // Communication/portName: a device that overrides comPort
    int epromSize = 1;        // HexFile/epromSize: 0 = 64 KB, 1 = 128 KB
    int hexVersion = 1;       // HexVersion/hexVersion: 0 = firmware 2.17 and older, 1 = 2.18+
    std::uint8_t language = 2;  // Language/language: 0 Czech, 1 German, 2 English
    std::vector<std::string> recentFiles;  // RecentFiles/1..8, most recent first

    // The serial device the settings name (portName, or the device of comPort).
    std::string portDevice() const;

    bool operator==(const Settings&) const = default;
};

// kyr.ini in INI format. A missing file gives every default.
class SettingsFile {
public:
    explicit SettingsFile(QString path);

    // kyr.ini beside the program when its folder is writable (or the file there already is),
    // otherwise in the user's configuration folder.
    static QString defaultPath();

    const QString& path() const { return path_; }

    Settings read() const;
    // The five keys of the settings dialog: comPort, ascii, epromSize, hexVersion, language.
    void writeDialogKeys(const Settings& settings) const;
    // Communication/portName; an empty name removes the key, so that comPort counts again.
    void writePortName(const std::string& portName) const;
    // Replaces the RecentFiles section by keys "1", "2" ... in list order.
    void writeRecentFiles(const std::vector<std::string>& files) const;

private:
    QString path_;
};

}  // namespace kyr

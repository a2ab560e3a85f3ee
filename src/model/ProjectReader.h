#pragma once

#include <string>
#include <string_view>

#include "model/ProjectLines.h"
#include "model/TextTokens.h"

namespace kyr {

class TKyrData;

// Fills a project from its text file, section by section. Every check reports to the user
// through dialogs(); a fatal one sets the project's LoadFailed and stops the reading, a
// warning drops one item and reading goes on. After reading, FileVersion holds the file's
// VER (-1 without [Info]) and ReadVersion is the program's version again.
class ProjectReader {
public:
    // `fileName` names the file in messages.
    ProjectReader(TKyrData& data, std::string_view fileName);

    // Reads the project's file from disk.
    void ReadFile(const std::string& path);
    // Reads file content already in memory.
    void ReadContent(std::string_view content);

    // The kinds of section, decided by the header line.
    enum class Kind { Screen, Descr, Info, Setup, Tables, Exd, Name, Unknown };
    static Kind KindOf(std::string_view header);

    // True when a screen block's FLAGS line holds a value 0..255 whose character-set bits
    // (2-3) are 2 or 3, a set this program does not know. Only the lines the screen reader
    // takes as FLAGS count, so a DISPFLAGS value or "FLAGS" in a comment or description
    // cannot lock a saved project out.
    static bool HasUnknownCharSet(const std::vector<TextSection>& sections);

private:
    enum class Step { Go, Stop };

    Step readSection(const TextSection& section);
    Step readInfo(const TextSection& section);
    Step checkInfo();
    Step readSetup(const TextSection& section);
    Step readTables(const TextSection& section);
    void readDescr(const TextSection& section);
    void readScreen(const TextSection& section);
    Step readExd(const TextSection& section);
    // Reports a number that a section reader could not convert and stops.
    Step reportFault(const TextSection& section, const TextFault& fault);

    // Integer at `pos` of the section's text; reports a missing or bad token and returns
    // false.
    bool takeInteger(const TextSection& section, std::size_t& pos, std::int32_t& value);
    Step fail(std::string_view text);
    void finish();

    TKyrData& data_;
    std::string fileName_;
    bool unknownCharSet_ = false;
};

}  // namespace kyr

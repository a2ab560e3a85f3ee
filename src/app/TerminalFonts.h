#pragma once

#include <QFont>
#include <QString>
#include <vector>

namespace kyr {

// The two terminal fonts, "kyrfont.fon" (face "KYR_Font", the terminal's Latin set) and
// "kyrfontr.fon" (face "KYR_FontR", its Cyrillic set), registered for the life of the object.
class TerminalFonts {
public:
    enum class Face { Latin, Cyrillic };

    static constexpr const char* LatinFile = "kyrfont.fon";
    static constexpr const char* CyrillicFile = "kyrfontr.fon";

    // Looks for the font files in `folder`.
    explicit TerminalFonts(QString folder);
    ~TerminalFonts();
    TerminalFonts(const TerminalFonts&) = delete;
    TerminalFonts& operator=(const TerminalFonts&) = delete;

    // Registers both files. A file that is present but cannot be registered is reported
    // ("Cannot read file KYRFONT.FON") and the result is false, with nothing left registered.
    // A file that is absent leaves its face to the system's fixed-pitch font.
    bool registerFonts();

    bool hasFace(Face face) const;
    // The font screen editors draw terminal text with: 20 pixels high, fixed pitch.
    static QFont font(Face face);

private:
    bool registerFile(const char* fileName);
    void removeAll();

    QString folder_;
    std::vector<int> ids_;
};

}  // namespace kyr

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSettings>
#include <QTemporaryDir>
#include <functional>
#include <map>
#include <string>

#include "GuiTestSupport.h"
#include "RecordingDialog.h"
#include "app/MainForm.h"
#include "app/Program.h"
#include "app/TerminalFonts.h"
#include "model/Charset.h"
#include "model/TerminalFontFile.h"
#include "model/Texts.h"

namespace kyr {
namespace {

constexpr CharSet kBothSets[] = {CharSet::Latin, CharSet::Cyrillic};

QString builtFontFolder() { return QString::fromUtf8(KYR_FONT_DIR); }

QString fileName(CharSet set) { return QString::fromLatin1(terminalFontFile(set)); }

QByteArray builtFontBytes(CharSet set) {
    QFile file(QDir(builtFontFolder()).filePath(fileName(set)));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    return file.readAll();
}

bool sameGlyph(const TerminalFont& a, std::uint8_t ca, const TerminalFont& b, std::uint8_t cb) {
    const auto ga = a.glyph(ca);
    const auto gb = b.glyph(cb);
    return std::equal(ga.begin(), ga.end(), gb.begin(), gb.end());
}

// The fonts the build made, read once for the whole suite.
class BuiltTerminalFonts : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        test::guiApp();
        fonts = new TerminalFonts(builtFontFolder());
        ASSERT_TRUE(fonts->registerFonts()) << "fonts in " << KYR_FONT_DIR;
    }
    static void TearDownTestSuite() {
        delete fonts;
        fonts = nullptr;
    }
    static const TerminalFont& font(CharSet set) { return *fonts->font(set); }

    static TerminalFonts* fonts;
};
TerminalFonts* BuiltTerminalFonts::fonts = nullptr;

TEST_F(BuiltTerminalFonts, BothFacesLoadWithTwelveByTwentyCells) {
    EXPECT_EQ(TerminalFonts::active(), fonts);
    EXPECT_EQ(TerminalFonts::cellSize(), QSize(12, 20));
    for (CharSet set : kBothSets) {
        ASSERT_TRUE(fonts->hasFace(set));
        EXPECT_EQ(font(set).face(), TerminalFonts::faceName(set));
        EXPECT_EQ(font(set).width(), 12);
        EXPECT_EQ(font(set).height(), 20);
        EXPECT_EQ(fonts->glyph(set, 'A').size(), QSize(12, 20));
    }
    EXPECT_STREQ(TerminalFonts::faceName(CharSet::Latin), "KYR_Font");
    EXPECT_STREQ(TerminalFonts::faceName(CharSet::Cyrillic), "KYR_FontR");
}

TEST_F(BuiltTerminalFonts, EveryCodeButTheSpaceHasInk) {
    for (CharSet set : kBothSets) {
        for (int code = 0; code < 256; ++code) {
            const bool blank = font(set).isBlank(static_cast<std::uint8_t>(code));
            EXPECT_EQ(blank, code == ' ') << "set " << int(set) << " code " << code;
        }
    }
}

struct BarCase {
    CharSet set;
    std::uint8_t full;
    std::uint8_t half;
};

TEST_F(BuiltTerminalFonts, BarGraphCodesAreFullAndHalfBlocks) {
    for (const BarCase bar : {BarCase{CharSet::Latin, 178, 177}, {CharSet::Cyrillic, 255, 245}}) {
        const TerminalFont& f = font(bar.set);
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 12; ++x) {
                EXPECT_TRUE(f.pixel(bar.full, x, y)) << int(bar.full) << " " << x << "," << y;
                EXPECT_EQ(f.pixel(bar.half, x, y), x < 6) << int(bar.half) << " " << x << "," << y;
            }
        }
    }
    // The other set's bar codes are characters of their own.
    EXPECT_LT(font(CharSet::Cyrillic).inkCount(178), 12 * 20);
    EXPECT_LT(font(CharSet::Latin).inkCount(255), 12 * 20);
    EXPECT_FALSE(sameGlyph(font(CharSet::Cyrillic), 177, font(CharSet::Latin), 177));
    EXPECT_FALSE(sameGlyph(font(CharSet::Latin), 245, font(CharSet::Cyrillic), 245));
}

TEST_F(BuiltTerminalFonts, LettersOfTheUpperHalfDifferBetweenTheFacesAsciiDoesNot) {
    const TerminalFont& latin = font(CharSet::Latin);
    const TerminalFont& cyrillic = font(CharSet::Cyrillic);
    // 0xA0 is a-acute in the Latin set and the capital Be in the Cyrillic set.
    EXPECT_FALSE(sameGlyph(latin, 0xA0, cyrillic, 0xA0));
    // 0x8E is A-diaeresis and the capital A: the Cyrillic A is the Latin A.
    EXPECT_FALSE(sameGlyph(latin, 0x8E, cyrillic, 0x8E));
    EXPECT_TRUE(sameGlyph(latin, 'A', cyrillic, 0x8E));
    for (int code = 0x21; code < 0x7F; ++code) {
        const auto c = static_cast<std::uint8_t>(code);
        EXPECT_TRUE(sameGlyph(latin, c, cyrillic, c)) << code;
    }
}

TEST_F(BuiltTerminalFonts, PrintableAsciiGlyphsAreAllDistinct) {
    const TerminalFont& latin = font(CharSet::Latin);
    for (int a = 0x21; a < 0x7F; ++a)
        for (int b = a + 1; b < 0x7F; ++b)
            EXPECT_FALSE(
                sameGlyph(latin, static_cast<std::uint8_t>(a), latin, static_cast<std::uint8_t>(b)))
                << char(a) << " and " << char(b);
}

// Both faces draw a character the same, wherever each set keeps it: the glyphs follow the
// character tables.
TEST_F(BuiltTerminalFonts, ACharacterOfBothSetsHasOneGlyph) {
    std::map<char32_t, std::uint8_t> latinCodes;
    for (int code = 0x80; code < 256; ++code) {
        if (code == 177 || code == 178) continue;
        latinCodes.emplace(termToUnicode(static_cast<std::uint8_t>(code), CharSet::Latin),
                           static_cast<std::uint8_t>(code));
    }
    int shared = 0;
    for (int code = 0x80; code < 256; ++code) {
        if (code == 245 || code == 255) continue;
        const char32_t ch = termToUnicode(static_cast<std::uint8_t>(code), CharSet::Cyrillic);
        const auto latin = latinCodes.find(ch);
        if (latin == latinCodes.end() || ch <= 0xA0) continue;
        ++shared;
        EXPECT_TRUE(sameGlyph(font(CharSet::Latin), latin->second, font(CharSet::Cyrillic),
                              static_cast<std::uint8_t>(code)))
            << "U+" << std::hex << unsigned(ch);
    }
    EXPECT_GE(shared, 5);
}

TEST_F(BuiltTerminalFonts, DrawTextPutsOneGlyphPerCellInTheInkColour) {
    QImage image(4 * 12, 20 + 4, QImage::Format_ARGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        fonts->drawText(painter, QPoint(0, 2), CharSet::Latin, "\xB2\xB1 A", Qt::red);
    }
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 48; ++x) {
            const int cell = x / 12;
            const int gx = x % 12;
            const int gy = y - 2;
            bool ink = false;
            if (gy >= 0 && gy < 20) {
                const std::uint8_t codes[] = {0xB2, 0xB1, ' ', 'A'};
                ink = font(CharSet::Latin).pixel(codes[cell], gx, gy);
            }
            EXPECT_EQ(image.pixelColor(x, y), ink ? QColor(Qt::red) : QColor(Qt::white))
                << x << "," << y;
        }
    }
}

TEST_F(BuiltTerminalFonts, GeneratedFilesDecodeAsTheirFaces) {
    for (CharSet set : kBothSets) {
        const QByteArray data = builtFontBytes(set);
        const auto decoded = decodeTerminalFont(std::span<const std::uint8_t>(
            reinterpret_cast<const std::uint8_t*>(data.constData()), data.size()));
        ASSERT_TRUE(decoded.has_value()) << terminalFontFile(set);
        EXPECT_EQ(*decoded, font(set));
    }
}

// A folder holding font files as a case describes them.
class FontFolder {
public:
    void put(CharSet set, const QByteArray& data) {
        QFile file(path(set));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(data);
    }
    void putBuilt(CharSet set) { put(set, builtFontBytes(set)); }
    void putFolderInstead(CharSet set) { ASSERT_TRUE(QDir().mkpath(path(set))); }
    QString path(CharSet set) const { return dir.filePath(fileName(set)); }
    QString folder() const { return dir.path(); }

private:
    QTemporaryDir dir;
};

QByteArray encodedFont(const TerminalFont& font) {
    const auto data = encodeTerminalFont(font);
    return data ? QByteArray(reinterpret_cast<const char*>(data->data()),
                             static_cast<qsizetype>(data->size()))
                : QByteArray();
}

struct BadFontCase {
    const char* what;
    std::function<void(FontFolder&)> prepare;
    const char* message;
};

const BadFontCase kBadFontCases[] = {
    {"no files", [](FontFolder&) {}, "Cannot read file KYRFONT.FON"},
    {"Cyrillic only", [](FontFolder& f) { f.putBuilt(CharSet::Cyrillic); },
     "Cannot read file KYRFONT.FON"},
    {"Latin only", [](FontFolder& f) { f.putBuilt(CharSet::Latin); },
     "Cannot read file KYRFONTR.FON"},
    {"Latin truncated",
     [](FontFolder& f) {
         f.put(CharSet::Latin, builtFontBytes(CharSet::Latin).chopped(1));
         f.putBuilt(CharSet::Cyrillic);
     },
     "Cannot read file KYRFONT.FON"},
    {"Cyrillic truncated to its header",
     [](FontFolder& f) {
         f.putBuilt(CharSet::Latin);
         f.put(CharSet::Cyrillic, builtFontBytes(CharSet::Cyrillic).left(44));
     },
     "Cannot read file KYRFONTR.FON"},
    {"Latin empty",
     [](FontFolder& f) {
         f.put(CharSet::Latin, QByteArray());
         f.putBuilt(CharSet::Cyrillic);
     },
     "Cannot read file KYRFONT.FON"},
    {"Cyrillic garbage",
     [](FontFolder& f) {
         f.putBuilt(CharSet::Latin);
         f.put(CharSet::Cyrillic, QByteArray(10288, '\x5A'));
     },
     "Cannot read file KYRFONTR.FON"},
    {"Cyrillic with a byte appended",
     [](FontFolder& f) {
         f.putBuilt(CharSet::Latin);
         f.put(CharSet::Cyrillic, builtFontBytes(CharSet::Cyrillic) + '\0');
     },
     "Cannot read file KYRFONTR.FON"},
    {"Latin with a glyph byte changed",
     [](FontFolder& f) {
         QByteArray data = builtFontBytes(CharSet::Latin);
         data[1000] = static_cast<char>(data[1000] ^ 0x40);
         f.put(CharSet::Latin, data);
         f.putBuilt(CharSet::Cyrillic);
     },
     "Cannot read file KYRFONT.FON"},
    {"files swapped",
     [](FontFolder& f) {
         f.put(CharSet::Latin, builtFontBytes(CharSet::Cyrillic));
         f.put(CharSet::Cyrillic, builtFontBytes(CharSet::Latin));
     },
     "Cannot read file KYRFONT.FON"},
    {"Cyrillic of another cell size",
     [](FontFolder& f) {
         f.putBuilt(CharSet::Latin);
         f.put(CharSet::Cyrillic, encodedFont(TerminalFont("KYR_FontR", 16, 20)));
     },
     "Cannot read file KYRFONTR.FON"},
    {"Latin a folder",
     [](FontFolder& f) {
         f.putFolderInstead(CharSet::Latin);
         f.putBuilt(CharSet::Cyrillic);
     },
     "Cannot read file KYRFONT.FON"},
    {"Latin far too large",
     [](FontFolder& f) {
         f.put(CharSet::Latin, builtFontBytes(CharSet::Latin).repeated(20));
         f.putBuilt(CharSet::Cyrillic);
     },
     "Cannot read file KYRFONT.FON"},
};

class TerminalFontsMissing : public ::testing::Test {
protected:
    void SetUp() override {
        test::guiApp();
        setLanguage(LangEnglish);
    }
    void TearDown() override { setLanguage(LangEnglish); }
    test::RecordingDialog dialog;
};

TEST_F(TerminalFontsMissing, AFontThatCannotBeReadIsReportedAndNothingIsKept) {
    for (const BadFontCase& c : kBadFontCases) {
        SCOPED_TRACE(c.what);
        FontFolder folder;
        c.prepare(folder);
        dialog.clear();
        TerminalFonts fonts(folder.folder());
        EXPECT_FALSE(fonts.registerFonts());
        ASSERT_EQ(dialog.entries.size(), 1u);
        EXPECT_EQ(dialog.entries[0].kind, MsgKind::Error);
        EXPECT_EQ(dialog.entries[0].title, "ERROR");
        EXPECT_EQ(dialog.entries[0].text, c.message);
        EXPECT_FALSE(fonts.hasFace(CharSet::Latin));
        EXPECT_FALSE(fonts.hasFace(CharSet::Cyrillic));
        EXPECT_EQ(fonts.font(CharSet::Latin), nullptr);
        EXPECT_TRUE(fonts.glyph(CharSet::Latin, 'A').isNull());
        EXPECT_EQ(TerminalFonts::active(), nullptr);
    }
}

TEST_F(TerminalFontsMissing, TheMessageFollowsTheLanguage) {
    FontFolder folder;
    folder.putBuilt(CharSet::Latin);
    setLanguage(LangCzech);
    TerminalFonts fonts(folder.folder());
    EXPECT_FALSE(fonts.registerFonts());
    ASSERT_EQ(dialog.entries.size(), 1u);
    EXPECT_EQ(dialog.entries[0].title, "CHYBA");
    EXPECT_EQ(dialog.entries[0].text, "Nelze přečíst soubor KYRFONTR.FON");
}

TEST_F(TerminalFontsMissing, DrawingWithoutFontsDrawsNothing) {
    TerminalFonts fonts(QTemporaryDir().path());
    QImage image(24, 20, QImage::Format_ARGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        fonts.drawText(painter, QPoint(0, 0), CharSet::Latin, "\xB2\xB2", Qt::black);
    }
    EXPECT_EQ(image.pixelColor(5, 5), QColor(Qt::white));
}

TEST_F(TerminalFontsMissing, RegisteredFontsAreGivenUpWithTheirObject) {
    {
        TerminalFonts fonts(builtFontFolder());
        ASSERT_TRUE(fonts.registerFonts());
        EXPECT_EQ(TerminalFonts::active(), &fonts);
        fonts.removeFonts();
        EXPECT_EQ(TerminalFonts::active(), nullptr);
        EXPECT_FALSE(fonts.hasFace(CharSet::Latin));
        ASSERT_TRUE(fonts.registerFonts());
        EXPECT_EQ(TerminalFonts::active(), &fonts);
    }
    EXPECT_EQ(TerminalFonts::active(), nullptr);
    EXPECT_TRUE(dialog.entries.empty());
}

// The whole start: with the fonts the main window comes up and the loop runs; without them
// the run ends with the message before any window exists.
class ProgramStartTest : public TerminalFontsMissing {
protected:
    ProgramStart start(const QString& fontFolder) {
        ProgramStart s;
        s.settingsPath = settingsDir.filePath("kyr.ini");
        s.fontFolder = fontFolder;
        s.mainWindowChanged = [this](QWidget* w) { windows.push_back(w); };
        s.loop = [this] {
            ++loops;
            fontsDuringLoop = TerminalFonts::active() != nullptr;
            mainVisible = !windows.empty() && qobject_cast<TMainMDIForm*>(windows.back()) &&
                          windows.back()->isVisible();
            return 7;
        };
        return s;
    }

    QTemporaryDir settingsDir;
    std::vector<QWidget*> windows;
    int loops = 0;
    bool fontsDuringLoop = false;
    bool mainVisible = false;
};

TEST_F(ProgramStartTest, WithTheFontsTheMainWindowRunsAndTheFontsGoAtTheEnd) {
    EXPECT_EQ(runMainWindow(start(builtFontFolder())), 7);
    EXPECT_EQ(loops, 1);
    EXPECT_TRUE(fontsDuringLoop);
    EXPECT_TRUE(mainVisible);
    ASSERT_EQ(windows.size(), 2u);
    EXPECT_EQ(windows.back(), nullptr);
    EXPECT_EQ(TerminalFonts::active(), nullptr);
    EXPECT_TRUE(dialog.entries.empty());
}

TEST_F(ProgramStartTest, WithoutAFontTheRunEndsBeforeAnyWindow) {
    for (const CharSet present : kBothSets) {
        FontFolder folder;
        folder.putBuilt(present);
        dialog.clear();
        windows.clear();
        EXPECT_EQ(runMainWindow(start(folder.folder())), 1);
        EXPECT_EQ(loops, 0);
        EXPECT_TRUE(windows.empty());
        EXPECT_EQ(TerminalFonts::active(), nullptr);
        ASSERT_EQ(dialog.texts().size(), 1u);
        EXPECT_EQ(dialog.texts()[0], present == CharSet::Latin ? "Cannot read file KYRFONTR.FON"
                                                               : "Cannot read file KYRFONT.FON");
    }
}

TEST_F(ProgramStartTest, TheFontMessageIsInTheLanguageOfTheSettings) {
    QSettings ini(settingsDir.filePath("kyr.ini"), QSettings::IniFormat);
    ini.setValue("Language/language", 1);
    ini.sync();
    FontFolder folder;
    EXPECT_EQ(runMainWindow(start(folder.folder())), 1);
    ASSERT_EQ(dialog.entries.size(), 1u);
    EXPECT_EQ(dialog.entries[0].title, "FEHLER");
    EXPECT_EQ(dialog.entries[0].text, "Datei kann nicht gelesen werden: KYRFONT.FON");
}

}  // namespace
}  // namespace kyr

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "RecordingDialog.h"
#include "model/Charset.h"
#include "model/DataClass.h"
#include "model/Func.h"
#include "model/FuncLine.h"
#include "model/Screen.h"
#include "model/SystemMode.h"
#include "model/Texts.h"

namespace kyr {
namespace {

using test::RecordingDialog;

// Terminal types used below: 0 KYR-T240(E) 2x40 (family 0), 4 LUM Sigma 2x16 (family 2),
// 7 LUMQ2 2x4 (family 2, decimal points).
constexpr std::uint8_t KyrB = 0;
constexpr std::uint8_t LumSigma = 4;
constexpr std::uint8_t LumQ2 = 7;

struct LanguageGuard {
    std::uint8_t saved = language();
    LanguageGuard() { setLanguage(LangEnglish); }
    ~LanguageGuard() { setLanguage(saved); }
};

struct SystemModeGuard {
    bool saved = isSystemMode();
    ~SystemModeGuard() { setSystemMode(saved); }
};

std::unique_ptr<TFunc> txt(TKyrData& d, int position, int width) {
    auto f = std::make_unique<TFunc>(d, TFunc::KindTxt);
    f->SetPosition(position);
    f->SetTxtChars(static_cast<std::uint8_t>(width));
    return f;
}

// The writer's CR LF lines as the project reader hands a section over: each line ended by CR.
std::string asSection(const std::string& written) {
    std::string out;
    for (char c : written)
        if (c != '\n') out += c;
    return out;
}

std::vector<int> positions(const TKyrScreen& s) {
    std::vector<int> out;
    for (const auto& f : s.Functions()) out.push_back(f->Position());
    return out;
}

struct ScreenFixture : ::testing::Test {
    LanguageGuard language;
    RecordingDialog dialog;
    std::unique_ptr<TKyrData> data = TKyrData::NewProject(0, KyrB);
};

// ---- the object -------------------------------------------------------------------------

TEST_F(ScreenFixture, NewScreenIsBlank) {
    const TKyrScreen s(*data);
    EXPECT_EQ(s.DisplayText(), std::string(161, ' '));
    EXPECT_EQ(s.ImageText(), std::string(161, ' '));
    EXPECT_EQ(s.ExdTable(), 255);
    EXPECT_EQ(s.Flags(), 0);
    EXPECT_EQ(s.FuncCount(), 0);
    EXPECT_EQ(s.FirmwareLevel(), 0);
    EXPECT_EQ(s.FreeTail(), 80);
    EXPECT_FALSE(s.Modified());
    EXPECT_FALSE(s.Error());
}

// ---- gaps -------------------------------------------------------------------------------

TEST_F(ScreenFixture, InsertAndDeleteMoveTextAndFields) {
    TKyrScreen s(*data);
    std::string text = "ABCDEFGHIJKLMNOP";
    text.resize(76, ' ');
    text += "WXYZ";
    s.SetDisplayText(text);
    s.SetPoint(11, true);
    TFunc& old = s.AppendFunction(txt(*data, 12, 1));

    TFunc& added = s.InsertFunction(txt(*data, 10, 4));
    EXPECT_TRUE(s.Modified());
    EXPECT_EQ(s.DisplayText().substr(0, 20), "ABCDEFGHIJ    KLMNOP");
    EXPECT_EQ(s.DisplayText().substr(76, 4), "    ");  // W X Y Z pushed out
    EXPECT_EQ(old.Position(), 16);
    EXPECT_EQ(added.Position(), 10);
    EXPECT_TRUE(s.Point(15));
    EXPECT_FALSE(s.Point(11));
    EXPECT_EQ(s.FunctionAt(12), &added);
    EXPECT_EQ(s.FunctionIndexAt(16), 0);
    EXPECT_EQ(s.FunctionAt(14), nullptr);

    ASSERT_TRUE(s.DeleteFunction(added, false));
    std::string restored = "ABCDEFGHIJKLMNOP";
    restored.resize(80, ' ');
    EXPECT_EQ(s.DisplayText().substr(0, 80), restored);
    EXPECT_EQ(old.Position(), 12);
    EXPECT_TRUE(s.Point(11));
    EXPECT_EQ(s.FuncCount(), 1);
    EXPECT_EQ(s.FreeTail(), 80 - 16);
}

TEST_F(ScreenFixture, GapsCrossRowEnds) {
    TKyrScreen s(*data);
    std::string text(38, ' ');
    text += "XY";  // the last two cells of row 0
    s.SetDisplayText(text);
    s.InsertFunction(txt(*data, 30, 3));
    EXPECT_EQ(s.DisplayText().substr(41, 2), "XY");
}

TEST_F(ScreenFixture, DeleteAsksFirst) {
    TKyrScreen s(*data);
    TFunc& f = s.InsertFunction(txt(*data, 0, 2));
    s.SetModified(false);
    EXPECT_FALSE(s.DeleteFunction(f, true));  // the recorded user answers No
    EXPECT_EQ(s.FuncCount(), 1);
    EXPECT_FALSE(s.Modified());
    ASSERT_EQ(dialog.entries.size(), 1u);
    EXPECT_TRUE(dialog.entries[0].isQuestion);
    EXPECT_EQ(dialog.entries[0].kind, MsgKind::Warning);
    EXPECT_EQ(dialog.entries[0].title, "KYR");
    EXPECT_EQ(dialog.entries[0].text,
              "Do you want to delete the function " + std::string(f.KindName()) + " ?");

    dialog.answers.push_back(Answer::Yes);
    EXPECT_TRUE(s.DeleteFunction(f, true));
    EXPECT_EQ(s.FuncCount(), 0);
    EXPECT_TRUE(s.Modified());

    // A function the screen does not own is left alone.
    auto stranger = txt(*data, 0, 2);
    EXPECT_FALSE(s.DeleteFunction(*stranger, false));
}

TEST_F(ScreenFixture, ResizeGrowsAndShrinksTheGap) {
    TKyrScreen s(*data);
    std::string text = "ab  cdef";
    s.SetDisplayText(text);
    TFunc& f = s.AppendFunction(txt(*data, 2, 2));
    TFunc& later = s.AppendFunction(txt(*data, 4, 1));

    s.ResizeFunction(f, 3);
    EXPECT_EQ(s.DisplayText().substr(0, 11), "ab     cdef");
    EXPECT_EQ(f.Position(), 2);
    EXPECT_EQ(later.Position(), 7);

    f.SetTxtChars(5);
    s.ResizeFunction(f, -3);
    EXPECT_EQ(s.DisplayText().substr(0, 8), "ab  cdef");
    EXPECT_EQ(later.Position(), 4);
    EXPECT_TRUE(s.Modified());
}

TEST_F(ScreenFixture, ShiftAndFreeTail) {
    TKyrScreen s(*data);
    s.AppendFunction(txt(*data, 5, 2));
    s.AppendFunction(txt(*data, 20, 4));
    s.ShiftPositions(10, 3);
    EXPECT_EQ(positions(s), (std::vector<int>{5, 23}));
    EXPECT_EQ(s.FreeTail(), 80 - 27);

    s.SetDisplayChar(70, 'x');
    EXPECT_EQ(s.FreeTail(), 9);
    s.SetDisplayChar(70, ' ');
    s.SetPoint(79, true);
    EXPECT_EQ(s.FreeTail(), 0);
    s.SetPoint(79, false);
    s.AppendFunction(txt(*data, 76, 4));
    EXPECT_EQ(s.FreeTail(), 0);
}

TEST_F(ScreenFixture, PositionsOutsideTheScreenAreIgnored) {
    TKyrScreen s(*data);
    s.SetDisplayChar(80, 'x');
    s.SetDisplayChar(-1, 'x');
    s.SetPoint(200, true);
    EXPECT_EQ(s.DisplayChar(80), ' ');
    EXPECT_FALSE(s.Point(200));
    EXPECT_EQ(s.DisplayText(), std::string(161, ' '));
    // A field at the very end with an oversize gap does not write past the text.
    s.InsertFunction(txt(*data, 79, 50));
    s.InsertFunction(txt(*data, 200, 5));
    EXPECT_EQ(s.DisplayText().size(), 161u);
}

// ---- links and firmware -----------------------------------------------------------------

TEST_F(ScreenFixture, UpdateLinksNeedsTheNeighbours) {
    const struct {
        int number;
        std::vector<int> others;
        std::uint8_t expected;
    } cases[] = {
        {0, {1}, 0x02 | 0xF0},     // screen 0 never links back
        {5, {4, 6}, 0x03 | 0xF0},  // both neighbours
        {5, {4}, 0x01 | 0xF0},     // no next
        {5, {6, 7}, 0x02 | 0xF0},  // no previous
        {5, {}, 0xF0},
    };
    for (const auto& c : cases) {
        auto d = TKyrData::NewProject(0, KyrB);
        for (int n : c.others) d->AddScreen(n, 99);
        TKyrScreen& s = d->AddScreen(c.number, 99);
        s.SetFlags(0xF3);
        s.UpdateLinks();
        EXPECT_EQ(s.Flags(), c.expected) << c.number;
    }
}

TEST_F(ScreenFixture, FirmwareLevelIsTheHighestOfItsFields) {
    TKyrScreen& s = data->AddScreen(1, 0);
    const int base = data->RequiredFirmware();
    EXPECT_EQ(s.FirmwareLevel(), 0);
    s.AppendFunction(txt(*data, 0, 2));
    EXPECT_EQ(s.FirmwareLevel(), 212);
    auto bar = std::make_unique<TFunc>(*data, TFunc::KindBar);
    bar->SetPosition(10);
    s.AppendFunction(std::move(bar));
    EXPECT_EQ(s.FirmwareLevel(), 214);
    EXPECT_EQ(data->RequiredFirmware(), std::max(base, 214));
}

TEST_F(ScreenFixture, CyrillicScreenRaisesRequiredVersion) {
    auto d = TKyrData::NewProject(0, 1);
    d->Setup().SetProtocol(0);
    EXPECT_EQ(d->RequiredVersion(), 218);
    d->AddScreen(1, 0).SetFlags(0x04);
    EXPECT_EQ(d->RequiredVersion(), 227);
}

// ---- display text and image text --------------------------------------------------------

TEST_F(ScreenFixture, LumqPointsWalk) {
    auto d = TKyrData::NewProject(0, LumQ2);
    const struct {
        const char* image;
        const char* display;
        std::vector<int> points;
    } cases[] = {
        {"1.2 3", "12 3", {0}},
        {".5", " 5  ", {0}},
        {"1.2.3.4.", "1234", {0, 1, 2, 3}},
        {"1..2", "1 2 ", {0, 1}},
        {"..", "    ", {0, 1}},
        {"12345678", "1234", {}},
        {"1.2.3.4.5", "1234", {0, 1, 2, 3}},
    };
    for (const auto& c : cases) {
        TKyrScreen s(*d);
        s.SetImageText(c.image);
        s.ToDisplayText();
        EXPECT_EQ(s.DisplayText().substr(0, 4), c.display) << c.image;
        std::vector<int> lit;
        for (int i = 0; i < 8; ++i)
            if (s.Point(i)) lit.push_back(i);
        EXPECT_EQ(lit, c.points) << c.image;
    }
}

TEST_F(ScreenFixture, PointsBecomeDotsInTheImageText) {
    auto d = TKyrData::NewProject(0, LumQ2);
    TKyrScreen s(*d);
    s.SetDisplayText("12 3");
    s.SetPoint(0, true);
    s.SetPoint(3, true);
    s.ToImageText();
    EXPECT_EQ(s.ImageText().substr(0, 8), "1.2 3.  ");
    EXPECT_EQ(s.ImageText().substr(6), std::string(155, ' '));

    // Without LUMQ a '.' is an ordinary character.
    TKyrScreen k(*data);
    k.SetImageText("1.2");
    k.ToDisplayText();
    EXPECT_EQ(k.DisplayText().substr(0, 3), "1.2");
    EXPECT_FALSE(k.Point(0));
}

// ---- image record -----------------------------------------------------------------------

TEST_F(ScreenFixture, EmptyScreenRecordInBothFormats) {
    const struct {
        std::uint8_t type;
        int format;
        std::vector<std::uint8_t> head;  // length, number, block length, flags, EXD
        std::size_t textLen;
    } cases[] = {
        {KyrB, 217, {0x00, 89, 7, 82, 0x00, 0xFF}, 80},
        {KyrB, 218, {0x00, 90, 0x00, 7, 82, 0x00, 0xFF}, 80},
        {KyrB, 260, {0x00, 90, 0x00, 7, 82, 0x00, 0xFF}, 80},
        {LumSigma, 217, {41, 0x00, 7, 34, 0x00, 0xFF}, 32},
        {LumSigma, 218, {42, 0x00, 7, 0x00, 34, 0x00, 0xFF}, 32},
    };
    for (const auto& c : cases) {
        auto d = TKyrData::NewProject(0, c.type);
        TKyrScreen& s = d->AddScreen(7, 0);
        const std::size_t size = s.ImageSize(c.format);
        ASSERT_EQ(size, c.head.size() + c.textLen + 3) << c.format;
        std::vector<std::uint8_t> rec(size + 4, 0xEE);
        ASSERT_EQ(s.PutToImage(rec, c.format, false), TKyrScreen::ImageError::None);
        EXPECT_TRUE(std::equal(c.head.begin(), c.head.end(), rec.begin())) << c.format;
        EXPECT_TRUE(std::all_of(rec.begin() + c.head.size(),
                                rec.begin() + c.head.size() + c.textLen,
                                [](auto b) { return b == ' '; }));
        EXPECT_TRUE(std::all_of(rec.begin() + static_cast<long>(size) - 3, rec.begin() + size,
                                [](auto b) { return b == 0; }));
        EXPECT_EQ(rec[size], 0xEE);
    }
}

TEST_F(ScreenFixture, LumqRecordCarriesPointsAndDisplayFlags) {
    auto d = TKyrData::NewProject(0, LumQ2);
    TKyrScreen& s = d->AddScreen(3, 0);
    s.SetImageText("1.2.3.4.");
    s.ToDisplayText();
    s.SetDispFlags(0x1234);
    const std::size_t size = s.ImageSize(218);
    EXPECT_EQ(size, 2u + 8 + 8 + 2);  // number 2, text 8, head and end 8, display flags 2
    std::vector<std::uint8_t> rec(size);
    ASSERT_EQ(s.PutToImage(rec, 218, false), TKyrScreen::ImageError::None);
    EXPECT_EQ(rec[0], size);  // low byte first on LUM terminals
    EXPECT_EQ(rec[1], 0);
    EXPECT_EQ(rec[4], 8 + 2 + 2);
    EXPECT_EQ(std::string(rec.begin() + 7, rec.begin() + 15), "1.2.3.4.");
    EXPECT_EQ(rec[15], 0x34);
    EXPECT_EQ(rec[16], 0x12);

    int number = 0;
    const auto back = TKyrScreen::FromImage(*d, rec, 218, number);
    ASSERT_FALSE(back->Error());
    EXPECT_EQ(number, 0x0300);  // the number is read high byte first
    EXPECT_EQ(back->DispFlags(), 0x1234);
    EXPECT_EQ(back->DisplayText().substr(0, 4), "1234");
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(back->Point(i));
    EXPECT_EQ(back->Comment(), "");
}

TEST_F(ScreenFixture, PutToImageRefusals) {
    TKyrScreen& s = data->AddScreen(200, 0);
    std::vector<std::uint8_t> rec(400, 0xEE);
    EXPECT_EQ(s.PutToImage(rec, 217, true), TKyrScreen::ImageError::NumberForFormat);
    EXPECT_EQ(s.PutToImage(rec, 218, true), TKyrScreen::ImageError::None);
    s.SetNumber(199);
    EXPECT_EQ(s.PutToImage(rec, 217, true), TKyrScreen::ImageError::None);

    std::fill(rec.begin(), rec.end(), 0xEE);
    s.SetFlags(0x04);
    EXPECT_EQ(s.PutToImage(rec, 218, false), TKyrScreen::ImageError::CharSetNotAllowed);
    EXPECT_TRUE(std::all_of(rec.begin(), rec.end(), [](auto b) { return b == 0xEE; }));
    EXPECT_EQ(s.PutToImage(rec, 218, true), TKyrScreen::ImageError::None);

    std::vector<std::uint8_t> small(s.ImageSize(218) - 1, 0xEE);
    EXPECT_EQ(s.PutToImage(small, 218, true), TKyrScreen::ImageError::BufferTooSmall);
    EXPECT_TRUE(std::all_of(small.begin(), small.end(), [](auto b) { return b == 0xEE; }));
}

TEST_F(ScreenFixture, PutToImageUpdatesLinksButNotModified) {
    TKyrScreen& s = data->AddScreen(4, 0);
    s.SetFlags(0x03);
    data->ClearModified();
    std::vector<std::uint8_t> rec(200);
    ASSERT_EQ(s.PutToImage(rec, 218, false), TKyrScreen::ImageError::None);
    EXPECT_EQ(rec[5], 0x00);
    EXPECT_FALSE(data->IsModified());
}

TEST_F(ScreenFixture, ImageRecordRoundTripsWithFields) {
    for (const std::uint8_t type : {KyrB, LumSigma}) {
        auto d = TKyrData::NewProject(0, type);
        TKyrScreen& s = d->AddScreen(12, 0);
        s.SetDisplayText("Temp:      C");
        s.SetFlags(0x04);
        s.SetExdTable(3);
        auto f = txt(*d, 6, 4);
        f->SetSourceAddr(0x1234);
        s.AppendFunction(std::move(f));
        auto bar = std::make_unique<TFunc>(*d, TFunc::KindBar);
        bar->SetPosition(20);
        s.AppendFunction(std::move(bar));
        for (const int format : {217, 218}) {
            std::vector<std::uint8_t> rec(s.ImageSize(format));
            ASSERT_EQ(s.PutToImage(rec, format, true), TKyrScreen::ImageError::None);
            int number = -1;
            const auto back = TKyrScreen::FromImage(*d, rec, format, number);
            ASSERT_FALSE(back->Error()) << int(type) << "/" << format;
            if (format == 217 || type == KyrB) {
                EXPECT_EQ(number, 12);
            }
            EXPECT_EQ(back->Flags(), 0x04);
            EXPECT_EQ(back->ExdTable(), 3);
            EXPECT_EQ(back->DisplayText(), s.DisplayText());
            ASSERT_EQ(back->FuncCount(), 2);
            EXPECT_EQ(back->Func(0).SourceAddr(), 0x1234);
            EXPECT_EQ(back->Func(0).Position(), 6);
            EXPECT_EQ(back->Func(1).Kind(), TFunc::KindBar);
            EXPECT_EQ(back->Comment(), "");
            std::vector<std::uint8_t> again(back->ImageSize(format));
            back->SetNumber(s.Number());
            ASSERT_EQ(back->PutToImage(again, format, true), TKyrScreen::ImageError::None);
            EXPECT_EQ(again, rec);
        }
    }
}

TEST_F(ScreenFixture, BadRecordsSetTheErrorFlag) {
    TKyrScreen& s = data->AddScreen(9, 0);
    s.AppendFunction(txt(*data, 0, 3));
    std::vector<std::uint8_t> rec(s.ImageSize(218));
    ASSERT_EQ(s.PutToImage(rec, 218, true), TKyrScreen::ImageError::None);

    // Character set 2 in the flags byte.
    auto bad = rec;
    bad[5] = 0x08;
    int number = -1;
    EXPECT_TRUE(TKyrScreen::FromImage(*data, bad, 218, number)->Error());
    EXPECT_EQ(number, 9);
    // A function of kind 7.
    bad = rec;
    bad[7 + 80 + 2] = 7;
    EXPECT_TRUE(TKyrScreen::FromImage(*data, bad, 218, number)->Error());
    // Every cut of the record is refused, none reads past it.
    for (std::size_t n = 0; n + 3 < rec.size(); ++n) {
        const std::vector<std::uint8_t> cut(rec.begin(), rec.begin() + static_cast<long>(n));
        EXPECT_TRUE(TKyrScreen::FromImage(*data, cut, 218, number)->Error()) << n;
    }
    EXPECT_EQ(data->AddScreenFromImage(bad, 218), 9);
    const int before = data->ScreenCount();
    EXPECT_EQ(data->AddScreenFromImage(rec, 218), TKyrData::ScreenImageAccepted);
    EXPECT_EQ(data->ScreenCount(), before + 1);
    EXPECT_EQ(data->AddScreenFromImage(std::span(rec).first(2), 218), -1);
}

TEST_F(ScreenFixture, SystemModeSendsShortTexts) {
    SystemModeGuard guard;
    setSystemMode(true);
    TKyrScreen& s = data->AddScreen(2000, 0);
    s.SetDisplayText("Hello");
    EXPECT_EQ(s.ImageSize(218), 2u + 5 + 8);
    std::vector<std::uint8_t> rec(s.ImageSize(218));
    ASSERT_EQ(s.PutToImage(rec, 218, false), TKyrScreen::ImageError::None);
    EXPECT_EQ(rec[4], 5 + 2);
    s.SetDisplayText("");
    EXPECT_EQ(s.ImageSize(218), 2u + 1 + 8);  // at least one character
    s.SetNumber(1999);
    EXPECT_EQ(s.ImageSize(218), 2u + 80 + 8);
    setSystemMode(false);
    s.SetNumber(2000);
    EXPECT_EQ(s.ImageSize(218), 2u + 80 + 8);
}

// ---- project text: reading --------------------------------------------------------------

TEST_F(ScreenFixture, ReadsHeaderCommentTextAndKeywords) {
    const std::string section =
        "[0042]   \tpump room\r"
        "  FLAGS $03\r"
        "  EXD 7\r"
        "  \"Pressure:\"\r"
        "\t\"  bar\"\r"
        "  TXT 10 0 100 0 1 21 4 $10\r";
    const auto s = TKyrScreen::ReadBlock(*data, section, 260);
    ASSERT_FALSE(s->Error());
    EXPECT_EQ(s->Number(), 42);
    EXPECT_EQ(s->Comment(), "pump room");
    EXPECT_EQ(s->Flags(), 0x03);
    EXPECT_EQ(s->ExdTable(), 7);
    EXPECT_EQ(s->DisplayText().substr(0, 16), "Pressure:  bar  ");
    ASSERT_EQ(s->FuncCount(), 1);
    EXPECT_EQ(s->Func(0).Position(), 10);
    EXPECT_EQ(s->Func(0).Width(), 4);
    EXPECT_FALSE(s->Modified());
    EXPECT_TRUE(dialog.entries.empty());
}

TEST_F(ScreenFixture, HeaderDigitsFollowTheFileVersion) {
    const struct {
        const char* header;
        int version;
        int number;  // -1: refused
        const char* quoted;
    } cases[] = {
        {"[012] a", 217, 12, ""},    {"[0012] a", 217, -1, "001"},
        {"[0012] a", 218, 12, ""},   {"[012] a", 218, -1, "012]"},
        {"[0999]", 260, 999, ""},    {"[1000]", 260, -1, "1000"},
        {"[-001]", 260, -1, "-001"}, {"[  12]", 260, 12, ""},
        {"[ab12]", 260, -1, "ab12"}, {"[$0A]", 217, 10, ""},
        {"[12", 260, -1, "12"},      {"[", 260, -1, ""},
        {"", 260, -1, ""},
    };
    for (const auto& c : cases) {
        dialog.clear();
        const auto s = TKyrScreen::ReadBlock(*data, c.header, c.version);
        if (c.number < 0) {
            EXPECT_TRUE(s->Error()) << c.header;
            EXPECT_EQ(dialog.texts(),
                      std::vector<std::string>{std::string("Bad screen number: ") + c.quoted})
                << c.header;
            ASSERT_EQ(dialog.entries.size(), 1u);
            EXPECT_EQ(dialog.entries[0].kind, MsgKind::Warning);
        } else {
            EXPECT_FALSE(s->Error()) << c.header;
            EXPECT_EQ(s->Number(), c.number) << c.header;
            EXPECT_TRUE(dialog.entries.empty()) << c.header;
        }
    }
}

TEST_F(ScreenFixture, SystemModeAllowsNumbersUpTo3000) {
    SystemModeGuard guard;
    setSystemMode(true);
    EXPECT_FALSE(TKyrScreen::ReadBlock(*data, "[3000]", 260)->Error());
    EXPECT_TRUE(TKyrScreen::ReadBlock(*data, "[3001]", 260)->Error());
}

TEST_F(ScreenFixture, BadKeywordValuesWarnAndKeepTheOldValue) {
    const struct {
        const char* line;
        const char* message;
    } cases[] = {
        {"  FLAGS 256", "Bad screen flags:  256"},
        {"  FLAGS $04 ", "Bad screen flags:  $04 "},
        {"  FLAGS", "Bad screen flags: "},
        {"  EXD -1", "Bad EXD table number:  -1"},
        {"  EXD x", "Bad EXD table number:  x"},
        {"  DISPFLAGS $10000", "Bad display flags:  $10000"},
        {"  DISPFLAGS\t1", "Bad display flags: \t1"},
    };
    for (const auto& c : cases) {
        dialog.clear();
        const auto s = TKyrScreen::ReadBlock(
            *data, std::string("[0001]\r  FLAGS $01\r  EXD 2\r") + c.line, 260);
        EXPECT_FALSE(s->Error()) << c.line;
        EXPECT_EQ(dialog.texts(), std::vector<std::string>{c.message}) << c.line;
        EXPECT_EQ(s->Flags(), 1);
        EXPECT_EQ(s->ExdTable(), 2);
        EXPECT_EQ(s->DispFlags(), 0);
    }
}

TEST_F(ScreenFixture, FlagsConvertTheTextFromThePcCodePage) {
    // "Ж" is C6 in code page 1251; "č" is E8 in code page 1250.
    const auto cyr = TKyrScreen::ReadBlock(*data, "[0001]\r  \"\xC6\"\r  FLAGS $04\r", 260);
    EXPECT_EQ(cyr->TextCharSet(), CharSet::Cyrillic);
    EXPECT_EQ(static_cast<std::uint8_t>(cyr->DisplayText()[0]), pcToTerm(0xC6, CharSet::Cyrillic));

    const auto lat = TKyrScreen::ReadBlock(*data, "[0001]\r  FLAGS $00\r  \"\xE8\"\r", 260);
    EXPECT_EQ(static_cast<std::uint8_t>(lat->DisplayText()[0]), pcToTerm(0xE8, CharSet::Latin));

    // Without FLAGS the text stays as written; two FLAGS lines convert it twice.
    const auto none = TKyrScreen::ReadBlock(*data, "[0001]\r  \"\xE8\"\r", 260);
    EXPECT_EQ(static_cast<std::uint8_t>(none->DisplayText()[0]), 0xE8);
    const auto twice =
        TKyrScreen::ReadBlock(*data, "[0001]\r  FLAGS 0\r  FLAGS 0\r  \"\xE8\"\r", 260);
    EXPECT_EQ(static_cast<std::uint8_t>(twice->DisplayText()[0]),
              pcToTerm(pcToTerm(0xE8, CharSet::Latin), CharSet::Latin));
}

TEST_F(ScreenFixture, TextPassRules) {
    const struct {
        const char* body;
        const char* text;
    } cases[] = {
        {"\"lost\"\r", ""},        // quote in the first column is dropped
        {"  \"a\"b\"\r", "a\"b"},  // only the outer quotes go
        {"  \"open\r", "open"},    // no closing quote
        {"  \"\"\r  \"x\"\r", "x"},
        {"  \"ab\r\n  \"cd\"\r\n", "abcd"},  // clipboard CR LF
        {"  FLAGS 0\r\r  \"after blank\"\r", "after blank"},
        {"  \"one\"\r     \"two\"\r", "onetwo"},  // second texts of BIT fields count too
    };
    for (const auto& c : cases) {
        const auto s = TKyrScreen::ReadBlock(*data, std::string("[0001]\r") + c.body, 260);
        std::string expected = c.text;
        expected.resize(80, ' ');
        EXPECT_EQ(s->DisplayText().substr(0, 80), expected) << c.body;
    }
}

TEST_F(ScreenFixture, TextIsCutTo161Characters) {
    std::string body;
    for (int i = 0; i < 5; ++i)
        body += "  \"" + std::string(60, static_cast<char>('a' + i)) + "\"\r";
    const auto s = TKyrScreen::ReadBlock(*data, "[0001]\r" + body, 260);
    EXPECT_EQ(s->DisplayText().substr(0, 80), std::string(60, 'a') + std::string(20, 'b'));
    EXPECT_EQ(s->ImageText().size(), 161u);
}

TEST_F(ScreenFixture, KeywordPassRules) {
    const std::string num = "  TXT 0 0 100 0 1 21 2 $10\r";
    // A blank line ends the pass: the field after it is not read.
    auto s =
        TKyrScreen::ReadBlock(*data, "[0001]\r" + num + "\r" + "  TXT 5 0 0 0 1 21 2 $10\r", 260);
    EXPECT_EQ(s->FuncCount(), 1);
    // So does a line whose second character is "[".
    s = TKyrScreen::ReadBlock(*data, "[0001]\r [x\r" + num, 260);
    EXPECT_EQ(s->FuncCount(), 0);
    // Lines that do not start with a letter are ignored.
    s = TKyrScreen::ReadBlock(*data, "[0001]\r  ; note\r  5 6\r" + num, 260);
    EXPECT_EQ(s->FuncCount(), 1);
    // Keywords in any case; an unindented keyword loses its first letter.
    s = TKyrScreen::ReadBlock(*data, "[0001]\r  flags $01\r  exd 4\rTXT 0 0 0 0 1 21 2 $10\r", 260);
    EXPECT_EQ(s->Flags(), 1);
    EXPECT_EQ(s->ExdTable(), 4);
    EXPECT_EQ(s->FuncCount(), 0);
    ASSERT_EQ(dialog.texts().size(), 1u);
    EXPECT_NE(dialog.texts()[0].find("XT"), std::string::npos);
}

TEST_F(ScreenFixture, FieldsThatDoNotFitAreDroppedSilently) {
    const auto s = TKyrScreen::ReadBlock(
        *data, "[0001]\r  TXT 76 0 0 0 1 21 4 $10\r  TXT 77 0 0 0 1 21 4 $10\r", 260);
    ASSERT_EQ(s->FuncCount(), 1);
    EXPECT_EQ(s->Func(0).Position(), 76);
    EXPECT_TRUE(dialog.entries.empty());
}

TEST_F(ScreenFixture, BadFunctionLinesDropOnlyThatField) {
    const auto s = TKyrScreen::ReadBlock(
        *data, "[0001]\r  XYZ 1 2 3\r  TXT x 0 0 0 1 21 4 $10\r  TXT 3 0 0 0 1 21 4 $10\r", 260);
    EXPECT_FALSE(s->Error());
    ASSERT_EQ(s->FuncCount(), 1);
    EXPECT_EQ(s->Func(0).Position(), 3);
    EXPECT_EQ(dialog.texts().size(), 2u);
}

TEST_F(ScreenFixture, ContinuationLinesOfTxsAndBitFields) {
    const std::string block =
        "[0001]\r"
        "  FLAGS $00\r"
        "  TXS 20 0 0 0 1 21 1 3 2 $10 0\r"
        "      1 \"abc\"\r"
        "      2 \"def\"\r"
        "  BUT 30 0 0 0 1 21 0 $80 \"ON\"\r"
        "     \"OFF\"\r"
        "  TXT 40 0 0 0 1 21 2 $10\r";
    for (const bool clipboard : {false, true}) {
        std::string section = block;
        if (clipboard) {
            section.clear();
            for (char c : block) {
                section += c;
                if (c == '\r') section += '\n';
            }
        }
        dialog.clear();
        const auto s = TKyrScreen::ReadBlock(*data, section, 260);
        EXPECT_TRUE(dialog.entries.empty()) << (dialog.texts().empty() ? "" : dialog.texts()[0]);
        ASSERT_EQ(s->FuncCount(), 3) << clipboard;
        EXPECT_EQ(s->Func(0).TxsCount(), 2);
        EXPECT_EQ(s->Func(0).TxsString(1), "def");
        EXPECT_EQ(s->Func(1).BitSecondText(), "OFF");
        EXPECT_EQ(s->Func(2).Position(), 40);
        // String lines are not text; the second text of a BIT field is (it follows the rows
        // in a written file, past the end of the screen).
        EXPECT_EQ(s->DisplayText().substr(0, 4), "OFF ");
        std::string written;
        s->WriteBlock(written);
        const auto back = TKyrScreen::ReadBlock(*data, asSection(written), 260);
        std::string again;
        back->WriteBlock(again);
        EXPECT_EQ(again, written);
    }
}

TEST_F(ScreenFixture, LumqDotRowsAreReadAsPoints) {
    auto d = TKyrData::NewProject(0, LumQ2);
    const auto s = TKyrScreen::ReadBlock(
        *d, "[0001]\r  FLAGS $00\r  DISPFLAGS $0102\r  \"1.2.3.4.\"\r  \"5 6.\"\r", 260);
    EXPECT_EQ(s->DispFlags(), 0x0102);
    EXPECT_EQ(s->DisplayText().substr(0, 8), "12345 6 ");
    for (int i = 0; i < 8; ++i) EXPECT_EQ(s->Point(i), i < 4 || i == 6) << i;
}

TEST_F(ScreenFixture, NastyBlocksDoNotCrash) {
    const std::string longLine(255, 'N');
    const std::string cases[] = {
        "[0001]\r" + longLine,
        "[0001]\r  " + longLine,
        "[0001]\r  \"" + longLine,
        "[0001]\r  NUM\r",
        "[0001]\r  TXS 0 0 0 0 1 21 1 3 2 $10 1\r",
        "[0001]\r  BUT 0 0 0 0 1 21 0 $80 \"ON\"\r",
        "[0001]\r  NUM 99999999999 1\r",
        "[0001]\r  BAR 0 0 0 0 1 21 1 200 0 1e999 $0\r",
        "[0001]\r  F\r  E\r  D\r",
        "[0001]\r  FLAGS $FFFFFFFFF\r",
        std::string("[0001]\r  \"a\0b\"\r", 13),
        "[0001]" + longLine + "\r",
        "[9999999999]\r",
        "\r\r\r",
    };
    for (const auto& c : cases) {
        for (const std::uint8_t type : {KyrB, LumQ2}) {
            auto d = TKyrData::NewProject(0, type);
            const auto s = TKyrScreen::ReadBlock(*d, c, 260);
            std::string out;
            s->WriteBlock(out);
            std::vector<std::uint8_t> rec(s->ImageSize(218));
            s->PutToImage(rec, 218, true);
        }
    }
    SUCCEED();
}

// ---- project text: writing and round trips ----------------------------------------------

TEST_F(ScreenFixture, WritesTheBlockLayout) {
    TKyrScreen& s = data->AddScreen(7, 0);
    s.SetComment("start");
    s.SetFlags(0x1A & ~0x0C);
    s.SetDisplayText(std::string("Hello") + std::string(35, ' ') + "World");
    s.AppendFunction(txt(*data, 50, 3));
    std::string out;
    s.WriteBlock(out);
    const std::string expected =
        "[0007] start\r\n"
        "  FLAGS $12\r\n"
        "  \"Hello" +
        std::string(35, ' ') +
        "\"\r\n"
        "  \"World" +
        std::string(35, ' ') + "\"\r\n" + WriteFuncLine(s.Func(0), 0);
    EXPECT_EQ(out, expected);

    s.SetExdTable(0);
    out.clear();
    s.WriteBlock(out);
    EXPECT_NE(out.find("\r\n  EXD 0\r\n"), std::string::npos);
}

TEST_F(ScreenFixture, LumqWritesDispFlagsAndRowsByCells) {
    auto d = TKyrData::NewProject(0, LumQ2);
    TKyrScreen& s = d->AddScreen(1, 0);
    s.SetImageText("1.2.3.4.5678");
    s.ToDisplayText();
    s.SetDispFlags(0xAB);
    std::string out;
    s.WriteBlock(out);
    EXPECT_EQ(out,
              "[0001] \r\n"
              "  FLAGS $00\r\n"
              "  DISPFLAGS $00AB\r\n"
              "  \"1.2.3.4.\"\r\n"
              "  \"5678\"\r\n");
}

TEST_F(ScreenFixture, WriteThenReadRoundTrips) {
    const struct {
        std::uint8_t type;
        std::uint8_t flags;
    } cases[] = {{KyrB, 0x00}, {KyrB, 0x07}, {3, 0xF4}, {LumQ2, 0x00}, {9, 0x04}};
    for (const auto& c : cases) {
        auto d = TKyrData::NewProject(0, c.type);
        TKyrScreen& s = d->AddScreen(123, 0);
        s.SetComment("comment \xE8");
        s.SetFlags(c.flags);
        s.SetExdTable(5);
        s.SetDispFlags(d->IsLumQ() ? 0x0F0F : 0);
        // Upper-half codes and printable ones, quotes included; no '.' (a point on LUMQ).
        std::string text;
        for (int i = 0; i < d->ScreenSize(); ++i) {
            const char c = static_cast<char>(i % 2 ? 0x80 + (i * 7) % 128 : '"' + i % 60);
            text += c == '.' ? 'x' : c;
        }
        s.SetDisplayText(text);
        if (d->IsLumQ()) {
            s.SetPoint(0, true);
            s.SetPoint(d->ScreenSize() - 1, true);
        }
        s.AppendFunction(txt(*d, 1, 2));
        auto bar = std::make_unique<TFunc>(*d, TFunc::KindBar);
        bar->SetPosition(4);
        s.AppendFunction(std::move(bar));

        std::string written;
        s.WriteBlock(written);
        dialog.clear();
        const auto back = TKyrScreen::ReadBlock(*d, asSection(written), 260);
        ASSERT_FALSE(back->Error()) << int(c.type);
        EXPECT_TRUE(dialog.entries.empty()) << dialog.texts().front();
        EXPECT_EQ(back->Number(), 123);
        EXPECT_EQ(back->Comment(), s.Comment());
        EXPECT_EQ(back->Flags(), c.flags);
        EXPECT_EQ(back->ExdTable(), 5);
        EXPECT_EQ(back->DispFlags(), s.DispFlags());
        EXPECT_EQ(back->FuncCount(), 2);
        std::string again;
        back->WriteBlock(again);
        EXPECT_EQ(again, written) << int(c.type);
        // The clipboard carries the same text with CR LF.
        const auto pasted = TKyrScreen::ReadBlock(*d, written, 260);
        std::string third;
        pasted->WriteBlock(third);
        EXPECT_EQ(third, written) << int(c.type);
    }
}

}  // namespace
}  // namespace kyr

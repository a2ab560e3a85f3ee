#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "model/DataClass.h"
#include "model/FileFormLink.h"
#include "model/Texts.h"

namespace kyr {
namespace {

struct LanguageGuard {
    std::uint8_t saved = language();
    ~LanguageGuard() { setLanguage(saved); }
};

// A project of `type` with `protocol`, built as File New builds it.
std::unique_ptr<TKyrData> project(std::uint8_t type, std::uint8_t protocol = 0) {
    auto d = TKyrData::NewProject(0, type);
    d->Setup().SetProtocol(protocol);
    return d;
}

TEST(KyrDataOrigin, NameDecidesTheOrigin) {
    const struct {
        const char* name;
        std::uint8_t origin;
    } cases[] = {
        {"", TKyrData::OriginNew},
        {"1", TKyrData::OriginNew},
        {"12", TKyrData::OriginNew},
        {"> KYR <", TKyrData::OriginUpload},
        {">ab", TKyrData::OriginUpload},
        {"123", TKyrData::OriginFile},
        {"/tmp/a.kyr", TKyrData::OriginFile},
        {"a>b", TKyrData::OriginFile},
    };
    for (const auto& c : cases) {
        const TKyrData d(c.name, 3);
        EXPECT_EQ(d.Origin(), c.origin) << c.name;
        EXPECT_EQ(d.FileName(), c.name);
        EXPECT_EQ(d.ScreenCount(), 0);
        EXPECT_EQ(d.ExdCount(), 0);
        EXPECT_FALSE(d.IsModified());
        EXPECT_FALSE(d.LoadFailed());
        EXPECT_EQ(d.CompatVersion(), 999);
    }
}

TEST(KyrDataOrigin, NewProjectGetsTypeAndDefaults) {
    LanguageGuard guard;
    setLanguage(LangGerman);
    const TKyrData d("", 1);
    EXPECT_EQ(d.TermType(), 1);
    EXPECT_EQ(d.FileVersion(), ProgramVersion);
    EXPECT_EQ(d.ReadVersion(), ProgramVersion);
    const std::array<std::uint8_t, 10> setup{2, 5, 1, 1, 1, LangGerman, 0xFF, 0, 0, 0};
    std::array<std::uint8_t, 10> image{};
    d.GetSetupImage(image);
    EXPECT_EQ(image, setup);
    EXPECT_EQ(d.Setup().DefaultExd(), -1);
    for (int row = 0; row < TCommTable::RowCount; ++row) {
        EXPECT_EQ(d.CommTable().System(row), -1);
        EXPECT_EQ(d.CommTable().Bytes()[row * 4], 255);
        EXPECT_EQ(d.CommTable().Space(row), 20);
        EXPECT_EQ(d.CommTable().Begin(row), 0);
    }
}

TEST(KyrDataOrigin, LanguageDefaultFollowsTheCurrentLanguage) {
    LanguageGuard guard;
    for (std::uint8_t lang : {LangCzech, LangGerman, LangEnglish}) {
        setLanguage(lang);
        EXPECT_EQ(TKyrData("", 0).Setup().LanguageEx(), lang);
    }
    setLanguage(7);  // an unknown language byte counts as English
    EXPECT_EQ(TKyrData("", 0).Setup().LanguageEx(), LangEnglish);
}

TEST(KyrDataOrigin, UploadAndFileProjectsStartEmpty) {
    const TKyrData up(TKyrData::UploadName(0), 3);
    EXPECT_EQ(up.Origin(), TKyrData::OriginUpload);
    EXPECT_EQ(up.FileVersion(), ProgramVersion);
    EXPECT_EQ(up.ReadVersion(), ProgramVersion);
    EXPECT_EQ(up.TermType(), 0);  // the type argument counts only for a new project
    EXPECT_EQ(up.ScreenSize(), 0);
    EXPECT_EQ(up.Setup(), TSetup());
    EXPECT_EQ(up.CommTable(), TCommTable());

    const TKyrData file("/work/projects/plant.kyr", 3);
    EXPECT_EQ(file.Origin(), TKyrData::OriginFile);
    EXPECT_EQ(file.TermType(), 0);
    EXPECT_EQ(file.Setup(), TSetup());
    EXPECT_EQ(file.CommTable(), TCommTable());
}

TEST(KyrDataOrigin, FactoriesDoNotGuessFromTheName) {
    // The hundredth untitled project has a three-digit name, still a new project.
    const auto d = TKyrData::NewProject(100, 5);
    EXPECT_EQ(d->Origin(), TKyrData::OriginNew);
    EXPECT_EQ(d->FileName(), "100");
    EXPECT_EQ(d->DisplayName(), "NoName 100");
    EXPECT_EQ(d->ScreenSize(), 5);
    // A short relative path is still a file.
    EXPECT_EQ(TKyrData::ForFile("a")->Origin(), TKyrData::OriginFile);
    const auto up = TKyrData::ForUpload(2);
    EXPECT_EQ(up->Origin(), TKyrData::OriginUpload);
    EXPECT_EQ(up->FileName(), "> KYR2 <");
}

TEST(KyrDataNames, UploadName) {
    const struct {
        int number;
        const char* name;
    } cases[] = {
        {0, "> KYR <"},      {1, "> KYR1 <"},      {-4, "> KYR <"},
        {123, "> KYR123 <"}, {1234, "> KYR1234 "}, {123456, "> KYR12345"},
    };
    for (const auto& c : cases) EXPECT_EQ(TKyrData::UploadName(c.number), c.name) << c.number;
}

TEST(KyrDataNames, DisplayName) {
    TKyrData first("", 0);
    EXPECT_EQ(first.DisplayName(), "NoName ");
    EXPECT_EQ(TKyrData(TKyrData::UntitledName(2), 0).DisplayName(), "NoName 2");
    EXPECT_EQ(TKyrData(TKyrData::UploadName(0)).DisplayName(), "> KYR <");
    EXPECT_EQ(TKyrData("/p/x.kyr").DisplayName(), "/p/x.kyr");
    first.SetOrigin(3);
    EXPECT_EQ(first.DisplayName(), "");
}

TEST(KyrDataNames, ShortStringsAreCutAt255) {
    const std::string longName(300, 'x');
    TKyrData d(longName);
    EXPECT_EQ(d.FileName().size(), 255u);
    d.SetDescription(longName);
    EXPECT_EQ(d.Description().size(), 255u);
}

TEST(KyrDataType, GeometryPerType) {
    const struct {
        std::uint8_t type, rows, cols;
        std::uint16_t size;
        std::uint8_t lastCommRow;
    } cases[] = {
        {0, 2, 40, 80, 5}, {1, 2, 20, 40, 5}, {2, 2, 16, 32, 4}, {3, 4, 40, 160, 7},
        {4, 2, 16, 32, 3}, {5, 1, 5, 5, 3},   {6, 1, 5, 5, 3},   {7, 2, 4, 8, 3},
        {8, 2, 6, 12, 3},  {9, 2, 8, 16, 3},
    };
    for (const auto& c : cases) {
        const TKyrData d("", c.type);
        EXPECT_EQ(d.TermType(), c.type);
        EXPECT_EQ(d.Rows(), c.rows) << int(c.type);
        EXPECT_EQ(d.Cols(), c.cols) << int(c.type);
        EXPECT_EQ(d.ScreenSize(), c.size) << int(c.type);
        EXPECT_EQ(d.LastCommRow(), c.lastCommRow) << int(c.type);
    }
}

TEST(KyrDataType, TypeThreeHasAllEightRowsAndTypeFiveFour) {
    const TKyrData grand("", 3);
    EXPECT_EQ(grand.ScreenSize(), 160);
    EXPECT_EQ(grand.LastCommRow() + 1, TCommTable::RowCount);
    const TKyrData q1("", 5);
    EXPECT_EQ(q1.ScreenSize(), 5);
    EXPECT_EQ(q1.LastCommRow() + 1, 4);
}

TEST(KyrDataType, OutOfRangeTypeKeepsTheGeometry) {
    TKyrData d("", 3);
    d.SetTermType(10);
    EXPECT_EQ(d.TermType(), 3);
    EXPECT_EQ(d.ScreenSize(), 160);
    EXPECT_EQ(d.LastCommRow(), 7);

    TKyrData up(TKyrData::UploadName(0));
    up.SetTermType(200);
    EXPECT_EQ(up.ScreenSize(), 0);
    up.SetTermType(7);
    EXPECT_EQ(up.ScreenSize(), 8);
}

TEST(KyrDataType, Predicates) {
    const struct {
        std::uint8_t type;
        int family;
        bool lum, lumQ, sigma;
    } cases[] = {
        {0, 0, false, false, false}, {1, 0, false, false, false}, {2, 1, false, false, false},
        {3, 1, false, false, false}, {4, 2, true, false, true},   {5, 2, true, true, false},
        {9, 2, true, true, false},
    };
    for (const auto& c : cases) {
        const TKyrData d("", c.type);
        EXPECT_EQ(d.TermFamily(), c.family);
        EXPECT_EQ(d.IsLum(), c.lum);
        EXPECT_EQ(d.IsLumQ(), c.lumQ);
        EXPECT_EQ(d.IsLumSigma(), c.sigma);
    }
}

TEST(KyrDataFamily, ProtocolSelectsFamilyAndNames) {
    const struct {
        std::uint8_t protocol;
        int family;
        const char *longName, *shortName, *prefix;
    } cases[] = {
        {0, 0, "", "", ""},
        {3, 1, "", "", ""},
        {10, 7, "Allen-Bradley", "Bradley", "Allen-"},
        {21, 11, "Modicon TSX", "TSX", "Modicon"},
        {33, 15, "GE Fanuc", "Fanuc", "GE"},
        {45, 21, "", "", ""},
        {46, -1, "", "", ""},
        {200, -1, "", "", ""},
    };
    for (const auto& c : cases) {
        const auto d = project(0, c.protocol);
        EXPECT_EQ(d->PlcFamily(), c.family) << int(c.protocol);
        EXPECT_EQ(d->FamilyLongName(), c.longName);
        EXPECT_EQ(d->FamilyShortName(), c.shortName);
        EXPECT_EQ(d->FamilyPrefixName(), c.prefix);
    }
}

TEST(KyrDataFamily, SystemNumbers) {
    auto d = project(0, 15);  // family 9
    EXPECT_EQ(d->LowestSystemNumber(), 0);
    EXPECT_EQ(d->HighestSystemNumber(), 31);
    EXPECT_EQ(d->SystemDigits(), 2);
    d->Setup().SetLanguageEx(LangEnglish);
    EXPECT_TRUE(d->HasNoSystemNumbers());
    d->Setup().SetLanguageEx(LangEnglish | 0x04);
    EXPECT_FALSE(d->HasNoSystemNumbers());

    d->Setup().SetProtocol(24);  // family 12
    EXPECT_EQ(d->LowestSystemNumber(), 1);
    EXPECT_EQ(d->HighestSystemNumber(), 247);
    EXPECT_EQ(d->SystemDigits(), 3);
}

// ---- version ladder ---------------------------------------------------------------------

struct VersionCase {
    const char* what;
    std::uint8_t type, protocol, ioBoard, parity;
    std::vector<std::uint8_t> screenFlags;  // one screen per entry
    int version;
};

std::unique_ptr<TKyrData> build(const VersionCase& c) {
    auto d = project(c.type, c.protocol);
    d->Setup().SetIoBoard(c.ioBoard);
    d->Setup().SetParityIndex(c.parity);
    for (std::size_t i = 0; i < c.screenFlags.size(); ++i)
        d->AddScreen(static_cast<int>(i), static_cast<int>(i)).SetFlags(c.screenFlags[i]);
    return d;
}

TEST(KyrDataVersions, RequiredVersion) {
    const VersionCase cases[] = {
        {"type 0, protocol 0", 0, 0, 0, 5, {}, 218},
        {"family 9 stays at 218", 1, 15, 0, 5, {}, 218},
        {"ladder for family above 9", 1, 20, 0, 5, {}, 221},
        {"Cyrillic screen", 1, 0, 0, 5, {0x00, 0x04}, 227},
        {"Cyrillic up to 226", 1, 37, 0, 5, {0x04}, 227},
        {"Cyrillic above 226 keeps the ladder", 1, 39, 0, 5, {0x04}, 252},
        {"charset bits 2 or 3 are not Cyrillic", 1, 0, 0, 5, {0x08, 0x0C}, 218},
        {"other flag bits do not count", 1, 0, 0, 5, {0xF3}, 218},
        {"type 0 with IOB-4", 0, 0, 4, 5, {}, 255},
        {"type 1 with IOB-4 is not raised", 1, 0, 4, 5, {}, 218},
        {"type 0 IOB-4 beats Cyrillic", 0, 0, 4, 5, {0x04}, 255},
        {"type 2", 2, 0, 0, 5, {}, 250},
        {"type 2 above the ladder", 2, 41, 0, 5, {}, 254},
        {"type 3", 3, 0, 0, 5, {}, 253},
        {"type 4 whatever its screens", 4, 41, 0, 5, {0x04}, 258},
        {"type 5", 5, 0, 0, 5, {}, 260},
        {"type 9 with Cyrillic", 9, 39, 0, 5, {0x04}, 260},
    };
    for (const auto& c : cases) EXPECT_EQ(build(c)->RequiredVersion(), c.version) << c.what;
}

TEST(KyrDataVersions, RequiredFirmware) {
    const VersionCase cases[] = {
        {"family 0", 1, 0, 0, 5, {}, 212},
        {"family 1", 1, 3, 0, 5, {}, 212},
        {"family -1", 1, 46, 0, 5, {}, 212},
        {"family 4", 1, 6, 0, 5, {}, 213},
        {"family 4 with 8 data bits and parity", 1, 6, 0, 6, {}, 214},
        {"family 0 with parity 7", 1, 0, 0, 7, {}, 214},
        {"family 5", 1, 7, 0, 0, {}, 214},
        {"family 6", 1, 9, 0, 6, {}, 215},
        {"family 7", 1, 11, 0, 5, {}, 217},
        {"family 8", 1, 13, 0, 5, {}, 217},
        {"family 9 whatever the parity", 1, 15, 0, 6, {}, 218},
        {"family 9 parity 0", 1, 15, 0, 0, {}, 218},
        {"ladder", 1, 28, 0, 5, {}, 223},
        {"ladder top", 1, 44, 0, 5, {}, 254},
        {"type 2 protocol 13", 2, 13, 0, 5, {}, 250},
        {"type 2 protocol 0", 2, 0, 0, 6, {}, 250},
        {"type 2 protocol 2", 2, 2, 0, 5, {}, 251},
        {"type 2 protocol 39", 2, 39, 0, 5, {}, 252},
        {"type 0 with IOB-4", 0, 0, 4, 5, {}, 255},
        {"type 3 IOB-4 not raised", 3, 0, 4, 5, {}, 212},
        {"screens without fields", 1, 0, 0, 5, {0x04, 0}, 212},
    };
    for (const auto& c : cases) EXPECT_EQ(build(c)->RequiredFirmware(), c.version) << c.what;
}

// ---- lists ------------------------------------------------------------------------------

std::vector<int> screenNumbers(const TKyrData& d) {
    std::vector<int> out;
    for (const auto& s : d.Screens()) out.push_back(s->Number());
    return out;
}

TEST(KyrDataScreens, AddInsertsAtTheIndexAndMarksModified) {
    TKyrData d("", 0);
    EXPECT_EQ(&d.AddScreen(10, 0).Data(), &d);
    EXPECT_TRUE(d.Modified());
    d.AddScreen(20, 1);
    d.AddScreen(5, -3);   // negative counts as 0
    d.AddScreen(30, 99);  // past the end appends
    d.AddScreen(15, 2);
    EXPECT_EQ(screenNumbers(d), (std::vector<int>{5, 10, 15, 20, 30}));
    EXPECT_EQ(d.ScreenCount(), 5);
    EXPECT_EQ(d.Screen(2).Number(), 15);
    EXPECT_EQ(d.Screen(2).ExdTable(), TKyrScreen::NoExdTable);
    EXPECT_FALSE(d.Screen(2).Modified());
}

TEST(KyrDataScreens, IndexOfFindsTheFirstWithTheNumber) {
    TKyrData d("", 0);
    for (int n : {4, 7, 4, 9}) d.AddScreen(n, d.ScreenCount());
    EXPECT_EQ(d.IndexOfScreen(4), 0);
    EXPECT_EQ(d.IndexOfScreen(9), 3);
    EXPECT_EQ(d.IndexOfScreen(8), -1);
}

TEST(KyrDataScreens, SortIsAscendingAndKeepsEqualNumbersInOrder) {
    TKyrData d("", 0);
    const int numbers[] = {7, 3, 7, 1, 3, 12, 0};
    for (int n : numbers)
        d.AddScreen(n, d.ScreenCount()).SetComment(std::to_string(d.ScreenCount()));
    d.SortScreens();
    EXPECT_EQ(screenNumbers(d), (std::vector<int>{0, 1, 3, 3, 7, 7, 12}));
    // Comments hold the original positions (1-based): equal numbers keep their order.
    EXPECT_EQ(d.Screen(2).Comment(), "2");
    EXPECT_EQ(d.Screen(3).Comment(), "5");
    EXPECT_EQ(d.Screen(4).Comment(), "1");
    EXPECT_EQ(d.Screen(5).Comment(), "3");
}

TEST(KyrDataScreens, DeleteMoveAndAppend) {
    TKyrData d("", 0);
    for (int n : {1, 2, 3, 4}) d.AddScreen(n, d.ScreenCount());
    d.ClearModified();

    EXPECT_FALSE(d.DeleteScreen(4));
    EXPECT_FALSE(d.DeleteScreen(-1));
    EXPECT_FALSE(d.MoveScreen(0, 4));
    EXPECT_FALSE(d.Modified());

    EXPECT_TRUE(d.MoveScreen(0, 2));
    EXPECT_EQ(screenNumbers(d), (std::vector<int>{2, 3, 1, 4}));
    EXPECT_TRUE(d.Modified());
    EXPECT_TRUE(d.MoveScreen(3, 0));
    EXPECT_EQ(screenNumbers(d), (std::vector<int>{4, 2, 3, 1}));
    EXPECT_TRUE(d.DeleteScreen(1));
    EXPECT_EQ(screenNumbers(d), (std::vector<int>{4, 3, 1}));

    d.ClearModified();
    auto read = std::make_unique<TKyrScreen>(d);
    read->SetNumber(50);
    d.AppendScreen(std::move(read));
    EXPECT_EQ(screenNumbers(d), (std::vector<int>{4, 3, 1, 50}));
    EXPECT_FALSE(d.IsModified());  // filling from a file or an upload is no edit
}

TEST(KyrDataExd, AddIndexDeleteMove) {
    TKyrData d("", 0);
    EXPECT_EQ(&d.AddExdTable(3, 0).Data(), &d);
    EXPECT_TRUE(d.Modified());
    d.AddExdTable(1, -1);
    d.AddExdTable(20, 5);
    d.AddExdTable(3, 1);
    EXPECT_EQ(d.ExdCount(), 4);
    EXPECT_EQ(d.ExdTable(0).Number(), 1);
    EXPECT_EQ(d.ExdTable(3).Number(), 20);
    EXPECT_EQ(d.IndexOfExdTable(3), 1);
    EXPECT_EQ(d.IndexOfExdTable(20), 3);
    EXPECT_EQ(d.IndexOfExdTable(2), -1);

    d.ClearModified();
    EXPECT_TRUE(d.MoveExdTable(3, 0));
    EXPECT_EQ(d.ExdTable(0).Number(), 20);
    EXPECT_TRUE(d.Modified());
    EXPECT_TRUE(d.DeleteExdTable(0));
    EXPECT_FALSE(d.DeleteExdTable(3));
    EXPECT_EQ(d.ExdCount(), 3);

    d.ClearModified();
    auto read = std::make_unique<TExdTab>(d);
    read->SetNumber(7);
    d.AppendExdTable(std::move(read));
    EXPECT_EQ(d.IndexOfExdTable(7), 3);
    EXPECT_FALSE(d.Modified());
}

TEST(KyrDataModified, ScreenFlagsCountAndClear) {
    TKyrData d("", 0);
    EXPECT_FALSE(d.IsModified());
    d.AddScreen(1, 0);
    d.AddScreen(2, 1);
    d.ClearModified();
    EXPECT_FALSE(d.IsModified());
    d.Screen(1).SetModified(true);
    EXPECT_TRUE(d.IsModified());
    EXPECT_FALSE(d.Modified());
    d.SetModified();
    d.ClearModified();
    EXPECT_FALSE(d.IsModified());
    EXPECT_FALSE(d.Screen(1).Modified());
}

TEST(KyrDataSetup, ImageRoundTripsByteForByte) {
    TKyrData d("", 0);
    const std::array<std::uint8_t, 10> in{0, 7, 3, 255, 0x07, 0x7E, 0x80, 46, 4, 2};
    d.SetSetupImage(in);
    std::array<std::uint8_t, 10> out{};
    d.GetSetupImage(out);
    EXPECT_EQ(out, in);
    const TSetup& s = d.Setup();
    EXPECT_EQ(s.ParityIndex(), 7);
    EXPECT_EQ(s.Address(), 255);
    EXPECT_TRUE(s.HasFlag(TSetup::FlagSuppressStartup));
    EXPECT_EQ(s.SystemLanguage(), 2);
    EXPECT_EQ(s.LanguageOption(), 0x7C);
    EXPECT_EQ(s.DefaultExd(), -128);
    EXPECT_EQ(s.Protocol(), 46);
    EXPECT_EQ(s.IoBoard(), 4);
    EXPECT_EQ(s.ExtDisplay(), 2);
    EXPECT_FALSE(d.Modified());  // the caller marks setup edits
}

struct RecordingForm : TFileFormLink {
    std::vector<int> calls;
    void RefreshScreenList(int index) override { calls.push_back(index); }
};

TEST(KyrDataWindow, RefreshAsksTheWindowToKeepItsSelection) {
    TKyrData d("", 0);
    d.RefreshWindow();  // no window: nothing happens
    RecordingForm form;
    d.SetFileForm(&form);
    d.RefreshWindow();
    EXPECT_EQ(form.calls, (std::vector<int>{-1}));
}

TEST(KyrDataScreenShell, CharacterSetFromFlags) {
    TKyrData d("", 0);
    TKyrScreen& s = d.AddScreen(1, 0);
    const struct {
        std::uint8_t flags;
        int bits;
        CharSet set;
    } cases[] = {{0x00, 0, CharSet::Latin},
                 {0x04, 1, CharSet::Cyrillic},
                 {0x08, 2, CharSet::Latin},
                 {0x0C, 3, CharSet::Latin},
                 {0xF7, 1, CharSet::Cyrillic}};
    for (const auto& c : cases) {
        s.SetFlags(c.flags);
        EXPECT_EQ(s.CharSetBits(), c.bits);
        EXPECT_EQ(s.TextCharSet(), c.set);
    }
}

}  // namespace
}  // namespace kyr

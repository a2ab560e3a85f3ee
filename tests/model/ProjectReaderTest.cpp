#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ProjectFiles.h"
#include "RecordingDialog.h"
#include "model/DataClass.h"
#include "model/ProjectLines.h"
#include "model/ProjectReader.h"
#include "model/Texts.h"

namespace kyr {
namespace {

using test::Fixture;
using test::ReadText;
using test::RecordingDialog;

struct LanguageGuard {
    std::uint8_t saved = language();
    ~LanguageGuard() { setLanguage(saved); }
};

// Every fixture of a reader message: whether the project is refused, the boxes in order,
// and the version the file is left with.
TEST(ProjectReaderMessages, EachCaseReportsInOrder) {
    const std::string wrong = "Data file has wrong format";
    const struct {
        const char* file;
        bool failed;
        std::vector<std::string> texts;
        int fileVersion;
    } cases[] = {
        {"descr_and_unknown.kyr", false, {}, -1},
        {"lowercase_info.kyr", false, {}, 250},
        {"newer_but_compatible.kyr", false, {}, 262},
        {"too_new_compat.kyr",
         true,
         {"Old KYR2 Programming Tool version; for opening this file you need at least version "
          "2.61"},
         262},
        {"too_new_ver.kyr",
         true,
         {"Old KYR2 Programming Tool version; for opening this file you need at least version "
          "2.62"},
         262},
        {"old_version.kyr", true, {wrong}, 201},
        {"info_without_ver.kyr", true, {wrong}, -1},
        {"setup_before_info.kyr", true, {wrong}, -1},
        {"unknown_charset.kyr", true, {"Data file has unknown format"}, 260},
        {"bad_ver_token.kyr",
         true,
         {"File " + Fixture("bad_ver_token.kyr") +
          ", line 3: an integer was expected instead of \"2.60\"; the file was not opened."},
         -1},
        {"missing_setup_number.kyr",
         true,
         {"File " + Fixture("missing_setup_number.kyr") +
          ", line 7: an integer is missing; the file was not opened."},
         260},
        {"bad_comm_names.kyr", false, {"Bad Comm Table Name: CAN"}, 260},
        {"exd_bad_row.kyr",
         true,
         {"File " + Fixture("exd_bad_row.kyr") +
          ", line 7: an integer was expected instead of \"x\"; the file was not opened."},
         260},
        {"exd_bad_number.kyr",
         false,
         {"Comm Table: Bad EXD table number: [EXD21]",
          "Error in EXD Table data; bad Table will be ignored"},
         260},
    };
    for (const auto& c : cases) {
        RecordingDialog dialog;
        const auto data = TKyrData::FromFile(Fixture(c.file));
        EXPECT_EQ(data->LoadFailed(), c.failed) << c.file;
        EXPECT_EQ(dialog.texts(), c.texts) << c.file;
        EXPECT_EQ(data->FileVersion(), c.fileVersion) << c.file;
        EXPECT_EQ(data->ReadVersion(), 260) << c.file;
        EXPECT_EQ(data->Origin(), TKyrData::OriginFile) << c.file;
        for (const auto& e : dialog.entries) {
            // Warnings drop one item; errors are the "ERROR" boxes.
            const bool fatal = e.text.find("Comm Table") == std::string::npos;
            EXPECT_EQ(e.kind, fatal ? MsgKind::Error : MsgKind::Warning) << c.file;
            if (fatal) {
                EXPECT_EQ(e.title, "ERROR") << c.file;
            }
        }
    }
}

TEST(ProjectReaderSections, GoodExdTablesAreKeptInFileOrder) {
    RecordingDialog dialog;
    const auto data = TKyrData::FromFile(Fixture("exd_bad_number.kyr"));
    ASSERT_EQ(data->ExdCount(), 1);
    EXPECT_EQ(data->ExdTable(0).Number(), 3);
    EXPECT_EQ(data->ExdTable(0).Name(), "kept");
    EXPECT_EQ(data->ExdTable(0).Space(0), 2);
    EXPECT_FALSE(data->IsModified());
}

TEST(ProjectReaderMessages, FatalBoxesSpeakTheCurrentLanguage) {
    LanguageGuard guard;
    setLanguage(LangGerman);
    RecordingDialog dialog;
    const auto data = TKyrData::FromFile(Fixture("too_new_ver.kyr"));
    ASSERT_EQ(dialog.entries.size(), 1u);
    EXPECT_EQ(dialog.entries[0].title, "FEHLER");
    EXPECT_EQ(dialog.entries[0].text,
              "Alte Version des KYR2-Programmierwerkzeugs; zum Öffnen dieser Datei benötigen Sie "
              "mindestens die Version 2.62");
}

TEST(ProjectReaderMessages, SectionsThatNeedInfoFirst) {
    for (const char* header : {"[Setup]", "[Tables]", "[Name]", "[0001] x", "[EXD0] t"}) {
        RecordingDialog dialog;
        const auto data = ReadText(std::string(header) + "\r\n 1 2 3\r\n[Info]\r\n VER 260\r\n");
        EXPECT_TRUE(data->LoadFailed()) << header;
        EXPECT_EQ(dialog.texts(), std::vector<std::string>{"Data file has wrong format"}) << header;
    }
    for (const char* header : {"[Descr]", "[Whatever]", "[]", "["}) {
        RecordingDialog dialog;
        const auto data = ReadText(std::string(header) + "\r\n 1 2 3\r\n[Info]\r\n VER 260\r\n");
        EXPECT_FALSE(data->LoadFailed()) << header;
        EXPECT_TRUE(dialog.texts().empty()) << header;
    }
}

TEST(ProjectReaderMessages, UnreadableFileIsReportedByName) {
    test::TempFolder folder;
    for (const std::string& path : {folder.File("missing.kyr"), folder.Path().string()}) {
        RecordingDialog dialog;
        const auto data = TKyrData::FromFile(path);
        EXPECT_TRUE(data->LoadFailed());
        EXPECT_EQ(dialog.texts(),
                  std::vector<std::string>{"The file " + path + " cannot be opened or read."});
        EXPECT_EQ(data->FileVersion(), -1);
    }
}

TEST(ProjectReaderMessages, OverlongSectionIsRefusedNotCut) {
    const std::string line(200, 'x');
    std::string text = "[Info]\r\n KYRB\r\n VER 260\r\n[Descr]\r\n";
    while (text.size() < 70000) text += line + "\r\n";
    RecordingDialog dialog;
    const auto data = ReadText(text);
    EXPECT_TRUE(data->LoadFailed());
    EXPECT_EQ(dialog.texts(), std::vector<std::string>{"Data file has wrong format"});
}

TEST(ProjectReaderMessages, SectionAtTheBufferLimitIsRead) {
    // Header, then lines each followed by CR; the last line of the file has none.
    std::string body = "[Notes]";
    std::size_t sectionSize = body.size();
    while (sectionSize + 101 <= TextSection::MaxSize) {
        body += "\r\n" + std::string(100, 'y');
        sectionSize += 101;
    }
    body += "\r\n" + std::string(TextSection::MaxSize - sectionSize - 1, 'z');
    const std::string text = "[Info]\r\n KYRB\r\n VER 260\r\n" + body;
    RecordingDialog dialog;
    EXPECT_FALSE(ReadText(text)->LoadFailed());
    EXPECT_TRUE(ReadText(text + "z")->LoadFailed());
}

TEST(ProjectReaderPrescan, FlagsValuesThatMeanAnUnknownCharSet) {
    const struct {
        std::vector<std::string_view> lines;
        bool unknown;
    } cases[] = {
        {{"[0001]", "  FLAGS $08"}, true},
        {{"[0001]", "  FLAGS $0C"}, true},
        {{"[0001]", "  FLAGS 8"}, true},
        {{"[0001]", "  flags $08"}, true},  // the screen reader takes any case
        {{"[0001]", "\t\t FLAGS $08"}, true},
        {{"[0001] x", "  EXD 3", "  FLAGS $08"}, true},
        {{"[0001]", "  FLAGS $04"}, false},
        {{"[0001]", "  FLAGS $F3"}, false},
        {{"[0001]", "  FLAGS $08 "}, false},  // not a value: the screen keeps its flags
        {{"[0001]", "  FLAGS $108"}, false},
        {{"[0001]", "  FLAGS\t$08"}, false},
        {{"[0001]", "FLAGS $08"}, false},  // first character dropped: "LAGS"
        // Lines the screen reader does not take as FLAGS.
        {{"[0001]", "  DISPFLAGS $0008"}, false},
        {{"[0001] FLAGS 8"}, false},
        {{"[0001]", "", "  FLAGS $08"}, false},
        {{"[0001]", "  \"FLAGS 8\""}, false},
        {{"[Descr]", " FLAGS $08"}, false},
        {{"[EXD1] FLAGS 8", " FLAGS $08"}, false},
        {{" FLAGS $08", "[Info]"}, false},
        // A CR inside a file line splits it for the screen reader.
        {{"[0001]", "  EXD 1\r  FLAGS8\r$0"}, true},
        {{"[0001]", "  FLAGS 8\r"}, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ProjectReader::HasUnknownCharSet(SplitSections(c.lines)), c.unknown)
            << c.lines.back();
    }
}

TEST(ProjectReaderPrescan, UnknownFormatStopsAtInfo) {
    RecordingDialog dialog;
    const auto data = ReadText(
        "[Descr]\r\nabc\r\n[Info]\r\n LUMQ2\r\n VER 260\r\n[0001]\r\n  FLAGS $00\r\n[0002]\r\n"
        "  FLAGS $0C\r\n");
    EXPECT_TRUE(data->LoadFailed());
    EXPECT_EQ(dialog.texts(), std::vector<std::string>{"Data file has unknown format"});
    EXPECT_EQ(data->TermType(), 7);
    EXPECT_EQ(data->ScreenCount(), 0);
}

TEST(ProjectReaderPrescan, DisplayFlagsWithBit3StillOpenAfterASave) {
    test::TempFolder folder;
    const std::string path = folder.File("disp.kyr");
    test::WriteBytes(path,
                     "[Info]\r\n LUMQ2\r\n VER 260\r\n[0001]\r\n  FLAGS $00\r\n"
                     "  DISPFLAGS $0008\r\n  \"1.2.3.4.\"\r\n");
    RecordingDialog dialog;
    auto data = TKyrData::FromFile(path);
    ASSERT_FALSE(data->LoadFailed());
    ASSERT_TRUE(data->SaveToFile("", ""));
    const auto again = TKyrData::FromFile(path);
    EXPECT_FALSE(again->LoadFailed());
    EXPECT_TRUE(dialog.texts().empty());
    ASSERT_EQ(again->ScreenCount(), 1);
    EXPECT_EQ(again->Screen(0).DispFlags(), 8);
}

TEST(ProjectReaderSections, KindsByPrefixInOrder) {
    using K = ProjectReader::Kind;
    const struct {
        const char* header;
        K kind;
    } cases[] = {
        {"[0001] main", K::Screen},  {"[7]", K::Screen},      {"[Descr]", K::Descr},
        {"[DESCRIPTION]", K::Descr}, {"[INFO]", K::Info},     {"[information]", K::Info},
        {"[setup]", K::Setup},       {"[Tables]", K::Tables}, {"[Table]", K::Unknown},
        {"[EXD3] t", K::Exd},        {"[exdx]", K::Exd},      {"[Name]", K::Name},
        {"[ Info]", K::Unknown},     {"[", K::Unknown},       {"[-1]", K::Unknown},
    };
    for (const auto& c : cases) EXPECT_EQ(ProjectReader::KindOf(c.header), c.kind) << c.header;
}

TEST(ProjectReaderSections, InfoKeywordsVersionsAndTypes) {
    RecordingDialog dialog;
    const auto data = ReadText(
        "[Info]\r\n KYRB\r\n\r\n  LUMQ1H extra words\r\n VER\r\n 259 ignored\r\n"
        " COMPAT 230\r\n SOMETHING 1\r\n");
    EXPECT_FALSE(data->LoadFailed());
    EXPECT_TRUE(dialog.texts().empty());
    EXPECT_EQ(data->TermType(), 6);  // the last type keyword wins
    EXPECT_EQ(data->ScreenSize(), 5);
    EXPECT_EQ(data->FileVersion(), 259);
    EXPECT_EQ(data->CompatVersion(), 230);
}

TEST(ProjectReaderSections, SetupNumbersInTheirPermutedOrder) {
    const auto data =
        ReadText("[Info]\r\n KYRG\r\n VER 260\r\n[Setup]\r\n 3 4 2\r\n 17 12 $106 -1 5 4 2 99\r\n");
    ASSERT_FALSE(data->LoadFailed());
    const TSetup& s = data->Setup();
    EXPECT_EQ(s.BaudIndex(), 3);
    EXPECT_EQ(s.ParityIndex(), 4);
    EXPECT_EQ(s.PortIndex(), 2);
    EXPECT_EQ(s.Address(), 17);
    EXPECT_EQ(s.Protocol(), 12);
    EXPECT_EQ(s.LanguageEx(), 6);  // low 8 bits of $106
    EXPECT_EQ(s.DefaultExd(), -1);
    EXPECT_EQ(s.SetupFlags(), 5);
    EXPECT_EQ(s.IoBoard(), 4);
    EXPECT_EQ(s.ExtDisplay(), 2);
}

TEST(ProjectReaderSections, WithoutSetupAndTablesEverythingStaysZero) {
    const auto data = ReadText("[Info]\r\n VER 260\r\n");
    EXPECT_EQ(data->TermType(), 0);
    EXPECT_EQ(data->Setup(), TSetup());
    EXPECT_EQ(data->CommTable(), TCommTable());
    EXPECT_EQ(data->CompatVersion(), 999);
}

TEST(ProjectReaderSections, TablesRowsByTypeAndName) {
    RecordingDialog dialog;
    const auto data = TKyrData::FromFile(Fixture("bad_comm_names.kyr"));
    const TCommTable& t = data->CommTable();
    EXPECT_EQ(t.System(1), 3);
    EXPECT_EQ(t.Space(1), 5);
    EXPECT_EQ(t.Begin(1), 100);
    EXPECT_EQ(t.System(3), 0);
    EXPECT_EQ(t.Begin(3), 16);
    for (int row : {2, 4, 5, 6, 7}) {
        EXPECT_EQ(t.System(row), -1) << row;
        EXPECT_EQ(t.Space(row), 20) << row;
    }

    dialog.clear();
    const auto mini = ReadText("[Info]\r\n KYRU\r\n VER 260\r\n[Tables]\r\n INP 0 1 2\r\n");
    EXPECT_EQ(dialog.texts(), std::vector<std::string>{"Bad Comm Table Name: INP"});
    dialog.clear();
    const auto grand = ReadText(
        "[Info]\r\n KYRG\r\n VER 260\r\n[Tables]\r\n inp 1 1 1\r\n OUT 2 2 2\r\n CAN 254 3 "
        "65539\r\n");
    EXPECT_TRUE(dialog.texts().empty());
    EXPECT_EQ(grand->CommTable().System(7), -2);
    EXPECT_EQ(grand->CommTable().Begin(7), 3);
}

TEST(ProjectReaderSections, TablesNumberThatDoesNotConvertStopsTheFile) {
    RecordingDialog dialog;
    const auto data =
        ReadText("[Info]\r\n KYRB\r\n VER 260\r\n[Tables]\r\n BEEP 1 x 0\r\n", "p.kyr");
    EXPECT_TRUE(data->LoadFailed());
    EXPECT_EQ(dialog.texts(),
              std::vector<std::string>{
                  "File p.kyr, line 5: an integer was expected instead of \"x\"; the file was "
                  "not opened."});
}

TEST(ProjectReaderSections, DescriptionKeepsItsLineBreaksAsCr) {
    const auto data = ReadText("[Descr]\r\nfirst\r\n  second\r\n\r\n[Info]\r\n VER 260\r\n");
    EXPECT_EQ(data->Description(), "first\r  second\r\r");
    const auto atEnd = ReadText("[Info]\r\n VER 260\r\n[Descr]\r\nlast");
    EXPECT_EQ(atEnd->Description(), "last");
    const auto headerOnly = ReadText("[Info]\r\n VER 260\r\n[Descr]");
    EXPECT_EQ(headerOnly->Description(), "");
}

TEST(ProjectReaderLines, CrLfBareLfAndLongLines) {
    const std::string longLine(300, 'a');
    const std::string content = "one\r\ntwo\nthree\r\r\n" + longLine + "\nlast";
    const auto lines = SplitProjectLines(content);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "one");
    EXPECT_EQ(lines[1], "two");
    EXPECT_EQ(lines[2], "three\r");
    EXPECT_EQ(lines[3], std::string(255, 'a'));
    EXPECT_EQ(lines[4], "last");
    EXPECT_TRUE(SplitProjectLines("").empty());
    EXPECT_EQ(SplitProjectLines("x\r\n").size(), 1u);
}

TEST(ProjectReaderLines, LfFileReadsLikeCrLfFile) {
    const std::string crlf = test::ReadBytes(Fixture("bad_comm_names.kyr"));
    std::string lf;
    for (char c : crlf)
        if (c != '\r') lf += c;
    RecordingDialog dialog;
    const auto a = ReadText(crlf);
    const auto b = ReadText(lf);
    EXPECT_EQ(a->CommTable(), b->CommTable());
    EXPECT_EQ(a->TermType(), b->TermType());
    EXPECT_EQ(dialog.texts().size(), 2u);
}

}  // namespace
}  // namespace kyr

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ProjectFiles.h"
#include "RecordingDialog.h"
#include "model/DataClass.h"
#include "model/FileFormLink.h"
#include "model/ProjectWriter.h"
#include "model/TermTypes.h"
#include "model/Texts.h"

namespace kyr {
namespace {

using test::ReadBytes;
using test::RecordingDialog;
using test::TempFolder;
using test::WriteBytes;

struct LanguageGuard {
    std::uint8_t saved = language();
    ~LanguageGuard() { setLanguage(saved); }
};

const std::string kOlderQuestion =
    "File was originally created with an older version of program; after Save the original "
    "version will not be able to read it. CONTINUE?";

TEST(ProjectWriterLayout, FreshType0ProjectInEnglish) {
    LanguageGuard guard;
    setLanguage(LangEnglish);
    const auto data = TKyrData::NewProject(0, 0);
    EXPECT_EQ(ProjectFileText(*data),
              "[Info]\r\n KYRB\r\n VER 260\r\n COMPAT 218\r\n\r\n"
              "[Setup]\r\n 2 5 1 1 0 2 -1 1 0 0\r\n\r\n"
              "[Tables]\r\n BEEP   -1 20 0\r\n SCRN   -1 20 0\r\n KBD    -1 20 0\r\n"
              " DATTIM -1 20 0\r\n I/O    -1 20 0\r\n\r\n");
}

TEST(ProjectWriterLayout, TypeKeywordsAndTableRows) {
    const struct {
        std::uint8_t type;
        std::uint8_t ioBoard;
        const char* keyword;
        int rows;
    } cases[] = {
        {0, 0, " KYRB", 5},     {0, 4, " KYRB", 6},     {1, 0, " KYRC", 6},  {2, 0, " KYRmini", 5},
        {3, 0, " KYRgrand", 8}, {4, 0, " LUMsigma", 4}, {5, 0, " LUMQ1", 4}, {6, 0, " LUMQ1H", 4},
        {7, 0, " LUMQ2", 4},    {8, 0, " LUMQ3", 4},    {9, 0, " LUMQ4", 4},
    };
    for (const auto& c : cases) {
        const auto data = TKyrData::NewProject(0, c.type);
        data->Setup().SetIoBoard(c.ioBoard);
        const std::string text = ProjectFileText(*data);
        EXPECT_NE(text.find("[Info]\r\n" + std::string(c.keyword) + "\r\n"), std::string::npos)
            << int(c.type);
        const std::size_t tables = text.find("[Tables]\r\n");
        ASSERT_NE(tables, std::string::npos);
        const std::string rows = text.substr(tables + 10);
        EXPECT_EQ(std::count(rows.begin(), rows.end(), '\n'), c.rows + 1) << int(c.type);
    }
}

TEST(ProjectWriterLayout, CompatIsTheRequiredVersionAndSetupIsPermuted) {
    const auto data = TKyrData::NewProject(0, 0);
    data->Setup().SetIoBoard(4);
    data->Setup().SetProtocol(39);
    data->Setup().SetSetupFlags(6);
    data->Setup().SetDefaultExd(3);
    data->Setup().SetLanguageEx(0x81);
    data->CommTable().SetRow(5, -2, 21, 65535);
    const std::string text = ProjectFileText(*data);
    EXPECT_NE(text.find(" COMPAT 255\r\n"), std::string::npos);
    EXPECT_NE(text.find("[Setup]\r\n 2 5 1 1 39 129 3 6 4 0\r\n\r\n"), std::string::npos);
    EXPECT_NE(text.find(" INP    -2 21 65535\r\n\r\n"), std::string::npos);
}

TEST(ProjectWriterLayout, DescriptionIsWrittenFirstWithCrLf) {
    const auto data = TKyrData::NewProject(0, 1);
    data->SetDescription(SavedDescription("a\rb"));
    EXPECT_EQ(ProjectFileText(*data).substr(0, 25), "[Descr]\r\na\r\nb\r\n\r\n[Info]\r\n");
}

TEST(ProjectWriterDescription, TrimmingLfInsertionAndHeaderGuard) {
    const struct {
        std::string in;
        std::string out;
    } cases[] = {
        {"", ""},
        {"\r\r\n\n", ""},
        {"plain", "plain"},
        {"a\rb\r\r", "a\r\nb"},
        {"a\r\nb\r\n", "a\r\nb"},
        {"a\nb", "a\nb"},
        {"[0001] looks like a screen", " [0001] looks like a screen"},
        {"x\r[Info]\r\n[y", "x\r\n [Info]\r\n [y"},
        {"a[b", "a[b"},
        {std::string(254, 'x') + "\rz", std::string(254, 'x')},
        {std::string(300, 'q'), std::string(255, 'q')},
    };
    for (const auto& c : cases) EXPECT_EQ(SavedDescription(c.in), c.out) << c.in;
}

TEST(ProjectWriterDescription, ReadBackAndSavedAgain) {
    TempFolder folder;
    const std::string path = folder.File("d.kyr");
    auto data = TKyrData::NewProject(0, 1);
    ASSERT_TRUE(data->SaveToFile(path, "a\rb"));
    EXPECT_EQ(data->Description(), "a\r\nb");
    auto read = TKyrData::FromFile(path);
    EXPECT_EQ(read->Description(), "a\rb\r\r");
    ASSERT_TRUE(read->SaveToFile("", ""));
    EXPECT_EQ(read->Description(), "a\r\nb");
    EXPECT_EQ(ReadBytes(path).substr(0, 17), "[Descr]\r\na\r\nb\r\n\r\n");
}

TEST(ProjectWriterBackup, NamesOfTheBackup) {
    const struct {
        const char* name;
        const char* backup;
    } cases[] = {
        {"/p/plant.kyr", "/p/plant.bak"}, {"plant", "plant.bak"},
        {"/p.d/plant", "/p.d/plant.bak"}, {"a.b.kyr", "a.b.bak"},
        {"C:\\x.y\\z", "C:\\x.y\\z.bak"}, {"z.", "z.bak"},
    };
    for (const auto& c : cases) EXPECT_EQ(BackupName(c.name), c.backup) << c.name;
}

TEST(ProjectWriterBackup, SavingOverAFileKeepsTheOldOneAsBak) {
    TempFolder folder;
    const std::string path = folder.File("plant.kyr");
    WriteBytes(path, "old project");
    WriteBytes(folder.File("plant.bak"), "older backup");
    auto data = TKyrData::NewProject(0, 2);
    RecordingDialog dialog;
    ASSERT_TRUE(data->SaveToFile(path, ""));
    EXPECT_TRUE(dialog.texts().empty());
    EXPECT_EQ(ReadBytes(folder.File("plant.bak")), "old project");
    EXPECT_EQ(ReadBytes(path), ProjectFileText(*data));
    // Nothing but the project and its backup is left in the folder.
    int files = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(folder.Path()))
        ++files;
    EXPECT_EQ(files, 2);
}

TEST(ProjectWriterBackup, ANewFileGetsNoBackup) {
    TempFolder folder;
    auto data = TKyrData::NewProject(0, 2);
    ASSERT_TRUE(data->SaveToFile(folder.File("new.kyr"), ""));
    EXPECT_FALSE(std::filesystem::exists(folder.File("new.bak")));
}

TEST(ProjectWriterSave, SaveAsSetsNameOriginAndClearsFlags) {
    TempFolder folder;
    auto data = TKyrData::NewProject(3, 1);
    data->AddScreen(1, 0);
    data->Screen(0).SetModified(true);
    ASSERT_TRUE(data->IsModified());
    RecordingDialog dialog;
    ASSERT_TRUE(data->SaveToFile(folder.File("as.kyr"), "described"));
    EXPECT_EQ(data->FileName(), folder.File("as.kyr"));
    EXPECT_EQ(data->Description(), "described");
    EXPECT_EQ(data->Origin(), TKyrData::OriginFile);
    EXPECT_FALSE(data->IsModified());
    EXPECT_EQ(data->FileVersion(), 260);
}

TEST(ProjectWriterSave, OlderVersionQuestion) {
    TempFolder folder;
    const std::string path = folder.File("old.kyr");
    const std::string original = "[Info]\r\n KYRB\r\n VER 217\r\n";
    WriteBytes(path, original);
    RecordingDialog dialog;
    auto data = TKyrData::FromFile(path);
    ASSERT_FALSE(data->LoadFailed());
    data->SetModified();

    dialog.answers = {Answer::No};
    EXPECT_FALSE(data->SaveToFile("", ""));
    EXPECT_EQ(dialog.texts(), std::vector<std::string>{kOlderQuestion});
    EXPECT_EQ(dialog.entries[0].title, "CONFIRM");
    EXPECT_EQ(dialog.entries[0].kind, MsgKind::Warning);
    EXPECT_EQ(ReadBytes(path), original);
    EXPECT_FALSE(std::filesystem::exists(folder.File("old.bak")));
    EXPECT_TRUE(data->IsModified());

    dialog.clear();
    dialog.answers = {Answer::Yes};
    EXPECT_TRUE(data->SaveToFile("", ""));
    EXPECT_EQ(dialog.texts().size(), 1u);
    EXPECT_EQ(data->FileVersion(), 260);
    EXPECT_EQ(ReadBytes(folder.File("old.bak")), original);

    dialog.clear();
    EXPECT_TRUE(data->SaveToFile("", ""));
    EXPECT_TRUE(dialog.texts().empty());
}

TEST(ProjectWriterSave, AFileWithoutInfoAsksOnItsFirstSave) {
    TempFolder folder;
    const std::string path = folder.File("descr.kyr");
    WriteBytes(path, "[Descr]\r\nonly text\r\n");
    RecordingDialog dialog;
    auto data = TKyrData::FromFile(path);
    ASSERT_FALSE(data->LoadFailed());
    EXPECT_EQ(data->FileVersion(), -1);
    EXPECT_FALSE(data->SaveToFile("", ""));
    EXPECT_EQ(dialog.texts(), std::vector<std::string>{kOlderQuestion});
}

struct RefusingForm final : TFileFormLink {
    void RefreshScreenList(int) override {}
    bool StoreAll() override {
        ++calls;
        return false;
    }
    int calls = 0;
};

TEST(ProjectWriterSave, ARefusedPageStopsTheSave) {
    TempFolder folder;
    auto data = TKyrData::NewProject(0, 0);
    RefusingForm form;
    data->SetFileForm(&form);
    RecordingDialog dialog;
    EXPECT_FALSE(data->SaveToFile(folder.File("x.kyr"), "d"));
    EXPECT_EQ(form.calls, 1);
    EXPECT_EQ(data->Origin(), TKyrData::OriginNew);
    EXPECT_EQ(data->FileName(), "");
    EXPECT_FALSE(std::filesystem::exists(folder.File("x.kyr")));
}

TEST(ProjectWriterFailure, FailedReplaceLeavesOriginalAndBackup) {
    TempFolder folder;
    const std::string path = folder.File("keep.kyr");
    WriteBytes(path, "the original");
    // The backup name is taken by a folder that cannot be replaced by a file.
    std::filesystem::create_directories(folder.Path() / "keep.bak" / "inside");
    auto data = TKyrData::FromFile(path);
    RecordingDialog dialog;
    data = TKyrData::NewProject(0, 0);
    data->SetFileName(path);
    data->SetOrigin(TKyrData::OriginFile);
    data->SetModified();
    EXPECT_FALSE(data->SaveToFile("", ""));
    EXPECT_EQ(dialog.texts(),
              std::vector<std::string>{"The file " + path +
                                       " cannot be replaced by the new version; the project was "
                                       "not saved and the original file is unchanged."});
    EXPECT_EQ(dialog.entries[0].title, "ERROR");
    EXPECT_EQ(ReadBytes(path), "the original");
    EXPECT_TRUE(std::filesystem::exists(folder.Path() / "keep.bak" / "inside"));
    EXPECT_TRUE(data->IsModified());
    int files = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(folder.Path()))
        ++files;
    EXPECT_EQ(files, 2);  // no temporary file left behind
}

TEST(ProjectWriterFailure, SaveAsIntoAMissingFolderKeepsTheOldName) {
    TempFolder folder;
    auto data = TKyrData::NewProject(2, 1);
    data->SetModified();
    RecordingDialog dialog;
    const std::string target = folder.File("no/such/folder.kyr");
    EXPECT_FALSE(data->SaveToFile(target, "new description"));
    EXPECT_EQ(dialog.texts(),
              std::vector<std::string>{"The file " + target +
                                       " cannot be written; the project was not saved and the "
                                       "original file is unchanged."});
    EXPECT_EQ(data->FileName(), "2");
    EXPECT_EQ(data->Origin(), TKyrData::OriginNew);
    EXPECT_EQ(data->Description(), "");
    EXPECT_TRUE(data->IsModified());
}

TEST(ProjectRoundTrip, GeneratedProjectSavesTheSameBytesTwice) {
    TempFolder folder;
    for (std::uint8_t type = 0; type < 10; ++type) {
        auto data = TKyrData::NewProject(0, type);
        data->Setup().SetProtocol(static_cast<std::uint8_t>(type * 4));
        data->Setup().SetIoBoard(type == 0 ? 4 : 0);
        for (int row = 0; row < 8; ++row)
            data->CommTable().SetRow(row, static_cast<std::int8_t>(row - 2),
                                     static_cast<std::uint8_t>(row * 3),
                                     static_cast<std::uint16_t>(row * 4097));
        TExdTab& exd = data->AddExdTable(static_cast<std::uint8_t>(type + 1), 0);
        exd.SetName("pumps");
        exd.SetRow(3, 1, 2, 65535);
        data->AddExdTable(0, 1);
        const std::string first = folder.File("first.kyr");
        const std::string second = folder.File("second.kyr");
        ASSERT_TRUE(data->SaveToFile(first, "generated\rproject"));
        auto read = TKyrData::FromFile(first);
        ASSERT_FALSE(read->LoadFailed());
        ASSERT_TRUE(read->SaveToFile(second, read->Description()));
        EXPECT_EQ(ReadBytes(first), ReadBytes(second)) << int(type);
    }
}

TEST(ProjectRoundTrip, Version217FileGetsFourDigitHeadersOnSave) {
    TempFolder folder;
    const std::string path = folder.File("v217.kyr");
    WriteBytes(path,
               "[Info]\r\n KYRC\r\n VER 217\r\n\r\n[012] three digits\r\n  FLAGS $00\r\n"
               "  \"Hello\"\r\n\r\n[0013] four digits\r\n  FLAGS $00\r\n");
    RecordingDialog dialog;
    auto data = TKyrData::FromFile(path);
    ASSERT_FALSE(data->LoadFailed());
    EXPECT_EQ(dialog.texts(), std::vector<std::string>{"Bad screen number: 001"});
    ASSERT_EQ(data->ScreenCount(), 1);
    EXPECT_EQ(data->Screen(0).Number(), 12);

    dialog.clear();
    dialog.answers = {Answer::Yes};
    ASSERT_TRUE(data->SaveToFile("", ""));
    EXPECT_EQ(dialog.texts(), std::vector<std::string>{kOlderQuestion});
    const std::string text = ReadBytes(path);
    EXPECT_NE(text.find("\r\n[0012] three digits\r\n  FLAGS $00\r\n  \"Hello"), std::string::npos);
}

// A project text of every terminal type with screens, fields of every kind and EXD tables.
std::string generatedText(std::uint8_t type) {
    const TermTypeInfo& info = *termTypeInfo(type);
    std::string text = "[Info]\r\n" + std::string(info.keywordWritten) + "\r\n VER 260\r\n";
    text += "[Setup]\r\n 2 5 1 1 29 2 1 1 0 1\r\n";
    for (int n = 1; n <= 12; ++n) {
        text += "[" + std::to_string(10000 + n).substr(1) + "] screen " + std::to_string(n) +
                "\r\n  FLAGS $0" + std::to_string(n % 4 == 1 ? 4 : n % 3) + "\r\n";
        if (n % 2) text += "  EXD " + std::to_string(n % 5) + "\r\n";
        if (isLumQType(type)) text += "  DISPFLAGS $00" + std::to_string(n % 10) + "1\r\n";
        text += "  \"" + std::string(info.cols, static_cast<char>('A' + n)) + "\"\r\n";
        text += "  \"\xC0\xE8.\"\r\n";
        text += " NUM 1 0 10 0 0 21 1 $01 0 $0910 0.1 -2 0 100\r\n";
        text += " BUT 3 0 12 0 3 21 0 $91 \"\xC1\"\r\n     \"\xC2\"\r\n";
    }
    text += "[EXD4] four\r\n 1 2 3\r\n\r\n -1 0 0\r\n 7 0 65535\r\n[EXD0]\r\n";
    return text;
}

TEST(ProjectRoundTrip, GeneratedScreensSaveTheSameBytesTwice) {
    TempFolder folder;
    for (std::uint8_t type = 0; type < 10; ++type) {
        RecordingDialog dialog;
        auto data = test::ReadText(generatedText(type));
        ASSERT_FALSE(data->LoadFailed()) << int(type);
        EXPECT_EQ(data->ScreenCount(), 12) << int(type);
        EXPECT_EQ(data->ExdCount(), 2) << int(type);
        const std::string first = folder.File("first.kyr");
        const std::string second = folder.File("second.kyr");
        dialog.answers = {Answer::Yes};
        ASSERT_TRUE(data->SaveToFile(first, "")) << int(type);
        auto read = TKyrData::FromFile(first);
        ASSERT_FALSE(read->LoadFailed());
        EXPECT_EQ(read->ScreenCount(), 12) << int(type);
        ASSERT_TRUE(read->SaveToFile(second, read->Description()));
        EXPECT_EQ(ReadBytes(first), ReadBytes(second)) << int(type);
    }
}

}  // namespace
}  // namespace kyr

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "HexText.h"
#include "RecordingDialog.h"
#include "TempFolder.h"
#include "image/BlockChecksum.h"
#include "image/EpromHexFile.h"
#include "image/EpromTexts.h"
#include "image/ImageBlocks.h"
#include "image/ImageBuilder.h"
#include "model/DataClass.h"
#include "model/FileFormLink.h"
#include "model/Func.h"
#include "model/Screen.h"

namespace kyr {
namespace {

namespace fs = std::filesystem;
using test::loadHex;

EpromSettings settings(EpromSize size, int format = 218, bool systemMode = false) {
    EpromSettings s;
    s.size = size;
    s.format = format;
    s.systemMode = systemMode;
    return s;
}

class LanguageGuard {
public:
    explicit LanguageGuard(std::uint8_t lang) : previous_(language()) { setLanguage(lang); }
    ~LanguageGuard() { setLanguage(previous_); }

private:
    std::uint8_t previous_;
};

// A screen with a text and `fields` number fields side by side.
TKyrScreen& addScreen(TKyrData& data, int number, std::string_view text, int fields = 0) {
    TKyrScreen& screen = data.AddScreen(number, data.ScreenCount());
    screen.SetDisplayText(text);
    for (int f = 0; f < fields; ++f) {
        auto func = std::make_unique<TFunc>(data, TFunc::KindNum);
        func->SetPosition(f * 6);
        func->SetSourceAddr(static_cast<std::uint16_t>(0x100 + f));
        screen.AppendFunction(std::move(func));
    }
    return screen;
}

Bytes record(TKyrScreen& screen, int format) {
    Bytes out(screen.ImageSize(format));
    EXPECT_EQ(screen.PutToImage(out, format, true), TKyrScreen::ImageError::None);
    return out;
}

TEST(EpromImageOfProject, EmptyProjectHasItsBlocksAndFourEndMarks) {
    LanguageGuard guard(LangEnglish);
    const auto data = TKyrData::NewProject(0, 0);
    data->AddExdTable(3, 0);
    const EpromImage image = BuildEpromImage(*data, settings(EpromSize::Kb64));
    ASSERT_TRUE(image.complete());
    const auto bytes = loadHex(image.hex);
    EXPECT_EQ(bytes.run(0x0000, 12), withBlockChecksum(SetupBlock(*data)));
    EXPECT_EQ(bytes.run(0x0010, 22), withBlockChecksum(CommBlock(*data)));
    EXPECT_EQ(bytes.run(0x0100, 67), withBlockChecksum(ExdBlock(*data, 0)));
    for (std::uint32_t a : {0x0400u, 0x4000u, 0x8000u, 0xC000u})
        EXPECT_EQ(bytes.run(a, 2), (Bytes{0, 0}));
    EXPECT_EQ(bytes.bytes.size(), 12u + 22 + 67 + 8);
    EXPECT_EQ(image.hex.find(":02000002"), std::string::npos);
}

TEST(EpromImageOfProject, ScreenRecordsFollowOneAnotherInListOrder) {
    for (int format : {217, 218}) {
        SCOPED_TRACE(format);
        const auto data = TKyrData::NewProject(0, 0);
        addScreen(*data, 5, "first", 2);
        addScreen(*data, 1, "second");
        addScreen(*data, 199, "third", 3);
        const EpromImage image = BuildEpromImage(*data, settings(EpromSize::Kb64, format));
        ASSERT_TRUE(image.complete());
        const auto bytes = loadHex(image.hex);
        std::uint32_t at = 0x0400;
        for (int i = 0; i < data->ScreenCount(); ++i) {
            const Bytes expected = record(data->Screen(i), format);
            EXPECT_EQ(bytes.run(at, expected.size()), expected) << i;
            at += static_cast<std::uint32_t>(expected.size());
        }
        EXPECT_EQ(bytes.run(at, 2), (Bytes{0, 0}));
        EXPECT_FALSE(bytes.has(at + 2));
    }
}

TEST(EpromImageOfProject, NumberAboveOneNinetyNineFailsInFormat217AndLeavesAGap) {
    const auto data = TKyrData::NewProject(0, 0);
    addScreen(*data, 1, "one");
    TKyrScreen& big = addScreen(*data, 200, "two hundred");
    addScreen(*data, 2, "two");
    const std::size_t first = data->Screen(0).ImageSize(217);
    const std::size_t gap = big.ImageSize(217);
    const EpromImage image = BuildEpromImage(*data, settings(EpromSize::Kb64, 217));
    EXPECT_TRUE(image.partial);
    const auto bytes = loadHex(image.hex);
    const auto gapStart = static_cast<std::uint32_t>(0x0400 + first);
    for (std::uint32_t a = gapStart; a < gapStart + gap; ++a) EXPECT_FALSE(bytes.has(a));
    const Bytes third = record(data->Screen(2), 217);
    EXPECT_EQ(bytes.run(gapStart + static_cast<std::uint32_t>(gap), third.size()), third);
    // Format 218 takes the same screen.
    EXPECT_TRUE(BuildEpromImage(*data, settings(EpromSize::Kb64, 218)).complete());
}

TEST(EpromImageOfProject, CyrillicScreenIsWritten) {
    const auto data = TKyrData::NewProject(0, 3);
    TKyrScreen& screen = addScreen(*data, 1, "abc");
    screen.SetFlags(static_cast<std::uint8_t>(1 << TKyrScreen::CharSetShift));
    EXPECT_TRUE(BuildEpromImage(*data, settings(EpromSize::Kb64)).complete());
}

TEST(EpromImageOfProject, ManyScreensFillTheSecondSegmentOfTheLargeEprom) {
    const auto data = TKyrData::NewProject(0, 0);
    for (int n = 1; n <= 999; ++n) addScreen(*data, n, "generated", 10);
    const std::size_t size = data->Screen(0).ImageSize(218);
    const std::size_t perPage = (0x4000 - 2) / size;
    const std::size_t page0 = (0x3C00 - 2) / size;

    const EpromImage small = BuildEpromImage(*data, settings(EpromSize::Kb64));
    EXPECT_EQ(small.screensLeftOut.size(), 999 - page0 - 3 * perPage);
    EXPECT_EQ(small.screensLeftOut.front(), static_cast<int>(page0 + 3 * perPage + 1));

    const EpromImage large = BuildEpromImage(*data, settings(EpromSize::Kb128));
    EXPECT_EQ(large.screensLeftOut.size(), 999 - page0 - 7 * perPage);
    const auto bytes = loadHex(large.hex);
    const Bytes firstOfPage4 = record(data->Screen(static_cast<int>(page0 + 3 * perPage)), 218);
    EXPECT_EQ(bytes.run(0x10000, firstOfPage4.size()), firstOfPage4);
}

TEST(EpromImageOfProject, TwelfthExdTableIsLeftOut) {
    const auto data = TKyrData::NewProject(0, 0);
    for (int i = 0; i < 12; ++i) data->AddExdTable(static_cast<std::uint8_t>(i), i);
    const EpromImage image = BuildEpromImage(*data, settings(EpromSize::Kb64));
    EXPECT_EQ(image.exdTablesLeftOut, 1u);
    const auto bytes = loadHex(image.hex);
    EXPECT_EQ(bytes.at(0x0100 + 10 * 67), 10);  // the eleventh table's number
    EXPECT_EQ(bytes.run(0x0400, 2), (Bytes{0, 0}));
}

TEST(EpromImageOfProject, SystemModeLeavesOutTheBlocks) {
    const auto data = TKyrData::NewProject(0, 4);
    data->AddExdTable(1, 0);
    const auto bytes = loadHex(BuildEpromImage(*data, settings(EpromSize::Kb128, 218, true)).hex);
    EXPECT_EQ(bytes.bytes.size(), 2u);
    EXPECT_EQ(bytes.run(0xFE00, 2), (Bytes{0, 0}));
}

class HexFileTest : public ::testing::Test {
protected:
    static std::string slurp(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    test::TempFolder temp_{"kyr-eprom"};
    const fs::path dir_ = temp_.path();
    test::RecordingDialog rec_;
};

TEST_F(HexFileTest, WritesTheImageAndChangesNeitherTheProjectNorItsFlags) {
    const auto data = TKyrData::NewProject(0, 0);
    addScreen(*data, 1, "one", 2);
    addScreen(*data, 2, "two");
    data->ClearModified();
    const fs::path out = dir_ / "a.hex";
    EXPECT_EQ(WriteHexFile(*data, out.string(), settings(EpromSize::Kb128)),
              HexFileStatus::Written);
    EXPECT_TRUE(rec_.entries.empty());
    EXPECT_EQ(slurp(out), BuildEpromImage(*data, settings(EpromSize::Kb128)).hex);
    // Still untitled, so that Save asks for a project file name.
    EXPECT_EQ(data->Origin(), TKyrData::OriginNew);
    EXPECT_EQ(data->DisplayName(), "NoName ");
    EXPECT_FALSE(data->IsModified());

    data->SetModified(true);
    EXPECT_EQ(WriteHexFile(*data, out.string(), settings(EpromSize::Kb64)), HexFileStatus::Written);
    EXPECT_TRUE(data->Modified());
    EXPECT_EQ(slurp(out), BuildEpromImage(*data, settings(EpromSize::Kb64)).hex);
}

TEST_F(HexFileTest, EmptyNameWritesNothing) {
    const auto data = TKyrData::NewProject(0, 0);
    EXPECT_EQ(WriteHexFile(*data, "", settings(EpromSize::Kb64)), HexFileStatus::NotWritten);
    EXPECT_TRUE(rec_.entries.empty());
    EXPECT_EQ(data->Origin(), TKyrData::OriginNew);
}

TEST_F(HexFileTest, WriteFailureIsAnErrorNamingTheFile) {
    const auto data = TKyrData::NewProject(0, 0);
    const std::string out = (dir_ / "no-such-folder" / "a.hex").string();
    EXPECT_EQ(WriteHexFile(*data, out, settings(EpromSize::Kb64)), HexFileStatus::WriteFailed);
    ASSERT_EQ(rec_.entries.size(), 1u);
    EXPECT_EQ(rec_.entries[0].kind, MsgKind::Error);
    EXPECT_EQ(rec_.entries[0].title, "ERROR");
    EXPECT_EQ(rec_.entries[0].text.rfind("Cannot write HEX file " + out + " (", 0), 0u);
}

TEST_F(HexFileTest, LeftOutTablesAreWarnedOnceAndTheFileIsStillWritten) {
    LanguageGuard guard(LangGerman);
    const auto data = TKyrData::NewProject(0, 0);
    for (int i = 0; i < 14; ++i) data->AddExdTable(static_cast<std::uint8_t>(i), i);
    const fs::path out = dir_ / "exd.hex";
    EXPECT_EQ(WriteHexFile(*data, out.string(), settings(EpromSize::Kb64)),
              HexFileStatus::Incomplete);
    EXPECT_EQ(rec_.texts(), std::vector<std::string>{"Nicht genug Platz für EXD-Tabellen"});
    EXPECT_EQ(rec_.entries[0].kind, MsgKind::Warning);
    EXPECT_TRUE(fs::exists(out));
}

TEST_F(HexFileTest, ScreensThatDoNotFitAreWarnedAndAFailedRecordIsAnError) {
    const auto data = TKyrData::NewProject(0, 0);
    for (int n = 1; n <= 300; ++n) addScreen(*data, n, "screen", 10);
    const fs::path out = dir_ / "full.hex";
    EXPECT_EQ(WriteHexFile(*data, out.string(), settings(EpromSize::Kb64, 217)),
              HexFileStatus::Incomplete);
    EXPECT_EQ(rec_.texts(), (std::vector<std::string>{"Not enough space for screens",
                                                      "HEX File was generated only partially"}));
    EXPECT_EQ(rec_.entries[0].kind, MsgKind::Warning);
    EXPECT_EQ(rec_.entries[1].kind, MsgKind::Error);
    EXPECT_TRUE(loadHex(slurp(out)).sawEndOfFile);
}

struct RefusingForm final : TFileFormLink {
    void RefreshScreenList(int) override {}
    bool StoreAll() override {
        ++calls;
        return refuse ? false : true;
    }
    bool refuse = true;
    int calls = 0;
};

TEST_F(HexFileTest, ProjectWindowThatKeepsItsEditsStopsTheWrite) {
    const auto data = TKyrData::NewProject(0, 0);
    RefusingForm form;
    data->SetFileForm(&form);
    const fs::path out = dir_ / "kept.hex";
    EXPECT_EQ(WriteHexFile(*data, out.string(), settings(EpromSize::Kb64)),
              HexFileStatus::NotWritten);
    EXPECT_EQ(form.calls, 1);
    EXPECT_FALSE(fs::exists(out));
    EXPECT_EQ(data->Origin(), TKyrData::OriginNew);
    form.refuse = false;
    EXPECT_EQ(WriteHexFile(*data, out.string(), settings(EpromSize::Kb64)), HexFileStatus::Written);
    EXPECT_EQ(form.calls, 2);
    data->SetFileForm(nullptr);
}

TEST_F(HexFileTest, MessagesOfAnIncompleteImageInTheirOrder) {
    EpromImage image;
    image.hex = ":00000001FF\r\n";
    image.exdTablesLeftOut = 1;
    image.screensLeftOut = {7};
    image.partial = true;
    EXPECT_EQ(WriteEpromImage(image, (dir_ / "x.hex").string()), HexFileStatus::Incomplete);
    EXPECT_EQ(rec_.texts(), (std::vector<std::string>{"Not enough space for EXD tables",
                                                      "Not enough space for screens",
                                                      "HEX File was generated only partially"}));
    EXPECT_EQ(rec_.entries[2].kind, MsgKind::Error);
    EXPECT_EQ(rec_.entries[2].title, "ERROR");
}

}  // namespace
}  // namespace kyr

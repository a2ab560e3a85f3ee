// The EPROM HEX files of whole projects, read back by an independent Intel HEX
// implementation (srec_info, srec_cat): the example projects and a generated large one.
// Skipped where the tools are missing.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "HexText.h"
#include "RecordingDialog.h"
#include "TempFolder.h"
#include "image/BlockChecksum.h"
#include "image/ImageBlocks.h"
#include "image/ImageBuilder.h"
#include "model/DataClass.h"
#include "model/Func.h"
#include "model/Screen.h"

namespace kyr {
namespace {

namespace fs = std::filesystem;

int run(const std::string& command) {
    const int status = std::system(("{ " + command + "; } >/dev/null 2>&1").c_str());
    return (status != -1 && WIFEXITED(status)) ? WEXITSTATUS(status) : -1;
}

bool haveSrecord() { return run("command -v srec_cat && command -v srec_info") == 0; }

std::string quoted(const fs::path& p) { return "'" + p.string() + "'"; }

Bytes readFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<fs::path> exampleProjects() {
    std::vector<fs::path> out;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(KYR_EXAMPLES_DIR, ec)) {
        if (entry.path().extension() == ".kyr") out.push_back(entry.path());
    }
    std::sort(out.begin(), out.end());
    return out;
}

constexpr std::uint8_t Fill = 0xA5;

class ProjectHexCrossCheck : public ::testing::Test {
protected:
    void SetUp() override {
        if (!haveSrecord()) GTEST_SKIP() << "srec_cat/srec_info not installed";
    }

    // The file as srec_cat loads it, holes filled with Fill, over the EPROM's size.
    Bytes loadWithSrecord(const std::string& hex, std::uint32_t size) {
        const fs::path in = dir_ / "image.hex";
        const fs::path bin = dir_ / "image.bin";
        std::ofstream(in, std::ios::binary) << hex;
        EXPECT_EQ(run("srec_info " + quoted(in) + " -Intel"), 0);
        EXPECT_EQ(run("srec_cat " + quoted(in) + " -Intel -fill 0xA5 0 " + std::to_string(size) +
                      " -o " + quoted(bin) + " -Binary"),
                  0);
        return readFile(bin);
    }

    // srec_cat sees every byte our own reading of the file sees, and nothing else.
    void expectSameBytes(const Bytes& srec, const test::HexBytes& ours) {
        for (std::uint32_t a = 0; a < srec.size(); ++a) {
            const std::uint8_t expected = ours.has(a) ? ours.at(a) : Fill;
            ASSERT_EQ(srec[a], expected) << std::hex << "at 0x" << a;
        }
        ASSERT_TRUE(ours.bytes.empty() || ours.bytes.rbegin()->first < srec.size());
    }

    test::TempFolder temp_{"kyr-project-hex"};
    const fs::path dir_ = temp_.path();
};

Bytes slice(std::span<const std::uint8_t> image, std::uint32_t at, std::size_t n) {
    return Bytes(image.begin() + at, image.begin() + at + static_cast<long>(n));
}

TEST_F(ProjectHexCrossCheck, ExampleProjectsHoldTheirBlocksAndScreens) {
    const auto projects = exampleProjects();
    if (projects.empty()) GTEST_SKIP() << "no example projects in " << KYR_EXAMPLES_DIR;
    for (const auto& path : projects) {
        for (int format : {217, 218}) {
            SCOPED_TRACE(path.filename().string() + " format " + std::to_string(format));
            test::RecordingDialog rec;
            const auto data = TKyrData::FromFile(path.string());
            ASSERT_FALSE(data->LoadFailed());
            EXPECT_TRUE(rec.entries.empty());
            EpromSettings settings;
            settings.size = EpromSize::Kb64;
            settings.format = format;
            const EpromImage image = BuildEpromImage(*data, settings);
            const Bytes srec = loadWithSrecord(image.hex, 0x10000);
            ASSERT_EQ(srec.size(), 0x10000u);
            expectSameBytes(srec, test::loadHex(image.hex));

            EXPECT_EQ(slice(srec, 0x0000, 12), withBlockChecksum(SetupBlock(*data)));
            const Bytes comm = withBlockChecksum(CommBlock(*data));
            EXPECT_EQ(slice(srec, 0x0010, comm.size()), comm);
            for (int i = 0; i < std::min(data->ExdCount(), 11); ++i) {
                EXPECT_EQ(slice(srec, 0x0100 + 67 * static_cast<std::uint32_t>(i), 67),
                          withBlockChecksum(ExdBlock(*data, i)));
            }
            // Small projects fit into page 0, their screens in list order.
            std::uint32_t at = 0x0400;
            for (const auto& screen : data->Screens()) {
                Bytes record(screen->ImageSize(format));
                if (screen->PutToImage(record, format, true) != TKyrScreen::ImageError::None) {
                    EXPECT_TRUE(image.partial);
                    EXPECT_EQ(srec[at], Fill);
                } else {
                    EXPECT_EQ(slice(srec, at, record.size()), record)
                        << "screen " << screen->Number();
                }
                at += static_cast<std::uint32_t>(record.size());
            }
            EXPECT_EQ(slice(srec, at, 2), (Bytes{0, 0}));
            for (std::uint32_t page : {0x4000u, 0x8000u, 0xC000u})
                EXPECT_EQ(slice(srec, page, 2), (Bytes{0, 0}));
        }
    }
}

TEST_F(ProjectHexCrossCheck, LargeProjectAcrossBothSegments) {
    const auto data = TKyrData::NewProject(0, 3);
    for (int t = 0; t < 11; ++t)
        data->AddExdTable(static_cast<std::uint8_t>(t), t).SetRow(t % 16, 1, 2, 0x0300);
    for (int n = 1; n <= 600; ++n) {
        TKyrScreen& screen = data->AddScreen(n, n - 1);
        screen.SetDisplayText("Screen " + std::to_string(n));
        for (int f = 0; f < 1 + n % 5; ++f) {
            auto func =
                std::make_unique<TFunc>(*data, f % 2 == 0 ? TFunc::KindNum : TFunc::KindBar);
            func->SetPosition(40 + f * 8);
            func->SetSourceAddr(static_cast<std::uint16_t>(n * 8 + f));
            screen.AppendFunction(std::move(func));
        }
    }
    EpromSettings settings;
    settings.size = EpromSize::Kb128;
    const EpromImage image = BuildEpromImage(*data, settings);
    ASSERT_FALSE(image.partial);
    const Bytes srec = loadWithSrecord(image.hex, 0x20000);
    ASSERT_EQ(srec.size(), 0x20000u);
    const auto ours = test::loadHex(image.hex);
    expectSameBytes(srec, ours);
    // Every page of both segments ends with its end mark, and the second segment is used.
    EXPECT_TRUE(ours.has(0x10000));
    EXPECT_GT(std::count_if(ours.bytes.begin(), ours.bytes.end(),
                            [](const auto& b) { return b.first >= 0x10000; }),
              0x8000);
}

}  // namespace
}  // namespace kyr

// Cross-checks the HEX writer and reader against an independent Intel HEX implementation,
// the srec_info and srec_cat tools. The tests are skipped where the tools are missing.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "RecordingDialog.h"
#include "TempFolder.h"
#include "image/FirmwareImage.h"
#include "image/HexRecord.h"
#include "image/HexWriter.h"

namespace kyr {
namespace {

namespace fs = std::filesystem;

int run(const std::string& command) {
    const int status = std::system(("{ " + command + "; } >/dev/null 2>&1").c_str());
    return (status != -1 && WIFEXITED(status)) ? WEXITSTATUS(status) : -1;
}

bool haveSrecord() { return run("command -v srec_cat && command -v srec_info") == 0; }

std::string quoted(const fs::path& p) { return "'" + p.string() + "'"; }

Bytes pattern(std::size_t n, unsigned seed) {
    Bytes b(n);
    for (std::size_t i = 0; i < n; ++i)
        b[i] = static_cast<std::uint8_t>((i * 31 + seed * 17) ^ (i >> 3));
    return b;
}

void writeFile(const fs::path& p, const std::string& content) {
    std::ofstream out(p, std::ios::binary);
    out << content;
}

Bytes readFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class SrecordCrossCheck : public ::testing::Test {
protected:
    void SetUp() override {
        if (!haveSrecord()) GTEST_SKIP() << "srec_cat/srec_info not installed";
    }
    test::TempFolder temp_{"kyr-hex"};
    const fs::path dir_ = temp_.path();
};

TEST_F(SrecordCrossCheck, WrittenFileIsAcceptedAndHoldsTheBytes) {
    struct Run {
        std::uint32_t address;  // where the bytes must land
        Bytes data;
    };
    const std::vector<Run> runs{
        {0x00000, pattern(16, 1)},  {0x00010, pattern(20, 2)}, {0x00100, pattern(67, 3)},
        {0x03FF0, pattern(40, 4)},  {0x10000, pattern(33, 5)}, {0x1FFF0, pattern(16, 6)},
        {0x20010, pattern(100, 7)},
    };
    HexWriter w;
    for (const auto& r : runs) {
        if (r.address == 0x10000) w.writeLine(HexSegment1000Record);
        if (r.address == 0x20010) w.writeLine(HexSegment2000Record);
        w.WriteHexRecords(static_cast<std::int32_t>(r.address), r.data);
    }
    w.writeLine(HexEndOfFileRecord);

    const fs::path hex = dir_ / "image.hex";
    const fs::path bin = dir_ / "image.bin";
    writeFile(hex, w.text());
    ASSERT_EQ(run("srec_info " + quoted(hex) + " -Intel"), 0);
    ASSERT_EQ(run("srec_cat " + quoted(hex) + " -Intel -o " + quoted(bin) + " -Binary"), 0);

    const Bytes image = readFile(bin);
    ASSERT_EQ(image.size(), 0x20010u + 100);
    for (const auto& r : runs)
        for (std::size_t i = 0; i < r.data.size(); ++i)
            ASSERT_EQ(image[r.address + i], r.data[i]) << std::hex << "at 0x" << r.address + i;
}

TEST_F(SrecordCrossCheck, SixtyFourKilobyteFileNeedsNoSegmentRecord) {
    HexWriter w;
    w.WriteHexRecords(0xC000, pattern(0x4000, 9));
    w.writeLine(HexEndOfFileRecord);
    EXPECT_EQ(w.text().find(":02000002"), std::string::npos);

    const fs::path hex = dir_ / "top.hex";
    const fs::path bin = dir_ / "top.bin";
    writeFile(hex, w.text());
    ASSERT_EQ(run("srec_cat " + quoted(hex) + " -Intel -o " + quoted(bin) + " -Binary"), 0);
    const Bytes image = readFile(bin);
    ASSERT_EQ(image.size(), 0x10000u);
    const Bytes expected = pattern(0x4000, 9);
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), image.begin() + 0xC000));
}

TEST_F(SrecordCrossCheck, ReaderLoadsAFileWrittenBySrecCat) {
    const Bytes low = pattern(300, 11);
    const Bytes high = pattern(300, 12);
    writeFile(dir_ / "low.bin", std::string(low.begin(), low.end()));
    writeFile(dir_ / "high.bin", std::string(high.begin(), high.end()));
    const fs::path hex = dir_ / "firmware.hex";
    ASSERT_EQ(run("srec_cat " + quoted(dir_ / "low.bin") + " -Binary -offset 0x0105 " +
                  quoted(dir_ / "high.bin") + " -Binary -offset 0xFE00 -o " + quoted(hex) +
                  " -Intel -address-length=2 -obs=32"),
              0);

    test::RecordingDialog rec;
    FirmwareImage image;
    ASSERT_TRUE(readHexFile(hex, image).ok());
    EXPECT_TRUE(rec.entries.empty());
    for (std::size_t a = 0; a < FirmwareImage::Size; ++a) {
        const bool inLow = a >= 0x0105 && a < 0x0105 + low.size();
        const bool inHigh = a >= 0xFE00 && a < 0xFE00 + high.size();
        ASSERT_EQ(image.used(a), inLow || inHigh) << std::hex << a;
        if (inLow) {
            ASSERT_EQ(image.at(a), low[a - 0x0105]);
        }
        if (inHigh) {
            ASSERT_EQ(image.at(a), high[a - 0xFE00]);
        }
    }
}

}  // namespace
}  // namespace kyr

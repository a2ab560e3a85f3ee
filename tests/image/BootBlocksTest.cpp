#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "image/BootBlocks.h"
#include "image/HexRecord.h"

namespace kyr {
namespace {

// Marks [from, to) used with the low byte of the address as value.
void fill(FirmwareImage& image, std::size_t from, std::size_t to) {
    Bytes b;
    for (std::size_t a = from; a < to; ++a) b.push_back(static_cast<std::uint8_t>(a));
    ASSERT_TRUE(image.store(from, b));
}

// (address, length) of every record, after checking each text against the image.
std::vector<std::pair<std::size_t, std::size_t>> layout(const FirmwareImage& image) {
    std::vector<std::pair<std::size_t, std::size_t>> out;
    for (const auto& r : bootRecords(image)) {
        const auto parsed = parseHexRecord(r.text);
        EXPECT_EQ(parsed.status, HexParseStatus::Ok) << r.text;
        EXPECT_EQ(parsed.record.address, r.address);
        EXPECT_EQ(parsed.record.type, HexData);
        EXPECT_EQ(r.text.size(), 11 + 2 * parsed.record.data.size());
        for (std::size_t i = 0; i < parsed.record.data.size(); ++i)
            EXPECT_EQ(parsed.record.data[i], image.at(r.address + i));
        out.emplace_back(r.address, parsed.record.data.size());
    }
    return out;
}

using Layout = std::vector<std::pair<std::size_t, std::size_t>>;

TEST(BootBlocks, RunCrossingABoundaryIsSplitThere) {
    FirmwareImage image;
    fill(image, 0x30, 0x50);
    EXPECT_EQ(layout(image), (Layout{{0x30, 16}, {0x40, 16}}));
}

TEST(BootBlocks, RecordsFollowRunsAndBoundaries) {
    struct Case {
        const char* name;
        std::vector<std::pair<std::size_t, std::size_t>> runs;  // [from, to)
        Layout expected;
    };
    const std::vector<Case> cases{
        {"empty image", {}, {}},
        {"two full blocks", {{0x0000, 0x0080}}, {{0x0000, 64}, {0x0040, 64}}},
        {"gap inside a block", {{0x0000, 0x0005}, {0x0006, 0x0008}}, {{0x0000, 5}, {0x0006, 2}}},
        {"adjacent runs join", {{0x0100, 0x0104}, {0x0104, 0x0110}}, {{0x0100, 16}}},
        {"last block is 56 bytes", {{0xFFA0, FirmwareImage::Size}}, {{0xFFA0, 32}, {0xFFC0, 56}}},
        {"single last byte", {{0xFFF7, 0xFFF8}}, {{0xFFF7, 1}}},
    };
    for (const auto& c : cases) {
        FirmwareImage image;
        for (const auto& [from, to] : c.runs) fill(image, from, to);
        EXPECT_EQ(layout(image), c.expected) << c.name;
    }
}

TEST(BootBlocks, WholeImageGivesEveryByteOnce) {
    FirmwareImage image;
    fill(image, 0, FirmwareImage::Size);
    const auto l = layout(image);
    ASSERT_EQ(l.size(), (FirmwareImage::Size + 63) / 64);
    std::size_t next = 0;
    for (const auto& [address, length] : l) {
        EXPECT_EQ(address, next);
        next += length;
    }
    EXPECT_EQ(next, FirmwareImage::Size);
}

TEST(BootBlocks, Gauge) {
    EXPECT_EQ(bootGauge(0, 0x1000), 0);
    EXPECT_EQ(bootGauge(0x0800, 0x1000), 50);
    EXPECT_EQ(bootGauge(0x1000, 0x1000), 100);
    EXPECT_EQ(bootGauge(0xFFC0, 0xFFF7), 99);
    EXPECT_EQ(bootGauge(0, 0), 100);
}

TEST(BootBlocks, StartFrameIsTheRecordAndOneZeroByte) {
    const std::string frame = bootStartFirmwareFrame();
    ASSERT_EQ(frame.size(), 20u);
    EXPECT_EQ(frame.substr(0, 19), BootStartFirmwareRecord);
    EXPECT_EQ(frame[19], '\0');
}

}  // namespace
}  // namespace kyr

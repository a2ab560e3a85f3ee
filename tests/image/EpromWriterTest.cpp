#include <gtest/gtest.h>

#include <algorithm>

#include "HexText.h"
#include "image/BlockChecksum.h"
#include "image/EpromWriter.h"

namespace kyr {
namespace {

using test::hexLines;
using test::loadHex;

// A record builder that writes a recognisable pattern: the record's tag in every byte.
EpromWriter::BuildRecord filled(std::uint8_t tag) {
    return [tag](std::span<std::uint8_t> b) {
        std::fill(b.begin(), b.end(), tag);
        return true;
    };
}

EpromWriter::BuildRecord failing() {
    return [](std::span<std::uint8_t>) { return false; };
}

EpromSettings settings(EpromSize size, bool systemMode = false) {
    EpromSettings s;
    s.size = size;
    s.systemMode = systemMode;
    return s;
}

bool isEndMark(const test::HexBytes& image, std::uint32_t a) {
    return image.run(a, 2) == Bytes{0, 0};
}

TEST(BlockChecksum, IsSeedPlusByteSumHighByteFirst) {
    EXPECT_EQ(withBlockChecksum(Bytes(10, 0)), (Bytes{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x12, 0x34}));
    EXPECT_EQ(blockChecksum(Bytes{0x01, 0x02, 0xFF}), 0x1336);
    // The sum wraps at 16 bits.
    EXPECT_EQ(blockChecksum(Bytes(300, 0xFF)), static_cast<std::uint16_t>(0x1234 + 300 * 0xFF));
}

TEST(EpromWriter, EmptyImageHasOnlyTheFourEndMarks) {
    EpromWriter w(settings(EpromSize::Kb64), false);
    const EpromImage image = w.finish();
    EXPECT_EQ(hexLines(image.hex),
              (std::vector<std::string>{":020400000000FA", ":024000000000BE", ":0280000000007E",
                                        ":02C0000000003E", ":00000001FF"}));
    EXPECT_TRUE(image.complete());
}

TEST(EpromWriter, BlocksGoWithTheirCheckBytesAsOneRun) {
    EpromWriter w(settings(EpromSize::Kb64), false);
    w.writeSetup(Bytes(10, 0));
    w.writeComm(Bytes(20, 0x01));
    w.writeExd(Bytes(65, 0x02));
    const auto lines = hexLines(w.finish().hex);
    ASSERT_GE(lines.size(), 8u);
    EXPECT_EQ(lines[0], ":0C000000000000000000000000001234AE");
    // Communication block at 0x0010: 22 bytes as 16 + 6.
    EXPECT_EQ(lines[1].substr(0, 9), ":10001000");
    EXPECT_EQ(lines[2], ":060020000101010112487C");
    // EXD block at 0x0100: 67 bytes as 16 × 4 + 3.
    EXPECT_EQ(lines[3].substr(0, 9), ":10010000");
    EXPECT_EQ(lines[7].substr(0, 9), ":03014000");
}

TEST(EpromWriter, AtMostElevenExdBlocksFitBelowScreenPageZero) {
    EpromWriter w(settings(EpromSize::Kb64), false);
    for (int i = 0; i < 13; ++i) w.writeExd(Bytes(65, static_cast<std::uint8_t>(i + 1)));
    const EpromImage image = w.finish();
    EXPECT_EQ(image.exdTablesLeftOut, 2u);
    EXPECT_FALSE(image.complete());
    const auto bytes = loadHex(image.hex);
    // The eleventh block starts at 0x0100 + 10 × 67 and ends with its check bytes at 0x03E0.
    EXPECT_EQ(bytes.at(0x0100 + 10 * 67 + 1), 11);
    EXPECT_TRUE(bytes.has(0x03E0));
    for (std::uint32_t a = 0x03E1; a < 0x0400; ++a) EXPECT_FALSE(bytes.has(a)) << std::hex << a;
    EXPECT_TRUE(isEndMark(bytes, 0x0400));
}

// Page 0 runs from 0x0400 to 0x4000: 0x3C00 bytes, of which the end mark takes two.
TEST(EpromWriter, RecordGoesIntoAPageOnlyWhenItsEndMarkStillFits) {
    struct Case {
        std::size_t size;
        std::uint32_t recordAt;
        std::uint32_t page0EndMark;
    };
    const Case cases[] = {
        {0x3BFE, 0x0400, 0x3FFE},  // exact fit: the end mark takes the page's last two bytes
        {0x3BFF, 0x4000, 0x0400},  // one byte more would put the end mark into page 1
        {0x3C00, 0x4000, 0x0400},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        EpromWriter w(settings(EpromSize::Kb64), false);
        w.addScreen(1, c.size, filled(0xAA));
        const EpromImage image = w.finish();
        ASSERT_TRUE(image.complete());
        const auto bytes = loadHex(image.hex);
        EXPECT_EQ(bytes.run(c.recordAt, c.size), Bytes(c.size, 0xAA));
        EXPECT_TRUE(isEndMark(bytes, c.page0EndMark));
        // Nothing spills over a page boundary: page 1 holds the record or its end mark.
        EXPECT_EQ(bytes.at(0x4000), c.recordAt == 0x4000 ? 0xAA : 0x00);
    }
}

TEST(EpromWriter, PagesAreFilledFirstFitInListOrder) {
    EpromWriter w(settings(EpromSize::Kb64), false);
    w.addScreen(1, 0x3000, filled(1));  // page 0
    w.addScreen(2, 0x3000, filled(2));  // no room left in page 0: page 1
    w.addScreen(3, 0x0100, filled(3));  // back in page 0
    w.addScreen(4, 0x3FFE, filled(4));  // fills page 2 exactly
    w.addScreen(5, 0x0010, filled(5));  // page 0 again
    const auto bytes = loadHex(w.finish().hex);
    EXPECT_EQ(bytes.at(0x0400), 1);
    EXPECT_EQ(bytes.at(0x4000), 2);
    EXPECT_EQ(bytes.at(0x3400), 3);
    EXPECT_EQ(bytes.at(0x8000), 4);
    EXPECT_EQ(bytes.at(0x3500), 5);
    EXPECT_TRUE(isEndMark(bytes, 0x3510));
    EXPECT_TRUE(isEndMark(bytes, 0x7000));
    EXPECT_TRUE(isEndMark(bytes, 0xBFFE));
    EXPECT_TRUE(isEndMark(bytes, 0xC000));
}

TEST(EpromWriter, SixtyFourKilobytesLeaveOutWhatDoesNotFitAndWriteNoSegmentRecord) {
    EpromWriter w(settings(EpromSize::Kb64), false);
    for (int n = 0; n < 6; ++n) w.addScreen(n, 0x3000, filled(static_cast<std::uint8_t>(n)));
    const EpromImage image = w.finish();
    EXPECT_EQ(image.screensLeftOut, (std::vector<int>{4, 5}));
    EXPECT_FALSE(image.partial);
    EXPECT_EQ(image.hex.find(":02000002"), std::string::npos);
    EXPECT_EQ(image.hex.substr(image.hex.size() - 13), ":00000001FF\r\n");
}

TEST(EpromWriter, OneTwentyEightKilobytesWithEverythingInTheFirstSegment) {
    EpromWriter w(settings(EpromSize::Kb128), false);
    w.addScreen(1, 100, filled(1));
    const EpromImage image = w.finish();
    ASSERT_TRUE(image.complete());
    const auto lines = hexLines(image.hex);
    const std::vector<std::string> tail{":020000021000EC", ":020000000000FE", ":024000000000BE",
                                        ":0280000000007E", ":02C0000000003E", ":020000022000DC",
                                        ":00000001FF"};
    ASSERT_GE(lines.size(), tail.size());
    EXPECT_TRUE(std::equal(tail.begin(), tail.end(), lines.end() - static_cast<long>(tail.size())));
    const auto bytes = loadHex(image.hex);
    for (std::uint32_t a : {0x10000u, 0x14000u, 0x18000u, 0x1C000u})
        EXPECT_TRUE(isEndMark(bytes, a));
}

TEST(EpromWriter, OverflowGoesIntoTheSecondSegmentThenIsLeftOut) {
    EpromWriter w(settings(EpromSize::Kb128), false);
    for (int n = 0; n < 10; ++n) w.addScreen(n, 0x3000, filled(static_cast<std::uint8_t>(n + 1)));
    const EpromImage image = w.finish();
    EXPECT_EQ(image.screensLeftOut, (std::vector<int>{8, 9}));
    const auto bytes = loadHex(image.hex);
    const std::uint32_t pageStarts[] = {0x0400,  0x4000,  0x8000,  0xC000,
                                        0x10000, 0x14000, 0x18000, 0x1C000};
    for (int n = 0; n < 8; ++n) {
        EXPECT_EQ(bytes.at(pageStarts[n]), n + 1);
        EXPECT_TRUE(isEndMark(bytes, pageStarts[n] + 0x3000));
    }
}

TEST(EpromWriter, RecordThatCannotBeBuiltLeavesAGapAndMarksThePartialImage) {
    EpromWriter w(settings(EpromSize::Kb64), false);
    w.addScreen(1, 10, filled(1));
    w.addScreen(2, 20, failing());
    w.addScreen(3, 10, filled(3));
    const EpromImage image = w.finish();
    EXPECT_TRUE(image.partial);
    EXPECT_TRUE(image.screensLeftOut.empty());
    const auto bytes = loadHex(image.hex);
    for (std::uint32_t a = 0x040A; a < 0x041E; ++a) EXPECT_FALSE(bytes.has(a));
    EXPECT_EQ(bytes.at(0x041E), 3);
    EXPECT_TRUE(isEndMark(bytes, 0x0428));
}

TEST(EpromWriter, SystemModeHoldsScreensOnlyInOnePage) {
    struct Case {
        bool lum;
        std::uint32_t start;
    };
    for (const auto& c : {Case{false, 0xF300}, Case{true, 0xFE00}}) {
        SCOPED_TRACE(c.start);
        EpromWriter w(settings(EpromSize::Kb128, true), c.lum);
        w.writeSetup(Bytes(10, 0));
        w.writeComm(Bytes(20, 0));
        w.writeExd(Bytes(65, 0));
        const std::size_t room = 0x10000 - c.start - 2;
        w.addScreen(1, room, filled(1));
        w.addScreen(2, 1, filled(2));
        const EpromImage image = w.finish();
        EXPECT_EQ(image.screensLeftOut, std::vector<int>{2});
        EXPECT_EQ(image.hex.find(":02000002"), std::string::npos);
        const auto bytes = loadHex(image.hex);
        EXPECT_EQ(bytes.bytes.size(), room + 2);
        EXPECT_EQ(bytes.at(c.start), 1);
        EXPECT_TRUE(isEndMark(bytes, 0xFFFE));
    }
}

}  // namespace
}  // namespace kyr

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "image/HexRecord.h"

namespace kyr {
namespace {

TEST(HexRecord, ChecksumOfBootEraseCommandIsF5) {
    const Bytes data{0x07};
    EXPECT_EQ(hexChecksum(0x0000, HexBootCommand, data), 0xF5);
    EXPECT_EQ(formatHexRecord(0x0000, HexBootCommand, data), BootEraseFlashRecord);
}

TEST(HexRecord, FixedRecordsAreWellFormed) {
    struct Case {
        std::string_view fixed;
        std::uint8_t type;
        Bytes data;
    };
    const std::vector<Case> cases{
        {HexSegment1000Record, HexExtendedSegment, {0x10, 0x00}},
        {HexSegment2000Record, HexExtendedSegment, {0x20, 0x00}},
        {HexEndOfFileRecord, HexEndOfFile, {}},
        {BootEraseFlashRecord, HexBootCommand, {0x07}},
        {BootStartFirmwareRecord, HexBootCommand, {0x03, 0x01, 0x00, 0x00}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(formatHexRecord(0, c.type, c.data), c.fixed);
        const auto parsed = parseHexRecord(c.fixed);
        ASSERT_EQ(parsed.status, HexParseStatus::Ok) << c.fixed;
        EXPECT_EQ(parsed.record.type, c.type);
        EXPECT_EQ(parsed.record.data, c.data);
    }
    EXPECT_EQ(BootStartFirmwareRecord.size(), 19u);
}

TEST(HexRecord, FormatUsesUpperCaseAndHighByteFirst) {
    const Bytes data{0xAB, 0xCD, 0xEF};
    EXPECT_EQ(formatHexRecord(0xBEEF, HexData, data), ":03BEEF00ABCDEFE9");
}

TEST(HexRecord, ParseReadsAddressTypeAndData) {
    const auto parsed = parseHexRecord(":03beef00abcdefe9  \r");
    ASSERT_EQ(parsed.status, HexParseStatus::Ok);
    EXPECT_EQ(parsed.record.address, 0xBEEF);
    EXPECT_EQ(parsed.record.type, HexData);
    EXPECT_EQ(parsed.record.data, (Bytes{0xAB, 0xCD, 0xEF}));
}

TEST(HexRecord, MalformedLinesAreRejected) {
    struct Case {
        std::string_view line;
        HexParseStatus expected;
    };
    const std::vector<Case> cases{
        {"", HexParseStatus::BadRecord},
        {":", HexParseStatus::BadRecord},
        {":0", HexParseStatus::BadRecord},
        {"03BEEF00ABCDEFE9", HexParseStatus::BadRecord},   // no colon
        {":03BEEF00ABCDEFE", HexParseStatus::BadRecord},   // one digit short
        {":03BEEF00ABCD", HexParseStatus::BadRecord},      // length runs past the line
        {":FF000000", HexParseStatus::BadRecord},          // length 255, almost no data
        {":0G00000000", HexParseStatus::BadRecord},        // non-hex in the length
        {":03BEEF00ABCXEFE9", HexParseStatus::BadRecord},  // non-hex in the data
        {":03BEEF00ABCDEF-F", HexParseStatus::BadRecord},  // non-hex in the check sum
        {":03BEEF00ABCDEFE8", HexParseStatus::BadChecksum},
        {":00000001FE", HexParseStatus::BadChecksum},
        {":00000001FF", HexParseStatus::Ok},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseHexRecord(c.line).status, c.expected) << '"' << c.line << '"';
}

TEST(HexRecord, LongestRecordRoundTrips) {
    Bytes data(HexMaxRecordData);
    for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i * 7);
    const std::string text = formatHexRecord(0x1234, HexData, data);
    EXPECT_EQ(text.size(), 2 * HexMaxRecordData + 11);
    const auto parsed = parseHexRecord(text);
    ASSERT_EQ(parsed.status, HexParseStatus::Ok);
    EXPECT_EQ(parsed.record.data, data);
}

}  // namespace
}  // namespace kyr

#include <gtest/gtest.h>

#include <numeric>
#include <sstream>

#include "image/HexRecord.h"
#include "image/HexWriter.h"

namespace kyr {
namespace {

Bytes counting(std::size_t n, std::uint8_t first = 0) {
    Bytes b(n);
    std::iota(b.begin(), b.end(), first);
    return b;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = text.find("\r\n", pos);
        EXPECT_NE(end, std::string::npos) << "line without CR LF";
        if (end == std::string::npos) break;
        out.push_back(text.substr(pos, end - pos));
        pos = end + 2;
    }
    return out;
}

TEST(HexWriter, FortyBytesAreSplitSixteenSixteenEight) {
    HexWriter w;
    w.WriteHexRecords(0x0100, counting(40));
    const auto l = lines(w.text());
    ASSERT_EQ(l.size(), 3u);
    EXPECT_EQ(l[0], ":10010000000102030405060708090A0B0C0D0E0F77");
    EXPECT_EQ(l[1], ":10011000101112131415161718191A1B1C1D1E1F67");
    EXPECT_EQ(l[2], ":080120002021222324252627BB");
    EXPECT_EQ(w.currentAddress(), 0x0128u);
}

TEST(HexWriter, ContinueAddressFollowsThePreviousRun) {
    HexWriter w;
    w.WriteHexRecords(0x0010, counting(3));
    w.WriteHexRecords(HexWriter::ContinueAddress, counting(2, 0x80));
    const auto l = lines(w.text());
    ASSERT_EQ(l.size(), 2u);
    EXPECT_EQ(parseHexRecord(l[1]).record.address, 0x0013);
}

TEST(HexWriter, EmptyDataOnlySetsTheAddress) {
    HexWriter w;
    w.WriteHexRecords(0x4000, {});
    EXPECT_TRUE(w.text().empty());
    EXPECT_EQ(w.currentAddress(), 0x4000u);
    w.WriteHexRecords(HexWriter::ContinueAddress, counting(1));
    EXPECT_EQ(lines(w.text()).at(0), ":0140000000BF");
}

TEST(HexWriter, AddressFieldKeepsTheLowSixteenBits) {
    HexWriter w;
    w.WriteHexRecords(0x10000, counting(16));
    w.WriteHexRecords(0x2FFF0, counting(32));
    const auto l = lines(w.text());
    ASSERT_EQ(l.size(), 3u);
    EXPECT_EQ(parseHexRecord(l[0]).record.address, 0x0000);
    EXPECT_EQ(parseHexRecord(l[1]).record.address, 0xFFF0);
    EXPECT_EQ(parseHexRecord(l[2]).record.address, 0x0000);
    EXPECT_EQ(w.currentAddress(), 0x30010u);
}

TEST(HexWriter, FixedLinesAndStreamOutput) {
    HexWriter w;
    w.writeLine(HexSegment1000Record);
    w.writeLine(HexEndOfFileRecord);
    EXPECT_EQ(w.text(), ":020000021000EC\r\n:00000001FF\r\n");
    std::ostringstream out;
    EXPECT_TRUE(w.writeTo(out));
    EXPECT_EQ(out.str(), w.text());
}

}  // namespace
}  // namespace kyr

#include <gtest/gtest.h>

#include <string>

#include "SimWire.h"

namespace kyr::sim {
namespace {

using test::Ack;
using test::SimWire;

// The transfer jobs' reading of a status reply: detected type (10 unknown) and selector.
struct Decoded {
    int type;
    int selector;
};
Decoded decodeStatus(std::uint8_t t, std::uint8_t m, bool ascii) {
    if (ascii || (t & 0xF0) == 0xC0) {
        static const int models[] = {4, 5, 7, 8, 9, 6};
        const int code = t & 0x3F;
        return {code < 6 ? models[code] : 10, 0};
    }
    if ((t & 0xC0) < 0xC0 && (t & 0x20) == 0) {
        const int selector = (m & 0x20) ? 3 : (m & 0x10) ? 1 : 0;
        return {t < 0x80 ? 0 : 1, selector};
    }
    if (t == 0x20 || t == 0) return {2, 16};
    if ((t & 0x9F) == 1) return {3, 16};
    return {10, 0};
}

TEST(SimStatus, BytesByTypeAndMemoryKind) {
    struct Case {
        int type;
        AuxMemory aux;
        bool writable;
        ProgramPlace place;
        Bytes expected;  // type, mode, flags of a terminal without a program
        int selector;
    };
    const Case cases[] = {
        {0, AuxMemory::Ram128k, true, ProgramPlace::Mem, {0x0A, 0x10, 0x81}, 1},
        {0, AuxMemory::Eprom64k, true, ProgramPlace::Mem, {0x0F, 0x10, 0x81}, 1},
        {0, AuxMemory::Flash128k, false, ProgramPlace::RamAndMem, {0x04, 0x20, 0x81}, 3},
        {0, AuxMemory::None, true, ProgramPlace::Ram, {0x0A, 0x00, 0x80}, 0},
        {1, AuxMemory::Ram32k, true, ProgramPlace::Mem, {0x89, 0x10, 0x81}, 1},
        {1, AuxMemory::Flash32k, true, ProgramPlace::Mem, {0x8A, 0x10, 0x81}, 1},
        {1, AuxMemory::Eprom64k, false, ProgramPlace::Mem, {0x83, 0x10, 0x81}, 1},
        {2, AuxMemory::None, true, ProgramPlace::Mem, {0x20, 0x00, 0x80}, 16},
        {3, AuxMemory::None, true, ProgramPlace::Mem, {0x21, 0x00, 0x80}, 16},
    };
    for (const Case& c : cases) {
        SimConfig config = SimConfig::forType(c.type);
        config.auxMemory = c.aux;
        config.auxWritable = c.writable;
        config.programIn = c.place;
        ASSERT_EQ(config.problem(), "");
        SimWire wire(config);
        const auto reply = wire.ask({0xB0});
        ASSERT_TRUE(reply);
        EXPECT_EQ(*reply, c.expected) << "type " << c.type;
        const Decoded d = decodeStatus((*reply)[0], (*reply)[1], false);
        EXPECT_EQ(d.type, c.type);
        EXPECT_EQ(d.selector, c.selector);
    }
    for (int type = 4; type <= 9; ++type) {
        SimWire wire(type);
        const auto reply = wire.ask({0xB0});
        ASSERT_TRUE(reply);
        EXPECT_EQ(decodeStatus((*reply)[0], (*reply)[1], true).type, type);
    }
}

TEST(SimStatus, SwitchesAndFlagsShowInTheStatus) {
    SimConfig c = SimConfig::forType(1);
    c.programModeDisabled = true;
    c.bridgeModeDisabled = true;
    c.validData = true;
    SimWire t220(c);
    EXPECT_EQ(t220.ask({0xB0}), (Bytes{0x89, 0x13, 0x01}));

    SimConfig g = SimConfig::forType(3);
    g.grandL = true;
    SimWire grand(g);
    EXPECT_EQ(grand.ask({0xB0}), (Bytes{0x61, 0x00, 0x80}));

    // Writing a setup makes the program valid.
    SimWire t240(0);
    EXPECT_EQ(t240.ask({0xBD, 2, 5, 1, 1, 1, 2, 0xFF, 0, 0, 0}), Ack);
    EXPECT_EQ(t240.ask({0xB0}), (Bytes{0x0A, 0x10, 0x01}));
}

TEST(SimConfigCheck, RejectsImpossibleTerminals) {
    SimConfig c = SimConfig::forType(1);
    c.auxMemory = AuxMemory::Ram128k;  // a KYR-T220 has no 128 KB RAM
    EXPECT_NE(c.problem(), "");
    c = SimConfig::forType(0);
    c.firmware = "218";
    EXPECT_NE(c.problem(), "");
    c = SimConfig::forType(10);
    EXPECT_NE(c.problem(), "");
    c = SimConfig::forType(0);
    c.firmware = "2.18R";
    EXPECT_EQ(c.problem(), "");
    EXPECT_EQ(c.firmwareLevel(), 218);
}

std::string versionText(const Bytes& reply) {
    return std::string(reply.begin() + 1, std::find(reply.begin() + 1, reply.end(), 0));
}

TEST(SimVersion, TextAndFamilyData) {
    SimConfig c = SimConfig::forType(0);
    c.firmware = "2.18";
    SimWire t240(c);
    auto reply = t240.ask({0xAC});
    ASSERT_TRUE(reply);
    EXPECT_EQ((*reply)[0], reply->size());
    EXPECT_EQ(versionText(*reply), "KYR V2.18");
    EXPECT_EQ(reply->size(), 1 + 9 + 1u);

    SimWire mini(2);
    reply = mini.ask({0xAC});
    ASSERT_TRUE(reply);
    EXPECT_EQ(versionText(*reply), "KYR V2.57");
    // Six identification characters and a number, low byte first.
    const Bytes tail(reply->end() - 8, reply->end());
    EXPECT_EQ(tail, (Bytes{'S', 'I', 'M', '0', '0', '1', 0x01, 0x00}));

    SimConfig l = SimConfig::forType(4);
    l.lumProtocols = {0, 45, 46};
    SimWire lum(l);
    reply = lum.ask({0xAC});
    ASSERT_TRUE(reply);
    EXPECT_EQ(versionText(*reply), "KYR V2.60");
    const std::size_t afterText = 1 + 9 + 1;
    EXPECT_EQ(Bytes(reply->begin() + afterText, reply->begin() + afterText + 4),
              (Bytes{0, 45, 46, 0xFF}));
    EXPECT_EQ(reply->size(), afterText + 4 + 8);
}

TEST(SimVersion, ToolVersionsInTheFamilyByteOrder) {
    SimConfig k = SimConfig::forType(0);
    k.minToolUpload = 212;
    k.minToolDownload = 261;
    SimWire kyr(k);
    EXPECT_EQ(kyr.ask({0xB9}), (Bytes{5, 0x00, 0xD4, 0x01, 0x05}));
    SimConfig l = SimConfig::forType(7);
    l.minToolUpload = 212;
    l.minToolDownload = 261;
    SimWire lum(l);
    EXPECT_EQ(lum.ask({0xB9}), (Bytes{5, 0xD4, 0x00, 0x05, 0x01}));
}

TEST(SimVersion, BootVersionOnlyFromKyrMiniAndGrand) {
    SimWire mini(2);
    EXPECT_EQ(mini.ask({0xA8}), (Bytes{0x12, 0, 0, 0, 0}));
    SimWire t240(0);
    EXPECT_FALSE(t240.ask({0xA8}));
    EXPECT_EQ(t240.terminal().counters().unanswered, 1);
}

TEST(SimClock, ReadsRunsAndSets) {
    SimWire wire(0);
    // 2026-01-01 12:00:00, a Thursday.
    EXPECT_EQ(wire.ask({0x04}), (Bytes{0, 4, 0x26, 0x01, 0x01, 0x12, 0x00, 0x00}));
    wire.port.advance(61'000);
    EXPECT_EQ(wire.ask({0x04}), (Bytes{0, 4, 0x26, 0x01, 0x01, 0x12, 0x01, 0x01}));

    // 28 February 2028 (a leap year), Monday, 23:59:59; one second later it is the 29th.
    EXPECT_EQ(wire.ask({0x0C, 0, 1, 0x28, 0x02, 0x28, 0x23, 0x59, 0x59}), Ack);
    wire.port.advance(1000);
    EXPECT_EQ(wire.ask({0x04}), (Bytes{0, 2, 0x28, 0x02, 0x29, 0x00, 0x00, 0x00}));

    // Not BCD, or a month 13: the terminal does not take it.
    EXPECT_FALSE(wire.ask({0x0C, 0, 1, 0x2A, 0x02, 0x28, 0x23, 0x59, 0x59}));
    EXPECT_FALSE(wire.ask({0x0C, 0, 1, 0x28, 0x13, 0x28, 0x23, 0x59, 0x59}));
    EXPECT_EQ(wire.ask({0x04}), (Bytes{0, 2, 0x28, 0x02, 0x29, 0x00, 0x00, 0x00}));
}

TEST(SimClock, LumAnswersTheClockInAscii) {
    SimWire wire(5);
    wire.send({0x04});
    const Bytes raw = wire.readAll();
    ASSERT_FALSE(raw.empty());
    EXPECT_EQ(raw.front(), '*');
    EXPECT_EQ(raw.back(), '\r');
    EXPECT_EQ(raw.size(), 1 + 2 * 10 + 1u);
    EXPECT_EQ(wire.decode(raw), (Bytes{0, 4, 0x26, 0x01, 0x01, 0x12, 0x00, 0x00}));
}

}  // namespace
}  // namespace kyr::sim

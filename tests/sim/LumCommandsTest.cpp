#include <gtest/gtest.h>

#include "SimWire.h"

namespace kyr::sim {
namespace {

using test::Ack;
using test::screenRecord;
using test::SimWire;

Bytes lumWrite(std::uint16_t address, const Bytes& data) {
    Bytes r = {0xA5, static_cast<std::uint8_t>(data.size() + 1),
               static_cast<std::uint8_t>(address & 0xFF), static_cast<std::uint8_t>(address >> 8)};
    r.insert(r.end(), data.begin(), data.end());
    return r;
}

Bytes withSum(Bytes block) {
    unsigned sum = 0x1234;
    for (std::uint8_t b : block) sum += b;
    block.push_back(static_cast<std::uint8_t>(sum & 0xFF));
    block.push_back(static_cast<std::uint8_t>((sum >> 8) & 0xFF));
    return block;
}

struct Structure {
    std::uint16_t setup, comm, screens, protocols;
};

Structure readStructure(SimWire& wire) {
    const auto reply = wire.ask({0xB6});
    EXPECT_TRUE(reply);
    EXPECT_EQ(reply->size(), 11u);
    EXPECT_EQ((*reply)[0], 11);
    return {bytes::u16le(*reply, 3), bytes::u16le(*reply, 5), bytes::u16le(*reply, 7),
            bytes::u16le(*reply, 9)};
}

TEST(SimLum, DownloadAsTheLumJobWritesIt) {
    SimWire wire(4);
    const Structure s = readStructure(wire);
    EXPECT_LT(s.setup, s.comm);
    EXPECT_LT(s.comm, s.screens);

    // The protocol list: 50 bytes, the firmware's protocols ended by a byte of 0x80 or more.
    const auto list = wire.ask({0xA2, '1', static_cast<std::uint8_t>(s.protocols & 0xFF),
                                static_cast<std::uint8_t>(s.protocols >> 8)});
    ASSERT_TRUE(list);
    ASSERT_EQ(list->size(), 50u);
    const auto end =
        std::find_if(list->begin(), list->end(), [](std::uint8_t b) { return b >= 0x80; });
    EXPECT_EQ(Bytes(list->begin(), end), wire.terminal().config().lumProtocols);

    EXPECT_EQ(wire.ask({0xB0}), (Bytes{0xC0, 0x00, 0x80}));
    const Bytes setup = {2, 5, 1, 1, 1, 2, 0xFF, 7, 0, 0};
    EXPECT_EQ(wire.ask(lumWrite(s.setup, withSum(setup))), Ack);
    EXPECT_EQ(wire.ask({0xB0}), (Bytes{0xC0, 0x00, 0x00}));
    EXPECT_EQ(wire.terminal().setup(), setup);

    Bytes comm(16, 0);
    comm[4] = 0xFE;
    comm[6] = 0x34;
    comm[7] = 0x12;
    EXPECT_EQ(wire.ask(lumWrite(s.comm, withSum(comm))), Ack);
    const Bytes stored = wire.terminal().commTable();
    EXPECT_EQ(Bytes(stored.begin(), stored.begin() + 16), comm);

    // Screens one after another, two zero bytes after the last, sent in 128-byte blocks.
    Bytes area = screenRecord(1, std::string(150, 'a'), true, true);
    const Bytes second = screenRecord(513, "zz", true, true);
    area.insert(area.end(), second.begin(), second.end());
    area.push_back(0);
    area.push_back(0);
    for (std::size_t off = 0; off < area.size(); off += 128) {
        const std::size_t n = std::min<std::size_t>(128, area.size() - off);
        const Bytes block(area.begin() + static_cast<std::ptrdiff_t>(off),
                          area.begin() + static_cast<std::ptrdiff_t>(off + n));
        EXPECT_EQ(wire.ask(lumWrite(static_cast<std::uint16_t>(s.screens + off), block)), Ack);
    }
    const auto screens = wire.terminal().screens();
    ASSERT_EQ(screens.size(), 2u);
    EXPECT_EQ(screens[0].number, 1);
    EXPECT_EQ(screens[1].number, 513);
    EXPECT_EQ(screens[1].record, second);
}

TEST(SimLum, RefusesBadCheckSumsAndWritesOutsideTheUserArea) {
    SimWire wire(9);
    const Structure s = readStructure(wire);
    Bytes setup = withSum({2, 5, 1, 1, 1, 2, 0xFF, 7, 0, 0});
    setup.back() ^= 1;
    EXPECT_FALSE(wire.ask(lumWrite(s.setup, setup)));
    EXPECT_FALSE(wire.terminal().hasValidData());
    EXPECT_FALSE(wire.ask(lumWrite(0x0100, {1, 2, 3})));
    EXPECT_FALSE(wire.ask(lumWrite(s.protocols, {1})));
    // The KYR family's commands are not part of a LUM firmware.
    EXPECT_FALSE(wire.ask({0xBC}));
    EXPECT_FALSE(wire.ask({0xC4, 0x00}));
}

TEST(SimLum, AnswersOnlyInAsciiAndStatusExampleFrame) {
    SimWire wire(4);
    wire.port.writeBytes(Bytes{'*', '0', '1', 'B', '0', '9', '4', 'E', 'A', '\r'});
    const Bytes raw = wire.readAll();
    EXPECT_EQ(wire.decode(raw), (Bytes{0xC0, 0x00, 0x80}));
    // A binary frame means nothing to it.
    wire.port.setParity(SerialPort::Parity::Mark);
    wire.port.transmitChar(0x01);
    wire.port.setParity(SerialPort::Parity::Space);
    wire.port.writeBytes(Bytes{0xB0, 0x94, 0xEA});
    EXPECT_EQ(wire.readAll(), Bytes{});
}

}  // namespace
}  // namespace kyr::sim

#include <gtest/gtest.h>

#include "SimWire.h"
#include "sim/JsonWriter.h"

namespace kyr::sim {
namespace {

using test::Ack;
using test::SimWire;

Bytes cat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(SimFaults, EachKindOnBothEncodings) {
    for (int type : {0, 4}) {
        SimWire wire(type);
        const bool ascii = type == 4;
        const Bytes good = *wire.ask({0xB0});

        wire.terminal().faults().add(Fault(FaultKind::Drop));
        EXPECT_EQ(wire.ask({0xB0}), std::nullopt);

        wire.terminal().faults().add(Fault(FaultKind::Corrupt));
        wire.send({0xB0});
        const Bytes corrupt = wire.readAll();
        EXPECT_FALSE(corrupt.empty());
        EXPECT_EQ(wire.decode(corrupt), std::nullopt);

        // A corrupted acknowledge is another byte.
        wire.terminal().faults().add(Fault(FaultKind::Corrupt).onCommand(0x0C));
        EXPECT_EQ(wire.ask({0x0C, 0, 1, 0x28, 0x02, 0x28, 0x23, 0x59, 0x59}), Bytes{0x15});

        wire.terminal().faults().add(Fault(FaultKind::Delay).after(900));
        wire.send({0xB0});
        EXPECT_EQ(wire.readAll(), Bytes{});
        wire.port.advance(899);
        EXPECT_EQ(wire.readAll(), Bytes{});
        wire.port.advance(1);
        EXPECT_EQ(wire.decode(wire.readAll()), good);

        wire.terminal().faults().add(Fault(FaultKind::Noise));
        wire.send({0xB0});
        const Bytes noisy = wire.readAll();
        if (ascii) {
            // The noise holds a "*"; the reply proper starts at the last one.
            EXPECT_EQ(std::count(noisy.begin(), noisy.end(), '*'), 2);
            EXPECT_EQ(wire.decode(noisy), good);
        } else {
            EXPECT_EQ(noisy.size(), 2 + good.size() + 2);
            EXPECT_EQ(wire.decode(Bytes(noisy.begin() + 2, noisy.end())), good);
        }
        EXPECT_EQ(wire.terminal().counters().faultsApplied, 5);
        EXPECT_TRUE(wire.terminal().faults().empty());
    }
}

TEST(SimFaults, CountsAndCommandFilter) {
    SimWire wire(1);
    wire.terminal().faults().add(Fault(FaultKind::Drop).times(2).onCommand(0xAC));
    EXPECT_TRUE(wire.ask({0xB0}));
    EXPECT_FALSE(wire.ask({0xAC}));
    EXPECT_FALSE(wire.ask({0xAC}));
    EXPECT_TRUE(wire.ask({0xAC}));

    wire.terminal().faults().add(Fault(FaultKind::Drop).always());
    for (int i = 0; i < 40; ++i) EXPECT_FALSE(wire.ask({0xB0}));
    wire.terminal().faults().clear();
    EXPECT_TRUE(wire.ask({0xB0}));
}

TEST(SimPortTest, RepliesInPiecesAndTheSentLog) {
    SimWire wire(0);
    wire.port.setReadChunk(2);
    wire.send({0xAC});
    std::uint8_t buf[64];
    EXPECT_EQ(wire.port.readAvailable(buf), 2);
    EXPECT_EQ(wire.port.readAvailable(buf), 2);
    EXPECT_GT(wire.port.bytesWaiting(), 0u);

    // The address character went out with mark parity, the rest with space parity.
    const auto& sent = wire.port.sent();
    ASSERT_EQ(sent.size(), 4u);
    EXPECT_EQ(sent[0].value, 0x01);
    EXPECT_EQ(sent[0].parity, SerialPort::Parity::Mark);
    EXPECT_EQ(sent[1].parity, SerialPort::Parity::Space);
    const std::uint16_t crc = Crc16::instance().compute(Bytes{0x01, 0xAC});
    EXPECT_EQ(wire.port.sentBytes(), (Bytes{0x01, 0xAC, static_cast<std::uint8_t>(crc >> 8),
                                            static_cast<std::uint8_t>(crc & 0xFF)}));
}

TEST(SimPortTest, LineSpeedSendsCharactersOneAfterAnother) {
    SimWire wire(4);
    wire.port.setLineSpeed(1000);  // one character per millisecond
    wire.terminal().faults().add(Fault(FaultKind::Noise).withNoise({'x', 'y'}));
    wire.send({0xB0});
    EXPECT_EQ(wire.readAll(), Bytes{});
    wire.port.advance(3);
    EXPECT_EQ(wire.readAll(), (Bytes{'x', 'y', '*'}));
    wire.port.advance(100);
    const Bytes rest = wire.readAll();
    EXPECT_EQ(rest.size(), 2 * 5 + 1u);
    EXPECT_EQ(wire.decode(cat({'*'}, rest)), (Bytes{0xC0, 0x00, 0x80}));
}

TEST(SimPortTest, ClosedPortAndPortFaults) {
    SimPort port(SimConfig::forType(0));
    std::uint8_t buf[8];
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(port.readAvailable(buf), -1);
    EXPECT_FALSE(port.writeBytes(Bytes{1}));
    port.failOpens(1);
    EXPECT_FALSE(port.open("sim:"));
    EXPECT_TRUE(port.open("sim:"));
    port.failWrites(1);
    EXPECT_FALSE(port.writeBytes(Bytes{1}));
    EXPECT_TRUE(port.writeBytes(Bytes{1}));
    port.failReads(1);
    EXPECT_EQ(port.readAvailable(buf), -1);
    EXPECT_EQ(port.readAvailable(buf), 0);

    // The memory stays with the object over closing and opening; input on the wire does not.
    SimWire wire(0);
    wire.terminal().storeSetup(Bytes{9, 9, 9, 9, 9, 9, 9, 9, 9, 9});
    wire.send({0xBC});
    wire.port.close();
    EXPECT_TRUE(wire.port.open("sim:"));
    EXPECT_EQ(wire.readAll(), Bytes{});
    EXPECT_EQ(wire.ask({0xBC}), (Bytes{9, 9, 9, 9, 9, 9, 9, 9, 9, 9}));
}

TEST(SimPortTest, SleepMovesTheManualClock) {
    SimPort port(SimConfig::forType(0));
    port.sleep(10);
    EXPECT_EQ(port.clock().nowMs(), 10);
    port.advance(40);
    EXPECT_EQ(port.clock().nowMs(), 50);
}

TEST(SimPortNames, SimDevices) {
    struct Case {
        const char* name;
        int defaultType;
        std::optional<int> type;
    };
    const Case cases[] = {
        {"sim:", 3, 3},
        {"sim:7", 3, 7},
        {"SIM:0", 5, 0},
        {"sim:", -1, std::nullopt},
        {"sim:12", 0, std::nullopt},
        {"sim:x", 0, std::nullopt},
        {"/dev/ttyS0", 0, std::nullopt},
        {"sim", 0, std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(simPortType(c.name, c.defaultType), c.type) << c.name;
    auto port = makeSimPort("sim:8", 0, SimClock::Kind::Manual);
    ASSERT_TRUE(port);
    EXPECT_EQ(port->terminal().config().type, 8);
    EXPECT_EQ(port->terminal().encoding(), LinkEncoding::Ascii);
    EXPECT_FALSE(makeSimPort("COM1", 0));
}

TEST(SimState, JsonDump) {
    SimWire wire(0);
    wire.terminal().storeSetup(Bytes{2, 5, 1, 1, 1, 2, 0xFF, 7, 0, 0});
    wire.terminal().storeExdTable(3, Bytes(64, 0x11));
    ASSERT_TRUE(wire.terminal().storeScreen(test::screenRecord(12, "He said \"hi\"")));
    wire.ask({0xB0});
    const std::string json = wire.terminal().stateJson(0);
    for (const char* part : {"\"model\": \"KYR-T240(E)\"", "\"encoding\": \"binary\"",
                             "\"setup\": \"02 05 01 01 01 02 FF 07 00 00\"", "\"number\": 12",
                             "\"clock\": \"2026-01-01 12:00:00\"", "\"0xB0\": 1",
                             "\"validData\": true", "\"freeMemory\": ["}) {
        EXPECT_NE(json.find(part), std::string::npos) << part << "\n" << json;
    }
    EXPECT_EQ(std::count(json.begin(), json.end(), '{'), std::count(json.begin(), json.end(), '}'));
    EXPECT_EQ(std::count(json.begin(), json.end(), '['), std::count(json.begin(), json.end(), ']'));

    SimWire lum(6);
    const std::string lumJson = lum.terminal().stateJson(0);
    EXPECT_NE(lumJson.find("\"memoryStructure\": ["), std::string::npos);
    EXPECT_NE(lumJson.find("\"encoding\": \"ascii\""), std::string::npos);
}

TEST(SimState, JsonStringsAreEscaped) {
    JsonWriter json;
    json.beginObject()
        .field("text", std::string("a \"b\"\\\n\x01"))
        .field("n", -5)
        .field("on", false)
        .key("empty")
        .beginArray()
        .endArray()
        .endObject();
    EXPECT_EQ(json.text(),
              "{\n  \"text\": \"a \\\"b\\\"\\\\\\n\\u0001\",\n  \"n\": -5,\n  \"on\": false,\n"
              "  \"empty\": []\n}\n");
}

}  // namespace
}  // namespace kyr::sim

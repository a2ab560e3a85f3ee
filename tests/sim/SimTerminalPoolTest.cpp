#include <gtest/gtest.h>

#include "sim/SimTerminalPool.h"

namespace kyr::sim {
namespace {

const Bytes kStatus{0xB0};

TEST(SimTerminalPool, OnlySimNamesMakePorts) {
    SimTerminalPool pool(SimClock::Kind::Manual);
    for (const char* name : {"sim:", "SIM:", "Sim:7", "sim:0"})
        EXPECT_NE(pool.makePort(name), nullptr) << name;
    for (const char* name : {"/dev/ttyS0", "COM1", "sim:x", "sim:10", "simulator", ""})
        EXPECT_EQ(pool.makePort(name), nullptr) << name;
    for (int type = 0; type < SimTerminalPool::TypeCount; ++type)
        EXPECT_EQ(pool.existing(type), nullptr) << "terminals are made when a port opens";
}

TEST(SimTerminalPool, OneTerminalPerTypeForTheWholeRun) {
    SimTerminalPool pool(SimClock::Kind::Manual);
    int defaultType = 0;
    pool.setDefaultType([&] { return defaultType; });
    auto first = pool.makePort("sim:");
    ASSERT_TRUE(first->open("sim:"));
    SimPort* zero = pool.existing(0);
    ASSERT_NE(zero, nullptr);
    EXPECT_TRUE(zero->isOpen());
    first->close();
    EXPECT_FALSE(zero->isOpen());

    // Another port object, even another name of the same type, reaches the same terminal.
    auto second = pool.makePort("sim:0");
    ASSERT_TRUE(second->open("sim:0"));
    EXPECT_EQ(pool.existing(0), zero);
    second->close();

    // "sim:" follows the default type each time it opens.
    defaultType = 4;
    ASSERT_TRUE(first->open("sim:"));
    ASSERT_NE(pool.existing(4), nullptr);
    EXPECT_TRUE(pool.existing(4)->isOpen());
    EXPECT_FALSE(zero->isOpen());
    EXPECT_TRUE(first->writeBytes(kStatus));
    EXPECT_FALSE(pool.existing(4)->sentBytes().empty());
    EXPECT_TRUE(zero->sentBytes().empty());
}

TEST(SimTerminalPool, ClosedPortRefusesEverything) {
    SimTerminalPool pool(SimClock::Kind::Manual);
    pool.setDefaultType([] { return 42; });
    auto port = pool.makePort("sim:");
    EXPECT_FALSE(port->open("sim:")) << "no terminal of a bad default type";
    EXPECT_FALSE(port->isOpen());
    std::uint8_t buffer[4];
    EXPECT_EQ(port->readAvailable(buffer), -1);
    EXPECT_FALSE(port->writeBytes(kStatus));
    EXPECT_FALSE(port->transmitChar(1));
    EXPECT_FALSE(port->setParity(SerialPort::Parity::Mark));
    port->sleep(10);
}

TEST(SimTerminalPool, AdvanceMovesEveryManualClock) {
    SimTerminalPool pool(SimClock::Kind::Manual);
    SimPort* a = pool.terminal(1);
    SimPort* b = pool.terminal(5);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(pool.terminal(-1), nullptr);
    EXPECT_EQ(pool.terminal(SimTerminalPool::TypeCount), nullptr);
    pool.advance(250);
    EXPECT_EQ(a->clock().nowMs(), 250);
    EXPECT_EQ(b->clock().nowMs(), 250);
    EXPECT_EQ(b->terminal().config().type, 5);
}

TEST(SimTerminalPool, ClockKindAppliesToTerminalsMadeLater) {
    SimTerminalPool pool;
    EXPECT_EQ(pool.terminal(0)->clock().kind(), SimClock::Kind::RealTime);
    pool.setClockKind(SimClock::Kind::Manual);
    EXPECT_EQ(pool.terminal(1)->clock().kind(), SimClock::Kind::Manual);
    EXPECT_EQ(pool.terminal(0)->clock().kind(), SimClock::Kind::RealTime);
}

}  // namespace
}  // namespace kyr::sim

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "SimWire.h"
#include "link/Comm.h"
#include "sim/SimPort.h"

namespace kyr::sim {
namespace {

// The link engine with a simulated terminal as its port, stepped by hand: every tick moves
// the terminal's clock on by 50 ms and runs one KomStep.
class KomRig {
public:
    KomRig(const SimConfig& config, bool ascii)
        : kom_(
              [this, config](const std::string&) {
                  auto p = std::make_unique<SimPort>(config);
                  port_ = p.get();
                  return p;
              },
              TLinkSettings{ascii, 10, "sim:"}) {
        EXPECT_TRUE(kom_.OpenPort(1));
    }
    explicit KomRig(int type) : KomRig(SimConfig::forType(type), isLumType(type)) {}

    TMKom& kom() { return kom_; }
    SimPort& port() { return *port_; }
    SimTerminal& terminal() { return port_->terminal(); }

    void tick() {
        port_->advance(50);
        kom_.KomStep();
    }

    // Queues a request and steps until it has ended; the ticks it took, or -1.
    int exchange(const TRequestBoxPtr& box, const Bytes& request, int replyLength,
                 int maxTicks = 2000) {
        kom_.SendRequest(1, box, nullptr, 0, replyLength, request);
        for (int t = 1; t <= maxTicks; ++t) {
            tick();
            if (box->status != rsPending) return t;
        }
        return -1;
    }

private:
    SimPort* port_ = nullptr;  // owned by the engine
    TMKom kom_;
};

TEST(KomAgainstSim, StatusInEachEncoding) {
    for (int type : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}) {
        KomRig rig(type);
        auto box = std::make_shared<TRequestBox>();
        ASSERT_GT(rig.exchange(box, {0xB0}, 3), 0);
        EXPECT_EQ(box->status, rsDone) << "type " << type;
        const StatusBytes s = rig.terminal().status();
        EXPECT_EQ(box->reply, (Bytes{s.type, s.mode, s.flags}));
        EXPECT_EQ(rig.terminal().counters().frames, 1);
        if (isLumType(type)) {
            const Bytes sent = rig.port().sentBytes();
            EXPECT_EQ(std::string(sent.begin(), sent.end()), "*01B094EA\r");
        } else {
            EXPECT_EQ(rig.port().sent().front().parity, SerialPort::Parity::Mark);
        }
    }
}

TEST(KomAgainstSim, VariableRepliesAcknowledgesAndPieces) {
    for (int type : {0, 4}) {
        KomRig rig(type);
        rig.port().setLineSpeed(100);  // the reply trickles in over several ticks
        auto version = std::make_shared<TRequestBox>();
        EXPECT_GT(rig.exchange(version, {0xAC}, 255), 1);
        ASSERT_EQ(version->status, rsDone);
        ASSERT_FALSE(version->reply.empty());
        EXPECT_EQ(version->reply[0], version->reply.size());
        EXPECT_EQ(std::string(version->reply.begin() + 1, version->reply.begin() + 10),
                  rig.terminal().config().versionText());

        auto clock = std::make_shared<TRequestBox>();
        EXPECT_GT(rig.exchange(clock, {0x0C, 0, 3, 0x26, 0x12, 0x09, 0x08, 0x07, 0x06}, 0), 0);
        EXPECT_EQ(clock->status, rsDone);
        EXPECT_TRUE(clock->reply.empty());
        EXPECT_EQ(rig.terminal().clock(rig.port().clock().nowMs()).day, 9);
    }
}

TEST(KomAgainstSim, FaultsRecoveredByRetries) {
    struct Case {
        FaultKind kind;
        int type;
        int framesSeen;  // sends until the reply came through
    };
    const Case cases[] = {
        {FaultKind::Drop, 0, 4},
        {FaultKind::Drop, 4, 4},
        {FaultKind::Corrupt, 1, 4},
        {FaultKind::Corrupt, 7, 4},
        {FaultKind::Delay, 3, 4},
        {FaultKind::Delay, 9, 4},
        {FaultKind::Noise, 2, 4},
        // ASCII noise before the reply's "*" costs nothing: the reply is taken from the
        // last "*".
        {FaultKind::Noise, 5, 1},
    };
    for (const Case& c : cases) {
        KomRig rig(c.type);
        rig.terminal().faults().add(Fault(c.kind).times(3));
        auto box = std::make_shared<TRequestBox>();
        ASSERT_GT(rig.exchange(box, {0xB0}, 3), 0);
        EXPECT_EQ(box->status, rsDone) << "kind " << int(c.kind) << " type " << c.type;
        const StatusBytes s = rig.terminal().status();
        EXPECT_EQ(box->reply, (Bytes{s.type, s.mode, s.flags}));
        EXPECT_EQ(rig.terminal().counters().frames, c.framesSeen)
            << "kind " << int(c.kind) << " type " << c.type;

        // The late replies left on the line do not spoil the next exchange.
        auto next = std::make_shared<TRequestBox>();
        ASSERT_GT(rig.exchange(next, {0xAC}, 255), 0);
        EXPECT_EQ(next->status, rsDone);
        EXPECT_EQ(rig.terminal().counters().frames, c.framesSeen + 1);
    }
}

TEST(KomAgainstSim, AnAcknowledgeSpoiledTwiceStillArrives) {
    KomRig rig(0);
    rig.terminal().faults().add(Fault(FaultKind::Corrupt).times(2).onCommand(0xBD));
    auto box = std::make_shared<TRequestBox>();
    const Bytes setup = {0xBD, 0, 4, 3, 7, 5, 1, 2, 29, 4, 1};
    ASSERT_GT(rig.exchange(box, setup, 0), 0);
    EXPECT_EQ(box->status, rsDone);
    EXPECT_EQ(rig.terminal().counters().byCommand.at(0xBD), 3);
    EXPECT_EQ(rig.terminal().setup(), Bytes(setup.begin() + 1, setup.end()));
}

TEST(KomAgainstSim, ASilentTerminalFailsTheRequestAfterThirtySends) {
    for (int type : {0, 4}) {
        KomRig rig(type);
        rig.terminal().faults().add(Fault(FaultKind::Drop).always());
        auto box = std::make_shared<TRequestBox>();
        int callbacks = 0;
        rig.kom().SendRequest(
            1, box, [&](std::uint32_t) { ++callbacks; }, 0, 3, Bytes{0xB0});
        for (int t = 0; t < 2000 && box->status == rsPending; ++t) rig.tick();
        EXPECT_EQ(box->status, rsFailed);
        EXPECT_EQ(callbacks, 1);
        EXPECT_EQ(rig.terminal().counters().frames, 30);
    }
}

TEST(KomAgainstSim, QueuedScreenWriteThroughTheEngine) {
    // Allocation, two blocks and the close, queued at once as a job might.
    KomRig rig(0);
    rig.terminal().faults().add(Fault(FaultKind::Drop).onCommand(0xA4));
    auto room = std::make_shared<TRequestBox>();
    ASSERT_GT(rig.exchange(room, {0xB3, 0x00, 0x00, 0x0C}, 4), 0);
    ASSERT_EQ(room->status, rsDone);
    ASSERT_EQ(room->reply[2], 0);  // RAM
    const std::uint16_t at = bytes::u16be(room->reply, 0);

    const Bytes record = test::screenRecord(42, "ab");  // 12 bytes: 2 blocks of 6
    std::vector<TRequestBoxPtr> boxes;
    for (std::size_t off = 0; off < record.size(); off += 6) {
        const auto a = static_cast<std::uint16_t>(at + off);
        Bytes req = {0xA4, 7, static_cast<std::uint8_t>(a >> 8), static_cast<std::uint8_t>(a)};
        req.insert(req.end(), record.begin() + static_cast<std::ptrdiff_t>(off),
                   record.begin() + static_cast<std::ptrdiff_t>(off + 6));
        boxes.push_back(std::make_shared<TRequestBox>());
        rig.kom().SendRequest(1, boxes.back(), nullptr, 0, 0, req);
    }
    auto close = std::make_shared<TRequestBox>();
    ASSERT_GT(rig.exchange(close, {0xB5, 0x07}, 1), 0);
    for (const auto& b : boxes) EXPECT_EQ(b->status, rsDone);
    ASSERT_EQ(close->status, rsDone);
    EXPECT_EQ(close->reply, Bytes{0});
    EXPECT_EQ(rig.terminal().screenRecord(42), record);
}

}  // namespace
}  // namespace kyr::sim

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ScriptedPort.h"
#include "link/Comm.h"
#include "link/CommDataModule.h"
#include "link/Crc16.h"
#include "link/LinkFrame.h"

namespace kyr {
namespace {

using test::PortScript;

Bytes withReplyCrc(Bytes reply) {
    const std::uint16_t crc = Crc16::instance().compute(reply);
    reply.push_back(static_cast<std::uint8_t>(crc >> 8));
    reply.push_back(static_cast<std::uint8_t>(crc & 0xFF));
    return reply;
}

std::string asciiReply(const Bytes& reply) { return link::asciiFrame(0, withReplyCrc(reply)); }

class KomTest : public ::testing::Test {
protected:
    explicit KomTest(bool ascii = false)
        : script(std::make_shared<PortScript>()),
          kom(test::scriptedFactory(script), TLinkSettings{ascii, 10, "test"}) {}

    void SetUp() override {
        ASSERT_TRUE(kom.OpenPort(1));
        kom.SetReopenFlag(false);
        script->events.clear();
    }

    TReqStatus send(const Bytes& request, int replyLength, TLinkCallback callback = {},
                    std::uint32_t arg = 0) {
        return kom.SendRequest(1, box, std::move(callback), arg, replyLength, request);
    }
    void steps(int n) {
        for (int i = 0; i < n; ++i) kom.KomStep();
    }
    // Steps until the port sees another write; the number of steps taken.
    int stepsToNextWrite(int limit = 100) {
        const int before = script->writeCount();
        for (int i = 1; i <= limit; ++i) {
            kom.KomStep();
            if (script->writeCount() != before) return i;
        }
        return -1;
    }
    Bytes reply() const { return box->reply; }

    std::shared_ptr<PortScript> script;
    TMKom kom;
    TRequestBoxPtr box = std::make_shared<TRequestBox>();
};

class BinaryKomTest : public KomTest {};

class AsciiKomTest : public KomTest {
protected:
    AsciiKomTest() : KomTest(true) {}
};

TEST_F(BinaryKomTest, StatusRequestFrameMarksTheAddressCharacter) {
    EXPECT_EQ(send({0xB0}, 3), rsPending);
    EXPECT_EQ(kom.State(), lsReceiving);
    EXPECT_EQ(script->events, (std::vector<std::string>{"parity mark", "tx 1", "sleep 10",
                                                        "parity space", "write"}));
    EXPECT_EQ(script->writes.back(), (Bytes{0xB0, 0x94, 0xEA}));
}

TEST_F(BinaryKomTest, AddressZeroSendsTheCommandWithMarkParity) {
    const Bytes request{0xA8, 0x11};
    kom.SendRequest(0, box, {}, 0, 5, request);
    const Bytes framed = link::withCrc(0, request);
    EXPECT_EQ(script->events[1], "tx 168");
    EXPECT_EQ(script->writes.back(), Bytes(framed.begin() + 1, framed.end()));
}

TEST_F(BinaryKomTest, ComDelayComesFromTheSettings) {
    kom.SetSettings({false, 25, "test"});
    send({0xB0}, 3);
    EXPECT_EQ(script->events[2], "sleep 25");
}

TEST_F(BinaryKomTest, ReplyInPiecesOverSeveralTicks) {
    send({0xB0}, 3);
    const Bytes whole = withReplyCrc({0x42, 0x01, 0x07});
    script->feed(std::span(whole).first(1));
    kom.KomStep();
    EXPECT_EQ(box->status, rsPending);
    kom.KomStep();  // nothing arrives in this tick
    script->feed(std::span(whole).subspan(1, 2));
    kom.KomStep();
    EXPECT_EQ(box->status, rsPending);
    script->feed(std::span(whole).subspan(3));
    kom.KomStep();
    EXPECT_EQ(box->status, rsDone);
    EXPECT_EQ(reply(), (Bytes{0x42, 0x01, 0x07}));
    EXPECT_EQ(kom.State(), lsIdle);
    EXPECT_EQ(script->writeCount(), 1);
}

TEST_F(BinaryKomTest, VariableReplyWithItsLengthByte) {
    send({0xAC}, link::VariableReply);
    script->feed(withReplyCrc({0x05, '2', '.', '1', '8'}));
    kom.KomStep();
    EXPECT_EQ(box->status, rsDone);
    EXPECT_EQ(reply(), (Bytes{0x05, '2', '.', '1', '8'}));
}

TEST_F(BinaryKomTest, AcknowledgeAndItsRefusal) {
    send({0xC4, 0x00}, link::AckReply);
    script->feed(Bytes{0x15});
    kom.KomStep();
    EXPECT_EQ(box->status, rsPending);
    EXPECT_EQ(script->writeCount(), 2);  // refused: sent again at once
    script->feed(Bytes{0x06});
    kom.KomStep();
    EXPECT_EQ(box->status, rsDone);
    EXPECT_TRUE(reply().empty());
}

TEST_F(BinaryKomTest, BadCrcIsRetried) {
    send({0xB0}, 3);
    Bytes bad = withReplyCrc({0x42, 0x01, 0x07});
    bad.back() ^= 1;
    script->feed(bad);
    kom.KomStep();
    EXPECT_EQ(script->writeCount(), 2);
    script->feed(withReplyCrc({0x42, 0x01, 0x07}));
    kom.KomStep();
    EXPECT_EQ(box->status, rsDone);
}

TEST_F(BinaryKomTest, InputLeftOverIsDiscardedBeforeSending) {
    script->feed(Bytes{0x42, 0x01});  // the tail of some earlier answer
    send({0xB0}, 3);
    EXPECT_TRUE(script->input.empty());
    script->feed(withReplyCrc({0x42, 0x01, 0x07}));
    kom.KomStep();
    EXPECT_EQ(box->status, rsDone);
}

TEST_F(BinaryKomTest, FailedReadCountsAsNothing) {
    send({0xB0}, 3);
    script->failReads = 1;
    script->feed(withReplyCrc({0x42, 0x01, 0x07}));
    kom.KomStep();
    EXPECT_EQ(box->status, rsPending);
    kom.KomStep();
    EXPECT_EQ(box->status, rsDone);
}

struct TimeoutCase {
    bool ascii;
    int replyLength;
    int ticks;  // the time-out counter; the attempt ends in the tick after it reaches 0
};

class KomTimeoutTest : public ::testing::TestWithParam<TimeoutCase> {};

TEST_P(KomTimeoutTest, AttemptLastsItsTimeout) {
    const TimeoutCase c = GetParam();
    auto script = std::make_shared<PortScript>();
    TMKom kom(test::scriptedFactory(script), {c.ascii, 10, "test"});
    ASSERT_TRUE(kom.OpenPort(1));
    kom.SetReopenFlag(false);
    auto box = std::make_shared<TRequestBox>();
    kom.SendRequest(1, box, {}, 0, c.replyLength, Bytes{0xB7});
    for (int attempt = 2; attempt <= 4; ++attempt) {
        for (int i = 0; i < c.ticks; ++i) kom.KomStep();
        EXPECT_EQ(script->writeCount(), attempt - 1);
        kom.KomStep();
        EXPECT_EQ(script->writeCount(), attempt);
    }
}

INSTANTIATE_TEST_SUITE_P(Lengths, KomTimeoutTest,
                         ::testing::Values(TimeoutCase{false, 0, 4}, TimeoutCase{false, 20, 4},
                                           TimeoutCase{false, 128, 7}, TimeoutCase{false, 255, 10},
                                           TimeoutCase{true, 0, 4}, TimeoutCase{true, 20, 5},
                                           TimeoutCase{true, 255, 16}));

TEST_F(BinaryKomTest, ThirtySendsThenFailed) {
    std::vector<std::uint32_t> calls;
    send(
        {0xB0}, 3, [&calls](std::uint32_t arg) { calls.push_back(arg); }, 77);
    steps(30 * 5 + 10);
    EXPECT_EQ(script->writeCount(), 30);
    EXPECT_EQ(box->status, rsFailed);
    EXPECT_EQ(calls, (std::vector<std::uint32_t>{77}));
}

TEST_F(BinaryKomTest, BootSwitchGivesUpAfterFiveSends) {
    send({0xC0, 0x01}, link::AckReply);
    steps(100);
    EXPECT_EQ(script->writeCount(), 5);
    EXPECT_EQ(box->status, rsFailed);
}

TEST_F(BinaryKomTest, NextRequestStartsAfterTheLastFailedSend) {
    send({0xC0, 0x01}, link::AckReply);
    auto second = std::make_shared<TRequestBox>();
    kom.SendRequest(1, second, {}, 0, 3, Bytes{0xB0});
    EXPECT_EQ(second->status, rsPending);
    steps(25);  // five attempts of five ticks
    EXPECT_EQ(box->status, rsFailed);
    EXPECT_EQ(script->writeCount(), 6);
    EXPECT_EQ(script->writes.back(), (Bytes{0xB0, 0x94, 0xEA}));
}

TEST_F(BinaryKomTest, QueueOfTwentyBehindTheRequestOnTheLine) {
    std::vector<TRequestBoxPtr> boxes;
    for (int i = 0; i < 21; ++i) {
        boxes.push_back(std::make_shared<TRequestBox>());
        EXPECT_EQ(kom.SendRequest(1, boxes.back(), {}, 0, 0, Bytes{0xB0}), rsPending) << i;
    }
    EXPECT_EQ(kom.QueuedCount(), 20);
    int called = 0;
    auto full = std::make_shared<TRequestBox>();
    EXPECT_EQ(kom.SendRequest(
                  1, full, [&called](std::uint32_t) { ++called; }, 0, 0, Bytes{0xB0}),
              rsQueueFull);
    EXPECT_EQ(full->status, rsQueueFull);
    EXPECT_EQ(called, 1);
    // Served in order, each acknowledged; the ring wraps.
    for (int i = 0; i < 21; ++i) {
        script->feed(Bytes{0x06});
        kom.KomStep();
        EXPECT_EQ(boxes[static_cast<std::size_t>(i)]->status, rsDone) << i;
    }
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(kom.SendRequest(1, box, {}, 0, 0, Bytes{0xB0}), rsPending);
}

TEST_F(BinaryKomTest, ClosedPortFailsAtOnce) {
    kom.ClosePort();
    int called = 0;
    EXPECT_EQ(send({0xB0}, 3, [&called](std::uint32_t) { ++called; }), rsFailed);
    EXPECT_EQ(box->status, rsFailed);
    EXPECT_EQ(called, 1);
    EXPECT_EQ(script->writeCount(), 0);
}

TEST_F(BinaryKomTest, RequestsOfImpossibleLengthAreRefused) {
    struct Case {
        Bytes request;
        int replyLength;
    };
    const Case cases[] = {
        {Bytes{}, 3}, {Bytes(255, 0xA4), 0}, {Bytes{0xB0}, 256}, {Bytes{0xB0}, -1}};
    for (const Case& c : cases) EXPECT_EQ(send(c.request, c.replyLength), rsFailed);
    EXPECT_EQ(send(Bytes(254, 0xA4), 0), rsPending);
    EXPECT_EQ(script->writes.back().size(), 256u);
}

TEST_F(BinaryKomTest, ClosePortFailsQueuedRequestsWithTheirCallbacks) {
    std::vector<std::uint32_t> order;
    std::vector<TRequestBoxPtr> boxes;
    for (std::uint32_t i = 0; i < 4; ++i) {
        boxes.push_back(std::make_shared<TRequestBox>());
        kom.SendRequest(
            1, boxes.back(), [&order](std::uint32_t arg) { order.push_back(arg); }, i, 3,
            Bytes{0xB0});
    }
    kom.ClosePort();
    EXPECT_FALSE(kom.IsPortOpen());
    EXPECT_EQ(order, (std::vector<std::uint32_t>{0, 1, 2, 3}));
    for (const auto& b : boxes) EXPECT_EQ(b->status, rsFailed);
    EXPECT_EQ(kom.QueuedCount(), 0);
    steps(50);
    EXPECT_EQ(script->writeCount(), 1);  // nothing left to resend
    // Opened again, the ring starts afresh.
    ASSERT_TRUE(kom.OpenPort(1));
    EXPECT_EQ(send({0xB0}, 3), rsPending);
    EXPECT_EQ(script->writeCount(), 2);
}

TEST_F(BinaryKomTest, FlushCallbackMayQueueAgain) {
    auto other = std::make_shared<TRequestBox>();
    send({0xB0}, 3, [&](std::uint32_t) { kom.SendRequest(1, other, {}, 0, 3, Bytes{0xB0}); });
    kom.FlushRequests();
    EXPECT_EQ(box->status, rsFailed);
    EXPECT_EQ(other->status, rsPending);
    script->feed(withReplyCrc({1, 2, 3}));
    kom.KomStep();
    EXPECT_EQ(other->status, rsDone);
}

TEST_F(BinaryKomTest, CallbackOfADeliveredReplyMayQueueTheNext) {
    auto next = std::make_shared<TRequestBox>();
    send({0xB0}, 3, [&](std::uint32_t) { kom.SendRequest(1, next, {}, 0, 0, Bytes{0xC4, 0}); });
    script->feed(withReplyCrc({1, 2, 3}));
    kom.KomStep();
    EXPECT_EQ(box->status, rsDone);
    EXPECT_EQ(next->status, rsPending);
    EXPECT_EQ(kom.State(), lsReceiving);
    script->feed(Bytes{0x06});
    kom.KomStep();
    EXPECT_EQ(next->status, rsDone);
}

TEST_F(BinaryKomTest, FailedWriteIsRetriedAndNotOvertaken) {
    script->failWrites = 1;
    send({0xB0}, 3);
    EXPECT_EQ(kom.State(), lsError);
    auto second = std::make_shared<TRequestBox>();
    kom.SendRequest(1, second, {}, 0, 0, Bytes{0xC4, 0});
    EXPECT_EQ(script->writeCount(), 1);
    kom.KomStep();
    ASSERT_EQ(script->writeCount(), 2);
    EXPECT_EQ(script->writes.back(), (Bytes{0xB0, 0x94, 0xEA}));
    script->feed(withReplyCrc({1, 2, 3}));
    kom.KomStep();
    EXPECT_EQ(box->status, rsDone);
    EXPECT_EQ(second->status, rsPending);
}

TEST_F(BinaryKomTest, CallerMayDropItsBoxWhileTheRequestRuns) {
    send({0xB0}, 3);
    box.reset();
    script->feed(withReplyCrc({1, 2, 3}));
    kom.KomStep();
    EXPECT_EQ(kom.State(), lsIdle);
}

TEST_F(BinaryKomTest, ReopenFlagReopensOnTheFirstFailure) {
    kom.SetReopenFlag(true);
    const int opens = script->opens;
    send({0xB0}, 3);
    steps(5);  // time-out
    EXPECT_EQ(script->opens, opens + 1);
    EXPECT_EQ(script->closes, 1);
    EXPECT_FALSE(kom.ReopenFlag());
    EXPECT_EQ(script->writeCount(), 2);
    EXPECT_EQ(script->made, 1);  // same device, same port object
    steps(5);
    EXPECT_EQ(script->opens, opens + 1);  // only once
}

TEST_F(BinaryKomTest, SuccessClearsTheReopenFlag) {
    kom.SetReopenFlag(true);
    send({0xB0}, 3);
    script->feed(withReplyCrc({1, 2, 3}));
    kom.KomStep();
    EXPECT_FALSE(kom.ReopenFlag());
    EXPECT_EQ(script->closes, 0);
}

TEST(Kom, ReopenFlagIsSetAtStart) {
    auto script = std::make_shared<PortScript>();
    TMKom kom(test::scriptedFactory(script));
    EXPECT_TRUE(kom.ReopenFlag());
    EXPECT_EQ(kom.State(), lsIdle);
}

TEST(Kom, ReopenThatFailsEndsTheRequestQuickly) {
    auto script = std::make_shared<PortScript>();
    TMKom kom(test::scriptedFactory(script), {false, 10, "test"});
    ASSERT_TRUE(kom.OpenPort(1));
    auto box = std::make_shared<TRequestBox>();
    kom.SendRequest(1, box, {}, 0, 3, Bytes{0xB0});
    script->openSucceeds = false;
    for (int i = 0; i < 5; ++i) kom.KomStep();
    EXPECT_FALSE(kom.IsPortOpen());
    for (int i = 0; i < 29; ++i) kom.KomStep();
    EXPECT_EQ(box->status, rsFailed);
    EXPECT_EQ(script->writeCount(), 1);
}

TEST(Kom, PortNamesAndFactory) {
    auto script = std::make_shared<PortScript>();
    TMKom kom(test::scriptedFactory(script), {false, 10, ""});
    ASSERT_TRUE(kom.OpenPort(12));
    EXPECT_TRUE(kom.OpenPort(1));
    kom.SetSettings({false, 10, "sim:"});
    EXPECT_TRUE(kom.OpenPort(1));
#ifdef _WIN32
    EXPECT_EQ(script->openedNames, (std::vector<std::string>{"COM12", "COM1", "sim:"}));
#else
    EXPECT_EQ(script->openedNames, (std::vector<std::string>{"/dev/ttyS11", "/dev/ttyS0", "sim:"}));
#endif
    EXPECT_EQ(script->made, 3);
}

// The port object (and whatever it stands for, a simulated terminal's memory) lives on while
// the device stays the same: closing and opening again reuse it.
TEST(Kom, SameDeviceKeepsItsPortObjectAcrossCloseAndOpen) {
    auto script = std::make_shared<PortScript>();
    TMKom kom(test::scriptedFactory(script), {false, 10, "sim:"});
    ASSERT_TRUE(kom.OpenPort(1));
    kom.ClosePort();
    EXPECT_FALSE(kom.IsPortOpen());
    ASSERT_TRUE(kom.OpenPort(1));
    EXPECT_TRUE(kom.ReopenPort(1));
    EXPECT_TRUE(kom.OpenPort(2)) << "the port number does not count while portName is set";
    EXPECT_EQ(script->made, 1);
    kom.SetSettings({false, 10, "sim:3"});
    EXPECT_TRUE(kom.OpenPort(1));
    EXPECT_EQ(script->made, 2);
}

TEST(Kom, NoPortFromTheFactory) {
    TMKom kom([](const std::string&) { return std::unique_ptr<SerialPort>(); });
    EXPECT_FALSE(kom.OpenPort(3));
    auto box = std::make_shared<TRequestBox>();
    EXPECT_EQ(kom.SendRequest(1, box, {}, 0, 3, Bytes{0xB0}), rsFailed);
    kom.KomStep();
    EXPECT_EQ(kom.ReadAvailable(std::span<std::uint8_t>()), -1);
    EXPECT_FALSE(kom.WriteBytes(Bytes{1}));
}

TEST_F(AsciiKomTest, StatusRequestFrame) {
    send({0xB0}, 3);
    EXPECT_EQ(script->lastWriteText(), "*01B094EA\r");
    EXPECT_EQ(kom.State(), lsAwaitStart);
    EXPECT_EQ(script->events, (std::vector<std::string>{"write"}));  // parity stays space
}

TEST_F(AsciiKomTest, ReplyAfterNoiseAndASecondStart) {
    send({0xB0}, 3);
    script->feed("\x11garbage*0B");
    kom.KomStep();
    EXPECT_EQ(kom.State(), lsReceiving);
    const std::string text = asciiReply({0xC1, 0x00, 0x03});
    script->feed(text.substr(0, 5));
    kom.KomStep();
    EXPECT_EQ(box->status, rsPending);
    script->feed(text.substr(5));
    kom.KomStep();
    EXPECT_EQ(box->status, rsDone);
    EXPECT_EQ(reply(), (Bytes{0xC1, 0x00, 0x03}));
}

TEST_F(AsciiKomTest, Acknowledge) {
    send({0xC4, 0x00}, link::AckReply);
    script->feed("*06\r");
    kom.KomStep();
    EXPECT_EQ(box->status, rsDone);
}

TEST_F(AsciiKomTest, VariableReply) {
    send({0xB6}, link::VariableReply);
    script->feed(asciiReply({0x04, 0x10, 0x20, 0x30}));
    kom.KomStep();
    EXPECT_EQ(box->status, rsDone);
    EXPECT_EQ(reply(), (Bytes{0x04, 0x10, 0x20, 0x30}));
}

TEST_F(AsciiKomTest, CharactersAfterTheReplyWaitForTheNextSend) {
    send({0xB0}, 3);
    script->feed(asciiReply({1, 2, 3}) + "*junk");
    kom.KomStep();
    EXPECT_EQ(box->status, rsDone);
    EXPECT_EQ(kom.State(), lsIdle);
}

TEST_F(AsciiKomTest, BadReplyIsSentAgain) {
    send({0xB0}, 3);
    script->feed("*0102\r");
    kom.KomStep();
    EXPECT_EQ(script->writeCount(), 2);
    EXPECT_EQ(box->status, rsPending);
}

TEST_F(AsciiKomTest, EndlessNoiseDoesNotHoldTheStep) {
    send({0xB0}, 3);
    script->feed(std::string(100000, 'x'));
    kom.KomStep();
    EXPECT_FALSE(script->input.empty());
}

TEST(CommDataModule, TickWhileATickRunsIsSkipped) {
    auto script = std::make_shared<PortScript>();
    TCommDataModule module(test::scriptedFactory(script), {false, 10, "test"});
    ASSERT_TRUE(module.Kom().OpenPort(1));
    auto box = std::make_shared<TRequestBox>();
    module.Kom().SendRequest(1, box, {}, 0, 3, Bytes{0xB0});
    int depth = 0;
    int deepest = 0;
    script->onRead = [&] {
        ++depth;
        deepest = std::max(deepest, depth);
        EXPECT_TRUE(module.Busy());
        module.KomTimerTimer();  // as if a message box let the timer fire
        --depth;
    };
    module.KomTimerTimer();
    EXPECT_EQ(deepest, 1);
    EXPECT_FALSE(module.Busy());
}

TEST(CommDataModule, DestructionFailsWhatIsQueued) {
    auto script = std::make_shared<PortScript>();
    auto box = std::make_shared<TRequestBox>();
    int called = 0;
    {
        TCommDataModule module(test::scriptedFactory(script));
        ASSERT_TRUE(module.Kom().OpenPort(1));
        module.Kom().SendRequest(
            1, box, [&called](std::uint32_t) { ++called; }, 0, 3, Bytes{0xB0});
    }
    EXPECT_EQ(box->status, rsFailed);
    EXPECT_EQ(called, 1);
}

}  // namespace
}  // namespace kyr

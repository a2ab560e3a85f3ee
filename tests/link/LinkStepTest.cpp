#include <gtest/gtest.h>

#include <string>

#include "RecordingDialog.h"
#include "ScriptedPort.h"
#include "link/CommDataModule.h"
#include "link/Crc16.h"
#include "link/LinkStep.h"
#include "link/Timeout.h"
#include "model/Texts.h"

namespace kyr {
namespace {

using test::PortScript;

Bytes withReplyCrc(Bytes reply) {
    const std::uint16_t crc = Crc16::instance().compute(reply);
    reply.push_back(static_cast<std::uint8_t>(crc >> 8));
    reply.push_back(static_cast<std::uint8_t>(crc & 0xFF));
    return reply;
}

class LinkStepTest : public ::testing::Test {
protected:
    LinkStepTest()
        : script(std::make_shared<PortScript>()),
          kom(test::scriptedFactory(script), {false, 10, "test"}) {}
    void SetUp() override {
        ASSERT_TRUE(kom.OpenPort(1));
        kom.SetReopenFlag(false);
    }

    std::shared_ptr<PortScript> script;
    TMKom kom;
    TLinkStep step;
};

TEST_F(LinkStepTest, SendsOnceThenWaitsThenTakesTheReply) {
    step.Start(Bytes{0xB0}, 3);
    EXPECT_EQ(step.Status(), rsIdle);
    EXPECT_FALSE(step.Step(kom));
    EXPECT_EQ(step.Status(), rsPending);
    EXPECT_FALSE(step.Step(kom));
    EXPECT_EQ(script->writeCount(), 1);  // pending: not sent again
    script->feed(withReplyCrc({0x21, 0x05, 0x80}));
    kom.KomStep();
    EXPECT_TRUE(step.Step(kom));
    EXPECT_EQ(Bytes(step.Reply().begin(), step.Reply().end()), (Bytes{0x21, 0x05, 0x80}));
    EXPECT_EQ(script->writeCount(), 1);
}

TEST_F(LinkStepTest, FailedRequestIsSentAgainByTheJob) {
    step.Start(Bytes{0xC0, 0x01}, 0);
    step.Step(kom);
    for (int i = 0; i < 25; ++i) kom.KomStep();
    EXPECT_EQ(step.Status(), rsFailed);
    EXPECT_FALSE(step.Step(kom));
    EXPECT_EQ(step.Status(), rsPending);
    EXPECT_EQ(script->writeCount(), 6);
}

TEST_F(LinkStepTest, QueueFullIsSentAgain) {
    std::vector<TLinkStep> others(21);
    for (auto& other : others) {
        other.Start(Bytes{0xB0}, 3);
        other.Step(kom);
    }
    step.Start(Bytes{0xB0}, 3);
    EXPECT_FALSE(step.Step(kom));
    EXPECT_EQ(step.Status(), rsQueueFull);
    script->feed(withReplyCrc({1, 2, 3}));
    kom.KomStep();
    EXPECT_FALSE(step.Step(kom));
    EXPECT_EQ(step.Status(), rsPending);
}

TEST_F(LinkStepTest, AddressOneAndTheRequestBytes) {
    step.Start(Bytes{0xB4, 0x07, 0x00}, 5);
    step.Request()[2] = 0x01;
    step.Send(kom);
    EXPECT_EQ(script->events[1], "tx 1");
    EXPECT_EQ(script->writes.back(), link::withCrc(1, Bytes{0xB4, 0x07, 0x01}));
}

TEST_F(LinkStepTest, RestartDropsAnOldReply) {
    step.Start(Bytes{0xB0}, 3);
    step.Step(kom);
    step.Start(Bytes{0xB0}, 3);  // the job moved on before the old request ended
    script->feed(withReplyCrc({1, 2, 3}));
    kom.KomStep();
    EXPECT_EQ(step.Status(), rsIdle);
    EXPECT_TRUE(step.Reply().empty());
}

TEST(Timeout, FiftyWaitingTicksThenAbortOnce) {
    int aborts = 0;
    TTimeout timeout([&aborts] { ++aborts; });
    EXPECT_TRUE(timeout.IsZero());
    for (int i = 0; i < 50; ++i) EXPECT_TRUE(timeout.Tick()) << i;
    EXPECT_EQ(aborts, 0);
    EXPECT_FALSE(timeout.Tick());
    EXPECT_EQ(aborts, 1);
    EXPECT_FALSE(timeout.Tick());
    EXPECT_EQ(aborts, 1);
    timeout.Reset();
    EXPECT_TRUE(timeout.IsZero());
    EXPECT_TRUE(timeout.Tick());
}

TEST(Timeout, ResetByProgressKeepsTheJobAlive) {
    int aborts = 0;
    TTimeout timeout([&aborts] { ++aborts; });
    for (int round = 0; round < 10; ++round) {
        for (int i = 0; i < 50; ++i) timeout.Tick();
        timeout.Reset();
    }
    EXPECT_EQ(aborts, 0);
}

TEST(OpenPortOrReport, MessageWithThePortNumber) {
    test::RecordingDialog dialog;
    auto script = std::make_shared<PortScript>();
    script->openSucceeds = false;
    TMKom kom(test::scriptedFactory(script), {false, 10, ""});
    EXPECT_FALSE(OpenPortOrReport(kom, 7));
    ASSERT_EQ(dialog.entries.size(), 1u);
    EXPECT_EQ(dialog.entries[0].kind, MsgKind::Error);
    EXPECT_EQ(dialog.entries[0].title, "ERROR");
#ifdef _WIN32
    EXPECT_EQ(dialog.entries[0].text, "Cannot open serial port 7");
#else
    EXPECT_EQ(dialog.entries[0].text, "Cannot open serial port 7 (/dev/ttyS6)");
#endif
}

TEST(OpenPortOrReport, CzechAndGermanTexts) {
    test::RecordingDialog dialog;
    auto script = std::make_shared<PortScript>();
    script->openSucceeds = false;
    TMKom kom(test::scriptedFactory(script), {false, 10, "/dev/ttyUSB3"});
    setLanguage(LangCzech);
    OpenPortOrReport(kom, 2);
    setLanguage(LangGerman);
    OpenPortOrReport(kom, 2);
    setLanguage(LangEnglish);
    ASSERT_EQ(dialog.entries.size(), 2u);
    EXPECT_EQ(dialog.entries[0].title, "CHYBA");
    EXPECT_EQ(dialog.entries[0].text, "Nelze otevřít sériový port 2 (/dev/ttyUSB3)");
    EXPECT_EQ(dialog.entries[1].title, "FEHLER");
    EXPECT_EQ(dialog.entries[1].text,
              "Serielle Schnittstelle kann nicht geöffnet werden: 2 (/dev/ttyUSB3)");
}

TEST(OpenPortOrReport, OpenPortIsKeptAndNothingShown) {
    test::RecordingDialog dialog;
    auto script = std::make_shared<PortScript>();
    TMKom kom(test::scriptedFactory(script), {false, 10, "test"});
    EXPECT_TRUE(OpenPortOrReport(kom, 1));
    EXPECT_TRUE(OpenPortOrReport(kom, 1));
    EXPECT_EQ(script->opens, 1);
    EXPECT_TRUE(dialog.entries.empty());
}

}  // namespace
}  // namespace kyr

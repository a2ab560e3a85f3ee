#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AnsweringTerminal.h"
#include "link/KyrInfo.h"
#include "model/Texts.h"

namespace kyr {
namespace {

using test::AnsweringLink;

// A version reply: length byte, text, zero, then the family's data.
Bytes versionReply(const std::string& text, const Bytes& extra = {}) {
    Bytes reply{0};
    reply.insert(reply.end(), text.begin(), text.end());
    reply.push_back(0);
    reply.insert(reply.end(), extra.begin(), extra.end());
    reply[0] = static_cast<std::uint8_t>(reply.size());
    return reply;
}

Bytes identBytes(const std::string& six, std::uint16_t number) {
    Bytes b(six.begin(), six.end());
    b.push_back(static_cast<std::uint8_t>(number & 0xFF));
    b.push_back(static_cast<std::uint8_t>(number >> 8));
    return b;
}

Bytes concat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class KyrInfoTest : public ::testing::Test {
protected:
    explicit KyrInfoTest(bool ascii = false) : link(ascii), info(link.kom) {
        link.script->replies[0xAC] = versionReply("V2.18");
    }
    void TearDown() override { setLanguage(LangEnglish); }

    void status(std::uint8_t t, std::uint8_t m = 0, std::uint8_t f = 0x01) {
        link.script->replies[0xB0] = Bytes{t, m, f};
    }
    // Idle passes with link steps between them; `counted` raises the 100 ms flag first.
    void passes(int n, bool counted = false) {
        for (int i = 0; i < n; ++i) {
            if (counted) info.ErrCntTimer();
            link.kom.KomStep();
            info.Refresh();
        }
    }
    // Opens the information as the dialog does (after closing the port of an earlier one).
    TKyrInfoView openAndSettle() {
        link.kom.ClosePort();
        link.kom.OpenPort(1);
        link.kom.SetReopenFlag(false);
        info.Open();
        passes(12);
        return info.View();
    }

    AnsweringLink link;
    TKyrInfo info;
};

struct KyrBCCase {
    std::uint8_t t, m, f;
    const char* type;
    const char* memory;
    const char* write;
    const char* program;
    const char* bridge;
    const char* userProgram;
};

TEST_F(KyrInfoTest, DecodesKyrT240AndT220Status) {
    const std::vector<KyrBCCase> cases{
        {0x0F, 0x00, 0x01, "KYR-T240(E)", "EPROM 64kB (27C512)", "", "Program Mode Enabled", "",
         "User Program in RAM"},
        {0x0E, 0x01, 0x01, "KYR-T240(E)", "EPROM 128kB (27C1001)", "", "Program Mode Disabled", "",
         "User Program in RAM"},
        {0x0D, 0x10, 0x01, "KYR-T240(E)", "???", "Write Enabled", "Program Mode Enabled", "",
         "User Program in MEM"},
        {0x04, 0x20, 0x01, "KYR-T240(E)", "FLASH 128kB (29F010)", "Write Disabled",
         "Program Mode Enabled", "", "User Program in RAM/MEM"},
        {0x0B, 0x30, 0x01, "KYR-T240(E)", "CMOS RAM 32kB (62256)", "Write Enabled",
         "Program Mode Enabled", "", "User Program in RAM/MEM"},
        {0x08, 0x00, 0x01, "KYR-T240(E)", "CMOS RAM 128kB (628128)", "Write Enabled",
         "Program Mode Enabled", "", "User Program in RAM"},
        {0x0F, 0x02, 0x00, "KYR-T240(E)", "EPROM 64kB (27C512)", "Not present",
         "Program Mode Enabled", "", "User Program in RAM"},
        {0x83, 0x02, 0x01, "KYR-T220", "EPROM 64kB (27C512)", "", "Program Mode Enabled",
         "Bridge Mode Disabled", "User Program in RAM"},
        {0x82, 0x11, 0x01, "KYR-T220", "FLASH 32kB (module RMX32)", "Write Disabled",
         "Program Mode Disabled", "Bridge Mode Enabled", "User Program in MEM"},
        {0x88, 0x00, 0x01, "KYR-T220", "CMOS RAM 32kB (62256)", "Write Enabled",
         "Program Mode Enabled", "Bridge Mode Enabled", "User Program in RAM"},
        {0x89, 0x00, 0x00, "KYR-T220", "CMOS RAM 32kB (62256)", "Not present",
         "Program Mode Enabled", "Bridge Mode Enabled", "User Program in RAM"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "T=" << int(c.t) << " M=" << int(c.m));
        status(c.t, c.m, c.f);
        const auto view = openAndSettle();
        EXPECT_EQ(view.type, c.type);
        EXPECT_EQ(view.firmwareVersion, "V2.18");
        EXPECT_EQ(view.memoryType, c.memory);
        EXPECT_EQ(view.memoryWrite, c.write);
        EXPECT_EQ(view.programMode, c.program);
        EXPECT_EQ(view.bridgeMode, c.bridge);
        EXPECT_EQ(view.userProgram, c.userProgram);
        EXPECT_TRUE(view.memoryGroup);
        EXPECT_TRUE(view.switchGroup);
        EXPECT_FALSE(view.descriptionGroup || view.bootGroup || view.protocolGroup);
        EXPECT_EQ(link.script->count(0xBE) + link.script->count(0xA8), 0);
    }
}

TEST_F(KyrInfoTest, LabelsFollowTheLanguage) {
    status(0x83, 0x03);
    openAndSettle();
    setLanguage(LangCzech);
    auto view = info.View();
    EXPECT_EQ(view.programMode, "Programovací režim zakázán");
    EXPECT_EQ(view.userProgram, "Uživatelský program v RAM");
    setLanguage(LangGerman);
    view = info.View();
    EXPECT_EQ(view.bridgeMode, "Brückenmodus gesperrt");
}

TEST_F(KyrInfoTest, RequestsRepeatAsRepliesArrive) {
    status(0x0F);
    info.Open();
    passes(40);
    // Each request is asked again once its reply is in, never piled up in the queue.
    EXPECT_GE(link.script->count(0xB0), 10);
    EXPECT_GE(link.script->count(0xAC), 10);
    EXPECT_LE(link.kom.QueuedCount(), 2);
}

TEST_F(KyrInfoTest, KyrMiniAndGrandTypeLabels) {
    const std::vector<std::pair<std::uint8_t, const char*>> cases{
        {0x20, "KYR Mini"}, {0x21, "KYR Grand"}, {0x61, "KYR Grand L"}, {0x60, "KYR Mini"}};
    for (const auto& [t, label] : cases) {
        SCOPED_TRACE(int(t));
        status(t);
        const auto view = openAndSettle();
        EXPECT_EQ(view.type, label);
        EXPECT_FALSE(view.memoryGroup || view.switchGroup || view.protocolGroup);
    }
}

TEST_F(KyrInfoTest, KyrGrandReadsIdentificationDescriptionAndBoot) {
    status(0x21);
    link.script->replies[0xAC] = versionReply("V3.01", identBytes("GRND01", 0x1A2B));
    Bytes description(60, 0);
    const std::string text = "KYR Grand firmware 3.01";
    std::copy(text.begin(), text.end(), description.begin());
    link.script->replies[0xBE] = description;
    link.script->replies[0xA8] = Bytes{0x12, 0, 0, 0, 0};

    const auto view = openAndSettle();
    EXPECT_EQ(view.identification, "1a2b-GRND01");
    EXPECT_EQ(view.description, text);
    EXPECT_EQ(view.boot, "BOOT V1.2");
    EXPECT_TRUE(view.descriptionGroup);
    EXPECT_TRUE(view.bootGroup);
    EXPECT_TRUE(info.Complete());
    EXPECT_EQ(link.script->last(0xBE), (Bytes{0xBE, 59, 7, 0xFF, 0xC0}));
    EXPECT_EQ(link.script->last(0xA8), (Bytes{0xA8}));
}

TEST_F(KyrInfoTest, DescriptionWithoutMarkerAndFullSixtyCharacters) {
    status(0x20);
    link.script->replies[0xBE] = Bytes(60, 'X');
    EXPECT_EQ(openAndSettle().description, "");
    Bytes full(60, 'A');
    full[0] = 'K';
    link.script->replies[0xBE] = full;
    const auto view = openAndSettle();
    EXPECT_EQ(view.description.size(), 60u);
    EXPECT_EQ(view.description.front(), 'K');
}

TEST_F(KyrInfoTest, ShortVersionDataGivesNoIdentification) {
    status(0x20);
    const std::vector<Bytes> shortData{{}, {'A', 'B', 'C'}, {'A', 'B', 'C', 'D', 'E', 'F', 1}};
    for (const Bytes& extra : shortData) {
        link.script->replies[0xAC] = versionReply("V1", extra);
        EXPECT_EQ(openAndSettle().identification, "");
    }
    link.script->replies[0xAC] = versionReply("V1", identBytes(std::string("AB\0DEF", 6), 0x0007));
    EXPECT_EQ(openAndSettle().identification, "0007-AB");
}

TEST_F(KyrInfoTest, MiniGrandGroupsHideAfterTenCountedTicksWithoutAnswer) {
    status(0x20);
    info.Open();
    passes(6);
    EXPECT_TRUE(info.View().descriptionGroup);  // shown until the description gives up
    EXPECT_FALSE(info.View().bootGroup);        // nothing to show yet
    passes(10, true);
    EXPECT_TRUE(info.View().descriptionGroup);
    passes(1, true);
    const auto view = info.View();
    EXPECT_FALSE(view.descriptionGroup);
    EXPECT_FALSE(view.bootGroup);
    EXPECT_EQ(view.type, "KYR Mini");  // the status still answers
    EXPECT_TRUE(info.Complete());
}

TEST_F(KyrInfoTest, UnknownStatusShowsQuestionMarksAndKeepsAsking) {
    for (const std::uint8_t t : {0xE0, 0x22, 0xB0}) {
        SCOPED_TRACE(int(t));
        status(t);
        const int before = link.script->count(0xB0);
        const auto view = openAndSettle();
        EXPECT_EQ(view.type, "??????????");
        EXPECT_FALSE(view.memoryGroup || view.switchGroup || view.descriptionGroup ||
                     view.bootGroup || view.protocolGroup);
        EXPECT_GT(link.script->count(0xB0), before + 2);
    }
}

TEST_F(KyrInfoTest, LabelsClearAfterMoreThanFifteenCountedTicks) {
    status(0x0F);
    ASSERT_EQ(openAndSettle().type, "KYR-T240(E)");
    link.script->connected = false;
    // Passes without the 100 ms flag count nothing.
    passes(100);
    EXPECT_EQ(info.View().type, "KYR-T240(E)");
    passes(15, true);
    EXPECT_EQ(info.View().memoryType, "EPROM 64kB (27C512)");
    EXPECT_EQ(info.View().firmwareVersion, "V2.18");
    passes(1, true);
    const auto view = info.View();
    EXPECT_EQ(view.type, "");
    EXPECT_EQ(view.memoryType, "");
    EXPECT_EQ(view.firmwareVersion, "");
    EXPECT_FALSE(view.memoryGroup || view.switchGroup);
    EXPECT_TRUE(info.StatusGaveUp());

    // The cable back in: the requests that kept being sent are answered again.
    link.script->connected = true;
    passes(200);
    EXPECT_EQ(info.View().type, "KYR-T240(E)");
    EXPECT_EQ(info.View().firmwareVersion, "V2.18");
}

TEST_F(KyrInfoTest, MissingVersionClearsOnlyItsLabel) {
    status(0x83);
    ASSERT_EQ(openAndSettle().firmwareVersion, "V2.18");
    link.script->replies.erase(0xAC);
    passes(16, true);
    const auto view = info.View();
    EXPECT_EQ(view.firmwareVersion, "");
    EXPECT_EQ(view.type, "KYR-T220");
}

class KyrInfoLumTest : public KyrInfoTest {
protected:
    KyrInfoLumTest() : KyrInfoTest(true) {}
};

TEST_F(KyrInfoLumTest, ModelNames) {
    const std::vector<std::pair<std::uint8_t, const char*>> cases{
        {0xC0, "LUM Sigma"}, {0xC1, "LUMQ1"},  {0xC2, "LUMQ2"},  {0xC3, "LUMQ3"},
        {0xC4, "LUMQ4"},     {0xC5, "LUMQ1H"}, {0xC6, "??????"}, {0xFF, "??????"}};
    for (const auto& [t, label] : cases) {
        SCOPED_TRACE(int(t));
        status(t);
        const auto view = openAndSettle();
        EXPECT_EQ(view.type, label);
        EXPECT_TRUE(view.protocolGroup);
        EXPECT_FALSE(view.memoryGroup || view.switchGroup);
    }
}

TEST_F(KyrInfoLumTest, ProtocolLabelsAndIdentification) {
    status(0xC1);
    link.script->replies[0xAC] = versionReply(
        "LUM 1.05", concat(Bytes{0x00, 0x2D, 0x2E, 26, 99, 255}, identBytes("LQ1-05", 0xABCD)));
    auto view = openAndSettle();
    EXPECT_EQ(view.firmwareVersion, "LUM 1.05");
    EXPECT_EQ(view.protocols[0], "Character Terminal");
    EXPECT_EQ(view.protocols[1], "3 Digital Signals 24V");
    EXPECT_EQ(view.protocols[2], "EXD Compatible Protocol");
    EXPECT_EQ(view.protocols[3], "Modicon Modbus RTU");
    EXPECT_EQ(view.protocols[4], "??????");
    for (std::size_t i = 5; i < view.protocols.size(); ++i) EXPECT_EQ(view.protocols[i], "");
    EXPECT_EQ(view.identification, "abcd-LQ1-05");

    setLanguage(LangGerman);
    view = info.View();
    EXPECT_EQ(view.protocols[0], "Zeichenterminal");
    EXPECT_EQ(view.protocols[1], "3 Digitalsignale 24V");
}

TEST_F(KyrInfoLumTest, TenProtocolsFillEveryLabel) {
    status(0xC0);
    const Bytes ten{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    link.script->replies[0xAC] =
        versionReply("S", concat(concat(ten, Bytes{255}), identBytes("SIGMA1", 0x0102)));
    const auto view = openAndSettle();
    EXPECT_EQ(view.protocols[0], "Omron Host Link");
    EXPECT_EQ(view.protocols[9], "Allen-Bradley DF1 BCC");
    EXPECT_EQ(view.identification, "0102-SIGMA1");
}

TEST_F(KyrInfoLumTest, ProtocolListCutShortIsSafe) {
    status(0xC2);
    link.script->replies[0xAC] = versionReply("Q2", Bytes{1, 2});
    const auto view = openAndSettle();
    EXPECT_EQ(view.protocols[1], "Omron Host Link MultiMaster");
    EXPECT_EQ(view.protocols[2], "");
    EXPECT_EQ(view.identification, "");
}

TEST_F(KyrInfoTest, LumTypeByteOnTheBinaryLink) {
    status(0xC5);
    EXPECT_EQ(openAndSettle().type, "LUMQ1H");
}

}  // namespace
}  // namespace kyr

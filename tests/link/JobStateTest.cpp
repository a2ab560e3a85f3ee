#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/JobLink.h"
#include "link/JobState.h"
#include "model/Texts.h"

namespace kyr {
namespace {

Bytes versionReply(const std::string& text, Bytes tail = {}) {
    Bytes body(text.begin(), text.end());
    body.push_back(0);
    body.insert(body.end(), tail.begin(), tail.end());
    body.insert(body.begin(), static_cast<std::uint8_t>(body.size() + 1));
    return body;
}

TEST(JobStatus, DecodesEveryFamilyAndSelector) {
    struct Case {
        std::uint8_t t, m;
        bool ascii;
        std::uint8_t type, selector;
    };
    const std::vector<Case> cases = {
        {0x00, 0x00, false, 0, SelectorRam},        // KYRB in RAM
        {0x08, 0x10, false, 0, SelectorMem},        // KYRB, MEM
        {0x08, 0x30, false, 0, SelectorRamAndMem},  // bit 5 of M wins
        {0x80, 0x00, false, 1, SelectorRam},        // KYRC
        {0x20, 0x00, false, 2, SelectorProgram},    // KYR Mini
        {0x21, 0x00, false, 3, SelectorProgram},    // KYR Grand
        {0x61, 0x00, false, 3, SelectorProgram},    // KYR Grand L (T bit 6)
        {0xA1, 0x00, false, DetectedUnknown, SelectorRam},  // bit 7 is not ignored
        {0x22, 0x00, false, DetectedUnknown, SelectorRam},
        {0xC0, 0x00, false, 4, SelectorRam},  // LUMS by the high nibble
        {0xC1, 0x00, false, 5, SelectorRam},  // LUMQ1
        {0xC2, 0x00, false, 7, SelectorRam},  // LUMQ2
        {0xC3, 0x00, false, 8, SelectorRam},
        {0xC4, 0x00, false, 9, SelectorRam},
        {0xC5, 0x00, false, 6, SelectorRam},  // LUMQ1H
        {0xC6, 0x00, false, DetectedUnknown, SelectorRam},
        {0x01, 0x00, true, 5, SelectorRam},  // the ASCII setting means LUM whatever T says
    };
    for (const Case& c : cases) {
        const std::uint8_t reply[] = {c.t, c.m, 0x00};
        const TTerminalStatus s = DecodeStatus(reply, c.ascii);
        EXPECT_EQ(s.type, c.type) << std::hex << int(c.t);
        EXPECT_EQ(s.selector, c.selector) << std::hex << int(c.t);
    }
}

TEST(JobStatus, ShortReplyIsUnknown) {
    const std::uint8_t reply[] = {0x00, 0x00};
    EXPECT_FALSE(DecodeStatus(reply, false).Known());
}

TEST(JobStatus, EpromAndFlashFromTheTypeByte) {
    const auto status = [](std::uint8_t t) {
        const std::uint8_t reply[] = {t, 0x10, 0x00};
        return DecodeStatus(reply, false);
    };
    EXPECT_TRUE(status(0x06).EpromFitted());   // T240: bits 2 and 1
    EXPECT_FALSE(status(0x03).EpromFitted());  // T240 does not look at bit 0
    EXPECT_TRUE(status(0x83).EpromFitted());   // T220: bits 1 and 0
    EXPECT_FALSE(status(0x86).EpromFitted());
    EXPECT_TRUE(ProgramIsFlash(0, status(0x0C)));   // KYRB, low bits 4
    EXPECT_FALSE(ProgramIsFlash(0, status(0x0E)));  // KYRB, low bits 6
    EXPECT_TRUE(ProgramIsFlash(0, status(0x8A)));   // KYRC, low two bits 2
    EXPECT_FALSE(ProgramIsFlash(0, status(0x89)));
    EXPECT_TRUE(ProgramIsFlash(1, status(0x20)));  // a Mini or Grand project
}

TEST(JobVersion, LevelsAndTheExtendedFormat) {
    struct Case {
        std::string text;
        int level;
        bool extended;
    };
    const std::vector<Case> cases = {
        {"KYR V2.12", 212, false},  {"KYR V2.16", 215, false}, {"KYR V2.18", 218, false},
        {"kyr v2.18", 999, false},  {"KYR v2.27", 227, false}, {"KYR V2.28", 999, false},
        {"KYR V2.49", 999, false},  {"KYR V2.50", 250, true},  {"KYR V2.57", 257, true},
        {"KYR V2.58", 999, false},  {"KYR V2.18R", 218, true}, {"KYR V2.1", 999, false},
        {"", 999, false},           {"KYR V2.19 R", 219, true},
    };
    for (const Case& c : cases) {
        const TFirmwareVersion v = DecodeVersion(versionReply(c.text));
        EXPECT_EQ(v.level, c.level) << c.text;
        EXPECT_EQ(v.extended, c.extended) << c.text;
    }
}

TEST(JobVersion, TextEndsAtItsZeroByte) {
    // KYR Mini sends identification characters after the text.
    const TFirmwareVersion v = DecodeVersion(versionReply("KYR V2.52", {'S', 'I', 'M', 'R', 1, 0}));
    EXPECT_EQ(v.text, "KYR V2.52");
    EXPECT_EQ(v.level, 252);
}

TEST(JobToolVersions, ByteOrderOfTheFamily) {
    const std::uint8_t kyr[] = {5, 0x01, 0x05, 0x01, 0x04};
    const auto k = DecodeToolVersions(kyr, false);
    ASSERT_TRUE(k);
    EXPECT_EQ(k->uploadVerify, 261);
    EXPECT_EQ(k->download, 260);
    const std::uint8_t lum[] = {5, 0x05, 0x01, 0x04, 0x01};
    const auto l = DecodeToolVersions(lum, true);
    ASSERT_TRUE(l);
    EXPECT_EQ(l->uploadVerify, 261);
    EXPECT_EQ(l->download, 260);
    const std::uint8_t shortReply[] = {3, 0x01, 0x05};
    EXPECT_FALSE(DecodeToolVersions(shortReply, false));
}

TEST(JobFreeMemory, WordsCountedBySelector) {
    Bytes reply(18);
    for (std::size_t i = 0; i < 9; ++i) {
        reply[2 * i] = 0x01;  // each word 0x0100 + i
        reply[2 * i + 1] = static_cast<std::uint8_t>(i);
    }
    const std::uint32_t word0 = 0x100;
    const std::uint32_t banks = 8 * 0x100 + (1 + 2 + 3 + 4 + 5 + 6 + 7 + 8);
    const auto with = [](std::uint8_t t, std::uint8_t m) {
        const std::uint8_t r[] = {t, m, 0};
        return DecodeStatus(r, false);
    };
    EXPECT_EQ(FreeMemory(reply, with(0x08, 0x00)), word0);          // RAM
    EXPECT_EQ(FreeMemory(reply, with(0x08, 0x10)), banks);          // MEM, writable
    EXPECT_EQ(FreeMemory(reply, with(0x00, 0x10)), 0u);             // MEM, write-protected
    EXPECT_EQ(FreeMemory(reply, with(0x0E, 0x10)), 0u);             // MEM is an EPROM
    EXPECT_EQ(FreeMemory(reply, with(0x08, 0x20)), word0 + banks);  // RAM and MEM
    EXPECT_EQ(FreeMemory(reply, with(0x20, 0x00)), banks);          // KYR Mini
    EXPECT_EQ(FreeMemory(Bytes(4), with(0x08, 0x00)), 0u);          // short reply
}

TEST(JobPhases, LabelsInEveryLanguage) {
    setLanguage(LangEnglish);
    EXPECT_EQ(PhaseLabel(jpStatus, false), "Reading KYR Status");
    EXPECT_EQ(PhaseLabel(jpClear, false), "Clearing KYR Memory");
    EXPECT_EQ(PhaseLabel(jpClear, true), "Erasing KYR Flash Memory");
    EXPECT_EQ(PhaseLabel(jpMemorySizeEnd, false), "Reading KYR Memory Size");
    EXPECT_EQ(PhaseLabel(jpLumStart, false), "Reading LUM Memory Structure");
    EXPECT_EQ(PhaseLabel(jpLumScreens, false), "Screens");
    EXPECT_EQ(PhaseLabel(jpIdle, false), "");
    for (int phase = jpStatus; phase <= jpFirmwareLast; ++phase) {
        const Text3* t = PhaseLabelText(phase, false);
        ASSERT_NE(t, nullptr) << phase;
        EXPECT_NE(t->cs, t->en) << phase;
        EXPECT_NE(t->de, t->en) << phase;
    }
}

TEST(JobBanks, FamilyZeroMapsBanksToWindows) {
    struct Case {
        int family;
        std::uint8_t bank;
        std::uint16_t address;
        std::uint32_t offset;
        std::uint8_t bankByte;
        std::uint16_t mapped;
    };
    const std::vector<Case> cases = {
        {0, 0, 0x1000, 0x10, 0, 0x1010}, {0, 1, 0x8000, 0x80, 0, 0x0080},
        {0, 2, 0x8000, 0, 0, 0x4000},    {0, 4, 0x9000, 0, 0, 0xD000},
        {0, 5, 0x8100, 0x20, 1, 0x0120}, {1, 3, 0x2000, 0x80, 3, 0x2080},
    };
    for (const Case& c : cases) {
        const TBankAddress a = MapBankAddress(c.family, c.bank, c.address, c.offset);
        EXPECT_EQ(a.bankByte, c.bankByte) << int(c.bank);
        EXPECT_EQ(a.address, c.mapped) << int(c.bank);
    }
    const Bytes read = ReadBlockRequest(0, 5, 0x8100, 0x20, 128);
    EXPECT_EQ(read, (Bytes{0xBE, 127, 1, 0x01, 0x20}));
    const std::uint8_t data[] = {9, 8, 7};
    EXPECT_EQ(WriteBlockRequest(1, 0, 0x1234, 2, data), (Bytes{0xA4, 4, 0x12, 0x36, 9, 8, 7}));
}

}  // namespace
}  // namespace kyr

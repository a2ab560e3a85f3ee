// Both firmware updates end to end against the simulated terminal's BOOT loaders.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "RecordingDialog.h"
#include "image/HexRecord.h"
#include "link/FirmwareJob.h"
#include "model/DataClass.h"
#include "sim/SimPort.h"

namespace kyr::sim {
namespace {

std::string record(std::uint16_t address, std::uint8_t type, const Bytes& data) {
    return formatHexRecord(address, type, data) + "\r\n";
}

Bytes pattern(std::size_t n, std::uint8_t seed) {
    Bytes b(n);
    for (std::size_t i = 0; i < n; ++i) b[i] = static_cast<std::uint8_t>(seed + i * 7);
    return b;
}

// `count` records of 16 bytes from `address` on page `page`.
std::string kyrRecords(std::uint16_t page, std::uint16_t address, int count, std::uint8_t seed) {
    std::string text = record(0, 4, {static_cast<std::uint8_t>(page >> 8),
                                     static_cast<std::uint8_t>(page & 0xFF)});
    for (int i = 0; i < count; ++i)
        text += record(static_cast<std::uint16_t>(address + i * 16), 0,
                       pattern(16, static_cast<std::uint8_t>(seed + i)));
    return text;
}

const std::string KyrTail = ":00000001FF\r\nKYR Mini firmware V3.01\r\n";

class FirmwareRig : public ::testing::Test {
protected:
    void SetUp() override { setLanguage(LangEnglish); }

    void terminal(int type) {
        job.reset();
        comm.reset();
        kom.reset();
        SimConfig config = SimConfig::forType(type);
        kom = std::make_unique<TMKom>(
            [this, config](const std::string&) {
                auto p = std::make_unique<SimPort>(config);
                port = p.get();
                return p;
            },
            TLinkSettings{isLumType(type), 10, "sim:"});
        ASSERT_TRUE(kom->OpenPort(1));
        kom->SetReopenFlag(false);
        comm = std::make_unique<TKyrComm>(*kom, progress);
        job = std::make_unique<TFirmwareJob>(*comm);
    }
    SimTerminal& sim() { return port->terminal(); }

    TJobEnd run(int maxTicks = 20000) {
        for (int t = 0; t < maxTicks; ++t) {
            if (comm->Phase() == jpFailed || comm->Phase() == jpFinished) break;
            port->advance(50);
            kom->KomStep();
            comm->JobStep();
        }
        return comm->IdlePass();
    }

    test::RecordingDialog dialog;
    TSilentProgress progress;
    std::unique_ptr<TMKom> kom;
    std::unique_ptr<TKyrComm> comm;
    std::unique_ptr<TFirmwareJob> job;
    SimPort* port = nullptr;
};

// ---- KYR Series M -----------------------------------------------------------------------------

TEST_F(FirmwareRig, KyrSeriesMFramesOfEightRecordsAndTheDescription) {
    terminal(2);
    const std::string file = kyrRecords(1, 0x0000, 64, 1) + KyrTail;
    ASSERT_TRUE(job->StartText(TFirmwareSeries::KyrSeriesM, file, 1));
    EXPECT_TRUE(run().success);
    EXPECT_EQ(dialog.texts(), std::vector<std::string>{"Program was successfully transferred."});
    EXPECT_EQ(job->Result(), TFirmwareResult::Success);
    const KyrBootLoader& boot = sim().kyrBoot();
    EXPECT_TRUE(boot.programmingEnded());
    EXPECT_EQ(boot.framesWritten(), 64 / 8 + 1);
    for (int i = 0; i < 64; ++i) {
        const Bytes expected = pattern(16, static_cast<std::uint8_t>(1 + i));
        for (int k = 0; k < 16; ++k)
            ASSERT_EQ(boot.flashByte(1, static_cast<std::uint16_t>(i * 16 + k)), expected[k]);
    }
    const std::string description = "KYR Mini firmware V3.01\r\n";
    for (std::size_t k = 0; k < description.size(); ++k)
        EXPECT_EQ(boot.flashByte(7, static_cast<std::uint16_t>(0xFFC0 + k)),
                  static_cast<std::uint8_t>(description[k]));
    EXPECT_EQ(boot.flashByte(7, static_cast<std::uint16_t>(0xFFC0 + description.size())), 0);
}

TEST_F(FirmwareRig, KyrSeriesMPageChangeMidFrameFlushesFirst) {
    terminal(3);
    // Type 2 record: segment 0x2000 is page 2.
    const std::string file = kyrRecords(1, 0x1000, 3, 10) + record(0, 2, {0x20, 0x00}) +
                             record(0x1030, 0, pattern(16, 99)) + KyrTail;
    ASSERT_TRUE(job->StartText(TFirmwareSeries::KyrSeriesM, file, 1));
    EXPECT_TRUE(run().success);
    const KyrBootLoader& boot = sim().kyrBoot();
    EXPECT_EQ(boot.framesWritten(), 3);  // page 1, page 2, description
    EXPECT_EQ(boot.flashByte(1, 0x1000), pattern(16, 10)[0]);
    EXPECT_EQ(boot.flashByte(2, 0x1030), pattern(16, 99)[0]);
    EXPECT_FALSE(boot.flashByte(1, 0x1030).value_or(0xFF) != 0xFF);
}

TEST_F(FirmwareRig, KyrSeriesMFailures) {
    struct Case {
        std::string name;
        std::string file;
        int writeErrorAt;
        bool dropBootVersion;
        std::string message;
        TFirmwareResult result;
    };
    std::string badSum = kyrRecords(1, 0, 2, 1);
    badSum += ":10002000000102030405060708090A0B0C0D0E0F00\r\n" + KyrTail;
    std::string shortLine = kyrRecords(1, 0, 2, 1) + ":1000200000010203\r\n" + KyrTail;
    const std::string noPage = record(0, 0, pattern(16, 1)) + KyrTail;
    const std::vector<Case> cases = {
        {"bad sum", badSum, -1, false, "Program was transferred only partially due to errors",
         TFirmwareResult::Partial},
        {"short line", shortLine, -1, false,
         "Program was transferred only partially due to errors", TFirmwareResult::Partial},
        {"page 0", noPage, -1, false, "Program was transferred only partially due to errors",
         TFirmwareResult::Partial},
        {"flash error", kyrRecords(1, 0, 20, 1) + KyrTail, 1, false,
         "Error writing the FLASH memory", TFirmwareResult::Failed},
        {"lost BOOT answer", kyrRecords(1, 0, 2, 1) + KyrTail, -1, true,
         "Program transmission failed.", TFirmwareResult::Failed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dialog.clear();
        terminal(2);
        sim().kyrBoot().writeErrorAtFrame = c.writeErrorAt;
        if (c.dropBootVersion) sim().faults().add(Fault(FaultKind::Drop).always().onCommand(0xA8));
        ASSERT_TRUE(job->StartText(TFirmwareSeries::KyrSeriesM, c.file, 1));
        EXPECT_FALSE(run().success);
        EXPECT_EQ(dialog.texts(), std::vector<std::string>{c.message});
        EXPECT_EQ(job->Result(), c.result);
        EXPECT_FALSE(sim().kyrBoot().programmingEnded());
    }
}

TEST_F(FirmwareRig, RefusedStarts) {
    terminal(2);
    EXPECT_FALSE(job->StartText(TFirmwareSeries::KyrSeriesM, kyrRecords(1, 0, 1, 1), 1));
    EXPECT_FALSE(job->StartText(TFirmwareSeries::Lum, KyrTail, 1));
    EXPECT_EQ(dialog.texts(), (std::vector<std::string>{"Not a firmware file for KYR Series M",
                                                        "Not a firmware file for LUM"}));
    dialog.clear();
    ASSERT_TRUE(job->StartText(TFirmwareSeries::KyrSeriesM, kyrRecords(1, 0, 1, 1) + KyrTail, 1));
    EXPECT_EQ(comm->Phase(), 20);
    EXPECT_FALSE(job->StartText(TFirmwareSeries::KyrSeriesM, kyrRecords(1, 0, 1, 1) + KyrTail, 1));
    EXPECT_EQ(dialog.beeps, 1);
    comm->CancelByUser();
    EXPECT_EQ(dialog.texts(), std::vector<std::string>{"Program transmission aborted by user"});
    EXPECT_EQ(job->Result(), TFirmwareResult::Cancelled);
}

// ---- LUM --------------------------------------------------------------------------------------

std::string lumFile(const std::string& model) {
    std::string text;
    for (int i = 0; i < 10; ++i)
        text += record(static_cast<std::uint16_t>(0x0100 + i * 24), 0,
                       pattern(24, static_cast<std::uint8_t>(i)));
    text += record(0x8000, 0, pattern(5, 77));
    return text + ":00000001FF\r\n" + model + " V4.02 Protocols: 0,6,46\r\n";
}

void expectFlashHolds(const LumBootLoader& boot) {
    for (int i = 0; i < 10; ++i) {
        const Bytes expected = pattern(24, static_cast<std::uint8_t>(i));
        for (int k = 0; k < 24; ++k) ASSERT_EQ(boot.flash()[0x0100 + i * 24 + k], expected[k]);
    }
    EXPECT_EQ(boot.flash()[0x8004], pattern(5, 77)[4]);
    EXPECT_FALSE(boot.written()[0x80FF]);
}

TEST_F(FirmwareRig, LumSigmaUpdate) {
    terminal(4);
    ASSERT_TRUE(job->StartText(TFirmwareSeries::Lum, lumFile("LUM Sigma"), 1));
    EXPECT_TRUE(run().success);
    EXPECT_EQ(dialog.texts(), std::vector<std::string>{"Program was successfully transferred."});
    const LumBootLoader& boot = sim().lumBoot();
    EXPECT_TRUE(boot.started());
    // 240 bytes from 0x100 cut at 64-byte boundaries, and the 5 bytes at 0x8000.
    EXPECT_EQ(boot.recordsTaken(), 5);
    expectFlashHolds(boot);
    const Bytes sent = port->sentBytes();
    const std::string wire(sent.begin(), sent.end());
    EXPECT_NE(wire.find("*01B094EA\r"), std::string::npos);
    EXPECT_NE(wire.find("*01C97B54\r"), std::string::npos);
    EXPECT_EQ(wire.substr(wire.size() - 20), std::string(":0400000303010000F5") + '\0');
}

TEST_F(FirmwareRig, LumAlreadyInBootSkipsTheStatusRequest) {
    terminal(5);
    sim().lumBoot().enter();
    ASSERT_TRUE(job->StartText(TFirmwareSeries::Lum, lumFile("LUMQ1"), 1));
    EXPECT_TRUE(run().success);
    const Bytes sent = port->sentBytes();
    EXPECT_EQ(std::string(sent.begin(), sent.end()).find("*01B0"), std::string::npos);
    expectFlashHolds(sim().lumBoot());
}

TEST_F(FirmwareRig, LumFailures) {
    struct Case {
        std::string name;
        int type;
        std::string model;
        bool eraseFails;
        int garbled;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"Sigma file on a LUMQ1", 5, "LUM Sigma", false, 0,
         "The firmware type doesn't fit to the Terminal type"},
        {"LUMQ file on a LUM Sigma", 4, "LUMQ2", false, 0,
         "The firmware type doesn't fit to the Terminal type"},
        {"erase refused", 4, "LUM Sigma", true, 0, "Program transmission failed"},
        {"record refused twice", 7, "LUMQ2", false, 2, "Program transmission failed"},
        {"record refused once", 7, "LUMQ2", false, 1, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dialog.clear();
        terminal(c.type);
        sim().lumBoot().eraseFails = c.eraseFails;
        sim().lumBoot().garbledRecords = c.garbled;
        ASSERT_TRUE(job->StartText(TFirmwareSeries::Lum, lumFile(c.model), 1));
        const bool ok = run().success;
        if (c.message.empty()) {
            EXPECT_TRUE(ok);
            expectFlashHolds(sim().lumBoot());
            continue;
        }
        EXPECT_FALSE(ok);
        EXPECT_EQ(dialog.texts(), std::vector<std::string>{c.message});
        EXPECT_FALSE(sim().lumBoot().started());
    }
}

TEST_F(FirmwareRig, LumTerminalThatNeverEntersBoot) {
    terminal(4);
    sim().lumBoot().silent = true;
    sim().faults().add(Fault(FaultKind::Drop).always().onCommand(0xB0));
    ASSERT_TRUE(job->StartText(TFirmwareSeries::Lum, lumFile("LUM Sigma"), 1));
    EXPECT_FALSE(run().success);
    EXPECT_EQ(dialog.texts(), std::vector<std::string>{"Program transmission failed"});
}

TEST_F(FirmwareRig, MalformedLumFileIsRefusedBeforeTheErase) {
    terminal(4);
    const std::string file = ":1001000000\r\n:00000001FF\r\nLUM Sigma Protocols: 1\r\n";
    EXPECT_FALSE(job->StartText(TFirmwareSeries::Lum, file, 1));
    EXPECT_EQ(dialog.texts(), std::vector<std::string>{"Bad  HEX record"});
    EXPECT_EQ(comm->Phase(), jpIdle);
    EXPECT_TRUE(port->sentBytes().empty());
}

TEST_F(FirmwareRig, BusyGuardSkipsATickInsideAStep) {
    terminal(4);
    int pumped = 0;
    std::size_t sentBefore = 0;
    job->SetMessagePump([&] {
        ++pumped;
        sentBefore = port->sentBytes().size();
        comm->JobStep();  // a timer firing inside the step
        EXPECT_EQ(port->sentBytes().size(), sentBefore);
        EXPECT_TRUE(job->Busy());
    });
    ASSERT_TRUE(job->StartText(TFirmwareSeries::Lum, lumFile("LUM Sigma"), 1));
    EXPECT_TRUE(run().success);
    EXPECT_GT(pumped, 0);
    EXPECT_FALSE(job->Busy());
}

TEST_F(FirmwareRig, CancelInsideTheRecordLoopStopsIt) {
    terminal(4);
    job->SetMessagePump([&] {
        if (comm->Phase() == 27) comm->CancelByUser();
    });
    ASSERT_TRUE(job->StartText(TFirmwareSeries::Lum, lumFile("LUM Sigma"), 1));
    EXPECT_FALSE(run().success);
    EXPECT_EQ(dialog.texts(), std::vector<std::string>{"Program transmission aborted by user"});
    EXPECT_LE(sim().lumBoot().recordsTaken(), 1);
    EXPECT_FALSE(sim().lumBoot().started());
}

}  // namespace
}  // namespace kyr::sim

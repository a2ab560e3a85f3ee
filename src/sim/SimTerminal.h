#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/Bytes.h"
#include "sim/BootLoaders.h"
#include "sim/FaultPlan.h"
#include "sim/FrameParser.h"
#include "sim/KyrMemory.h"
#include "sim/LumMemory.h"
#include "sim/Reply.h"
#include "sim/ScreenRecord.h"
#include "sim/SimConfig.h"
#include "sim/TerminalClock.h"

namespace kyr::sim {

// Bytes the terminal puts on the line, `delayMs` after the request that caused them.
struct Emission {
    Bytes bytes;
    int delayMs = 0;
};

// One screen the terminal holds.
struct ScreenInfo {
    std::uint16_t number = 0;
    Allocation where;  // LUM: bank 0 and the address in its memory
    Bytes record;
};

// What went over the line, for tests and the state dump.
struct Counters {
    int frames = 0;      // well-formed requests to this terminal
    int replies = 0;     // replies sent (faulty ones included, dropped ones not)
    int unanswered = 0;  // requests the terminal stayed silent to
    int badFrames = 0;   // frames with a bad CRC, size or command
    int faultsApplied = 0;
    std::map<std::uint8_t, int> byCommand;  // well-formed requests by command code
};

// A simulated terminal of one of the ten types, answering the link commands of its user
// program firmware (binary frames for the KYR family, ASCII frames for LUM) from the memory
// it keeps. Feed it the characters of the line; take what it sends back.
class SimTerminal {
public:
    explicit SimTerminal(const SimConfig& config);

    // One character from the line, at time `nowMs` of the simulator's clock.
    void receive(std::uint8_t byte, CharKind kind, std::int64_t nowMs);
    void receive(std::span<const std::uint8_t> bytes, CharKind kind, std::int64_t nowMs);
    // What the terminal has sent since the last call, in order.
    std::vector<Emission> takeOutput();
    // Forgets a partly received frame (the port was reopened, the line was idle).
    void resetLink();

    FaultPlan& faults() { return faults_; }
    const SimConfig& config() const { return config_; }
    LinkEncoding encoding() const { return encodingOfType(config_.type); }
    const Counters& counters() const { return counters_; }

    // The terminal's state.
    StatusBytes status() const { return statusBytes(config_, hasValidData()); }
    bool hasValidData() const;
    Bytes setup() const;
    // The 32 bytes of the communication table (LUM: the 16 stored, then 16 zero bytes).
    Bytes commTable() const;
    std::vector<std::uint8_t> exdNumbers() const;
    std::optional<Bytes> exdTable(std::uint8_t number) const;  // the 64 table bytes
    std::vector<ScreenInfo> screens() const;
    std::optional<Bytes> screenRecord(std::uint16_t number) const;
    ClockFields clock(std::int64_t nowMs) const { return clock_.read(nowMs); }
    // The BOOT loaders of the firmware update (KYR Mini and Grand; LUM).
    KyrBootLoader& kyrBoot() { return kyrBoot_; }
    const KyrBootLoader& kyrBoot() const { return kyrBoot_; }
    LumBootLoader& lumBoot() { return lumBoot_; }
    const LumBootLoader& lumBoot() const { return lumBoot_; }
    const KyrMemory* kyrMemory() const { return kyr_.get(); }
    const LumMemory* lumMemory() const { return lum_.get(); }
    ScreenFormat screenFormat() const;

    // Puts a program into the terminal as a download would (for tests and demonstrations).
    void storeSetup(std::span<const std::uint8_t> tenBytes);
    void storeCommTable(std::span<const std::uint8_t> bytes);
    bool storeExdTable(std::uint8_t number, std::span<const std::uint8_t> sixtyFourBytes);
    // False when the record is malformed or there is no room.
    bool storeScreen(std::span<const std::uint8_t> record);

    // The state as a JSON document.
    std::string stateJson(std::int64_t nowMs) const;

private:
    using Params = std::span<const std::uint8_t>;
    using Handler = Reply (SimTerminal::*)(Params);
    enum class Families { All, Kyr, Lum, MiniGrand, T240T220 };
    struct Command {
        std::uint8_t code;
        Families families;
        int minLevel;
        Handler handler;
    };
    static const std::vector<Command>& commands();

    void handleFrame(const Frame& frame);
    bool available(const Command& command) const;
    // Not "emit": the simulator is built into the desktop program, where that is a macro.
    void sendReply(std::uint8_t code, const Reply& reply);
    void sendLater(Bytes bytes, int delayMs);

    // Handlers, one per command code.
    Reply onReadClock(Params);
    Reply onSetClock(Params);
    Reply onStatus(Params);
    Reply onVersion(Params);
    Reply onBootVersion(Params);
    Reply onToolVersions(Params);
    Reply onClear(Params);
    Reply onReadSetup(Params);
    Reply onWriteSetup(Params);
    Reply onFreeMemory(Params);
    Reply onReadComm(Params);
    Reply onReadCommLong(Params);
    Reply onWriteComm(Params);
    Reply onWriteCommLong(Params);
    Reply onExdList(Params);
    Reply onReadExd(Params);
    Reply onWriteExd(Params);
    Reply onScreenList8(Params);
    Reply onScreenList16(Params);
    Reply onScreenListMore(Params);
    Reply onLocate(Params);
    Reply onReadBlock(Params);
    Reply onReadBankBlock(Params);
    Reply onAllocate(Params);
    Reply onWriteBlock(Params);
    Reply onWriteBankBlock(Params);
    Reply onCloseScreen(Params);
    Reply onLumMemoryStructure(Params);
    Reply onLumProtocols(Params);
    Reply onLumWrite(Params);
    Reply onBootSwitch(Params);
    Reply onLumBootSwitch(Params);

    // KYR screen directory.
    struct ScreenEntry {
        std::uint16_t number;
        Allocation where;
        std::uint16_t length;
        bool writtenThisDownload;
    };
    std::vector<std::uint16_t> listedNumbers(std::uint8_t selector) const;
    Reply screenListPart();
    std::uint8_t closeScreen(const Allocation& where);
    void eraseProgram(std::uint8_t selector);

    SimConfig config_;
    std::int64_t now_ = 0;
    std::int64_t busyUntil_ = 0;
    BinaryFrameParser binary_;
    AsciiFrameParser ascii_;
    FaultPlan faults_;
    Counters counters_;
    std::vector<Emission> output_;
    int replyDelayMs_ = 0;  // set by a handler whose reply takes time

    TerminalClock clock_;
    bool validData_ = false;
    Bytes setup_;
    Bytes comm_;
    std::map<std::uint8_t, Bytes> exd_;
    std::unique_ptr<KyrMemory> kyr_;
    std::unique_ptr<LumMemory> lum_;
    KyrBootLoader kyrBoot_;
    LumBootLoader lumBoot_;
    std::vector<ScreenEntry> directory_;
    std::optional<Allocation> openScreen_;
    std::vector<std::uint16_t> listSnapshot_;
    std::size_t listCursor_ = 0;
};

}  // namespace kyr::sim

#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/Bytes.h"
#include "sim/FrameParser.h"
#include "sim/Reply.h"

namespace kyr::sim {

// The KYR Series M BOOT loader: after the switch command it answers the firmware commands
// of the link protocol and keeps the flash it is given, one 64 KB page at a time.
class KyrBootLoader {
public:
    static constexpr std::size_t PageSize = 0x10000;

    bool active() const { return active_; }
    void enter() { active_ = true; }

    // A request while the loader runs; `delayMs` is set for replies that take time.
    Reply handle(std::span<const std::uint8_t> request, int& delayMs);

    // The flash as programmed: pages written so far, unwritten bytes 0xFF.
    const std::map<int, Bytes>& pages() const { return pages_; }
    std::optional<std::uint8_t> flashByte(int page, std::uint16_t address) const;
    bool erased() const { return erased_; }
    bool programmingEnded() const { return ended_; }
    int framesWritten() const { return frames_; }

    // Faults: the erase is never acknowledged; the data frame with this 0-based index
    // answers 0xFF (-1: none); how long the erase takes.
    bool eraseFails = false;
    int writeErrorAtFrame = -1;
    int eraseMs = 300;

private:
    Reply writeFrame(std::span<const std::uint8_t> params);

    bool active_ = false;
    bool erased_ = false;
    bool ended_ = false;
    int frames_ = 0;
    std::map<int, Bytes> pages_;
};

// Characters the loader puts on the line, `delayMs` after the character that caused them.
struct BootOutput {
    Bytes bytes;
    int delayMs = 0;
};

// The LUM BOOT loader: answers "U" with "U", echoes every character of a HEX record line and
// then answers "." (taken) or "?" (refused) and a line end. Records of type 3 erase the
// flash (07) or start the new firmware (03 01 00 00, followed by a zero byte).
class LumBootLoader {
public:
    static constexpr std::size_t FlashSize = 0x10000;

    bool active() const { return active_; }
    void enter() { active_ = true; }

    // One character of the line; characters sent with space or mark parity do not reach a
    // loader that runs with parity none.
    void receive(std::uint8_t byte, CharKind kind, std::vector<BootOutput>& out);

    const Bytes& flash() const { return flash_; }
    const std::vector<bool>& written() const { return written_; }
    bool erased() const { return erased_; }
    bool started() const { return started_; }
    int recordsTaken() const { return records_; }

    // Faults: the erase is refused; the next n data records arrive garbled and are refused;
    // the loader stays silent to every record line.
    bool eraseFails = false;
    int garbledRecords = 0;
    bool silent = false;
    int eraseMs = 2000;

private:
    void finishLine(std::vector<BootOutput>& out);

    bool active_ = false;
    bool erased_ = false;
    bool started_ = false;
    bool awaitZero_ = false;
    int records_ = 0;
    std::string line_;
    std::size_t expected_ = 0;
    Bytes flash_ = Bytes(FlashSize, 0xFF);
    std::vector<bool> written_ = std::vector<bool>(FlashSize, false);
};

}  // namespace kyr::sim

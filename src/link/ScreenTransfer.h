#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "link/JobLink.h"
#include "link/TerminalLists.h"
#include "model/Bytes.h"

namespace kyr {

// Reads one screen record from a KYR terminal: 0xB4 locates it, then blocks of at most 128
// bytes are read. Given the record expected, it compares block by block instead and stops
// at the first difference.
class TScreenReader {
public:
    void Start(int number, int level, std::uint8_t selector, int family,
               std::optional<Bytes> expected = std::nullopt);
    // Busy; Done (record read, or compared); Failed when the terminal names length 0.
    TPartResult Step(TJobLink& link);
    // Sends the first request now, in the tick the read was started.
    void SendNow(TJobLink& link) { request_.Send(link.Kom()); }

    int Number() const { return number_; }
    const Bytes& Record() const { return record_; }
    bool Differs() const { return differs_; }

private:
    // Prepares the next block and sends it at once, in the tick that finished the last one.
    void startBlock(TJobLink& link);

    enum class Stage { Locate, Read, Done };
    Stage stage_ = Stage::Done;
    TLinkStep request_;
    int number_ = 0;
    int family_ = 0;
    std::uint16_t address_ = 0;
    std::uint16_t length_ = 0;
    std::uint8_t bank_ = 0;
    Bytes record_;
    std::optional<Bytes> expected_;
    bool differs_ = false;
};

// Writes one screen record to a KYR terminal: 0xB3 allocates room, blocks of at most 128
// bytes follow, 0xB5 closes the screen.
class TScreenWriter {
public:
    enum class Result { Busy, Done, NoSpace };

    void Start(Bytes record, std::uint8_t selector, int family);
    Result Step(TJobLink& link);
    // Sends the first request now, in the tick the write was started.
    void SendNow(TJobLink& link) { request_.Send(link.Kom()); }

    // The terminal's answer to the close: 0 accepted, else an error code.
    std::uint8_t CloseCode() const { return closeCode_; }
    std::size_t BytesSent() const { return offset_; }
    std::size_t Size() const { return record_.size(); }

private:
    // Prepares the next block and sends it at once, in the tick that finished the last one.
    void startBlock(TJobLink& link);

    enum class Stage { Allocate, Write, Close, Done };
    Stage stage_ = Stage::Done;
    TLinkStep request_;
    Bytes record_;
    int family_ = 0;
    std::uint16_t address_ = 0;
    std::uint8_t bank_ = 0;
    std::size_t offset_ = 0;
    std::size_t blockSize_ = 0;
    std::uint8_t lastCountByte_ = 0;
    std::uint8_t closeCode_ = 0;
};

}  // namespace kyr

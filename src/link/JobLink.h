#pragma once

#include <cstdint>

#include "link/Comm.h"
#include "link/LinkStep.h"
#include "link/Timeout.h"

namespace kyr {

// What the parts of a job need of the link: one tick of a request, counted against the
// job's time-out, and the payload that went over the line.
class TJobLink {
public:
    TJobLink(TMKom& kom, TTimeout& timeout) : kom_(&kom), timeout_(&timeout) {}

    // One job tick of `step`: true once its reply is there (the time-out starts again and
    // the request and reply bytes count as payload); otherwise the time-out advances.
    bool Await(TLinkStep& step);
    // As Await, but a tick spent waiting does not advance the time-out.
    bool AwaitUncounted(TLinkStep& step);

    TMKom& Kom() { return *kom_; }
    TTimeout& Timeout() { return *timeout_; }
    std::uint64_t PayloadBytes() const { return payload_; }
    void ResetPayload() { payload_ = 0; }

private:
    bool completed(TLinkStep& step);

    TMKom* kom_;
    TTimeout* timeout_;
    std::uint64_t payload_ = 0;
};

// Where a block of a screen lies for the block commands: bank 0 is the plain address space;
// other banks are reached through a bank byte, mapped by terminal family.
struct TBankAddress {
    std::uint8_t bankByte = 0;
    std::uint16_t address = 0;
};
TBankAddress MapBankAddress(int family, std::uint8_t bank, std::uint16_t address,
                            std::uint32_t offset);

// Largest data block of one read or write request.
inline constexpr std::size_t MaxBlock = 128;

// The memory block requests: 0xA1 / 0xBE reads, 0xA4 / 0xBF writes.
Bytes ReadBlockRequest(int family, std::uint8_t bank, std::uint16_t address,
                       std::uint32_t offset, std::size_t count);
Bytes WriteBlockRequest(int family, std::uint8_t bank, std::uint16_t address,
                        std::uint32_t offset, std::span<const std::uint8_t> data);

}  // namespace kyr

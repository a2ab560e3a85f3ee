#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "link/LinkTypes.h"
#include "model/Bytes.h"

namespace kyr::link {

// The request bytes followed by their CRC, high byte first. The CRC covers the address byte
// (unless it is 0) and the request bytes.
Bytes withCrc(std::uint8_t address, std::span<const std::uint8_t> request);

// The ASCII frame of a request that already carries its CRC: "*", two upper-case hex digits
// for the address (unless it is 0) and for every byte, then a carriage return.
std::string asciiFrame(std::uint8_t address, std::span<const std::uint8_t> requestWithCrc);

// Ticks an attempt may wait for its reply.
int binaryTimeoutTicks(int replyLength);
int asciiTimeoutTicks(int replyLength);

// The value of one hex digit as the terminal's replies are read: "0"-"9" and letters of
// either case; other characters give some value that the CRC then refuses.
std::uint8_t hexDigitValue(std::uint8_t c);

enum class ReplyProgress { More, Done, Bad };

// Assembles a binary reply from the pieces that the reads deliver.
class BinaryReplyDecoder {
public:
    void reset(int expectedLength);
    // How many bytes the next read may take: the rest of the reply and its CRC.
    std::size_t room() const;
    // Adds what one read delivered (at most room() bytes).
    ReplyProgress feed(std::span<const std::uint8_t> bytes);
    // The reply without its CRC; for a variable reply the length byte comes first.
    std::span<const std::uint8_t> reply() const;

private:
    std::array<std::uint8_t, MaxReplyLength + 2> buffer_{};
    std::size_t received_ = 0;
    int expected_ = 0;
};

// Assembles an ASCII reply character by character. A "*" (re)starts the reply, so noise and
// an earlier start character are dropped; a carriage return ends it.
class AsciiReplyDecoder {
public:
    static constexpr std::size_t MaxChars = 520;

    void reset(int expectedLength);
    ReplyProgress feed(std::uint8_t c);
    // A "*" has been seen since reset().
    bool started() const { return started_; }
    std::span<const std::uint8_t> reply() const;

private:
    ReplyProgress finish();

    std::array<std::uint8_t, MaxChars> chars_{};
    std::array<std::uint8_t, MaxChars / 2> bytes_{};
    std::size_t count_ = 0;
    int expected_ = 0;
    bool started_ = false;
};

}  // namespace kyr::link

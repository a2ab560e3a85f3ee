#pragma once

#include <cstdint>

namespace kyr {

// The caller's status byte of one kind of request, written by the link.
enum TReqStatus : std::uint8_t {
    rsDone = 0,       // reply received and copied
    rsPending = 1,    // queued or on the line
    rsQueueFull = 2,  // not queued: the ring was full
    rsFailed = 3,     // retries exhausted, port closed or request refused
    rsIdle = 99,      // 'c': the caller's mark for a request still to be sent
};

// The state of the exchange on the line.
enum TLinkState : std::uint8_t {
    lsIdle = 0,
    lsSending = 1,
    lsReceiving = 2,
    lsError = 3,
    lsDone = 4,
    lsAwaitStart = 5,
};

namespace link {

inline constexpr std::uint8_t Ack = 0x06;
// Every request of this program goes to this terminal address.
inline constexpr std::uint8_t TerminalAddress = 1;
// Reply length 0 awaits the single acknowledge byte, 255 a reply that gives its own length.
inline constexpr int AckReply = 0;
inline constexpr int VariableReply = 255;
// A request and its two CRC bytes fill the 256-byte transmit buffer.
inline constexpr int MaxRequestLength = 254;
inline constexpr int MaxReplyLength = 255;
inline constexpr int DefaultComDelay = 10;
// Sends of one request: 30, or 5 for the switch to the BOOT loader.
inline constexpr int Sends = 30;
inline constexpr int BootSwitchSends = 5;
inline constexpr std::uint8_t CmdBootSwitch = 0xC0;

}  // namespace link
}  // namespace kyr

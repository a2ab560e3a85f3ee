#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "model/Bytes.h"
#include "sim/SimConfig.h"

namespace kyr::sim {

// What a command handler answers: nothing (the terminal stays silent), the acknowledge
// byte, or reply bytes that go out with their CRC.
struct Reply {
    enum class Kind { None, Ack, Data };
    Kind kind = Kind::None;
    Bytes data;

    static Reply none() { return {}; }
    static Reply ack() { return {Kind::Ack, {}}; }
    static Reply bytes(Bytes b) { return {Kind::Data, std::move(b)}; }
    // A reply of self-described length: a length byte (counting itself) before `body`.
    static Reply variable(const Bytes& body);
};

inline constexpr std::uint8_t AckByte = 0x06;

// The reply bytes before framing: the acknowledge byte, or the data and its CRC high
// byte first.
Bytes replyPayload(const Reply& reply);
// The payload on the line: as it is (binary), or "*", upper-case hex digits and a carriage
// return (ASCII).
Bytes frameReply(const Bytes& payload, LinkEncoding encoding);

}  // namespace kyr::sim

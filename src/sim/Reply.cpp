#include "sim/Reply.h"

#include "sim/FrameParser.h"

namespace kyr::sim {

Reply Reply::variable(const Bytes& body) {
    Bytes b;
    b.reserve(body.size() + 1);
    b.push_back(static_cast<std::uint8_t>(body.size() + 1));
    b.insert(b.end(), body.begin(), body.end());
    return bytes(std::move(b));
}

Bytes replyPayload(const Reply& reply) {
    if (reply.kind == Reply::Kind::Ack) return Bytes{AckByte};
    if (reply.kind == Reply::Kind::None) return {};
    Bytes out = reply.data;
    const std::uint16_t crc = frameCrc(out);
    out.push_back(static_cast<std::uint8_t>(crc >> 8));
    out.push_back(static_cast<std::uint8_t>(crc & 0xFF));
    return out;
}

Bytes frameReply(const Bytes& payload, LinkEncoding encoding) {
    if (encoding == LinkEncoding::Binary) return payload;
    static constexpr char Hex[] = "0123456789ABCDEF";
    Bytes out;
    out.reserve(payload.size() * 2 + 2);
    out.push_back('*');
    for (std::uint8_t b : payload) {
        out.push_back(static_cast<std::uint8_t>(Hex[b >> 4]));
        out.push_back(static_cast<std::uint8_t>(Hex[b & 0x0F]));
    }
    out.push_back('\r');
    return out;
}

}  // namespace kyr::sim

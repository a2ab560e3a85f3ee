#pragma once

#include <algorithm>
#include <optional>
#include <string>

#include "link/Crc16.h"
#include "model/Bytes.h"
#include "sim/SimPort.h"

namespace kyr::sim::test {

// Hand-built frames to a simulated terminal through its port, and the replies taken apart.
class SimWire {
public:
    explicit SimWire(const SimConfig& config) : port(config) { port.open("sim:"); }
    explicit SimWire(int type) : SimWire(SimConfig::forType(type)) {}

    // Sends one request in the terminal's encoding to `address`.
    void send(const Bytes& request, std::uint8_t address = 1) {
        Bytes framed{address};
        framed.insert(framed.end(), request.begin(), request.end());
        const std::uint16_t crc = Crc16::instance().compute(framed);
        framed.push_back(static_cast<std::uint8_t>(crc >> 8));
        framed.push_back(static_cast<std::uint8_t>(crc & 0xFF));
        if (port.terminal().encoding() == LinkEncoding::Ascii) {
            port.writeBytes(asciiFrame(framed));
            return;
        }
        port.setParity(SerialPort::Parity::Mark);
        port.transmitChar(framed[0]);
        port.setParity(SerialPort::Parity::Space);
        port.writeBytes(std::span<const std::uint8_t>(framed).subspan(1));
    }

    // Everything the terminal has sent so far.
    Bytes readAll() {
        Bytes out;
        std::uint8_t buf[600];
        for (;;) {
            const int n = port.readAvailable(buf);
            if (n <= 0) return out;
            out.insert(out.end(), buf, buf + n);
        }
    }

    // The reply bytes without the CRC; {0x06} for an acknowledge; nullopt when the terminal
    // stayed silent or the reply is damaged.
    std::optional<Bytes> ask(const Bytes& request) {
        send(request);
        return decode(readAll());
    }

    std::optional<Bytes> decode(const Bytes& raw) const {
        Bytes payload = raw;
        if (port.terminal().encoding() == LinkEncoding::Ascii) {
            auto star = std::find(raw.rbegin(), raw.rend(), '*');
            if (star == raw.rend() || raw.back() != '\r') return std::nullopt;
            const std::string hex(star.base(), raw.end() - 1);
            payload.clear();
            for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
                payload.push_back(
                    static_cast<std::uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
        }
        if (payload.size() == 1) return payload;
        if (payload.size() < 3) return std::nullopt;
        const std::size_t n = payload.size() - 2;
        const std::uint16_t crc = Crc16::instance().compute(std::span(payload).first(n));
        if (crc != bytes::u16be(payload, n)) return std::nullopt;
        payload.resize(n);
        return payload;
    }

    static Bytes asciiFrame(const Bytes& framed) {
        static constexpr char Hex[] = "0123456789ABCDEF";
        Bytes out{'*'};
        for (std::uint8_t b : framed) {
            out.push_back(static_cast<std::uint8_t>(Hex[b >> 4]));
            out.push_back(static_cast<std::uint8_t>(Hex[b & 0x0F]));
        }
        out.push_back('\r');
        return out;
    }

    SimTerminal& terminal() { return port.terminal(); }

    SimPort port;
};

inline const Bytes Ack{0x06};

// A screen record with `text` and no functions, in the KYR byte order (or LUM's).
inline Bytes screenRecord(std::uint16_t number, const std::string& text, bool twoByte = true,
                          bool lowFirst = false) {
    const std::size_t width = twoByte ? 2 : 1;
    const std::size_t length = width + text.size() + 8;
    Bytes r(length, 0);
    bytes::setU16(r, 0, static_cast<std::uint16_t>(length), lowFirst);
    if (twoByte)
        bytes::setU16(r, 2, number, lowFirst);
    else
        r[2] = static_cast<std::uint8_t>(number);
    std::size_t at = 2 + width;
    r[at++] = static_cast<std::uint8_t>(text.size() + 2);
    r[at++] = 0x00;  // flags: character set 0
    r[at++] = 0xFF;  // no EXD table
    for (char c : text) r[at++] = static_cast<std::uint8_t>(c);
    return r;  // function list end and the final zero byte are already zero
}

inline Bytes emptyScreenRecord(std::uint16_t number, bool twoByte = true) {
    Bytes r = twoByte ? Bytes{0x00,
                              0x07,
                              static_cast<std::uint8_t>(number >> 8),
                              static_cast<std::uint8_t>(number & 0xFF),
                              0x00,
                              0x00,
                              0x00}
                      : Bytes{0x00, 0x06, static_cast<std::uint8_t>(number), 0x00, 0x00, 0x00};
    return r;
}

}  // namespace kyr::sim::test

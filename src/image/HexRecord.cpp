#include "image/HexRecord.h"

#include <algorithm>
#include <optional>

namespace kyr {

namespace {

constexpr char HexDigits[] = "0123456789ABCDEF";

void appendHexByte(std::string& out, std::uint8_t b) {
    out.push_back(HexDigits[b >> 4]);
    out.push_back(HexDigits[b & 0x0F]);
}

std::optional<std::uint8_t> hexNibble(char c) {
    if (c >= '0' && c <= '9') return static_cast<std::uint8_t>(c - '0');
    if (c >= 'A' && c <= 'F') return static_cast<std::uint8_t>(c - 'A' + 10);
    if (c >= 'a' && c <= 'f') return static_cast<std::uint8_t>(c - 'a' + 10);
    return std::nullopt;
}

// The byte whose two hex digits start at `at`; the caller keeps `at + 1` inside `text`.
std::optional<std::uint8_t> hexByteAt(std::string_view text, std::size_t at) {
    const auto hi = hexNibble(text[at]);
    const auto lo = hexNibble(text[at + 1]);
    if (!hi || !lo) return std::nullopt;
    return static_cast<std::uint8_t>((*hi << 4) | *lo);
}

}  // namespace

std::uint8_t hexChecksum(std::uint16_t address, std::uint8_t type,
                         std::span<const std::uint8_t> data) {
    unsigned sum = static_cast<unsigned>(data.size()) + (address >> 8) + (address & 0xFF) + type;
    for (std::uint8_t b : data) sum += b;
    return static_cast<std::uint8_t>((0u - sum) & 0xFF);
}

void appendHexRecord(std::string& out, std::uint16_t address, std::uint8_t type,
                     std::span<const std::uint8_t> data) {
    data = data.first(std::min(data.size(), HexMaxRecordData));
    out.push_back(':');
    appendHexByte(out, static_cast<std::uint8_t>(data.size()));
    appendHexByte(out, static_cast<std::uint8_t>(address >> 8));
    appendHexByte(out, static_cast<std::uint8_t>(address & 0xFF));
    appendHexByte(out, type);
    for (std::uint8_t b : data) appendHexByte(out, b);
    appendHexByte(out, hexChecksum(address, type, data));
}

std::string formatHexRecord(std::uint16_t address, std::uint8_t type,
                            std::span<const std::uint8_t> data) {
    std::string out;
    out.reserve(11 + 2 * data.size());
    appendHexRecord(out, address, type, data);
    return out;
}

HexParseResult parseHexRecord(std::string_view line) {
    HexParseResult result;
    if (line.size() < 3 || line[0] != ':') return result;
    const auto length = hexByteAt(line, 1);
    if (!length) return result;
    const std::size_t byteCount = *length + 5u;  // length, address (2), type, data, check sum
    if (line.size() < 2 * *length + 11u) return result;

    Bytes raw(byteCount);
    unsigned sum = 0;
    for (std::size_t i = 0; i < byteCount; ++i) {
        const auto b = hexByteAt(line, 1 + 2 * i);
        if (!b) return result;
        raw[i] = *b;
        sum += *b;
    }
    if ((sum & 0xFF) != 0) {
        result.status = HexParseStatus::BadChecksum;
        return result;
    }
    result.status = HexParseStatus::Ok;
    result.record.address = bytes::u16be(raw, 1);
    result.record.type = raw[3];
    result.record.data.assign(raw.begin() + 4, raw.end() - 1);
    return result;
}

}  // namespace kyr

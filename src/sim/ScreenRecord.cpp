#include "sim/ScreenRecord.h"

#include "model/Bytes.h"

namespace kyr::sim {

namespace {

constexpr std::uint8_t HighestFunctionKind = 4;

}  // namespace

std::optional<std::uint16_t> screenNumberOf(std::span<const std::uint8_t> record,
                                            ScreenFormat format) {
    const std::size_t width = format.twoByteNumber ? 2 : 1;
    if (record.size() < 2 + width) return std::nullopt;
    if (!format.twoByteNumber) return record[2];
    return bytes::u16(record, 2, format.lowFirst);
}

std::optional<ScreenRecordInfo> checkScreenRecord(std::span<const std::uint8_t> record,
                                                  ScreenFormat format) {
    const std::size_t width = format.twoByteNumber ? 2 : 1;
    if (record.size() < 2) return std::nullopt;
    ScreenRecordInfo info;
    info.length = bytes::u16(record, 0, format.lowFirst);
    const std::size_t length = info.length;
    // Length, number, text block length and the function list's end mark at the least.
    if (length < 2 + width + 1 + 2 || length > record.size()) return std::nullopt;
    info.number = *screenNumberOf(record, format);

    std::size_t at = 2 + width;
    const std::uint8_t textBlock = record[at++];
    if (textBlock > 0) {
        const std::uint8_t flags = record[at];
        const int charset = (flags >> 2) & 0x03;
        if (charset > 1) return std::nullopt;
    }
    at += textBlock;

    bool firstFunction = true;
    for (;;) {
        if (at + 2 > length) return std::nullopt;
        const std::uint16_t functionLength = bytes::u16(record, at, format.lowFirst);
        if (functionLength == 0) {
            at += 2;
            break;
        }
        if (functionLength < 3 || at + functionLength > length) return std::nullopt;
        if (record[at + 2] > HighestFunctionKind) return std::nullopt;
        at += functionLength;
        firstFunction = false;
    }
    info.empty = textBlock == 0 && firstFunction;
    return info;
}

}  // namespace kyr::sim

#include "image/HexWriter.h"

#include <algorithm>
#include <ostream>

#include "image/HexRecord.h"

namespace kyr {

namespace {
constexpr std::size_t BytesPerRecord = 16;
constexpr std::string_view LineEnd = "\r\n";
}  // namespace

void HexWriter::WriteHexRecords(std::int32_t start, std::span<const std::uint8_t> data) {
    if (start >= 0) address_ = static_cast<std::uint32_t>(start);
    while (!data.empty()) {
        const std::size_t n = std::min(data.size(), BytesPerRecord);
        appendHexRecord(text_, static_cast<std::uint16_t>(address_ & 0xFFFF), HexData,
                        data.first(n));
        text_.append(LineEnd);
        address_ += static_cast<std::uint32_t>(n);
        data = data.subspan(n);
    }
}

void HexWriter::writeLine(std::string_view record) {
    text_.append(record);
    text_.append(LineEnd);
}

bool HexWriter::writeTo(std::ostream& out) const {
    out.write(text_.data(), static_cast<std::streamsize>(text_.size()));
    return static_cast<bool>(out);
}

}  // namespace kyr

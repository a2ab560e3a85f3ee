#pragma once

#include <cstdint>
#include <iosfwd>
#include <span>
#include <string>
#include <string_view>

namespace kyr {

// Writes Intel HEX text into a growing buffer, keeping the running load address between
// calls. Lines end with CR LF.
class HexWriter {
public:
    // The start address that continues at the current address.
    static constexpr std::int32_t ContinueAddress = -1;

    // Writes `data` as data records of at most 16 bytes from `start` (or, with a negative
    // start, from the current address), advancing the current address. Empty data only
    // sets the current address. The record address field holds the low 16 bits; above
    // 64 KB the caller writes the extended segment lines.
    void WriteHexRecords(std::int32_t start, std::span<const std::uint8_t> data);

    // Writes one finished record line, such as HexSegment1000Record or HexEndOfFileRecord.
    void writeLine(std::string_view record);

    std::uint32_t currentAddress() const { return address_; }
    const std::string& text() const { return text_; }
    std::string take() { return std::move(text_); }

    // Writes the text to `out`; false when the stream failed.
    bool writeTo(std::ostream& out) const;

private:
    std::string text_;
    std::uint32_t address_ = 0;
};

}  // namespace kyr

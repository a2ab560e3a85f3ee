#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "image/HexRecord.h"
#include "model/Bytes.h"

namespace kyr {

// One firmware data frame for the KYR Series M BOOT loader: data for consecutive addresses
// of one 64 KB page.
struct TFirmwareFrame {
    std::uint8_t page = 0;
    std::uint16_t address = 0;
    Bytes data;
    int records = 0;

    // The request: 0xAF, data bytes + 1, page, address high and low, data.
    Bytes Request() const;
};

// Gathers the records of a firmware HEX text into frames: up to 8 records at consecutive
// addresses, a page change (type 2 and 4 records) ending the frame gathered so far, and
// never more data than one request can carry.
class TFirmwareFrameBuilder {
public:
    // Frame header (code, count, page, address) before the data.
    static constexpr std::size_t HeaderBytes = 5;
    static constexpr std::size_t MaxFrameData = 254 - HeaderBytes;
    static constexpr int MaxRecords = 8;
    static constexpr int MaxPage = 15;

    enum class TStatus { Frame, End, BadLine };

    explicit TFirmwareFrameBuilder(std::vector<std::string> lines = {});

    // The next frame, the end of the records, or a line that is not a sound record (too
    // short for its length, a bad sum, no hex digits, or data outside pages 1..15).
    TStatus Next(TFirmwareFrame& frame);

    std::size_t LinesRead() const { return next_; }
    std::size_t TotalLines() const { return lines_.size(); }
    // Percent of the lines read.
    int Percent() const;

private:
    enum class Take { Consumed, Flush, Bad };
    bool readRecord(bool& bad);
    Take take(TFirmwareFrame& frame);
    Take takeData(TFirmwareFrame& frame);

    std::vector<std::string> lines_;
    std::size_t next_ = 0;
    std::optional<HexRecord> kept_;
    int page_ = 0;
    bool ended_ = false;
};

// Splits a text into its lines; CR, LF and CR LF end a line.
std::vector<std::string> SplitLines(std::string_view text);

}  // namespace kyr

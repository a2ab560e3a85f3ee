#include "link/FirmwareFrames.h"

namespace kyr {

namespace {

constexpr std::uint8_t CmdFirmwareBlock = 0xAF;
constexpr std::uint8_t HexExtendedLinear = 0x04;

std::uint16_t u16(const Bytes& data) {
    return static_cast<std::uint16_t>((data[0] << 8) | data[1]);
}

}  // namespace

Bytes TFirmwareFrame::Request() const {
    Bytes out{CmdFirmwareBlock, static_cast<std::uint8_t>(data.size() + 1), page,
              static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address & 0xFF)};
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t end = text.find_first_of("\r\n");
        if (end == std::string_view::npos) {
            lines.emplace_back(text);
            break;
        }
        lines.emplace_back(text.substr(0, end));
        const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
        text.remove_prefix(end + (crlf ? 2 : 1));
    }
    return lines;
}

TFirmwareFrameBuilder::TFirmwareFrameBuilder(std::vector<std::string> lines)
    : lines_(std::move(lines)) {}

int TFirmwareFrameBuilder::Percent() const {
    if (lines_.empty()) return 100;
    return static_cast<int>(next_ * 100 / lines_.size());
}

bool TFirmwareFrameBuilder::readRecord(bool& bad) {
    bad = false;
    while (next_ < lines_.size()) {
        const std::string& line = lines_[next_++];
        if (line.empty() || line[0] != ':') continue;
        const HexParseResult parsed = parseHexRecord(line);
        if (parsed.status != HexParseStatus::Ok) {
            bad = true;
            return false;
        }
        kept_ = parsed.record;
        return true;
    }
    return false;
}

TFirmwareFrameBuilder::Take TFirmwareFrameBuilder::takeData(TFirmwareFrame& frame) {
    HexRecord& r = *kept_;
    if (page_ < 1 || page_ > MaxPage) return Take::Bad;
    if (frame.records == 0) {
        frame.page = static_cast<std::uint8_t>(page_);
        frame.address = r.address;
    } else if (std::uint32_t{frame.address} + frame.data.size() != r.address ||
               frame.data.size() + r.data.size() > MaxFrameData) {
        return Take::Flush;
    }
    const std::size_t room = MaxFrameData - frame.data.size();
    if (r.data.size() > room) {
        // Only a record too long for any frame gets here: it goes out in parts.
        frame.data.insert(frame.data.end(), r.data.begin(), r.data.begin() + static_cast<std::ptrdiff_t>(room));
        r.data.erase(r.data.begin(), r.data.begin() + static_cast<std::ptrdiff_t>(room));
        r.address = static_cast<std::uint16_t>(r.address + room);
        ++frame.records;
        return Take::Flush;
    }
    frame.data.insert(frame.data.end(), r.data.begin(), r.data.end());
    ++frame.records;
    kept_.reset();
    return frame.records >= MaxRecords ? Take::Flush : Take::Consumed;
}

TFirmwareFrameBuilder::Take TFirmwareFrameBuilder::take(TFirmwareFrame& frame) {
    const HexRecord& r = *kept_;
    switch (r.type) {
        case HexData: return takeData(frame);
        case HexExtendedSegment:
        case HexExtendedLinear: {
            if (frame.records > 0) return Take::Flush;
            if (r.data.size() < 2) return Take::Bad;
            const std::uint16_t value = u16(r.data);
            page_ = r.type == HexExtendedLinear ? value : value >> 12;
            kept_.reset();
            return Take::Consumed;
        }
        case HexEndOfFile:
            ended_ = true;
            kept_.reset();
            return Take::Flush;
        default:
            // Start addresses and the like mean nothing to the loader.
            kept_.reset();
            return Take::Consumed;
    }
}

TFirmwareFrameBuilder::TStatus TFirmwareFrameBuilder::Next(TFirmwareFrame& frame) {
    frame = {};
    while (!ended_) {
        if (!kept_) {
            bool bad = false;
            if (!readRecord(bad)) {
                if (bad) return TStatus::BadLine;
                ended_ = true;
                break;
            }
        }
        const Take t = take(frame);
        if (t == Take::Bad) return TStatus::BadLine;
        if (t == Take::Flush) break;
    }
    return frame.records > 0 ? TStatus::Frame : TStatus::End;
}

}  // namespace kyr

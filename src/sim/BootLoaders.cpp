#include "sim/BootLoaders.h"

#include "image/HexRecord.h"

namespace kyr::sim {

namespace {

constexpr std::uint8_t FlashWriteOk = 0x00;
constexpr std::uint8_t FlashWriteError = 0xFF;
// BOOT status: loader running, nothing pending.
constexpr std::uint8_t BootStatusType = 0x20;

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

Bytes text(std::string_view s) { return Bytes(s.begin(), s.end()); }

}  // namespace

// ---- KYR Series M ---------------------------------------------------------------------------

std::optional<std::uint8_t> KyrBootLoader::flashByte(int page, std::uint16_t address) const {
    const auto it = pages_.find(page);
    if (it == pages_.end()) return std::nullopt;
    return it->second[address];
}

Reply KyrBootLoader::writeFrame(std::span<const std::uint8_t> p) {
    // count + 1, page, address high, address low, data
    const int index = frames_++;
    if (!erased_ || index == writeErrorAtFrame || p.size() < 4) return Reply::bytes({FlashWriteError});
    const int page = p[1];
    const std::size_t address = (std::size_t{p[2]} << 8) | p[3];
    const auto data = p.subspan(4);
    if (address + data.size() > PageSize) return Reply::bytes({FlashWriteError});
    Bytes& bytes = pages_.try_emplace(page, Bytes(PageSize, 0xFF)).first->second;
    for (std::size_t i = 0; i < data.size(); ++i) bytes[address + i] = data[i];
    return Reply::bytes({FlashWriteOk});
}

Reply KyrBootLoader::handle(std::span<const std::uint8_t> request, int& delayMs) {
    const std::uint8_t code = request[0];
    switch (code) {
        case 0xA8: return Reply::bytes({0x12, 0x00, 0x00, 0x00, 0x00});
        case 0xC0: return Reply::ack();
        case 0xB0: return Reply::bytes({BootStatusType, erased_ ? std::uint8_t{1} : std::uint8_t{0}});
        case 0xB1:
            if (request.size() != 5 || eraseFails) return Reply::none();
            erased_ = true;
            pages_.clear();
            delayMs = eraseMs;
            return Reply::ack();
        case 0xAF: return writeFrame(request.subspan(1));
        case 0xAA:
            ended_ = true;
            active_ = false;
            return Reply::ack();
        default: return Reply::none();
    }
}

// ---- LUM ------------------------------------------------------------------------------------

void LumBootLoader::receive(std::uint8_t byte, CharKind kind, std::vector<BootOutput>& out) {
    if (!active_ || kind == CharKind::Address || kind == CharKind::Data) return;
    if (awaitZero_) {
        awaitZero_ = false;
        if (byte == 0) {
            started_ = true;
            active_ = false;
        }
        return;
    }
    const char c = static_cast<char>(byte);
    if (line_.empty()) {
        if (c == 'U') out.push_back({{'U'}, 0});
        if (c != ':') return;
    }
    if (silent) return;
    line_.push_back(c);
    out.push_back({{byte}, 0});
    if (line_.size() == 3) {
        const int hi = hexValue(line_[1]);
        const int lo = hexValue(line_[2]);
        expected_ = hi < 0 || lo < 0 ? 3 : 11 + 2 * static_cast<std::size_t>(hi * 16 + lo);
    }
    if (line_.size() >= 3 && line_.size() >= expected_) finishLine(out);
}

void LumBootLoader::finishLine(std::vector<BootOutput>& out) {
    const std::string line = std::move(line_);
    line_.clear();
    const HexParseResult parsed = parseHexRecord(line);
    bool ok = parsed.status == HexParseStatus::Ok;
    int delay = 0;
    bool garbled = false;
    if (ok && parsed.record.type == HexData && garbledRecords > 0) {
        --garbledRecords;
        garbled = true;
    }
    if (ok && !garbled) {
        const HexRecord& r = parsed.record;
        if (r.type == HexBootCommand && r.data == Bytes{0x07}) {
            ok = !eraseFails;
            if (ok) {
                erased_ = true;
                flash_.assign(FlashSize, 0xFF);
                written_.assign(FlashSize, false);
            }
            delay = eraseMs;
        } else if (r.type == HexBootCommand && r.data == Bytes{0x03, 0x01, 0x00, 0x00}) {
            awaitZero_ = true;
            return;
        } else if (r.type == HexData && erased_ &&
                   std::size_t{r.address} + r.data.size() <= FlashSize) {
            for (std::size_t i = 0; i < r.data.size(); ++i) {
                flash_[r.address + i] = r.data[i];
                written_[r.address + i] = true;
            }
            ++records_;
        } else {
            ok = false;
        }
    }
    out.push_back({text(ok && !garbled ? ".\r\n" : "?\r\n"), delay});
}

}  // namespace kyr::sim

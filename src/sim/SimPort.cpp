#include "sim/SimPort.h"

#include <algorithm>
#include <cctype>

namespace kyr::sim {

SimPort::SimPort(const SimConfig& config, SimClock::Kind clock)
    : clock_(clock), terminal_(config) {}

bool SimPort::open(const std::string&) {
    if (failOpens_ > 0) {
        --failOpens_;
        return false;
    }
    open_ = true;
    parity_ = Parity::Space;
    terminal_.resetLink();
    return true;
}

void SimPort::close() {
    open_ = false;
    // What was on the wire is gone with the connection.
    collectReplies();
    pending_.clear();
    input_.clear();
}

void SimPort::collectReplies() {
    const std::int64_t now = clock_.nowMs();
    const auto schedule = [&](std::int64_t due, Bytes bytes) {
        auto at = std::upper_bound(pending_.begin(), pending_.end(), due,
                                   [](std::int64_t d, const Pending& p) { return d < p.dueMs; });
        pending_.insert(at, Pending{due, std::move(bytes)});
    };
    for (Emission& e : terminal_.takeOutput()) {
        const std::int64_t due = now + e.delayMs;
        if (lineSpeed_ <= 0) {
            schedule(due, std::move(e.bytes));
            continue;
        }
        // One character after the other: each leaves when the one before it has.
        const std::int64_t perCharUs = 1'000'000 / lineSpeed_;
        for (std::uint8_t b : e.bytes) {
            lineFreeUs_ = std::max(lineFreeUs_, due * 1000) + perCharUs;
            schedule(lineFreeUs_ / 1000, Bytes{b});
        }
    }
    auto firstLater = std::find_if(pending_.begin(), pending_.end(),
                                   [&](const Pending& p) { return p.dueMs > now; });
    for (auto it = pending_.begin(); it != firstLater; ++it)
        input_.insert(input_.end(), it->bytes.begin(), it->bytes.end());
    pending_.erase(pending_.begin(), firstLater);
}

std::size_t SimPort::bytesWaiting() {
    collectReplies();
    return input_.size();
}

int SimPort::readAvailable(std::span<std::uint8_t> buffer) {
    if (!open_) return -1;
    if (failReads_ > 0) {
        --failReads_;
        return -1;
    }
    collectReplies();
    std::size_t n = std::min(buffer.size(), input_.size());
    if (readChunk_ > 0) n = std::min(n, readChunk_);
    std::copy_n(input_.begin(), n, buffer.begin());
    input_.erase(input_.begin(), input_.begin() + static_cast<std::ptrdiff_t>(n));
    return static_cast<int>(n);
}

void SimPort::feed(std::span<const std::uint8_t> data) {
    // Mark parity flags the address character of a binary frame; with parity none (the
    // BOOT dialogue) the terminal sees characters without that mark.
    const CharKind kind = parity_ == Parity::Mark   ? CharKind::Address
                          : parity_ == Parity::None ? CharKind::Unknown
                                                    : CharKind::Data;
    for (std::uint8_t b : data) sent_.push_back({b, parity_});
    terminal_.receive(data, kind, clock_.nowMs());
    collectReplies();
}

bool SimPort::writeBytes(std::span<const std::uint8_t> data) {
    if (!open_) return false;
    if (failWrites_ > 0) {
        --failWrites_;
        return false;
    }
    feed(data);
    return true;
}

bool SimPort::transmitChar(std::uint8_t c) {
    if (!open_) return false;
    const std::uint8_t one[1] = {c};
    feed(one);
    return true;
}

bool SimPort::setParity(Parity parity) {
    if (!open_) return false;
    parity_ = parity;
    return true;
}

void SimPort::sleep(int milliseconds) { clock_.advance(milliseconds); }

Bytes SimPort::sentBytes() const {
    Bytes out;
    out.reserve(sent_.size());
    for (const SentByte& s : sent_) out.push_back(s.value);
    return out;
}

std::optional<int> simPortType(const std::string& deviceName, int defaultType) {
    std::string lower = deviceName;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (lower.rfind("sim:", 0) != 0) return std::nullopt;
    const std::string rest = lower.substr(4);
    if (rest.empty()) {
        if (defaultType < 0 || defaultType > 9) return std::nullopt;
        return defaultType;
    }
    if (rest.size() != 1 || !std::isdigit(static_cast<unsigned char>(rest[0]))) return std::nullopt;
    return rest[0] - '0';
}

std::unique_ptr<SimPort> makeSimPort(const std::string& deviceName, int defaultType,
                                     SimClock::Kind clock) {
    const auto type = simPortType(deviceName, defaultType);
    if (!type) return nullptr;
    return std::make_unique<SimPort>(SimConfig::forType(*type), clock);
}

}  // namespace kyr::sim

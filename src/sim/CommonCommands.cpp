// Commands every terminal of the ten types answers: clock, status, versions.
#include <algorithm>

#include "sim/SimTerminal.h"

namespace kyr::sim {

namespace {

std::uint8_t toBcd(int value) {
    return static_cast<std::uint8_t>(((value / 10) % 10) << 4 | (value % 10));
}

// -1 for a byte that is not two decimal digits.
int fromBcd(std::uint8_t b) {
    const int hi = b >> 4;
    const int lo = b & 0x0F;
    if (hi > 9 || lo > 9) return -1;
    return hi * 10 + lo;
}

void appendU16(Bytes& out, std::uint16_t value, bool lowFirst) {
    std::uint8_t two[2];
    bytes::setU16(two, 0, value, lowFirst);
    out.insert(out.end(), two, two + 2);
}

}  // namespace

Reply SimTerminal::onReadClock(Params) {
    const ClockFields f = clock_.read(now_);
    return Reply::bytes({0x00, toBcd(f.dayOfWeek), toBcd(f.year), toBcd(f.month), toBcd(f.day),
                         toBcd(f.hour), toBcd(f.minute), toBcd(f.second)});
}

Reply SimTerminal::onSetClock(Params p) {
    // p[0] is not used; then day of week, year, month, day, hour, minute, second.
    int v[7];
    for (int i = 0; i < 7; ++i) {
        v[i] = fromBcd(p[static_cast<std::size_t>(i) + 1]);
        if (v[i] < 0) return Reply::none();
    }
    const ClockFields f{v[0], v[1], v[2], v[3], v[4], v[5], v[6]};
    if (!clock_.set(f, now_)) return Reply::none();
    return Reply::ack();
}

Reply SimTerminal::onStatus(Params) {
    const StatusBytes s = status();
    return Reply::bytes({s.type, s.mode, s.flags});
}

Reply SimTerminal::onVersion(Params) {
    const std::string text = config_.versionText();
    Bytes body(text.begin(), text.end());
    body.push_back(0);
    const auto appendIdent = [&] {
        body.insert(body.end(), config_.identChars.begin(), config_.identChars.end());
        appendU16(body, config_.identNumber, true);
    };
    if (config_.isLum()) {
        body.insert(body.end(), config_.lumProtocols.begin(), config_.lumProtocols.end());
        body.push_back(0xFF);
        appendIdent();
    } else if (config_.family() == 1) {
        appendIdent();
    }
    return Reply::variable(body);
}

Reply SimTerminal::onBootVersion(Params) {
    return Reply::bytes({config_.bootVersion, 0x00, 0x00, 0x00, 0x00});
}

Reply SimTerminal::onToolVersions(Params) {
    Bytes body;
    appendU16(body, config_.minToolUpload, config_.isLum());
    appendU16(body, config_.minToolDownload, config_.isLum());
    return Reply::variable(body);
}

}  // namespace kyr::sim

#include "link/JobLink.h"

namespace kyr {

bool TJobLink::completed(TLinkStep& step) {
    timeout_->Reset();
    payload_ += step.Request().size() + step.Reply().size();
    return true;
}

bool TJobLink::Await(TLinkStep& step) {
    if (step.Step(*kom_)) return completed(step);
    timeout_->Tick();
    return false;
}

bool TJobLink::AwaitUncounted(TLinkStep& step) {
    if (step.Step(*kom_)) return completed(step);
    return false;
}

TBankAddress MapBankAddress(int family, std::uint8_t bank, std::uint16_t address,
                            std::uint32_t offset) {
    const std::uint32_t plain = address + offset;
    if (bank == 0 || family != 0) return {bank, static_cast<std::uint16_t>(plain)};
    // Family 0 reaches its banks as 16 KB windows from 0x8000, four to a bank byte.
    const std::uint32_t window = static_cast<std::uint32_t>((bank - 1) % 4) * 0x4000u;
    return {static_cast<std::uint8_t>((bank - 1) / 4),
            static_cast<std::uint16_t>(plain - 0x8000u + window)};
}

namespace {

void appendU16be(Bytes& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v >> 8));
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
}

}  // namespace

Bytes ReadBlockRequest(int family, std::uint8_t bank, std::uint16_t address,
                       std::uint32_t offset, std::size_t count) {
    const TBankAddress where = MapBankAddress(family, bank, address, offset);
    const auto countByte = static_cast<std::uint8_t>(count - 1);
    Bytes out;
    if (bank == 0) {
        out = {0xA1, countByte};
    } else {
        out = {0xBE, countByte, where.bankByte};
    }
    appendU16be(out, where.address);
    return out;
}

Bytes WriteBlockRequest(int family, std::uint8_t bank, std::uint16_t address,
                        std::uint32_t offset, std::span<const std::uint8_t> data) {
    const TBankAddress where = MapBankAddress(family, bank, address, offset);
    const auto countByte = static_cast<std::uint8_t>(data.size() + 1);
    Bytes out;
    if (bank == 0) {
        out = {0xA4, countByte};
    } else {
        out = {0xBF, countByte, where.bankByte};
    }
    appendU16be(out, where.address);
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

}  // namespace kyr

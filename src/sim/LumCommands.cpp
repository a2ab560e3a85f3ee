// Commands of the LUM family's user-program firmware: memory structure, protocol list and
// block writes.
#include "sim/SimTerminal.h"

namespace kyr::sim {

namespace {

constexpr std::size_t MaxBlock = 128;
constexpr std::uint8_t ProtocolListRequest = '1';

}  // namespace

Reply SimTerminal::onLumMemoryStructure(Params) {
    Bytes body;
    for (std::uint16_t w : lum_->structure()) {
        body.push_back(static_cast<std::uint8_t>(w & 0xFF));
        body.push_back(static_cast<std::uint8_t>(w >> 8));
    }
    return Reply::variable(body);
}

Reply SimTerminal::onLumProtocols(Params p) {
    if (p[0] != ProtocolListRequest) return Reply::none();
    return Reply::bytes(lum_->read(bytes::u16le(p, 1), LumMemory::ProtocolListSize));
}

Reply SimTerminal::onLumWrite(Params p) {
    if (p[0] == 0 || p[0] - 1u > MaxBlock) return Reply::none();
    const std::uint16_t address = bytes::u16le(p, 1);
    const auto data = p.subspan(3);
    // The setup and the communication table arrive whole with their check sum; a wrong sum
    // is not stored.
    const auto checked = [&](std::size_t size) {
        return LumMemory::checkSum(data.first(size)) == bytes::u16le(data, size);
    };
    if (address == lum_->setupAddress() && data.size() == LumMemory::SetupSize + 2 &&
        !checked(LumMemory::SetupSize))
        return Reply::none();
    if (address == lum_->commAddress() && data.size() == LumMemory::CommSize + 2 &&
        !checked(LumMemory::CommSize))
        return Reply::none();
    return lum_->write(address, data) ? Reply::ack() : Reply::none();
}

}  // namespace kyr::sim

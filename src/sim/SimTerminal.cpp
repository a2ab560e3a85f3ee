#include "sim/SimTerminal.h"

#include <algorithm>

#include "sim/RequestSizes.h"

namespace kyr::sim {

namespace {

// The setup of a new project (English system language) and unused communication rows:
// what a terminal holds before anything is written to it.
const Bytes DefaultSetup = {0x02, 0x05, 0x01, 0x01, 0x01, 0x02, 0xFF, 0x00, 0x00, 0x00};

Bytes defaultCommTable() {
    Bytes b(32, 0);
    for (std::size_t row = 0; row < 8; ++row) {
        b[row * 4] = 0xFF;
        b[row * 4 + 1] = 20;
    }
    return b;
}

Bytes defaultNoise(LinkEncoding encoding) {
    // ASCII noise holds a "*" of its own, so the reply proper starts at the last one.
    if (encoding == LinkEncoding::Ascii) return {'#', '7', '*', '1', 'F'};
    return {0xFF, 0x00};
}

constexpr std::uint8_t WrongAck = 0x15;

}  // namespace

SimTerminal::SimTerminal(const SimConfig& config)
    : config_(config),
      binary_(config.address),
      clock_(config.clockStart),
      validData_(config.validData),
      setup_(DefaultSetup),
      comm_(defaultCommTable()) {
    if (config_.isLum()) {
        lum_ = std::make_unique<LumMemory>(config_);
        if (config_.validData) {
            storeSetup(DefaultSetup);
            storeCommTable(comm_);
        }
    } else {
        kyr_ = std::make_unique<KyrMemory>(config_);
    }
}

const std::vector<SimTerminal::Command>& SimTerminal::commands() {
    using F = Families;
    using T = SimTerminal;
    static const std::vector<Command> table = {
        {0x04, F::All, 0, &T::onReadClock},
        {0x0C, F::All, 0, &T::onSetClock},
        {0xB0, F::All, 0, &T::onStatus},
        {0xAC, F::All, 0, &T::onVersion},
        {0xA8, F::MiniGrand, 0, &T::onBootVersion},
        {0xB9, F::All, 0, &T::onToolVersions},
        {0xC4, F::Kyr, 0, &T::onClear},
        {0xBC, F::Kyr, 0, &T::onReadSetup},
        {0xBD, F::Kyr, 0, &T::onWriteSetup},
        {0xB6, F::Kyr, 0, &T::onFreeMemory},
        {0xB6, F::Lum, 0, &T::onLumMemoryStructure},
        {0xB7, F::Kyr, 0, &T::onReadComm},
        {0xC7, F::T240T220, 255, &T::onReadCommLong},
        {0xB8, F::Kyr, 0, &T::onWriteComm},
        {0xC8, F::T240T220, 255, &T::onWriteCommLong},
        {0xB2, F::Kyr, 0, &T::onExdList},
        {0xC1, F::Kyr, 0, &T::onReadExd},
        {0xC2, F::Kyr, 0, &T::onWriteExd},
        {0xB1, F::Kyr, 0, &T::onScreenList8},
        {0xC5, F::Kyr, 218, &T::onScreenList16},
        {0xC6, F::Kyr, 218, &T::onScreenListMore},
        {0xB4, F::Kyr, 0, &T::onLocate},
        {0xA1, F::Kyr, 0, &T::onReadBlock},
        {0xBE, F::Kyr, 0, &T::onReadBankBlock},
        {0xB3, F::Kyr, 0, &T::onAllocate},
        {0xA4, F::Kyr, 0, &T::onWriteBlock},
        {0xBF, F::Kyr, 0, &T::onWriteBankBlock},
        {0xB5, F::Kyr, 0, &T::onCloseScreen},
        {0xA2, F::Lum, 0, &T::onLumProtocols},
        {0xA5, F::Lum, 0, &T::onLumWrite},
        {0xC0, F::MiniGrand, 0, &T::onBootSwitch},
        {0xC9, F::Lum, 0, &T::onLumBootSwitch},
    };
    return table;
}

bool SimTerminal::available(const Command& command) const {
    if (config_.firmwareLevel() < command.minLevel) return false;
    switch (command.families) {
        case Families::All:
            return true;
        case Families::Kyr:
            return !config_.isLum();
        case Families::Lum:
            return config_.isLum();
        case Families::MiniGrand:
            return config_.family() == 1;
        case Families::T240T220:
            return config_.family() == 0;
    }
    return false;
}

void SimTerminal::receive(std::uint8_t byte, CharKind kind, std::int64_t nowMs) {
    now_ = nowMs;
    if (lumBoot_.active()) {
        std::vector<BootOutput> out;
        lumBoot_.receive(byte, kind, out);
        for (BootOutput& o : out) sendLater(std::move(o.bytes), o.delayMs);
        return;
    }
    if (encoding() == LinkEncoding::Binary) {
        binary_.feed(byte, kind);
        while (auto frame = binary_.next()) handleFrame(*frame);
        counters_.badFrames = binary_.badFrames();
    } else {
        ascii_.feed(byte);
        while (auto frame = ascii_.next()) handleFrame(*frame);
        counters_.badFrames = ascii_.badFrames();
    }
}

void SimTerminal::receive(std::span<const std::uint8_t> bytes, CharKind kind, std::int64_t nowMs) {
    for (std::uint8_t b : bytes) receive(b, kind, nowMs);
}

std::vector<Emission> SimTerminal::takeOutput() {
    std::vector<Emission> out;
    out.swap(output_);
    return out;
}

void SimTerminal::resetLink() {
    binary_.reset();
    ascii_.reset();
}

void SimTerminal::handleFrame(const Frame& frame) {
    if (frame.address != config_.address || frame.request.empty()) return;
    const std::uint8_t code = frame.request[0];
    ++counters_.frames;
    ++counters_.byCommand[code];
    if (now_ < busyUntil_) {
        ++counters_.unanswered;
        return;
    }
    if (kyrBoot_.active()) {
        replyDelayMs_ = 0;
        const Reply reply = kyrBoot_.handle(frame.request, replyDelayMs_);
        busyUntil_ = now_ + replyDelayMs_;
        sendReply(code, reply);
        return;
    }
    const auto sizes = requestSizes(frame.request);
    const bool sizeFits =
        sizes && std::find(sizes->begin(), sizes->end(), frame.request.size()) != sizes->end();
    const auto& table = commands();
    const auto it = std::find_if(table.begin(), table.end(),
                                 [&](const Command& c) { return c.code == code && available(c); });
    if (!sizeFits || it == table.end()) {
        ++counters_.unanswered;
        return;
    }
    replyDelayMs_ = 0;
    const Reply reply = (this->*(it->handler))(Params(frame.request).subspan(1));
    sendReply(code, reply);
}

void SimTerminal::sendReply(std::uint8_t code, const Reply& reply) {
    if (reply.kind == Reply::Kind::None) {
        ++counters_.unanswered;
        return;
    }
    Bytes payload = replyPayload(reply);
    int delay = replyDelayMs_;
    if (const auto fault = faults_.take(code)) {
        ++counters_.faultsApplied;
        switch (fault->kind) {
            case FaultKind::Drop:
                return;
            case FaultKind::Corrupt:
                // The acknowledge byte becomes another byte; in data, the last byte before
                // the CRC changes, so the CRC no longer fits.
                if (payload.size() == 1)
                    payload[0] = WrongAck;
                else
                    payload[payload.size() - 3] ^= 0x01;
                break;
            case FaultKind::Delay:
                delay += fault->delayMs;
                break;
            case FaultKind::Noise:
                sendLater(fault->noise.empty() ? defaultNoise(encoding()) : fault->noise, delay);
                break;
        }
    }
    ++counters_.replies;
    sendLater(frameReply(payload, encoding()), delay);
}

void SimTerminal::sendLater(Bytes bytes, int delayMs) {
    output_.push_back(Emission{std::move(bytes), delayMs});
}

bool SimTerminal::hasValidData() const {
    if (lum_) return lum_->setup().has_value();
    return validData_;
}

ScreenFormat SimTerminal::screenFormat() const {
    return ScreenFormat{config_.isLum() || config_.firmwareLevel() >= 218, config_.isLum()};
}

Bytes SimTerminal::setup() const {
    if (lum_) return lum_->read(lum_->setupAddress(), LumMemory::SetupSize);
    return setup_;
}

Bytes SimTerminal::commTable() const {
    if (!lum_) return comm_;
    Bytes b = lum_->read(lum_->commAddress(), LumMemory::CommSize);
    b.resize(32, 0);
    return b;
}

std::vector<std::uint8_t> SimTerminal::exdNumbers() const {
    std::vector<std::uint8_t> out;
    for (const auto& [number, rows] : exd_) out.push_back(number);
    return out;
}

std::optional<Bytes> SimTerminal::exdTable(std::uint8_t number) const {
    auto it = exd_.find(number);
    if (it == exd_.end()) return std::nullopt;
    return it->second;
}

std::vector<ScreenInfo> SimTerminal::screens() const {
    std::vector<ScreenInfo> out;
    if (lum_) {
        std::uint16_t at = lum_->screensStart();
        for (Bytes& record : lum_->screenRecords()) {
            const std::uint16_t number = screenNumberOf(record, screenFormat()).value_or(0);
            const auto size = static_cast<std::uint16_t>(record.size());
            out.push_back({number, Allocation{0, at, size}, std::move(record)});
            at = static_cast<std::uint16_t>(at + size);
        }
        return out;
    }
    for (const ScreenEntry& e : directory_) {
        const Allocation used{e.where.bank, e.where.address, e.length};
        out.push_back({e.number, e.where, kyr_->read(used)});
    }
    std::sort(out.begin(), out.end(),
              [](const ScreenInfo& a, const ScreenInfo& b) { return a.number < b.number; });
    return out;
}

std::optional<Bytes> SimTerminal::screenRecord(std::uint16_t number) const {
    for (ScreenInfo& s : screens())
        if (s.number == number) return std::move(s.record);
    return std::nullopt;
}

void SimTerminal::storeSetup(std::span<const std::uint8_t> tenBytes) {
    if (tenBytes.size() != LumMemory::SetupSize) return;
    if (!lum_) {
        setup_.assign(tenBytes.begin(), tenBytes.end());
        validData_ = true;
        return;
    }
    Bytes block(tenBytes.begin(), tenBytes.end());
    block.resize(12);
    bytes::setU16le(block, 10, LumMemory::checkSum(tenBytes));
    lum_->write(lum_->setupAddress(), block);
}

void SimTerminal::storeCommTable(std::span<const std::uint8_t> table) {
    if (!lum_) {
        std::copy_n(table.begin(), std::min(table.size(), comm_.size()), comm_.begin());
        return;
    }
    if (table.size() < LumMemory::CommSize) return;
    Bytes block(table.begin(), table.begin() + LumMemory::CommSize);
    block.resize(LumMemory::CommSize + 2);
    bytes::setU16le(block, LumMemory::CommSize,
                    LumMemory::checkSum(table.first(LumMemory::CommSize)));
    lum_->write(lum_->commAddress(), block);
}

bool SimTerminal::storeExdTable(std::uint8_t number, std::span<const std::uint8_t> rows) {
    if (lum_ || rows.size() != 64) return false;
    exd_[number] = Bytes(rows.begin(), rows.end());
    return true;
}

bool SimTerminal::storeScreen(std::span<const std::uint8_t> record) {
    const auto info = checkScreenRecord(record, screenFormat());
    if (!info || info->length != record.size()) return false;
    if (lum_) {
        std::uint16_t at = lum_->screensStart();
        for (const Bytes& r : lum_->screenRecords()) at = static_cast<std::uint16_t>(at + r.size());
        Bytes block(record.begin(), record.end());
        block.push_back(0);
        block.push_back(0);
        return lum_->write(at, block);
    }
    std::uint8_t selector = SelectProgram;
    if (config_.family() == 0) {
        selector = config_.programIn == ProgramPlace::Ram   ? SelectRam
                   : config_.programIn == ProgramPlace::Mem ? SelectMem
                                                            : SelectRamAndMem;
    }
    const std::uint16_t extra = config_.family() == 0 ? 2 : 0;
    const auto where = kyr_->allocate(selector, static_cast<std::uint16_t>(record.size() + extra));
    if (!where || !kyr_->write(*where, record)) return false;
    if (closeScreen(*where) != 0) return false;
    for (ScreenEntry& e : directory_) e.writtenThisDownload = false;
    return true;
}

Reply SimTerminal::onBootSwitch(Params) {
    kyrBoot_.enter();
    return Reply::ack();
}

Reply SimTerminal::onLumBootSwitch(Params) {
    lumBoot_.enter();
    return Reply::none();
}

}  // namespace kyr::sim

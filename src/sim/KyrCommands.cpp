// Commands of the KYR family's user-program firmware: setup, communication table, EXD
// tables, screens and memory blocks.
#include <algorithm>

#include "sim/SimTerminal.h"

namespace kyr::sim {

namespace {

constexpr std::size_t MaxBlock = 128;
constexpr std::size_t ExdRows = 64;
constexpr std::uint8_t HighestExdTable = 20;
constexpr std::size_t ScreenListPart = 120;
constexpr std::size_t MaxShortList = 254;
constexpr std::uint8_t NothingToClose = 0xFF;
constexpr std::uint8_t ScreenExists = 2;
constexpr std::uint8_t BadFormat = 3;

std::uint16_t be16(std::span<const std::uint8_t> p, std::size_t at) { return bytes::u16be(p, at); }

void appendBe16(Bytes& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v >> 8));
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
}

bool exdRowsEmpty(std::span<const std::uint8_t> rows) {
    for (std::size_t r = 0; r < rows.size(); r += 4)
        if (rows[r] < 0x80) return false;  // a row with a system number ≥ 0 is used
    return true;
}

}  // namespace

void SimTerminal::eraseProgram(std::uint8_t selector) {
    kyr_->clear(selector);
    std::erase_if(directory_,
                  [&](const ScreenEntry& e) { return kyr_->inSelection(e.where.bank, selector); });
    exd_.clear();
    openScreen_.reset();
    validData_ = false;
}

Reply SimTerminal::onClear(Params p) {
    const bool flash = config_.programIsFlash();
    if (!(flash && config_.flashFault) && config_.clearErases) eraseProgram(p[0]);
    if (flash && config_.flashEraseMs > 0) {
        // Erasing takes time; the terminal hears nothing until it is done.
        busyUntil_ = now_ + config_.flashEraseMs;
        replyDelayMs_ = config_.flashEraseMs;
    }
    return Reply::ack();
}

Reply SimTerminal::onReadSetup(Params) { return Reply::bytes(setup_); }

Reply SimTerminal::onWriteSetup(Params p) {
    storeSetup(p);
    return Reply::ack();
}

Reply SimTerminal::onFreeMemory(Params) {
    Bytes out;
    for (std::uint16_t w : kyr_->freeWords(config_.flashFault)) appendBe16(out, w);
    return Reply::bytes(std::move(out));
}

Reply SimTerminal::onReadComm(Params) {
    const std::size_t size = config_.type == 3 ? 32 : 20;
    return Reply::bytes(Bytes(comm_.begin(), comm_.begin() + static_cast<std::ptrdiff_t>(size)));
}

Reply SimTerminal::onReadCommLong(Params) {
    return Reply::bytes(Bytes(comm_.begin(), comm_.begin() + 24));
}

Reply SimTerminal::onWriteComm(Params p) {
    storeCommTable(p);
    return Reply::ack();
}

Reply SimTerminal::onWriteCommLong(Params p) {
    storeCommTable(p);
    return Reply::ack();
}

Reply SimTerminal::onExdList(Params) { return Reply::variable(exdNumbers()); }

Reply SimTerminal::onReadExd(Params p) {
    const auto rows = exdTable(p[0]);
    if (!rows) return Reply::variable({});
    Bytes body{p[0]};
    body.insert(body.end(), rows->begin(), rows->end());
    return Reply::variable(body);
}

Reply SimTerminal::onWriteExd(Params p) {
    const std::uint8_t number = p[0];
    if (number > HighestExdTable) return Reply::none();
    const auto rows = p.subspan(1, ExdRows);
    if (exdRowsEmpty(rows))
        exd_.erase(number);  // the empty table of a number removes that table
    else
        storeExdTable(number, rows);
    return Reply::ack();
}

std::vector<std::uint16_t> SimTerminal::listedNumbers(std::uint8_t selector) const {
    std::vector<std::uint16_t> out;
    for (const ScreenEntry& e : directory_)
        if (kyr_->inSelection(e.where.bank, selector)) out.push_back(e.number);
    std::sort(out.begin(), out.end());
    return out;
}

Reply SimTerminal::onScreenList8(Params p) {
    // Four parameter bytes are the BOOT loader's flash erase, not a list request.
    if (p.size() != 1) return Reply::none();
    for (ScreenEntry& e : directory_) e.writtenThisDownload = false;
    Bytes body;
    for (std::uint16_t n : listedNumbers(p[0]))
        if (n <= 0xFF && body.size() < MaxShortList) body.push_back(static_cast<std::uint8_t>(n));
    return Reply::variable(body);
}

Reply SimTerminal::onScreenList16(Params p) {
    for (ScreenEntry& e : directory_) e.writtenThisDownload = false;
    listSnapshot_ = listedNumbers(p[0]);
    listCursor_ = 0;
    return screenListPart();
}

Reply SimTerminal::onScreenListMore(Params) { return screenListPart(); }

Reply SimTerminal::screenListPart() {
    const std::size_t left = listSnapshot_.size() - std::min(listCursor_, listSnapshot_.size());
    const std::size_t n = std::min(left, ScreenListPart);
    Bytes body;
    for (std::size_t i = 0; i < n; ++i) appendBe16(body, listSnapshot_[listCursor_ + i]);
    listCursor_ += n;
    return Reply::variable(body);
}

Reply SimTerminal::onLocate(Params p) {
    const bool wide = p.size() == 3;
    const std::uint16_t number = wide ? be16(p, 0) : p[0];
    const std::uint8_t selector = p[wide ? 2 : 1];
    for (const ScreenEntry& e : directory_) {
        if (e.number != number || !kyr_->inSelection(e.where.bank, selector)) continue;
        Bytes out;
        appendBe16(out, e.where.address);
        appendBe16(out, e.length);
        out.push_back(e.where.bank);
        return Reply::bytes(std::move(out));
    }
    return Reply::bytes(Bytes(5, 0));  // length 0: no such screen
}

Reply SimTerminal::onReadBlock(Params p) {
    const std::size_t count = p[0] + 1u;
    if (count > MaxBlock) return Reply::none();
    return Reply::bytes(kyr_->readRam(be16(p, 1), count));
}

Reply SimTerminal::onReadBankBlock(Params p) {
    const std::size_t count = p[0] + 1u;
    if (count > MaxBlock) return Reply::none();
    return Reply::bytes(kyr_->readBanked(p[1], be16(p, 2), count));
}

Reply SimTerminal::onAllocate(Params p) {
    openScreen_ = kyr_->allocate(p[0], be16(p, 1));
    if (!openScreen_) return Reply::bytes({0x00, 0x00, 0xFF, 0x00});  // bank 255: no room
    Bytes out;
    appendBe16(out, openScreen_->address);
    out.push_back(openScreen_->bank);
    out.push_back(0x00);
    return Reply::bytes(std::move(out));
}

Reply SimTerminal::onWriteBlock(Params p) {
    if (p[0] == 0 || p[0] - 1u > MaxBlock) return Reply::none();
    return kyr_->writeRam(be16(p, 1), p.subspan(3)) ? Reply::ack() : Reply::none();
}

Reply SimTerminal::onWriteBankBlock(Params p) {
    if (p[0] == 0 || p[0] - 1u > MaxBlock) return Reply::none();
    return kyr_->writeBanked(p[1], be16(p, 2), p.subspan(4)) ? Reply::ack() : Reply::none();
}

Reply SimTerminal::onCloseScreen(Params) {
    const std::uint8_t code = openScreen_ ? closeScreen(*openScreen_) : NothingToClose;
    openScreen_.reset();
    return Reply::bytes({code});
}

std::uint8_t SimTerminal::closeScreen(const Allocation& where) {
    const Bytes record = kyr_->read(where);
    const auto info = checkScreenRecord(record, screenFormat());
    if (!info) return BadFormat;
    auto it = std::find_if(directory_.begin(), directory_.end(),
                           [&](const ScreenEntry& e) { return e.number == info->number; });
    // A screen may replace the one of its number once per download; twice means the
    // program holds two screens with that number.
    if (it != directory_.end() && it->writtenThisDownload) return ScreenExists;
    if (info->empty) {
        if (it != directory_.end()) directory_.erase(it);
        return 0;
    }
    const ScreenEntry entry{info->number, where, info->length, true};
    if (it != directory_.end())
        *it = entry;
    else
        directory_.push_back(entry);
    return 0;
}

}  // namespace kyr::sim

#include "sim/KyrMemory.h"

#include <algorithm>

namespace kyr::sim {

namespace {

constexpr std::uint32_t PageSize = 0x4000;
constexpr std::uint32_t WindowStart = 0x8000;
constexpr std::uint32_t RamAreaStart = 0x4000;
constexpr std::uint32_t RamAreaEnd = 0x8000;
constexpr std::uint32_t BankSize = 0x10000;
// The first MEM page keeps its start for the setup, communication table and EXD tables, as
// in the EPROM layout.
constexpr std::uint32_t FirstPageStart = 0x8400;
constexpr std::uint32_t EndMark = 2;
constexpr std::uint8_t HighestBank = 15;

int auxPages(AuxMemory m) {
    switch (m) {
        case AuxMemory::Ram32k:
        case AuxMemory::Flash32k:
            return 2;
        case AuxMemory::Eprom64k:
            return 4;
        case AuxMemory::Eprom128k:
        case AuxMemory::Flash128k:
        case AuxMemory::Ram128k:
            return 8;
        case AuxMemory::None:
            return 0;
    }
    return 0;
}

bool isEprom(AuxMemory m) { return m == AuxMemory::Eprom64k || m == AuxMemory::Eprom128k; }

std::string description(const SimConfig& c) {
    return "KYR Series M firmware " + c.firmware + " (simulated " + modelName(c.type) + ")";
}

}  // namespace

KyrMemory::KyrMemory(const SimConfig& config)
    : family_(config.family()),
      flash_(config.programIsFlash()),
      auxWritable_(config.auxWritable && !isEprom(config.auxMemory) &&
                   config.auxMemory != AuxMemory::None),
      ram_(BankSize, 0) {
    if (family_ == 0) {
        const int pages = auxPages(config.auxMemory);
        aux_.assign(static_cast<std::size_t>(pages) * PageSize, flash_ ? 0xFF : 0x00);
        areas_.push_back({0, RamAreaStart, RamAreaEnd, RamAreaStart, true});
        for (int p = 1; p <= pages; ++p) {
            const std::uint32_t begin = p == 1 ? FirstPageStart : WindowStart;
            areas_.push_back(
                {static_cast<std::uint8_t>(p), begin, WindowStart + PageSize, begin, auxWritable_});
        }
        return;
    }
    const int banks = config.type == 2 ? 4 : 8;
    for (int b = 1; b <= banks; ++b) {
        const std::uint32_t end = b == DescriptionBank ? DescriptionAddress : BankSize;
        areas_.push_back({static_cast<std::uint8_t>(b), WindowStart, end, WindowStart, true});
    }
    std::string text = description(config).substr(0, 60);
    Bytes bytes(text.begin(), text.end());
    bytes.push_back(0);
    writeAt(*locateBanked(DescriptionBank, DescriptionAddress, bytes.size()), bytes);
}

std::optional<KyrMemory::Where> KyrMemory::locate(std::uint8_t bankNo, std::uint32_t address,
                                                  std::size_t count) const {
    if (bankNo == 0) {
        if (address + count > ram_.size()) return std::nullopt;
        return Where{Where::In::Ram, 0, address};
    }
    if (family_ == 0) {
        if (address < WindowStart || address + count > WindowStart + PageSize) return std::nullopt;
        const std::size_t offset = (bankNo - 1u) * PageSize + (address - WindowStart);
        if (offset + count > aux_.size()) return std::nullopt;
        return Where{Where::In::Aux, 0, offset};
    }
    if (address > 0xFFFF) return std::nullopt;
    return locateBanked(bankNo, static_cast<std::uint16_t>(address), count);
}

std::optional<KyrMemory::Where> KyrMemory::locateBanked(std::uint8_t bankNo, std::uint16_t address,
                                                        std::size_t count) const {
    if (family_ == 0) {
        const std::size_t offset = bankNo * std::size_t{BankSize} + address;
        if (offset + count > aux_.size()) return std::nullopt;
        return Where{Where::In::Aux, 0, offset};
    }
    if (bankNo > HighestBank || address + count > BankSize) return std::nullopt;
    return Where{Where::In::Bank, bankNo, address};
}

const Bytes* KyrMemory::buffer(const Where& at) const {
    switch (at.in) {
        case Where::In::Ram:
            return &ram_;
        case Where::In::Aux:
            return &aux_;
        case Where::In::Bank: {
            auto it = banks_.find(at.bank);
            return it == banks_.end() ? nullptr : &it->second;
        }
    }
    return nullptr;
}

Bytes& KyrMemory::buffer(const Where& at) {
    switch (at.in) {
        case Where::In::Ram:
            return ram_;
        case Where::In::Aux:
            return aux_;
        case Where::In::Bank:
            break;
    }
    auto [it, inserted] = banks_.try_emplace(at.bank);
    if (inserted) it->second.assign(BankSize, 0xFF);
    return it->second;
}

Bytes KyrMemory::readAt(const std::optional<Where>& at, std::size_t count) const {
    Bytes out(count, 0xFF);
    const Bytes* source = at ? buffer(*at) : nullptr;
    if (!source) return out;
    std::copy_n(source->begin() + static_cast<std::ptrdiff_t>(at->offset), count, out.begin());
    return out;
}

void KyrMemory::writeAt(const Where& at, std::span<const std::uint8_t> data) {
    Bytes& target = buffer(at);
    std::copy(data.begin(), data.end(), target.begin() + static_cast<std::ptrdiff_t>(at.offset));
}

void KyrMemory::fillAt(const Where& at, std::size_t count, std::uint8_t value) {
    Bytes& target = buffer(at);
    std::fill_n(target.begin() + static_cast<std::ptrdiff_t>(at.offset), count, value);
}

bool KyrMemory::writable(std::uint8_t bankNo, std::uint32_t address, std::size_t count) const {
    return std::any_of(areas_.begin(), areas_.end(), [&](const Area& a) {
        return a.writable && a.bank == bankNo && address >= a.begin && address + count <= a.end;
    });
}

Bytes KyrMemory::readRam(std::uint16_t address, std::size_t count) const {
    return readAt(locate(0, address, count), count);
}

bool KyrMemory::writeRam(std::uint16_t address, std::span<const std::uint8_t> data) {
    if (!writable(0, address, data.size())) return false;
    writeAt(*locate(0, address, data.size()), data);
    return true;
}

Bytes KyrMemory::readBanked(std::uint8_t bankNo, std::uint16_t address, std::size_t count) const {
    return readAt(locateBanked(bankNo, address, count), count);
}

bool KyrMemory::writeBanked(std::uint8_t bankNo, std::uint16_t address,
                            std::span<const std::uint8_t> data) {
    const auto at = locateBanked(bankNo, address, data.size());
    if (!at) return false;
    // MEM takes writes anywhere when it is a write-enabled RAM or flash; the program banks
    // only inside their screen areas.
    const bool ok = family_ == 0 ? auxWritable_ : writable(bankNo, address, data.size());
    if (!ok) return false;
    writeAt(*at, data);
    return true;
}

std::vector<std::size_t> KyrMemory::areasOf(std::uint8_t selector) const {
    std::vector<std::size_t> out;
    for (std::size_t i = 0; i < areas_.size(); ++i)
        if (inSelection(areas_[i].bank, selector)) out.push_back(i);
    return out;
}

bool KyrMemory::inSelection(std::uint8_t bankNo, std::uint8_t selector) const {
    if (family_ != 0) return bankNo != 0;
    if (selector == SelectRam) return bankNo == 0;
    if (selector == SelectMem) return bankNo != 0;
    return true;
}

std::optional<Allocation> KyrMemory::allocate(std::uint8_t selector, std::uint16_t size) {
    for (std::size_t i : areasOf(selector)) {
        Area& a = areas_[i];
        if (!a.writable || a.next + size + EndMark > a.end) continue;
        const Allocation where{a.bank, static_cast<std::uint16_t>(a.next), size};
        a.next += size;
        return where;
    }
    return std::nullopt;
}

Bytes KyrMemory::read(const Allocation& where) const {
    return readAt(locate(where.bank, where.address, where.size), where.size);
}

bool KyrMemory::write(const Allocation& where, std::span<const std::uint8_t> data) {
    if (data.size() > where.size || !writable(where.bank, where.address, data.size())) return false;
    writeAt(*locate(where.bank, where.address, data.size()), data);
    return true;
}

std::array<std::uint16_t, 9> KyrMemory::freeWords(bool flashFault) const {
    std::array<std::uint16_t, 9> words{};
    for (const Area& a : areas_) {
        if (a.bank > 8 || !a.writable) continue;
        const std::uint32_t used = a.next + EndMark;
        words[a.bank] = static_cast<std::uint16_t>(used < a.end ? a.end - used : 0);
    }
    if (flash_) words[0] = flashFault ? 0xFF00 : 0;
    return words;
}

void KyrMemory::clear(std::uint8_t selector) {
    for (std::size_t i : areasOf(selector)) {
        Area& a = areas_[i];
        a.next = a.begin;
        if (!a.writable) continue;
        const std::uint8_t erased = (a.bank != 0 && flash_) ? 0xFF : 0x00;
        const auto at = locate(a.bank, a.begin, a.end - a.begin);
        if (at) fillAt(*at, a.end - a.begin, erased);
    }
}

}  // namespace kyr::sim

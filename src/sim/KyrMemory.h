#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <vector>

#include "model/Bytes.h"
#include "sim/SimConfig.h"

namespace kyr::sim {

// Room for one screen as the allocation reply names it: bank 0 is the RAM, banks 1..8 the
// 16 KB pages of MEM (KYR-T240(E), KYR-T220, seen through the window 0x8000..0xBFFF) or the
// program-memory banks (KYR Mini, KYR Grand).
struct Allocation {
    std::uint8_t bank = 0;
    std::uint16_t address = 0;
    std::uint16_t size = 0;
};

// Memory selectors of the link commands.
inline constexpr std::uint8_t SelectRam = 0;
inline constexpr std::uint8_t SelectMem = 1;
inline constexpr std::uint8_t SelectRamAndMem = 3;
inline constexpr std::uint8_t SelectProgram = 16;

// The user-program memory of a KYR-family terminal: the RAM of the CPU address space, the
// auxiliary memory MEM (types 0 and 1, addressed by 64 KB segment and address) or the banked
// program memory (types 2 and 3, addressed by bank and address), and the screen areas the
// allocator hands out.
class KyrMemory {
public:
    explicit KyrMemory(const SimConfig& config);

    // Block access as the link commands name it: 0xA1/0xA4 reach the RAM, 0xBE/0xBF the
    // banked space. Reads of unmapped bytes give 0xFF; a write outside the writable areas
    // fails and changes nothing.
    Bytes readRam(std::uint16_t address, std::size_t count) const;
    bool writeRam(std::uint16_t address, std::span<const std::uint8_t> data);
    Bytes readBanked(std::uint8_t bank, std::uint16_t address, std::size_t count) const;
    bool writeBanked(std::uint8_t bank, std::uint16_t address, std::span<const std::uint8_t> data);

    // First fit in the areas of the selector, leaving room for the two-byte end mark.
    std::optional<Allocation> allocate(std::uint8_t selector, std::uint16_t size);
    Bytes read(const Allocation& where) const;
    bool write(const Allocation& where, std::span<const std::uint8_t> data);

    // Free bytes: word 0 the RAM, words 1..8 the MEM pages or program banks. A flash
    // program memory reports instead in the high byte of word 0 whether it failed to erase.
    std::array<std::uint16_t, 9> freeWords(bool flashFault) const;

    // Empties the areas of the selector.
    void clear(std::uint8_t selector);
    // Whether a screen in `bank` belongs to the memory the selector names.
    bool inSelection(std::uint8_t bank, std::uint8_t selector) const;

    // The firmware description the info dialog reads (bank 7, 0xFFC0; KYR Mini/Grand).
    static constexpr std::uint8_t DescriptionBank = 7;
    static constexpr std::uint16_t DescriptionAddress = 0xFFC0;

private:
    struct Area {
        std::uint8_t bank;
        std::uint32_t begin;
        std::uint32_t end;  // exclusive
        std::uint32_t next;
        bool writable;
    };

    // A place in storage: which buffer and where in it.
    struct Where {
        enum class In { Ram, Aux, Bank } in;
        std::uint8_t bank;
        std::size_t offset;
    };
    // Allocation coordinates (bank 0 RAM, else page or bank) to storage.
    std::optional<Where> locate(std::uint8_t bank, std::uint32_t address, std::size_t count) const;
    // Banked link addresses (segment or bank, address) to storage.
    std::optional<Where> locateBanked(std::uint8_t bank, std::uint16_t address,
                                      std::size_t count) const;
    // The buffer of a place; nullptr for a bank never written (it reads as erased).
    const Bytes* buffer(const Where& at) const;
    Bytes& buffer(const Where& at);
    bool writable(std::uint8_t bank, std::uint32_t address, std::size_t count) const;
    void writeAt(const Where& at, std::span<const std::uint8_t> data);
    void fillAt(const Where& at, std::size_t count, std::uint8_t value);
    Bytes readAt(const std::optional<Where>& at, std::size_t count) const;
    std::vector<std::size_t> areasOf(std::uint8_t selector) const;

    int family_;
    bool flash_;
    bool auxWritable_;
    Bytes ram_;
    Bytes aux_;                            // types 0, 1: MEM, flat
    std::map<std::uint8_t, Bytes> banks_;  // types 2, 3: 64 KB per bank
    std::vector<Area> areas_;
};

}  // namespace kyr::sim

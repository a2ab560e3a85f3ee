#include "sim/RequestSizes.h"

#include <array>

namespace kyr::sim {

namespace {

// Parameter bytes after the command code: up to two fixed sizes, or the first parameter
// (a count byte) plus a constant.
struct SizeRule {
    std::uint8_t code;
    int fixedA;
    int fixedB;
    int countPlus;
};

constexpr int None = -1;

constexpr std::array<SizeRule, 33> Rules = {{
    {0x04, 0, None, None},   // read clock
    {0x0C, 8, None, None},   // set clock
    {0xB0, 0, None, None},   // status
    {0xAC, 0, None, None},   // firmware version
    {0xA8, 0, None, None},   // BOOT version
    {0xB9, 0, None, None},   // minimum tool versions
    {0xC4, 1, None, None},   // memory clear
    {0xBC, 0, None, None},   // read setup
    {0xBD, 10, None, None},  // write setup
    {0xB6, 0, None, None},   // free memory / LUM memory structure
    {0xB7, 0, None, None},   // read communication table
    {0xC7, 0, None, None},   // read communication table, long form
    {0xB8, 20, 32, None},    // write communication table
    {0xC8, 24, None, None},  // write communication table, long form
    {0xB2, 1, None, None},   // EXD list
    {0xC1, 1, None, None},   // read EXD table
    {0xC2, 65, None, None},  // write EXD table
    {0xB1, 1, 4, None},      // screen list (8-bit) / firmware flash erase
    {0xC5, 1, None, None},   // screen list (16-bit)
    {0xC6, 1, None, None},   // screen list continued
    {0xB4, 2, 3, None},      // locate screen
    {0xA1, 3, None, None},   // read block
    {0xBE, 4, None, None},   // read block in a bank
    {0xB3, 3, None, None},   // allocate screen
    {0xA4, None, None, 2},   // write block
    {0xBF, None, None, 3},   // write block in a bank
    {0xB5, 1, None, None},   // close screen
    {0xA2, 3, None, None},   // LUM protocol list
    {0xA5, None, None, 2},   // LUM block write
    {0xAF, None, None, 3},   // firmware data block
    {0xAA, 0, None, None},   // end of firmware programming
    {0xC0, 1, None, None},   // switch to BOOT mode
    {0xC9, 0, None, None},   // LUM: switch to BOOT mode
}};

}  // namespace

std::optional<std::vector<std::size_t>> requestSizes(std::span<const std::uint8_t> request) {
    if (request.empty()) return std::vector<std::size_t>{};
    for (const SizeRule& r : Rules) {
        if (r.code != request[0]) continue;
        if (r.countPlus != None) {
            if (request.size() < 2) return std::vector<std::size_t>{};
            return std::vector<std::size_t>{1 + static_cast<std::size_t>(request[1]) +
                                            static_cast<std::size_t>(r.countPlus)};
        }
        std::vector<std::size_t> sizes{1 + static_cast<std::size_t>(r.fixedA)};
        if (r.fixedB != None) sizes.push_back(1 + static_cast<std::size_t>(r.fixedB));
        return sizes;
    }
    return std::nullopt;
}

}  // namespace kyr::sim

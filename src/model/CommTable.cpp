#include "model/CommTable.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "model/Bytes.h"

namespace kyr {

namespace {

constexpr std::array<CommRowInfo, TCommTable::RowCount> rowInfos{{
    {"BEEP  ", "BEEPER", 1},
    {"SCRN  ", "SCRN", 1},
    {"KBD   ", "KBD", 2},
    {"DATTIM", "DATTIM", 4},
    {"I/O   ", "I/O", 1},
    {"INP   ", "IN", 1},
    {"OUT   ", "OUT", 1},
    {"CAN   ", "CAN", 1},
}};

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) ==
                      std::toupper(static_cast<unsigned char>(y));
           });
}

std::string_view trimmedName(std::string_view padded) {
    return padded.substr(0, padded.find_last_not_of(' ') + 1);
}

}  // namespace

const CommRowInfo& commRowInfo(int row) {
    return rowInfos.at(static_cast<std::size_t>(std::clamp(row, 0, TCommTable::RowCount - 1)));
}

int commRowByName(std::string_view name) {
    for (int row = 0; row < TCommTable::RowCount; ++row) {
        if (sameIgnoringCase(name, trimmedName(rowInfos[static_cast<std::size_t>(row)].fileName)))
            return row;
    }
    return -1;
}

TCommTable TCommTable::Defaults() {
    TCommTable t;
    for (int row = 0; row < RowCount; ++row) t.SetRow(row, SystemUnused, SpaceTerminal, 0);
    return t;
}

std::int8_t TCommTable::System(int row) const {
    if (!valid(row)) return 0;
    return static_cast<std::int8_t>(bytes::u8(bytes_, base(row)));
}

std::uint8_t TCommTable::Space(int row) const {
    if (!valid(row)) return 0;
    return bytes::u8(bytes_, base(row) + 1);
}

std::uint16_t TCommTable::Begin(int row) const {
    if (!valid(row)) return 0;
    return bytes::u16le(bytes_, base(row) + 2);
}

void TCommTable::SetSystem(int row, std::int8_t v) {
    if (valid(row)) bytes::setU8(bytes_, base(row), static_cast<std::uint8_t>(v));
}

void TCommTable::SetSpace(int row, std::uint8_t v) {
    if (valid(row)) bytes::setU8(bytes_, base(row) + 1, v);
}

void TCommTable::SetBegin(int row, std::uint16_t v) {
    if (valid(row)) bytes::setU16le(bytes_, base(row) + 2, v);
}

void TCommTable::SetRow(int row, std::int8_t system, std::uint8_t space, std::uint16_t begin) {
    SetSystem(row, system);
    SetSpace(row, space);
    SetBegin(row, begin);
}

void TCommTable::GetImage(std::span<std::uint8_t, Size> dest, bool lowFirst) const {
    std::copy(bytes_.begin(), bytes_.end(), dest.begin());
    for (int row = 0; row < RowCount; ++row) bytes::setU16(dest, base(row) + 2, Begin(row), lowFirst);
}

void TCommTable::SetImage(std::span<const std::uint8_t, Size> src, bool lowFirst) {
    std::copy(src.begin(), src.end(), bytes_.begin());
    for (int row = 0; row < RowCount; ++row) SetBegin(row, bytes::u16(src, base(row) + 2, lowFirst));
}

}  // namespace kyr

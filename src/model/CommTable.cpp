#include "model/CommTable.h"

#include "model/Bytes.h"

namespace kyr {

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

}  // namespace kyr

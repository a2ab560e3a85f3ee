#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace kyr {

// What the program shows and writes of one communication row.
struct CommRowInfo {
    std::string_view fileName;  // six characters, blank-padded, as written to [Tables]
    std::string_view label;     // the row's label on the Comm Tables page
    int shownLength;            // the length shown beside it
};

// Rows 0..7: BEEP, SCRN, KBD, DATTIM, I/O, INP, OUT, CAN.
const CommRowInfo& commRowInfo(int row);
// The row named `name` (case-insensitive, without the padding), -1 when none is.
int commRowByName(std::string_view name);

// The communication table: eight rows of four bytes (System i8, Space u8, Begin u16 kept low
// byte first). A terminal type uses rows 0 .. its last communication row.
class TCommTable {
public:
    static constexpr int RowCount = 8;
    static constexpr std::size_t RowSize = 4;
    static constexpr std::size_t Size = RowCount * RowSize;

    static constexpr std::int8_t SystemUnused = -1;
    static constexpr std::int8_t SystemTerminal = -2;  // row uses a terminal-internal space
    static constexpr std::uint8_t SpaceTerminal = 20;  // first of the terminal's own spaces

    // All rows System 0, Space 0, Begin 0.
    TCommTable() = default;

    // Every row System -1, Space 20, Begin 0 (a new project).
    static TCommTable Defaults();

    // Rows outside 0..7 read as zero and are not written.
    std::int8_t System(int row) const;
    std::uint8_t Space(int row) const;
    std::uint16_t Begin(int row) const;
    void SetSystem(int row, std::int8_t v);
    void SetSpace(int row, std::uint8_t v);
    void SetBegin(int row, std::uint16_t v);
    void SetRow(int row, std::int8_t system, std::uint8_t space, std::uint16_t begin);

    // The 32-byte image block: the rows in order, each Begin high byte first, or low byte
    // first when `lowFirst` (terminal family 2). SetImage reads a block written that way.
    void GetImage(std::span<std::uint8_t, Size> dest, bool lowFirst) const;
    void SetImage(std::span<const std::uint8_t, Size> src, bool lowFirst);

    std::span<const std::uint8_t, Size> Bytes() const { return bytes_; }
    std::span<std::uint8_t, Size> Bytes() { return bytes_; }

    bool operator==(const TCommTable&) const = default;

private:
    static bool valid(int row) { return row >= 0 && row < RowCount; }
    static std::size_t base(int row) { return static_cast<std::size_t>(row) * RowSize; }

    std::array<std::uint8_t, Size> bytes_{};
};

}  // namespace kyr

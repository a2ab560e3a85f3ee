#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "model/TextTokens.h"

namespace kyr {

class TKyrData;

// One EXD table of a project: up to 16 PLC data references the terminal sends to the
// external displays. The project owns its tables; a table keeps a plain reference back to
// its project. Rows are four bytes: System (i8, negative = row empty), Space byte (code in
// bits 0-5, selector in bits 6-7) and Address (u16).
class TExdTab {
public:
    static constexpr int RowCount = 16;
    static constexpr std::size_t RowSize = 4;
    static constexpr int MaxNumber = 20;
    // Bytes of the image record, written from the second byte of the caller's slot.
    static constexpr int ImageSize = 65;
    static constexpr std::size_t ImageSlotSize = 1 + ImageSize;
    static constexpr std::int8_t SystemEmpty = -1;

    // A new table: number 0, empty name, every row empty.
    explicit TExdTab(TKyrData& data);
    TExdTab(const TExdTab&) = delete;
    TExdTab& operator=(const TExdTab&) = delete;
    ~TExdTab();

    TKyrData& Data() const { return *data_; }

    std::uint8_t Number() const { return number_; }
    void SetNumber(std::uint8_t number) { number_ = number; }

    // Free comment shown after the number; a short string of at most 255 characters.
    const std::string& Name() const { return name_; }
    void SetName(std::string_view name);

    bool Error() const { return error_; }
    void SetError(bool error) { error_ = error; }

    // --- rows (indices outside 0..15 read as an empty row and are not written) --------------
    std::int8_t System(int row) const;
    std::uint8_t Space(int row) const;
    std::uint16_t Address(int row) const;
    void SetRow(int row, std::int8_t system, std::uint8_t space, std::uint16_t address);
    // System -1, Space 0, Address 0.
    void ClearRow(int row);
    void ClearRows();
    bool RowUsed(int row) const { return System(row) >= 0; }
    // The last row whose System is not negative, -1 when none is.
    int LastUsedRow() const;

    // --- project text -----------------------------------------------------------------------
    // A table from its section, which starts at the "[EXD..." header line (lines end with
    // CR). Failures set the table's error flag and show their warnings, then the "ERROR" box;
    // the caller drops a bad table. A row value that is not an integer is not reported here:
    // it sets the error flag and `fault` (the caller reports it and stops reading); without
    // `fault` it is reported here as one more warning.
    static std::unique_ptr<TExdTab> ReadSection(TKyrData& data, std::string_view section,
                                                TextFault* fault = nullptr);
    // Appends the header line and the rows up to the last used one, each ended by CR LF.
    void WriteSection(std::string& out) const;

    // --- memory image -----------------------------------------------------------------------
    // Writes the 65-byte record into dest[1..65] (dest[0] belongs to the caller): the number,
    // then each row with its address high byte first. Returns 65; returns 0 and writes
    // nothing when `dest` is shorter than 66 bytes.
    int PutToImage(std::span<std::uint8_t> dest) const;
    // A table from a slot laid out as PutToImage writes it; the name is empty. A slot shorter
    // than 66 bytes gives a table with its error flag set.
    static std::unique_ptr<TExdTab> FromImage(TKyrData& data, std::span<const std::uint8_t> src);

private:
    static bool valid(int row) { return row >= 0 && row < RowCount; }
    static std::size_t base(int row) { return static_cast<std::size_t>(row) * RowSize; }

    TKyrData* data_;
    std::uint8_t number_ = 0;
    std::array<std::uint8_t, RowCount * RowSize> rows_{};  // addresses kept low byte first
    std::string name_;
    bool error_ = false;
};

}  // namespace kyr

#include "image/ImageBlocks.h"

#include <algorithm>

#include "model/DataClass.h"

namespace kyr {

namespace {

// Types 0 and 1 always take rows 0..4 into the EPROM.
constexpr std::size_t KyrBCommRows = 5;

std::size_t commRows(const TKyrData& data) {
    const std::size_t rows =
        data.TermType() <= 1 ? KyrBCommRows : std::size_t{data.LastCommRow()} + 1;
    return std::min<std::size_t>(rows, TCommTable::RowCount);
}

}  // namespace

std::array<std::uint8_t, TSetup::Size> SetupBlock(const TKyrData& data) {
    std::array<std::uint8_t, TSetup::Size> block{};
    data.GetSetupImage(block);
    return block;
}

Bytes CommBlock(const TKyrData& data) {
    std::array<std::uint8_t, TCommTable::Size> all{};
    data.GetCommImage(all);
    const auto n = static_cast<long>(commRows(data) * TCommTable::RowSize);
    return Bytes(all.begin(), all.begin() + n);
}

Bytes ExdBlock(const TKyrData& data, int index) {
    std::array<std::uint8_t, TExdTab::ImageSlotSize> slot{};
    if (data.ExdTableImage(index, slot) != TExdTab::ImageSize) return {};
    return Bytes(slot.begin() + 1, slot.end());
}

Bytes EmptyScreenRecord(int number, int format) {
    const auto n = static_cast<std::uint16_t>(number);
    if (format < 218) return {0x00, 0x06, static_cast<std::uint8_t>(n & 0xFF), 0x00, 0x00, 0x00};
    return {
        0x00, 0x07, static_cast<std::uint8_t>(n >> 8), static_cast<std::uint8_t>(n & 0xFF), 0x00,
        0x00, 0x00};
}

}  // namespace kyr

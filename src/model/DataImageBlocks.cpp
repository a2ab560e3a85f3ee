// The image blocks a project gives to and takes from the terminal: communication table, EXD
// tables and screens.
#include "model/DataClass.h"

namespace kyr {

void TKyrData::GetCommImage(std::span<std::uint8_t, TCommTable::Size> dest) const {
    commTable_.GetImage(dest, TermFamily() == 2);
}

void TKyrData::SetCommImage(std::span<const std::uint8_t, TCommTable::Size> src) {
    commTable_.SetImage(src, TermFamily() == 2);
}

int TKyrData::ExdTableImage(int index, std::span<std::uint8_t> dest) const {
    if (index < 0 || index >= ExdCount()) return index;
    return ExdTable(index).PutToImage(dest);
}

int TKyrData::NewExdTableImage(std::uint8_t number, std::span<std::uint8_t> dest) {
    TExdTab table(*this);
    table.SetNumber(number);
    return table.PutToImage(dest);
}

bool TKyrData::AddExdTableFromImage(std::span<const std::uint8_t> src) {
    auto table = TExdTab::FromImage(*this, src);
    if (table->Error()) return false;
    AppendExdTable(std::move(table));
    return true;
}

int TKyrData::AddScreenFromImage(std::span<const std::uint8_t> record, int format) {
    int number = -1;
    auto screen = TKyrScreen::FromImage(*this, record, format, number);
    if (screen->Error()) return number;
    AppendScreen(std::move(screen));
    return ScreenImageAccepted;
}

}  // namespace kyr

#include "model/Screen.h"

#include "model/ShortString.h"

namespace kyr {

TKyrScreen::TKyrScreen(TKyrData& data) : data_(&data) {}

TKyrScreen::~TKyrScreen() = default;

void TKyrScreen::SetComment(std::string_view comment) { comment_ = shortString(comment); }

int TKyrScreen::FirmwareLevel() const { return 0; }

}  // namespace kyr

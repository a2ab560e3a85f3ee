#include "model/ExdTab.h"

#include "model/ShortString.h"

namespace kyr {

TExdTab::TExdTab(TKyrData& data) : data_(&data) {}

TExdTab::~TExdTab() = default;

void TExdTab::SetName(std::string_view name) { name_ = shortString(name); }

}  // namespace kyr

#include "model/FuncLine.h"

#include "model/Func.h"

namespace kyr {

std::optional<std::string> TFuncLineList::NextLine() {
    if (next_ >= lines_.size()) return std::nullopt;
    return lines_[next_++];
}

}  // namespace kyr

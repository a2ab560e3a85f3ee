#include "link/Timeout.h"

namespace kyr {

bool TTimeout::Tick() {
    if (counter_ >= Limit) return false;
    ++counter_;
    if (counter_ < Limit) return true;
    if (abort_) abort_();
    return false;
}

}  // namespace kyr

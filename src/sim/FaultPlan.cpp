#include "sim/FaultPlan.h"

namespace kyr::sim {

std::optional<Fault> FaultPlan::take(std::uint8_t command) {
    for (auto it = faults_.begin(); it != faults_.end(); ++it) {
        if (it->command && *it->command != command) continue;
        if (it->count == 0) continue;
        Fault f = *it;
        if (it->count > 0 && --it->count == 0) faults_.erase(it);
        ++applied_;
        return f;
    }
    return std::nullopt;
}

}  // namespace kyr::sim

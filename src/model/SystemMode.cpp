#include "model/SystemMode.h"

#include <atomic>

namespace kyr {

namespace {
std::atomic<bool> systemMode{false};
}

bool isSystemMode() { return systemMode.load(std::memory_order_relaxed); }

void setSystemMode(bool on) { systemMode.store(on, std::memory_order_relaxed); }

}  // namespace kyr

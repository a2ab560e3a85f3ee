#include "cli/InterruptGuard.h"

#include <csignal>

namespace kyr::cli {

namespace {

volatile std::sig_atomic_t gInterrupted = 0;
extern "C" void onInterrupt(int) { gInterrupted = 1; }

}  // namespace

InterruptGuard::InterruptGuard() {
    gInterrupted = 0;
    previous_ = std::signal(SIGINT, onInterrupt);
}

InterruptGuard::~InterruptGuard() { std::signal(SIGINT, previous_); }

bool InterruptGuard::Interrupted() { return gInterrupted != 0; }

}  // namespace kyr::cli

#pragma once

namespace kyr::cli {

// While it lives, Ctrl-C asks the running job to stop instead of ending the program.
class InterruptGuard {
public:
    InterruptGuard();
    ~InterruptGuard();
    InterruptGuard(const InterruptGuard&) = delete;
    InterruptGuard& operator=(const InterruptGuard&) = delete;

    // True once Ctrl-C was pressed while a guard lived.
    static bool Interrupted();

private:
    void (*previous_)(int);
};

}  // namespace kyr::cli

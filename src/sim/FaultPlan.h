#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "model/Bytes.h"

namespace kyr::sim {

// Faults the terminal can put on its replies.
enum class FaultKind {
    Drop,     // the reply is not sent
    Corrupt,  // one byte of the reply is changed (a bad CRC, or a wrong acknowledge byte)
    Delay,    // the reply leaves late, after the link has given up waiting
    Noise,    // stray characters go out before the reply
};

struct Fault {
    explicit Fault(FaultKind k = FaultKind::Drop) : kind(k) {}
    // Fault(FaultKind::Drop).times(3).onCommand(0xB0) and the like.
    Fault times(int n) const {
        Fault f = *this;
        f.count = n;
        return f;
    }
    Fault always() const { return times(-1); }
    Fault onCommand(std::uint8_t code) const {
        Fault f = *this;
        f.command = code;
        return f;
    }
    Fault after(int ms) const {
        Fault f = *this;
        f.delayMs = ms;
        return f;
    }
    Fault withNoise(Bytes bytes) const {
        Fault f = *this;
        f.noise = std::move(bytes);
        return f;
    }

    FaultKind kind = FaultKind::Drop;
    // How many replies it spoils; -1 for every reply from now on.
    int count = 1;
    // Only replies to this command; every command when empty.
    std::optional<std::uint8_t> command;
    // Delay: how late the reply leaves. The default is later than the link waits for any
    // reply (at most 16 ticks of 50 ms).
    int delayMs = 1000;
    // Noise: the stray characters; empty for a default that suits the encoding.
    Bytes noise;
};

// The faults still to be applied, in the order they were added.
class FaultPlan {
public:
    void add(const Fault& fault) { faults_.push_back(fault); }
    void clear() { faults_.clear(); }
    bool empty() const { return faults_.empty(); }

    // The fault for the next reply to `command`, one use of it consumed; the first
    // matching fault wins.
    std::optional<Fault> take(std::uint8_t command);

    int applied() const { return applied_; }

private:
    std::vector<Fault> faults_;
    int applied_ = 0;
};

}  // namespace kyr::sim

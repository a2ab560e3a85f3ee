#include "sim/SimTerminalPool.h"

namespace kyr::sim {

namespace {

// A port that binds to one of the pool's terminals each time it is opened: "sim:" follows
// the pool's default type, which may have changed since the last open.
class PooledPort final : public SerialPort {
public:
    explicit PooledPort(SimTerminalPool& pool) : pool_(pool) {}

    bool open(const std::string& name) override {
        close();
        const auto type = simPortType(name, pool_.defaultType());
        bound_ = type ? pool_.terminal(*type) : nullptr;
        return bound_ && bound_->open(name);
    }
    void close() override {
        if (bound_) bound_->close();
    }
    bool isOpen() const override { return bound_ && bound_->isOpen(); }
    int readAvailable(std::span<std::uint8_t> buffer) override {
        return isOpen() ? bound_->readAvailable(buffer) : -1;
    }
    bool writeBytes(std::span<const std::uint8_t> data) override {
        return isOpen() && bound_->writeBytes(data);
    }
    bool transmitChar(std::uint8_t c) override { return isOpen() && bound_->transmitChar(c); }
    bool setParity(Parity parity) override { return isOpen() && bound_->setParity(parity); }
    void sleep(int milliseconds) override {
        if (bound_) bound_->sleep(milliseconds);
    }

private:
    SimTerminalPool& pool_;
    SimPort* bound_ = nullptr;
};

}  // namespace

SimTerminalPool::SimTerminalPool(SimClock::Kind clock) : clock_(clock) {}

int SimTerminalPool::defaultType() const { return defaultType_ ? defaultType_() : 0; }

std::unique_ptr<SerialPort> SimTerminalPool::makePort(const std::string& deviceName) {
    // "sim:" with any default is a simulator name; the type is settled when it opens.
    if (!simPortType(deviceName, 0)) return nullptr;
    return std::make_unique<PooledPort>(*this);
}

SimPort* SimTerminalPool::terminal(int type) {
    if (type < 0 || type >= TypeCount) return nullptr;
    auto& slot = terminals_[static_cast<std::size_t>(type)];
    if (!slot) slot = std::make_unique<SimPort>(SimConfig::forType(type), clock_);
    return slot.get();
}

SimPort* SimTerminalPool::existing(int type) const {
    if (type < 0 || type >= TypeCount) return nullptr;
    return terminals_[static_cast<std::size_t>(type)].get();
}

void SimTerminalPool::advance(std::int64_t ms) {
    for (auto& t : terminals_)
        if (t) t->advance(ms);
}

}  // namespace kyr::sim

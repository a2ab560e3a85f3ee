#pragma once

#include <algorithm>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "link/Comm.h"
#include "link/SerialPort.h"

namespace kyr::test {

// What a scripted port did and what it is to deliver. Shared between the test and the port
// objects the engine makes, so the test sees everything after handing the port over.
struct PortScript {
    bool openSucceeds = true;
    int failWrites = 0;  // the next n writes fail
    int failReads = 0;   // the next n reads return -1
    int opens = 0;
    int closes = 0;
    int made = 0;  // port objects made by the factory
    std::vector<std::string> openedNames;
    std::vector<Bytes> writes;        // one entry per writeBytes
    std::vector<std::string> events;  // the order of line operations
    std::deque<Bytes> input;          // pieces; one read takes from the front piece
    std::function<void()> onRead;     // runs at every read, before it returns

    void feed(std::span<const std::uint8_t> piece) {
        input.emplace_back(piece.begin(), piece.end());
    }
    void feed(const std::string& text) { input.emplace_back(text.begin(), text.end()); }
    std::string lastWriteText() const {
        return writes.empty() ? std::string()
                              : std::string(writes.back().begin(), writes.back().end());
    }
    int writeCount() const { return static_cast<int>(writes.size()); }
};

class ScriptedPort final : public SerialPort {
public:
    explicit ScriptedPort(std::shared_ptr<PortScript> script) : s_(std::move(script)) {}

    bool open(const std::string& name) override {
        ++s_->opens;
        s_->openedNames.push_back(name);
        open_ = s_->openSucceeds;
        return open_;
    }
    void close() override {
        if (open_) ++s_->closes;
        open_ = false;
    }
    bool isOpen() const override { return open_; }
    int readAvailable(std::span<std::uint8_t> buffer) override {
        if (s_->onRead) s_->onRead();
        if (s_->failReads > 0) {
            --s_->failReads;
            return -1;
        }
        if (s_->input.empty() || buffer.empty()) return 0;
        Bytes& piece = s_->input.front();
        const std::size_t n = std::min(buffer.size(), piece.size());
        std::copy_n(piece.begin(), n, buffer.begin());
        piece.erase(piece.begin(), piece.begin() + static_cast<std::ptrdiff_t>(n));
        if (piece.empty()) s_->input.pop_front();
        return static_cast<int>(n);
    }
    bool writeBytes(std::span<const std::uint8_t> data) override {
        s_->events.push_back("write");
        s_->writes.emplace_back(data.begin(), data.end());
        if (s_->failWrites > 0) {
            --s_->failWrites;
            return false;
        }
        return true;
    }
    bool transmitChar(std::uint8_t c) override {
        s_->events.push_back("tx " + std::to_string(c));
        return true;
    }
    bool setParity(Parity parity) override {
        static const char* names[] = {"space", "mark", "none"};
        s_->events.push_back(std::string("parity ") + names[static_cast<int>(parity)]);
        return true;
    }
    void sleep(int milliseconds) override {
        s_->events.push_back("sleep " + std::to_string(milliseconds));
    }

private:
    std::shared_ptr<PortScript> s_;
    bool open_ = false;
};

inline TPortFactory scriptedFactory(const std::shared_ptr<PortScript>& script) {
    return [script](const std::string&) {
        ++script->made;
        return std::make_unique<ScriptedPort>(script);
    };
}

}  // namespace kyr::test

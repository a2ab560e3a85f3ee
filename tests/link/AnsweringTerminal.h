#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "link/Comm.h"
#include "link/Crc16.h"
#include "link/LinkFrame.h"
#include "link/SerialPort.h"

namespace kyr::test {

// A terminal double that answers every framed request (binary or ASCII) from a table of
// replies by command byte. Shared between the test and the port objects the engine makes.
struct AnsweringScript {
    bool ascii = false;
    bool connected = true;                  // false: requests go unanswered (cable pulled)
    std::map<std::uint8_t, Bytes> replies;  // command -> reply bytes without CRC
    std::map<std::uint8_t, bool> acks;      // command -> answered with the acknowledge
    std::vector<Bytes> requests;            // every request received, command first
    std::deque<std::uint8_t> output;        // what the port has to deliver

    int count(std::uint8_t command) const {
        int n = 0;
        for (const auto& r : requests)
            if (!r.empty() && r[0] == command) ++n;
        return n;
    }
    std::optional<Bytes> last(std::uint8_t command) const {
        for (auto it = requests.rbegin(); it != requests.rend(); ++it)
            if (!it->empty() && (*it)[0] == command) return *it;
        return std::nullopt;
    }

    void answer(const Bytes& request) {
        requests.push_back(request);
        if (!connected || request.empty()) return;
        const std::uint8_t command = request[0];
        if (acks.count(command)) {
            if (ascii) {
                queue("*06\r");
            } else {
                output.push_back(link::Ack);
            }
            return;
        }
        const auto it = replies.find(command);
        if (it == replies.end()) return;
        const Bytes framed = link::withCrc(0, it->second);
        if (ascii) {
            queue(link::asciiFrame(0, framed));
        } else {
            output.insert(output.end(), framed.begin(), framed.end());
        }
    }
    void queue(const std::string& text) { output.insert(output.end(), text.begin(), text.end()); }
};

class AnsweringPort final : public SerialPort {
public:
    explicit AnsweringPort(std::shared_ptr<AnsweringScript> script) : s_(std::move(script)) {}

    bool open(const std::string&) override { return open_ = true; }
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }
    int readAvailable(std::span<std::uint8_t> buffer) override {
        std::size_t n = 0;
        while (n < buffer.size() && !s_->output.empty()) {
            buffer[n++] = s_->output.front();
            s_->output.pop_front();
        }
        return static_cast<int>(n);
    }
    bool writeBytes(std::span<const std::uint8_t> data) override {
        if (s_->ascii) {
            takeAscii(data);
        } else if (data.size() >= 2) {
            // The address went ahead with mark parity; the rest ends with the CRC.
            s_->answer(Bytes(data.begin(), data.end() - 2));
        }
        return true;
    }
    bool transmitChar(std::uint8_t) override { return true; }
    bool setParity(Parity) override { return true; }
    void sleep(int) override {}

private:
    void takeAscii(std::span<const std::uint8_t> data) {
        // "*", address, request bytes, CRC, carriage return.
        if (data.size() < 8 || data.front() != '*') return;
        Bytes decoded;
        for (std::size_t i = 1; i + 1 < data.size() - 1; i += 2)
            decoded.push_back(static_cast<std::uint8_t>(link::hexDigitValue(data[i]) << 4 |
                                                        link::hexDigitValue(data[i + 1])));
        if (decoded.size() < 3) return;
        s_->answer(Bytes(decoded.begin() + 1, decoded.end() - 2));
    }

    std::shared_ptr<AnsweringScript> s_;
    bool open_ = false;
};

// A link engine on an answering port, opened, stepped by hand.
struct AnsweringLink {
    explicit AnsweringLink(bool ascii = false)
        : script(std::make_shared<AnsweringScript>()),
          kom([s = script](const std::string&) { return std::make_unique<AnsweringPort>(s); },
              TLinkSettings{ascii, 10, "test"}) {
        script->ascii = ascii;
        kom.OpenPort(1);
        kom.SetReopenFlag(false);
    }

    std::shared_ptr<AnsweringScript> script;
    TMKom kom;
};

}  // namespace kyr::test

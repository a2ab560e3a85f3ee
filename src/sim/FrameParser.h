#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <string>

#include "model/Bytes.h"

namespace kyr::sim {

// What the line tells about a received character: the binary link marks the address
// character with mark parity. A pseudo-terminal carries no parity, so there every
// character is Unknown and frames are found by address, size and CRC.
enum class CharKind { Address, Data, Unknown };

// One request as the terminal received it: the address byte and the request bytes
// (command first), CRC already checked and removed.
struct Frame {
    std::uint8_t address = 0;
    Bytes request;
};

// Binary frames: address character, request bytes, CRC high byte first. The size of a
// request follows from its command code (and count byte); a frame with a bad CRC or an
// unknown command is dropped.
class BinaryFrameParser {
public:
    explicit BinaryFrameParser(std::uint8_t ownAddress) : own_(ownAddress) {}

    void feed(std::uint8_t byte, CharKind kind);
    std::optional<Frame> next();
    // Forgets a partly received frame (line idle, port reopened).
    void reset();
    int badFrames() const { return badFrames_; }

private:
    void append(std::uint8_t byte);
    void dropFrame();

    std::uint8_t own_;
    Bytes buf_;
    bool collecting_ = false;
    bool resyncing_ = false;
    bool unknownLine_ = false;
    std::deque<Frame> frames_;
    int badFrames_ = 0;
};

// ASCII frames: "*", upper- or lower-case hex digits of address, request and CRC, and a
// carriage return. A new "*" restarts the frame.
class AsciiFrameParser {
public:
    void feed(std::uint8_t byte);
    std::optional<Frame> next();
    void reset();
    int badFrames() const { return badFrames_; }

private:
    void finish();

    std::string text_;
    bool collecting_ = false;
    std::deque<Frame> frames_;
    int badFrames_ = 0;
};

// CRC of a request frame (address and request bytes) or of a reply.
std::uint16_t frameCrc(std::span<const std::uint8_t> bytes);

}  // namespace kyr::sim

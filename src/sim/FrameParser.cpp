#include "sim/FrameParser.h"

#include <algorithm>
#include <string>

#include "link/Crc16.h"
#include "sim/RequestSizes.h"

namespace kyr::sim {

std::uint16_t frameCrc(std::span<const std::uint8_t> bytes) {
    return Crc16::instance().compute(bytes);
}

namespace {

bool crcMatches(std::span<const std::uint8_t> frame) {
    const std::size_t n = frame.size();
    if (n < 3) return false;
    return frameCrc(frame.first(n - 2)) == bytes::u16be(frame, n - 2);
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Longest ASCII frame text: address, 254 request bytes and the CRC as hex digits.
constexpr std::size_t MaxAsciiChars = 2 * (1 + MaxRequestSize + 2);

}  // namespace

void BinaryFrameParser::feed(std::uint8_t byte, CharKind kind) {
    if (kind == CharKind::Address) {
        reset();
        if (byte != own_) return;  // a frame for another terminal: skip to the next address
        collecting_ = true;
        buf_.push_back(byte);
        return;
    }
    if (!collecting_) {
        // Without parity the frame starts at our address byte; a stray data byte is noise.
        if (kind == CharKind::Unknown && byte == own_) {
            collecting_ = true;
            unknownLine_ = true;
            buf_.push_back(byte);
        }
        return;
    }
    unknownLine_ = unknownLine_ || kind == CharKind::Unknown;
    append(byte);
}

void BinaryFrameParser::append(std::uint8_t byte) {
    buf_.push_back(byte);
    const auto request = std::span<const std::uint8_t>(buf_).subspan(1);
    const auto sizes = requestSizes(request);
    if (!sizes) return dropFrame();
    if (sizes->empty()) return;
    const std::size_t largest = *std::max_element(sizes->begin(), sizes->end());
    if (largest > MaxRequestSize) return dropFrame();
    for (std::size_t size : *sizes) {
        if (buf_.size() != 1 + size + 2) continue;
        if (crcMatches(buf_)) {
            frames_.push_back(Frame{buf_[0], Bytes(buf_.begin() + 1, buf_.end() - 2)});
            buf_.clear();
            collecting_ = false;
            unknownLine_ = false;
            return;
        }
        if (size == largest) return dropFrame();
    }
    if (buf_.size() > 1 + largest + 2) dropFrame();
}

void BinaryFrameParser::dropFrame() {
    ++badFrames_;
    Bytes rest;
    if (unknownLine_ && !resyncing_) {
        // No parity to tell where a frame starts: try again from the next address byte.
        auto it = std::find(buf_.begin() + 1, buf_.end(), own_);
        rest.assign(it, buf_.end());
    }
    buf_.clear();
    collecting_ = false;
    unknownLine_ = false;
    if (rest.empty()) return;
    resyncing_ = true;
    for (std::uint8_t b : rest) feed(b, CharKind::Unknown);
    resyncing_ = false;
}

std::optional<Frame> BinaryFrameParser::next() {
    if (frames_.empty()) return std::nullopt;
    Frame f = std::move(frames_.front());
    frames_.pop_front();
    return f;
}

void BinaryFrameParser::reset() {
    buf_.clear();
    collecting_ = false;
    unknownLine_ = false;
}

void AsciiFrameParser::feed(std::uint8_t byte) {
    if (byte == '*') {
        text_.clear();
        collecting_ = true;
        return;
    }
    if (!collecting_) return;
    if (byte == '\r') return finish();
    if (byte == '\n') return;
    if (text_.size() >= MaxAsciiChars) {
        ++badFrames_;
        reset();
        return;
    }
    text_.push_back(static_cast<char>(byte));
}

void AsciiFrameParser::finish() {
    collecting_ = false;
    Bytes decoded;
    bool ok = text_.size() % 2 == 0 && text_.size() >= 8;
    for (std::size_t i = 0; ok && i < text_.size(); i += 2) {
        const int hi = hexValue(text_[i]);
        const int lo = hexValue(text_[i + 1]);
        ok = hi >= 0 && lo >= 0;
        decoded.push_back(static_cast<std::uint8_t>(hi * 16 + lo));
    }
    text_.clear();
    if (!ok || !crcMatches(decoded)) {
        ++badFrames_;
        return;
    }
    frames_.push_back(Frame{decoded[0], Bytes(decoded.begin() + 1, decoded.end() - 2)});
}

std::optional<Frame> AsciiFrameParser::next() {
    if (frames_.empty()) return std::nullopt;
    Frame f = std::move(frames_.front());
    frames_.pop_front();
    return f;
}

void AsciiFrameParser::reset() {
    text_.clear();
    collecting_ = false;
}

}  // namespace kyr::sim

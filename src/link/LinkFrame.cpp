#include "link/LinkFrame.h"

#include <algorithm>

#include "link/Crc16.h"

namespace kyr::link {

namespace {

constexpr std::uint8_t StartChar = '*';
constexpr std::uint8_t EndChar = 0x0D;

bool crcMatches(std::span<const std::uint8_t> data, std::uint8_t high, std::uint8_t low) {
    const std::uint16_t crc = Crc16::instance().compute(data);
    return crc == static_cast<std::uint16_t>((high << 8) | low);
}

}  // namespace

Bytes withCrc(std::uint8_t address, std::span<const std::uint8_t> request) {
    std::uint16_t crc = 0;
    if (address != 0) crc = Crc16::instance().update(crc, address);
    crc = Crc16::instance().compute(request, crc);
    Bytes frame(request.begin(), request.end());
    frame.resize(request.size() + 2);
    bytes::setU16be(frame, request.size(), crc);
    return frame;
}

std::string asciiFrame(std::uint8_t address, std::span<const std::uint8_t> requestWithCrc) {
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string frame(1, static_cast<char>(StartChar));
    const auto put = [&frame](std::uint8_t b) {
        frame += digits[b >> 4];
        frame += digits[b & 0x0F];
    };
    if (address != 0) put(address);
    for (std::uint8_t b : requestWithCrc) put(b);
    frame += static_cast<char>(EndChar);
    return frame;
}

int binaryTimeoutTicks(int replyLength) { return replyLength / 40 + 4; }
int asciiTimeoutTicks(int replyLength) { return replyLength / 20 + 4; }

std::uint8_t hexDigitValue(std::uint8_t c) {
    return (c & 0x10) ? (c & 0x0F) : static_cast<std::uint8_t>((c + 9) & 0x0F);
}

void BinaryReplyDecoder::reset(int expectedLength) {
    received_ = 0;
    expected_ = expectedLength;
}

std::size_t BinaryReplyDecoder::room() const {
    const std::size_t whole = static_cast<std::size_t>(expected_) + 2;
    return received_ < whole ? whole - received_ : 0;
}

ReplyProgress BinaryReplyDecoder::feed(std::span<const std::uint8_t> bytes) {
    if (bytes.empty()) return ReplyProgress::More;
    if (bytes.size() > room()) return ReplyProgress::Bad;
    std::copy(bytes.begin(), bytes.end(), buffer_.begin() + static_cast<std::ptrdiff_t>(received_));
    received_ += bytes.size();
    if (expected_ == VariableReply) expected_ = buffer_[0];
    if (expected_ == AckReply && received_ == 1)
        return buffer_[0] == Ack ? ReplyProgress::Done : ReplyProgress::Bad;
    const std::size_t whole = static_cast<std::size_t>(expected_) + 2;
    if (received_ > whole) return ReplyProgress::Bad;
    if (received_ < whole) return ReplyProgress::More;
    const std::size_t n = static_cast<std::size_t>(expected_);
    return crcMatches(reply(), buffer_[n], buffer_[n + 1]) ? ReplyProgress::Done
                                                           : ReplyProgress::Bad;
}

std::span<const std::uint8_t> BinaryReplyDecoder::reply() const {
    const std::size_t n = std::min(static_cast<std::size_t>(expected_), received_);
    return std::span<const std::uint8_t>(buffer_).first(n);
}

void AsciiReplyDecoder::reset(int expectedLength) {
    count_ = 0;
    expected_ = expectedLength;
    started_ = false;
}

ReplyProgress AsciiReplyDecoder::feed(std::uint8_t c) {
    if (c == StartChar) {
        started_ = true;
        count_ = 0;
        return ReplyProgress::More;
    }
    if (!started_) return ReplyProgress::More;
    if (c == EndChar) return finish();
    // An overlong reply keeps overwriting its last place; it fails the length check.
    chars_[std::min(count_, MaxChars - 1)] = c;
    if (count_ < MaxChars) ++count_;
    return ReplyProgress::More;
}

ReplyProgress AsciiReplyDecoder::finish() {
    const std::size_t n = count_ / 2;
    for (std::size_t i = 0; i < n; ++i)
        bytes_[i] = static_cast<std::uint8_t>((hexDigitValue(chars_[2 * i]) << 4) |
                                              hexDigitValue(chars_[2 * i + 1]));
    if (expected_ == VariableReply) {
        if (n == 0) return ReplyProgress::Bad;
        expected_ = bytes_[0];
    }
    if (expected_ == AckReply && count_ == 2)
        return bytes_[0] == Ack ? ReplyProgress::Done : ReplyProgress::Bad;
    const std::size_t len = static_cast<std::size_t>(expected_);
    if (count_ != len * 2 + 4) return ReplyProgress::Bad;
    return crcMatches(reply(), bytes_[len], bytes_[len + 1]) ? ReplyProgress::Done
                                                             : ReplyProgress::Bad;
}

std::span<const std::uint8_t> AsciiReplyDecoder::reply() const {
    const std::size_t n = std::min(static_cast<std::size_t>(expected_), count_ / 2);
    return std::span<const std::uint8_t>(bytes_).first(n);
}

}  // namespace kyr::link

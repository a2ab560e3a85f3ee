#include "link/ScreenTransfer.h"

#include <algorithm>

namespace kyr {

// ---- reading --------------------------------------------------------------------------------

void TScreenReader::Start(int number, int level, std::uint8_t selector, int family,
                          std::optional<Bytes> expected) {
    number_ = number;
    family_ = family;
    expected_ = std::move(expected);
    differs_ = false;
    record_.clear();
    stage_ = Stage::Locate;
    Bytes request{0xB4};
    if (level >= 218) request.push_back(static_cast<std::uint8_t>((number >> 8) & 0xFF));
    request.push_back(static_cast<std::uint8_t>(number & 0xFF));
    request.push_back(selector);
    request_.Start(request, 5);
}

void TScreenReader::startBlock(TJobLink& link) {
    const std::size_t count = std::min<std::size_t>(MaxBlock, length_ - record_.size());
    request_.Start(ReadBlockRequest(family_, bank_, address_,
                                    static_cast<std::uint32_t>(record_.size()), count),
                   static_cast<int>(count));
    request_.Send(link.Kom());
}

TPartResult TScreenReader::Step(TJobLink& link) {
    switch (stage_) {
        case Stage::Done:
            return TPartResult::Done;
        case Stage::Locate: {
            if (!link.Await(request_)) return TPartResult::Busy;
            const auto reply = request_.Reply();
            address_ = bytes::u16be(reply, 0);
            length_ = bytes::u16be(reply, 2);
            bank_ = reply[4];
            if (length_ == 0) {
                stage_ = Stage::Done;
                return TPartResult::Failed;
            }
            if (expected_ && expected_->size() != length_) {
                differs_ = true;
                stage_ = Stage::Done;
                return TPartResult::Done;
            }
            stage_ = Stage::Read;
            startBlock(link);
            return TPartResult::Busy;
        }
        case Stage::Read: {
            if (!link.Await(request_)) return TPartResult::Busy;
            const auto reply = request_.Reply();
            const std::size_t from = record_.size();
            record_.insert(record_.end(), reply.begin(), reply.end());
            if (expected_ && !std::equal(reply.begin(), reply.end(),
                                         expected_->begin() + static_cast<std::ptrdiff_t>(from))) {
                differs_ = true;
                stage_ = Stage::Done;
                return TPartResult::Done;
            }
            if (record_.size() < length_) {
                startBlock(link);
                return TPartResult::Busy;
            }
            stage_ = Stage::Done;
            return TPartResult::Done;
        }
    }
    return TPartResult::Done;
}

// ---- writing --------------------------------------------------------------------------------

void TScreenWriter::Start(Bytes record, std::uint8_t selector, int family) {
    record_ = std::move(record);
    family_ = family;
    offset_ = 0;
    closeCode_ = 0;
    stage_ = Stage::Allocate;
    // Family 0 terminals want two bytes more room than the record.
    const auto size = static_cast<std::uint16_t>(record_.size() + (family == 0 ? 2 : 0));
    const std::uint8_t request[] = {0xB3, selector, static_cast<std::uint8_t>(size >> 8),
                                    static_cast<std::uint8_t>(size & 0xFF)};
    request_.Start(request, 4);
}

void TScreenWriter::startBlock(TJobLink& link) {
    blockSize_ = std::min(MaxBlock, record_.size() - offset_);
    const auto data = std::span<const std::uint8_t>(record_).subspan(offset_, blockSize_);
    const Bytes request =
        WriteBlockRequest(family_, bank_, address_, static_cast<std::uint32_t>(offset_), data);
    lastCountByte_ = request[1];
    request_.Start(request, link::AckReply);
    request_.Send(link.Kom());
}

TScreenWriter::Result TScreenWriter::Step(TJobLink& link) {
    switch (stage_) {
        case Stage::Done:
            return Result::Done;
        case Stage::Allocate: {
            if (!link.Await(request_)) return Result::Busy;
            const auto reply = request_.Reply();
            address_ = bytes::u16be(reply, 0);
            bank_ = reply[2];
            if (bank_ == 255) {
                stage_ = Stage::Done;
                return Result::NoSpace;
            }
            stage_ = Stage::Write;
            startBlock(link);
            return Result::Busy;
        }
        case Stage::Write: {
            if (!link.Await(request_)) return Result::Busy;
            offset_ += blockSize_;
            if (offset_ < record_.size()) {
                startBlock(link);
                return Result::Busy;
            }
            // The close carries the count byte of the last block write.
            stage_ = Stage::Close;
            const std::uint8_t request[] = {0xB5, lastCountByte_};
            request_.Start(request, 1);
            request_.Send(link.Kom());
            return Result::Busy;
        }
        case Stage::Close: {
            if (!link.Await(request_)) return Result::Busy;
            closeCode_ = request_.Reply()[0];
            stage_ = Stage::Done;
            return Result::Done;
        }
    }
    return Result::Done;
}

}  // namespace kyr

#include "link/TerminalLists.h"

#include <algorithm>

#include "model/Bytes.h"

namespace kyr {

// ---- screen list ----------------------------------------------------------------------------

void TScreenListReader::Start(int level, std::uint8_t selector) {
    wide_ = level >= 218;
    selector_ = selector;
    numbers_.clear();
    const std::uint8_t request[] = {static_cast<std::uint8_t>(wide_ ? 0xC5 : 0xB1), selector};
    request_.Start(request, link::VariableReply);
}

TPartResult TScreenListReader::Step(TJobLink& link) {
    if (!link.Await(request_)) return TPartResult::Busy;
    if (!take(request_.Reply())) return TPartResult::Done;
    const std::uint8_t request[] = {0xC6, selector_};
    request_.Start(request, link::VariableReply);
    return TPartResult::Busy;
}

bool TScreenListReader::take(std::span<const std::uint8_t> reply) {
    if (reply.empty()) return false;
    const std::size_t body = std::min<std::size_t>(reply[0], reply.size());
    if (!wide_) {
        for (std::size_t i = 1; i < body; ++i) numbers_.push_back(reply[i]);
        return false;
    }
    const std::size_t count = body > 0 ? (body - 1) / 2 : 0;
    std::size_t added = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::int32_t n = bytes::u16be(reply, 1 + 2 * i);
        if (std::find(numbers_.begin(), numbers_.end(), n) != numbers_.end()) continue;
        numbers_.push_back(n);
        ++added;
    }
    // A full part asks for more; a terminal that repeats itself adds nothing and ends it.
    return count >= FullPart && added > 0;
}

int TScreenListReader::Find(int number) const {
    const auto it = std::find(numbers_.begin(), numbers_.end(), number);
    return it == numbers_.end() ? -1 : static_cast<int>(it - numbers_.begin());
}

// ---- EXD tables -----------------------------------------------------------------------------

void TExdListReader::Start(std::uint8_t selector) {
    listed_.clear();
    records_.clear();
    index_ = 0;
    stage_ = Stage::List;
    const std::uint8_t request[] = {0xB2, selector};
    request_.Start(request, link::VariableReply);
}

void TExdListReader::startRead() {
    const std::uint8_t request[] = {0xC1, listed_[index_]};
    request_.Start(request, link::VariableReply);
}

TPartResult TExdListReader::Step(TJobLink& link) {
    switch (stage_) {
        case Stage::Done:
            return TPartResult::Done;
        case Stage::List: {
            if (!link.Await(request_)) return TPartResult::Busy;
            const auto reply = request_.Reply();
            const std::size_t body = reply.empty() ? 0 : std::min<std::size_t>(reply[0], reply.size());
            for (std::size_t i = 1; i < body && listed_.size() < MaxListed; ++i)
                listed_.push_back(reply[i]);
            records_.assign(listed_.size(), TExdRecord{});
            stage_ = listed_.empty() ? Stage::Done : Stage::Read;
            if (stage_ == Stage::Read) startRead();
            return TPartResult::Listed;
        }
        case Stage::Read: {
            if (!link.Await(request_)) return TPartResult::Busy;
            const auto reply = request_.Reply();
            if (reply.size() >= TExdRecord::Size && reply[0] == TExdRecord::Size)
                records_[index_] = {reply[1], Bytes(reply.begin(), reply.begin() + TExdRecord::Size)};
            ++index_;
            if (index_ < listed_.size()) {
                startRead();
                return TPartResult::Busy;
            }
            stage_ = Stage::Done;
            return TPartResult::Done;
        }
    }
    return TPartResult::Done;
}

int TExdListReader::Percent() const {
    if (listed_.empty()) return 100;
    return static_cast<int>(index_ * 100 / listed_.size());
}

}  // namespace kyr

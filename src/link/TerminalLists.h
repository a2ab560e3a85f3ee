#pragma once

#include <cstdint>
#include <vector>

#include "link/JobLink.h"
#include "model/Bytes.h"

namespace kyr {

enum class TPartResult { Busy, Listed, Done, Failed };

// Reads the terminal's screen-number list: 0xB1 (8-bit numbers) below level 218, else 0xC5
// and, while a part is full, 0xC6 for the next part. Entries are set to -1 by the caller
// once dealt with.
class TScreenListReader {
public:
    static constexpr std::size_t FullPart = 120;
    static constexpr std::int32_t Dealt = -1;

    void Start(int level, std::uint8_t selector);
    // Busy, then Done.
    TPartResult Step(TJobLink& link);

    std::vector<std::int32_t>& Numbers() { return numbers_; }
    const std::vector<std::int32_t>& Numbers() const { return numbers_; }
    // Index of `number` in the list, -1 when it is not listed (or dealt with).
    int Find(int number) const;

private:
    // True when another part follows.
    bool take(std::span<const std::uint8_t> reply);

    TLinkStep request_;
    bool wide_ = false;
    std::uint8_t selector_ = 0;
    std::vector<std::int32_t> numbers_;
};

// One EXD table as the terminal holds it: the reply of 0xC1 (length byte 66, number, 64
// table bytes). Number 255 marks a position that is unused or dealt with.
struct TExdRecord {
    static constexpr std::uint8_t Unused = 255;
    static constexpr std::size_t Size = 66;
    std::uint8_t number = Unused;
    Bytes bytes;
};

// Reads the terminal's EXD tables: the list (0xB2 with the selector), then every listed
// table (0xC1). Step returns Listed once when the list is there.
class TExdListReader {
public:
    static constexpr std::size_t MaxListed = 20;

    void Start(std::uint8_t selector);
    TPartResult Step(TJobLink& link);

    // The table numbers as reported.
    const std::vector<std::uint8_t>& Listed() const { return listed_; }
    // One record per listed number, in list order.
    std::vector<TExdRecord>& Records() { return records_; }
    const std::vector<TExdRecord>& Records() const { return records_; }
    // Tables read × 100 / count.
    int Percent() const;

private:
    void startRead();

    enum class Stage { List, Read, Done };
    Stage stage_ = Stage::Done;
    TLinkStep request_;
    std::vector<std::uint8_t> listed_;
    std::vector<TExdRecord> records_;
    std::size_t index_ = 0;
};

}  // namespace kyr

#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/Charset.h"

namespace kyr {

class TKyrData;

// One screen of a project. The project owns its screens; a screen keeps a plain reference
// back to its project for the terminal type, geometry and PLC protocol.
class TKyrScreen {
public:
    // Flag bits.
    static constexpr std::uint8_t FlagLinkPrev = 0x01;
    static constexpr std::uint8_t FlagLinkNext = 0x02;
    static constexpr std::uint8_t CharSetMask = 0x0C;
    static constexpr int CharSetShift = 2;
    static constexpr std::uint8_t NoExdTable = 255;

    explicit TKyrScreen(TKyrData& data);
    TKyrScreen(const TKyrScreen&) = delete;
    TKyrScreen& operator=(const TKyrScreen&) = delete;
    ~TKyrScreen();

    TKyrData& Data() const { return *data_; }

    int Number() const { return number_; }
    void SetNumber(int number) { number_ = number; }

    std::uint8_t Flags() const { return flags_; }
    void SetFlags(std::uint8_t flags) { flags_ = flags; }
    // Bits 2-3 of the flags as stored (0..3).
    std::uint8_t CharSetBits() const {
        return static_cast<std::uint8_t>((flags_ & CharSetMask) >> CharSetShift);
    }
    // The character set the text is held in: Cyrillic when the bits are 1, else Latin.
    kyr::CharSet TextCharSet() const { return charSetFromNumber(CharSetBits()); }

    std::uint8_t ExdTable() const { return exdTable_; }
    void SetExdTable(std::uint8_t table) { exdTable_ = table; }

    // Free text shown after the number; a short string of at most 255 characters.
    const std::string& Comment() const { return comment_; }
    void SetComment(std::string_view comment);

    bool Modified() const { return modified_; }
    void SetModified(bool modified) { modified_ = modified; }

    bool Error() const { return error_; }
    void SetError(bool error) { error_ = error; }

    // The lowest terminal firmware level this screen needs: the highest level of its
    // functions, 0 for a screen without functions.
    int FirmwareLevel() const;

private:
    TKyrData* data_;
    int number_ = 0;
    std::uint8_t flags_ = 0;
    std::uint8_t exdTable_ = NoExdTable;
    std::string comment_;
    bool modified_ = false;
    bool error_ = false;
};

}  // namespace kyr

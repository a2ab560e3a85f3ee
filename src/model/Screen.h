#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/Charset.h"

namespace kyr {

class TFunc;
class TKyrData;
class TScreenFormLink;

// One screen of a project: a grid of characters (the terminal type's rows x columns) with
// fields placed in it. The project owns its screens; a screen owns its functions and keeps a
// plain reference back to its project for the terminal type, geometry and PLC protocol.
//
// The text exists in two forms, both in terminal codes of the screen's character set:
// the display text has exactly one character per screen position and a point attribute per
// position (the lit decimal point of LUMQ terminals); the image text is what the terminal
// gets, where on LUMQ terminals a '.' after a character stands for that character's point.
class TKyrScreen {
public:
    using FuncList = std::vector<std::unique_ptr<TFunc>>;

    // Flag bits.
    static constexpr std::uint8_t FlagLinkPrev = 0x01;
    static constexpr std::uint8_t FlagLinkNext = 0x02;
    static constexpr std::uint8_t CharSetMask = 0x0C;
    static constexpr int CharSetShift = 2;
    static constexpr std::uint8_t NoExdTable = 255;

    // Both texts hold this many characters; the display uses the first ScreenSize().
    static constexpr int TextSize = 161;
    // Image text is cut to this many characters.
    static constexpr int ImageTextMax = 160;
    // Highest screen number in a project, and in system mode.
    static constexpr int MaxNumber = 999;
    static constexpr int MaxSystemNumber = 3000;
    // From this number on, system-mode screens send their text without trailing blanks.
    static constexpr int FirstShortTextNumber = 2000;
    // Format versions of the image record: below 218 the number is one byte.
    static constexpr int FormatTwoByteNumber = 218;
    static constexpr int MaxOneByteNumber = 199;

    // Why a record could not be built.
    enum class ImageError {
        None = 0,
        NumberForFormat = 1,    // number above 199 below format 218 (or outside 0..65535)
        CharSetNotAllowed = 2,  // character-set bits not 0 and the caller allows none
        BufferTooSmall = 3,     // destination shorter than ImageSize()
    };

    // An empty screen: both texts blank, no points, flags 0, EXD table 255, no functions.
    explicit TKyrScreen(TKyrData& data);
    TKyrScreen(const TKyrScreen&) = delete;
    TKyrScreen& operator=(const TKyrScreen&) = delete;
    ~TKyrScreen();

    TKyrData& Data() const { return *data_; }

    // The open screen editor, if any (not owned).
    TScreenFormLink* Editor() const { return editor_; }
    void SetEditor(TScreenFormLink* editor) { editor_ = editor; }

    int Number() const { return number_; }
    void SetNumber(int number) { number_ = number; }

    // Bit 0 link to number - 1, bit 1 link to number + 1, bits 2-3 character set, bits 4-7
    // kept as read.
    std::uint8_t Flags() const { return flags_; }
    void SetFlags(std::uint8_t flags) { flags_ = flags; }
    // Bits 2-3 of the flags as stored (0..3): the conversion mode of the screen's strings.
    std::uint8_t CharSetBits() const {
        return static_cast<std::uint8_t>((flags_ & CharSetMask) >> CharSetShift);
    }
    // The character set the text is held in: Cyrillic when the bits are 1, else Latin.
    kyr::CharSet TextCharSet() const { return charSetFromNumber(CharSetBits()); }

    // LUMQ terminals only: the display flags word, kept as read.
    std::uint16_t DispFlags() const { return dispFlags_; }
    void SetDispFlags(std::uint16_t flags) { dispFlags_ = flags; }

    std::uint8_t ExdTable() const { return exdTable_; }
    void SetExdTable(std::uint8_t table) { exdTable_ = table; }

    // Free text shown after the number (PC code page); at most 255 characters.
    const std::string& Comment() const { return comment_; }
    void SetComment(std::string_view comment);

    bool Modified() const { return modified_; }
    void SetModified(bool modified = true) { modified_ = modified; }

    bool Error() const { return error_; }
    void SetError(bool error = true) { error_ = error; }

    // --- texts (terminal codes; always TextSize characters) ---------------------------------
    std::string_view DisplayText() const { return displayText_; }
    std::string_view ImageText() const { return imageText_; }
    // Replace the start of a text; the rest becomes blank, longer input is cut.
    void SetDisplayText(std::string_view text);
    void SetImageText(std::string_view text);
    // One position of the display text; positions outside the screen are ignored.
    std::uint8_t DisplayChar(int position) const;
    void SetDisplayChar(int position, std::uint8_t code);
    bool Point(int position) const;
    void SetPoint(int position, bool lit);

    // Display text from image text: clears the points; on LUMQ terminals a '.' after a
    // position without a point becomes that position's point, any other '.' a blank with its
    // own point. Pads with blanks and cuts to the screen size.
    void ToDisplayText();
    // Image text from display text: a '.' after every position with a point; pads with
    // blanks and cuts to 160 characters.
    void ToImageText();
    // The image text ToImageText would store, without storing it.
    std::string ImageTextFromDisplay() const;

    // --- functions --------------------------------------------------------------------------
    const FuncList& Functions() const { return funcs_; }
    int FuncCount() const { return static_cast<int>(funcs_.size()); }
    TFunc& Func(int index) const { return *funcs_.at(static_cast<std::size_t>(index)); }
    // The first function whose span covers `position`, nullptr when none does.
    TFunc* FunctionAt(int position) const;
    // Its list index, -1 when none.
    int FunctionIndexAt(int position) const;
    int IndexOf(const TFunc& func) const;

    // Opens a gap of the function's width at its position, moves the fields at or after it,
    // and appends it; sets Modified. The caller checks FreeTail() first: the last characters
    // of the screen are pushed out.
    TFunc& InsertFunction(std::unique_ptr<TFunc> func);
    // Appends without touching text or positions (readers).
    TFunc& AppendFunction(std::unique_ptr<TFunc> func);
    // With `ask`, first asks "Do you want to delete the function <kind> ?"; No changes
    // nothing and returns false. Then frees the function and closes its gap; sets Modified.
    // False also when `func` is not one of this screen's functions.
    bool DeleteFunction(const TFunc& func, bool ask);
    // Grows (delta > 0) or shrinks (delta < 0) the gap at the function's position by delta
    // and moves the later fields; the function's own width is the caller's. Sets Modified.
    void ResizeFunction(const TFunc& func, int delta);
    // Adds delta to the position of every function at `from` or later.
    void ShiftPositions(int from, int delta);
    // Blank positions without a point at the end of the screen, after the last field.
    int FreeTail() const;

    // Clears the link to the previous screen when the number is 0 or no screen number - 1
    // exists, and the link to the next one when no screen number + 1 exists.
    void UpdateLinks();

    // The lowest terminal firmware level this screen needs: the highest level of its
    // functions, 0 for a screen without functions.
    int FirmwareLevel() const;

    // --- memory image -----------------------------------------------------------------------
    // Bytes of the record for `format` (217, 218 or a firmware level; only below 218 or not
    // matters): length, number, text block, function records, the end of the list and one
    // zero byte. Computed from the display text as it stands.
    std::size_t ImageSize(int format) const;
    // Brings the image text and the links up to date, then writes the record to the first
    // ImageSize(format) bytes of `dest`. On an error nothing is written.
    ImageError PutToImage(std::span<std::uint8_t> dest, int format, bool allowCharSet);
    // A screen from a record; `number` gets the screen number when the record has one
    // (-1 when it is too short). A record this program cannot read sets the error flag.
    static std::unique_ptr<TKyrScreen> FromImage(TKyrData& data, std::span<const std::uint8_t> src,
                                                 int format, int& number);

    // --- project text -----------------------------------------------------------------------
    // A screen from its block: the section text from the "[NNNN]" header line on, lines ended
    // by CR (an LF after the CR, as on the clipboard, is allowed). `fileVersion` below 218
    // expects three digits in the header. Warnings are shown for what is dropped; a screen
    // whose header is bad comes back with its error flag set.
    static std::unique_ptr<TKyrScreen> ReadBlock(TKyrData& data, std::string_view section,
                                                 int fileVersion);
    // Appends the block: header, FLAGS, DISPFLAGS (LUMQ), EXD, the text rows in the PC code
    // page and the function lines, each ended by CR LF.
    void WriteBlock(std::string& out) const;

private:
    int chars() const;
    bool validPosition(int position) const { return position >= 0 && position < chars(); }
    void openGap(int at, int width);
    void closeGap(int at, int width);
    int textLength(std::string_view image) const;
    void readKeywords(std::span<const std::string_view> lines);
    void readKeywordLine(std::span<const std::string_view> lines, std::size_t index);
    void convertTextFromPc();

    TScreenFormLink* editor_ = nullptr;
    TKyrData* data_;
    int number_ = 0;
    std::uint8_t flags_ = 0;
    std::uint16_t dispFlags_ = 0;
    std::uint8_t exdTable_ = NoExdTable;
    std::string comment_;
    std::string imageText_;
    std::string displayText_;
    std::array<std::uint8_t, TextSize> points_{};
    FuncList funcs_;
    bool modified_ = false;
    bool error_ = false;
};

}  // namespace kyr

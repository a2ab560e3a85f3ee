#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "model/Bytes.h"
#include "model/Charset.h"
#include "model/Texts.h"

namespace kyr {

class TKyrData;

// One field of a screen: a number, a text, a text selected by a value, a bit button/lamp/
// switch or a bar graph. The field record is held as the bytes the terminal gets (all 16-bit
// values low byte first in memory; the image may want them high byte first), plus an owned
// text buffer for the TXS and BIT kinds. The screen owns its functions; a function keeps a
// plain reference to its project for the terminal type and the PLC family.
class TFunc {
public:
    enum Kind : std::uint8_t { KindNum = 0, KindTxt = 1, KindTxs = 2, KindBit = 3, KindBar = 4 };
    static constexpr int KindCount = 5;

    // --- field record layout (byte offsets) ----------------------------------------------
    static constexpr std::size_t RecordSize = 41;
    static constexpr std::size_t LengthAt = 0;        // u16, set in the image only
    static constexpr std::size_t KindAt = 2;          // u8
    static constexpr std::size_t PositionAt = 3;      // u8, linear screen position
    static constexpr std::size_t SystemAt = 4;        // u8
    static constexpr std::size_t SourceAddrAt = 5;    // u16
    static constexpr std::size_t OffsetAddrAt = 7;    // u16
    static constexpr std::size_t SourceSpaceAt = 9;   // u8: bits 0-5 code, 6-7 selector
    static constexpr std::size_t OffsetSpaceAt = 10;  // u8
    static constexpr std::size_t Byte11At = 11;       // source length / chars / bit position
    static constexpr std::size_t Byte12At = 12;       // digits / flags / string length / width
    static constexpr std::size_t HeadSize = 13;
    // NUM
    static constexpr std::size_t NumFormatAt = 13;  // u8: bit 0 grouping, bit 1 comma
    static constexpr std::size_t NumFlagsAt = 14;   // u16 LE, never swapped
    static constexpr std::size_t GainAt = 16;       // f32 LE
    static constexpr std::size_t OffsetAt = 20;
    static constexpr std::size_t MinAt = 24;
    static constexpr std::size_t MaxAt = 28;
    static constexpr std::size_t ZoneLowAt = 32;   // LUMQ only
    static constexpr std::size_t ZoneHighAt = 36;  // LUMQ only
    static constexpr std::size_t ZoneAttrAt = 40;  // LUMQ only
    // TXS
    static constexpr std::size_t TxsCountAt = 13;    // u16
    static constexpr std::size_t TxsFlagsAt = 15;    // u8
    static constexpr std::size_t TxsDefaultAt = 16;  // u8, in memory only
    // BAR
    static constexpr std::size_t BarEmptyAt = 13;  // f32 LE
    static constexpr std::size_t BarFullAt = 17;   // f32 LE
    static constexpr std::size_t BarFlagsAt = 21;  // u16 LE, never swapped

    // --- flag bits ----------------------------------------------------------------------
    static constexpr std::uint16_t NumNumericEntry = 0x0001;
    static constexpr std::uint16_t NumInstantEdit = 0x0002;
    static constexpr std::uint16_t NumInstantUpdate = 0x0004;
    static constexpr std::uint16_t NumUnitByte = 0x0008;
    static constexpr std::uint16_t NumUnitWord = 0x0010;
    static constexpr std::uint16_t NumUnitDword = 0x0020;
    static constexpr std::uint16_t NumBinary = 0x0040;
    static constexpr std::uint16_t NumUpDown = 0x0080;
    static constexpr std::uint16_t NumSuppressZeros = 0x0100;
    static constexpr std::uint16_t NumShowSign = 0x0200;
    static constexpr std::uint16_t NumSigned = 0x0400;
    static constexpr std::uint16_t NumDecimal = 0x0800;
    static constexpr std::uint16_t NumRadixMask = 0x3000;
    static constexpr std::uint16_t NumSplit = 0x4000;
    static constexpr std::uint16_t NumInstantEditEnd = 0x8000;
    static constexpr std::uint8_t NumFormatGroup = 0x01;
    static constexpr std::uint8_t NumFormatComma = 0x02;

    // Offset 12 of TXT and BIT, offset 15 of TXS, the low byte of the BAR flags.
    static constexpr std::uint8_t FlagEditable = 0x01;  // BIT: operable
    static constexpr std::uint8_t FlagInstantEdit = 0x02;
    static constexpr std::uint8_t FlagInstantUpdate = 0x04;  // TXS
    static constexpr std::uint8_t FlagUnitByte = 0x08;
    static constexpr std::uint8_t FlagUnitWord = 0x10;
    static constexpr std::uint8_t FlagUnitDword = 0x20;
    static constexpr std::uint8_t FlagBinary = 0x40;    // TXS, BAR
    static constexpr std::uint8_t BitTwoTexts = 0x80;   // BIT
    static constexpr std::uint16_t BarSigned = 0x0400;  // BAR flags, high byte bit 2

    // Address-space codes of the terminal's own spaces.
    static constexpr int SpaceKyr = 20;   // "KYR.##"
    static constexpr int SpaceNone = 21;  // "KYR.SCRN"; as offset space: no offset

    // Placeholder glyphs of a bar: full and half, per character set.
    static constexpr std::uint8_t BarFullLatin = 178;
    static constexpr std::uint8_t BarHalfLatin = 177;
    static constexpr std::uint8_t BarFullCyrillic = 255;
    static constexpr std::uint8_t BarHalfCyrillic = 245;

    // A new function of `kind` with the defaults of that kind; an unknown kind sets Error().
    TFunc(TKyrData& data, int kind);
    TFunc(const TFunc&) = delete;
    TFunc& operator=(const TFunc&) = delete;
    ~TFunc();

    // A function from its memory-image record at `src[pos]`; `pos` advances by the record
    // length. Returns the function in memory order: addresses, string numbers and count are
    // already swapped back for the big-endian families, so the caller swaps nothing. A kind
    // outside 0..4, a record length too short for its kind or longer than the record, or a
    // record that runs past `src` set Error() (`pos` then advances at most to the end).
    static std::unique_ptr<TFunc> FromImage(TKyrData& data, std::span<const std::uint8_t> src,
                                            std::size_t& pos);

    // An independent copy (record, buffer and error flag), e.g. for a dialog to edit.
    std::unique_ptr<TFunc> Clone() const;

    TKyrData& Data() const { return *data_; }

    bool Error() const { return error_; }
    void SetError(bool error = true) { error_ = error; }

    // --- the field record -----------------------------------------------------------------
    std::span<const std::uint8_t, RecordSize> Record() const { return record_; }

    std::uint8_t Kind() const { return u8(KindAt); }
    std::uint8_t Position() const { return u8(PositionAt); }
    void SetPosition(int position) { setU8(PositionAt, static_cast<std::uint8_t>(position)); }
    std::uint8_t System() const { return u8(SystemAt); }
    void SetSystem(std::uint8_t v) { setU8(SystemAt, v); }
    std::uint16_t SourceAddr() const { return u16(SourceAddrAt); }
    void SetSourceAddr(std::uint16_t v) { setU16(SourceAddrAt, v); }
    std::uint16_t OffsetAddr() const { return u16(OffsetAddrAt); }
    void SetOffsetAddr(std::uint16_t v) { setU16(OffsetAddrAt, v); }
    // Whole space bytes (code in bits 0-5, family-7 selector in bits 6-7) ...
    std::uint8_t SourceSpace() const { return u8(SourceSpaceAt); }
    void SetSourceSpace(std::uint8_t v) { setU8(SourceSpaceAt, v); }
    std::uint8_t OffsetSpace() const { return u8(OffsetSpaceAt); }
    void SetOffsetSpace(std::uint8_t v) { setU8(OffsetSpaceAt, v); }
    // ... and their codes.
    int SourceSpaceCode() const { return SourceSpace() & 0x3F; }
    int OffsetSpaceCode() const { return OffsetSpace() & 0x3F; }
    bool HasOffset() const { return OffsetSpaceCode() != SpaceNone; }

    // Offset 11: NUM, TXS, BAR source length; TXT characters; BIT bit position.
    std::uint8_t SourceLength() const { return u8(Byte11At); }
    void SetSourceLength(std::uint8_t v) { setU8(Byte11At, v); }
    std::uint8_t TxtChars() const { return u8(Byte11At); }
    void SetTxtChars(std::uint8_t v) { setU8(Byte11At, v); }
    std::uint8_t BitPosition() const { return u8(Byte11At); }
    void SetBitPosition(std::uint8_t v) { setU8(Byte11At, v); }

    // Offset 12: NUM digits; TXT and BIT flags; TXS string length; BAR width.
    std::uint8_t NumDigits() const { return u8(Byte12At); }
    void SetNumDigits(std::uint8_t v) { setU8(Byte12At, v); }
    std::uint8_t TxtFlags() const { return u8(Byte12At); }
    void SetTxtFlags(std::uint8_t v) { setU8(Byte12At, v); }
    std::uint8_t BitFlags() const { return u8(Byte12At); }
    void SetBitFlags(std::uint8_t v) { setU8(Byte12At, v); }
    std::uint8_t TxsStrLen() const { return u8(Byte12At); }
    void SetTxsStrLen(std::uint8_t v) { setU8(Byte12At, v); }
    std::uint8_t BarWidth() const { return u8(Byte12At); }
    void SetBarWidth(std::uint8_t v) { setU8(Byte12At, v); }

    // NUM.
    std::uint8_t NumFormat() const { return u8(NumFormatAt); }
    void SetNumFormat(std::uint8_t v) { setU8(NumFormatAt, v); }
    std::uint16_t NumFlags() const { return u16(NumFlagsAt); }
    void SetNumFlags(std::uint16_t v) { setU16(NumFlagsAt, v); }
    float Gain() const { return f32(GainAt); }
    void SetGain(float v) { setF32(GainAt, v); }
    float NumOffset() const { return f32(OffsetAt); }
    void SetNumOffset(float v) { setF32(OffsetAt, v); }
    float MinValue() const { return f32(MinAt); }
    void SetMinValue(float v) { setF32(MinAt, v); }
    float MaxValue() const { return f32(MaxAt); }
    void SetMaxValue(float v) { setF32(MaxAt, v); }
    float ZoneLow() const { return f32(ZoneLowAt); }
    void SetZoneLow(float v) { setF32(ZoneLowAt, v); }
    float ZoneHigh() const { return f32(ZoneHighAt); }
    void SetZoneHigh(float v) { setF32(ZoneHighAt, v); }
    std::uint8_t ZoneAttr() const { return u8(ZoneAttrAt); }
    void SetZoneAttr(std::uint8_t v) { setU8(ZoneAttrAt, v); }
    // Integer and fraction digits (fraction 0 without the split flag).
    int IntDigits() const;
    int FracDigits() const;

    // TXS.
    std::uint16_t TxsCount() const { return u16(TxsCountAt); }
    void SetTxsCount(std::uint16_t v) { setU16(TxsCountAt, v); }
    std::uint8_t TxsFlags() const { return u8(TxsFlagsAt); }
    void SetTxsFlags(std::uint8_t v) { setU8(TxsFlagsAt, v); }
    bool TxsHasDefault() const { return u8(TxsDefaultAt) != 0; }
    void SetTxsHasDefault(bool v) { setU8(TxsDefaultAt, v ? 1 : 0); }
    // Buffer length the count, string length and default flag call for.
    std::size_t TxsBufferLength() const;
    // The string number and the string (terminal codes) of entry i < TxsCount(); 0 and ""
    // when the buffer is too short for it. The default string is "" when there is none.
    std::uint16_t TxsNumber(std::size_t i) const;
    void SetTxsNumber(std::size_t i, std::uint16_t number);
    std::string_view TxsString(std::size_t i) const;
    std::string_view TxsDefaultString() const;

    // BAR.
    float BarEmpty() const { return f32(BarEmptyAt); }
    void SetBarEmpty(float v) { setF32(BarEmptyAt, v); }
    float BarFull() const { return f32(BarFullAt); }
    void SetBarFull(float v) { setF32(BarFullAt, v); }
    std::uint16_t BarFlags() const { return u16(BarFlagsAt); }
    void SetBarFlags(std::uint16_t v) { setU16(BarFlagsAt, v); }

    // BIT: the slots of the text buffer (terminal codes), "" for a missing second slot.
    bool BitHasTwoTexts() const { return (BitFlags() & BitTwoTexts) != 0; }
    std::string_view BitFirstText() const;
    std::string_view BitSecondText() const;

    // --- the text buffer ------------------------------------------------------------------
    // Bytes of the buffer, without the extra zero byte that always follows them.
    std::size_t BufferLength() const { return bufferLength_; }
    bool HasBuffer() const { return buffer_ != nullptr; }
    std::span<const std::uint8_t> Buffer() const { return {buffer_.get(), bufferLength_}; }
    std::span<std::uint8_t> Buffer() { return {buffer_.get(), bufferLength_}; }
    // Zero-terminated view of the buffer ("" without one).
    const char* BufferText() const;
    // Replaces the buffer by a copy of `bytes`; empty bytes leave the function without one.
    void SetBuffer(std::span<const std::uint8_t> bytes);
    void SetBuffer(std::string_view bytes);
    // A zero-filled buffer of `length` bytes (none for 0).
    void AllocBuffer(std::size_t length);

    // --- names ----------------------------------------------------------------------------
    // "NUM", "TXT", "TXS", "BUT", "BAR" (the keyword written; "" for an unknown kind).
    std::string_view Keyword() const { return KeywordOf(Kind()); }
    static std::string_view KeywordOf(int kind);
    // The kind of a keyword, any case; "BIT" and "BUT" are both kind 3. -1 when unknown.
    static int KindOfKeyword(std::string_view keyword);
    // The kind's display name in the current language ("" for an unknown kind).
    std::string_view KindName() const { return KindNameOf(Kind()); }
    static std::string_view KindNameOf(int kind);
    static const Text3* KindNameText(int kind);

    // --- layout ---------------------------------------------------------------------------
    int Width() const;
    bool Covers(int position) const;
    // Clears `line` to zero bytes and draws the field's editor image at its position, in
    // terminal codes of `set`. Nothing is drawn when the field does not fit in `line`.
    void RenderPlaceholder(std::span<std::uint8_t> line, CharSet set) const;

    // --- texts ----------------------------------------------------------------------------
    // The status-line text while the editor cursor stands on the field (UTF-8).
    std::string Description() const;
    // "No", "", "Inst Ud Num", "Yes" ... for the function list.
    std::string EditModeText() const;

    // Lowest terminal firmware level the field needs: 212 or 214.
    int FirmwareLevel() const;

    // TXS: string count above 0 and no two equal string numbers; shows a warning box and
    // returns false otherwise. True for every other kind.
    bool Check() const;

    // --- address checks of the dialogs ----------------------------------------------------
    // Size in bytes of a terminal space (codes 20..25), -1 for a space without range check.
    static int TerminalSpaceSize(int code);
    // Terminal-space range: codes below 20 always pass; a negative address fails; so does an
    // address plus length (both in bytes) over the space size.
    static bool InternalRangeOk(int code, long address, long lengthBytes);
    // PLC family rules: family 7 with a PLC space: address + length must not pass 255;
    // family 12 with a PLC space: the address must be 0.
    static bool PlcFamilyAddressOk(int family, int code, long address, long length);
    // True when `spaceByte` is one of the family's bit spaces for a field of `kind`.
    static bool IsBitSpace(int family, int kind, std::uint8_t spaceByte);

    // --- memory image ---------------------------------------------------------------------
    // Bytes of the record in the image.
    std::size_t ImageSize() const;
    // Writes the record (length set, 16-bit values in the terminal family's order) to
    // `dest`; returns the bytes written, 0 when `dest` is shorter than ImageSize().
    std::size_t PutToImage(std::span<std::uint8_t> dest) const;
    Bytes Image() const;

    // True for terminal families 0 and 1, whose image wants 16-bit values high byte first.
    bool ImageBigEndian() const;

private:
    std::uint8_t u8(std::size_t at) const { return bytes::u8(record_, at); }
    void setU8(std::size_t at, std::uint8_t v) { bytes::setU8(record_, at, v); }
    std::uint16_t u16(std::size_t at) const { return bytes::u16le(record_, at); }
    void setU16(std::size_t at, std::uint16_t v) { bytes::setU16le(record_, at, v); }
    float f32(std::size_t at) const { return bytes::f32le(record_, at); }
    void setF32(std::size_t at, float v) { bytes::setF32le(record_, at, v); }

    void setDefaults(int kind);
    int numWidth() const;
    std::string addressText(std::uint8_t spaceByte, std::uint16_t address, std::uint8_t bit) const;
    char unitLetter() const;
    std::string spaceName(std::uint8_t spaceByte) const;

    std::unique_ptr<std::uint8_t[]> buffer_;
    std::size_t bufferLength_ = 0;
    TKyrData* data_;
    bool error_ = false;
    std::array<std::uint8_t, RecordSize> record_{};
};

}  // namespace kyr

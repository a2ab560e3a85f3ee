// The screen's record in the terminal memory image.
//
//   2      record length
//   1 / 2  screen number (one byte below format 218)
//   1      text block length: text length + 2, + 2 more on LUMQ terminals
//   1      flags
//   1      EXD table number
//   n      image text
//   2      LUMQ only: display flags, low byte first
//   ...    function records
//   2      0, the end of the function list
//   1      0
//
// 16-bit values are high byte first for terminal families 0 and 1 and low byte first for
// family 2; the screen number read back is taken high byte first.
#include <algorithm>

#include "model/Bytes.h"
#include "model/DataClass.h"
#include "model/Func.h"
#include "model/Screen.h"
#include "model/SystemMode.h"

namespace kyr {

namespace {

constexpr std::size_t TextHeadBytes = 3;  // text block length, flags, EXD table
constexpr std::size_t DispFlagsBytes = 2;
constexpr std::size_t ListEndBytes = 3;  // the end of the function list and one zero byte

std::size_t numberWidth(int format) { return format < TKyrScreen::FormatTwoByteNumber ? 1 : 2; }

int withoutTrailingBlanks(std::string_view text) {
    const auto last = text.find_last_not_of(' ');
    return last == std::string_view::npos ? 0 : static_cast<int>(last) + 1;
}

}  // namespace

int TKyrScreen::textLength(std::string_view image) const {
    if (isSystemMode() && number_ >= FirstShortTextNumber)
        return std::max(1, withoutTrailingBlanks(image));
    const int n = chars();
    if (data_->IsLumQ()) return std::max(n, withoutTrailingBlanks(image.substr(0, ImageTextMax)));
    return n;
}

std::size_t TKyrScreen::ImageSize(int format) const {
    const std::string image = ImageTextFromDisplay();
    std::size_t size = 2 + numberWidth(format) + TextHeadBytes +
                       static_cast<std::size_t>(textLength(image)) + ListEndBytes;
    if (data_->IsLumQ()) size += DispFlagsBytes;
    for (const auto& f : funcs_) size += f->ImageSize();
    return size;
}

TKyrScreen::ImageError TKyrScreen::PutToImage(std::span<std::uint8_t> dest, int format,
                                              bool allowCharSet) {
    const bool oneByte = format < FormatTwoByteNumber;
    if (number_ < 0 || number_ > (oneByte ? MaxOneByteNumber : 0xFFFF))
        return ImageError::NumberForFormat;
    if (CharSetBits() != 0 && !allowCharSet) return ImageError::CharSetNotAllowed;
    const std::size_t size = ImageSize(format);
    if (dest.size() < size || size > 0xFFFF) return ImageError::BufferTooSmall;

    ToImageText();
    UpdateLinks();
    const bool lowFirst = data_->TermFamily() == 2;
    const bool lumq = data_->IsLumQ();
    const int textLen = textLength(imageText_);
    const auto out = dest.first(size);
    std::fill(out.begin(), out.end(), std::uint8_t{0});

    std::size_t at = 0;
    bytes::setU16(out, at, static_cast<std::uint16_t>(size), lowFirst);
    at += 2;
    if (oneByte) {
        bytes::setU8(out, at++, static_cast<std::uint8_t>(number_));
    } else {
        bytes::setU16(out, at, static_cast<std::uint16_t>(number_), lowFirst);
        at += 2;
    }
    bytes::setU8(out, at++, static_cast<std::uint8_t>(textLen + 2 + (lumq ? DispFlagsBytes : 0)));
    bytes::setU8(out, at++, flags_);
    bytes::setU8(out, at++, exdTable_);
    for (int i = 0; i < textLen; ++i) {
        const char c = static_cast<std::size_t>(i) < imageText_.size()
                           ? imageText_[static_cast<std::size_t>(i)]
                           : ' ';
        bytes::setU8(out, at++, static_cast<std::uint8_t>(c));
    }
    if (lumq) {
        bytes::setU16le(out, at, dispFlags_);
        at += DispFlagsBytes;
    }
    for (const auto& f : funcs_) at += f->PutToImage(out.subspan(at));
    return ImageError::None;
}

std::unique_ptr<TKyrScreen> TKyrScreen::FromImage(TKyrData& data, std::span<const std::uint8_t> src,
                                                  int format, int& number) {
    auto screen = std::make_unique<TKyrScreen>(data);
    const bool oneByte = format < FormatTwoByteNumber;
    const std::size_t numberEnd = 2 + numberWidth(format);
    number = -1;
    if (src.size() < numberEnd + 1) {
        screen->error_ = true;
        return screen;
    }
    // The length field bounds the record when it is plausible.
    const std::size_t recordLen = bytes::u16(src, 0, data.TermFamily() == 2);
    if (recordLen > numberEnd && recordLen <= src.size()) src = src.first(recordLen);
    number = oneByte ? bytes::u8(src, 2) : bytes::u16be(src, 2);
    screen->number_ = number;

    std::size_t at = numberEnd;
    std::size_t blockLen = bytes::u8(src, at++);
    const auto take = [&](std::size_t count) {
        const std::size_t n = std::min({count, blockLen, src.size() - at});
        const auto part = src.subspan(at, n);
        at += n;
        blockLen -= n;
        return part;
    };
    if (blockLen > 0) {
        const auto flags = take(1);
        if (flags.empty()) {
            screen->error_ = true;
            return screen;
        }
        screen->flags_ = flags[0];
        if (screen->CharSetBits() > 1) {
            screen->error_ = true;
            return screen;
        }
    }
    if (blockLen > 0) {
        const auto exd = take(1);
        if (!exd.empty()) screen->exdTable_ = exd[0];
    }
    const bool lumq = data.IsLumQ();
    // On LUMQ terminals the text keeps its points and the display flags end the block.
    const std::size_t textBytes =
        lumq ? (blockLen >= DispFlagsBytes ? blockLen - DispFlagsBytes : blockLen)
             : std::min<std::size_t>(blockLen, static_cast<std::size_t>(screen->chars()));
    const auto text = take(textBytes);
    screen->SetImageText(std::string(text.begin(), text.end()));
    if (lumq) {
        const auto disp = take(DispFlagsBytes);
        if (disp.size() == DispFlagsBytes) screen->dispFlags_ = bytes::u16le(disp, 0);
    } else if (blockLen > 0) {
        const auto rest = take(blockLen);
        screen->SetComment(std::string(rest.begin(), rest.end()));
    }
    if (blockLen > 0) {
        screen->error_ = true;  // the block runs past the record
        return screen;
    }

    const bool lowFirst = data.TermFamily() == 2;
    while (true) {
        if (src.size() < at + 2) {
            screen->error_ = true;
            break;
        }
        if (bytes::u16(src, at, lowFirst) == 0) break;
        auto func = TFunc::FromImage(data, src, at);
        if (func->Error()) {
            screen->error_ = true;
            break;
        }
        // A field that does not fit the display is left out, as when reading a file.
        if (func->Position() + func->Width() <= screen->chars())
            screen->AppendFunction(std::move(func));
    }
    screen->ToDisplayText();
    return screen;
}

}  // namespace kyr

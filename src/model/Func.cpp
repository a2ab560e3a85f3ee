#include "model/Func.h"

#include <algorithm>
#include <cstring>
#include <set>

#include "model/AddressNotation.h"
#include "model/DataClass.h"
#include "model/FuncTexts.h"
#include "model/PlcTables.h"
#include "model/UserDialog.h"

namespace kyr {

namespace {

constexpr std::array<std::string_view, TFunc::KindCount> KeywordsRead = {"NUM", "TXT", "TXS", "BIT",
                                                                         "BAR"};
constexpr std::array<std::string_view, TFunc::KindCount> KeywordsWritten = {"NUM", "TXT", "TXS",
                                                                            "BUT", "BAR"};

constexpr std::array<Text3, TFunc::KindCount> KindNames = {{
    {"Číslo", "Zahl", "Number"},
    {"Text", "Text", "Text"},
    {"Vybraný text", "Ausgewählter Text", "Selected Text"},
    {"Bit", "Bit", "Bit"},
    {"Sloupcový graf", "Balkenanzeige", "Bargraph"},
}};

bool validKind(int kind) { return kind >= 0 && kind < TFunc::KindCount; }

std::string upperAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

void swap16(std::span<std::uint8_t> b, std::size_t at) { std::swap(b[at], b[at + 1]); }

// The cycling placeholder digit of the n-th digit (1-based): 1..9, 0, 1 ...
char cyclingDigit(int n) { return static_cast<char>('0' + n % 10); }

// Bytes of the record before the text buffer in the image, for kinds other than NUM.
std::size_t fixedImageBytes(int kind) {
    switch (kind) {
        case TFunc::KindTxt:
            return TFunc::HeadSize;
        case TFunc::KindTxs:
            return 16;
        case TFunc::KindBit:
            return TFunc::HeadSize;
        case TFunc::KindBar:
            return 23;
        default:
            return 0;
    }
}

// Shortest image record of each kind.
std::size_t minImageLength(int kind) { return kind == TFunc::KindNum ? 16 : fixedImageBytes(kind); }

}  // namespace

TFunc::TFunc(TKyrData& data, int kind) : data_(&data) { setDefaults(kind); }

TFunc::~TFunc() = default;

std::unique_ptr<TFunc> TFunc::Clone() const {
    auto copy = std::make_unique<TFunc>(*data_, KindNum);
    copy->record_ = record_;
    copy->error_ = error_;
    copy->SetBuffer(Buffer());
    return copy;
}

void TFunc::setDefaults(int kind) {
    record_.fill(0);
    setU8(KindAt, static_cast<std::uint8_t>(kind));
    setU8(SourceSpaceAt, SpaceKyr);
    setU8(OffsetSpaceAt, SpaceNone);
    switch (kind) {
        case KindNum:
            SetNumDigits(1);
            SetGain(1.0f);
            SetNumFlags(NumUnitWord | NumSuppressZeros | NumDecimal);
            break;
        case KindTxt:
            SetTxtFlags(FlagUnitWord);
            break;
        case KindTxs:
            SetTxsFlags(FlagUnitWord);
            break;
        case KindBit:
            SetBitFlags(FlagEditable | FlagUnitWord);
            break;
        case KindBar:
            SetBarFlags(FlagUnitWord);
            SetBarEmpty(0.0f);
            SetBarFull(100.0f);
            break;
        default:
            error_ = true;
            break;
    }
}

// ---- digits ---------------------------------------------------------------------------------

int TFunc::IntDigits() const {
    if (NumFlags() & NumSplit) return NumDigits() >> 4;
    return NumDigits();
}

int TFunc::FracDigits() const {
    if (NumFlags() & NumSplit) return NumDigits() & 0x0F;
    return 0;
}

// ---- TXS --------------------------------------------------------------------------------------

std::size_t TFunc::TxsBufferLength() const {
    const std::size_t count = TxsCount();
    const std::size_t len = TxsStrLen();
    return (len + 2) * count + (TxsHasDefault() ? len : 0);
}

std::uint16_t TFunc::TxsNumber(std::size_t i) const {
    if (i >= TxsCount() || 2 * i + 2 > bufferLength_) return 0;
    return bytes::u16le(Buffer(), 2 * i);
}

void TFunc::SetTxsNumber(std::size_t i, std::uint16_t number) {
    if (i >= TxsCount() || 2 * i + 2 > bufferLength_) return;
    bytes::setU16le(Buffer(), 2 * i, number);
}

std::string_view TFunc::TxsString(std::size_t i) const {
    const std::size_t count = TxsCount();
    const std::size_t len = TxsStrLen();
    if (i >= count) return {};
    const std::size_t at = count * 2 + len * i;
    if (at + len > bufferLength_) return {};
    return {reinterpret_cast<const char*>(buffer_.get()) + at, len};
}

std::string_view TFunc::TxsDefaultString() const {
    if (!TxsHasDefault()) return {};
    const std::size_t count = TxsCount();
    const std::size_t len = TxsStrLen();
    const std::size_t at = count * 2 + len * count;
    if (at + len > bufferLength_) return {};
    return {reinterpret_cast<const char*>(buffer_.get()) + at, len};
}

// ---- BIT --------------------------------------------------------------------------------------

std::string_view TFunc::BitFirstText() const {
    const std::size_t w = static_cast<std::size_t>(std::max(Width(), 0));
    return {BufferText(), std::min(w, bufferLength_)};
}

std::string_view TFunc::BitSecondText() const {
    if (!BitHasTwoTexts()) return {};
    const std::size_t w = static_cast<std::size_t>(std::max(Width(), 0));
    if (2 * w > bufferLength_) return {};
    return {BufferText() + w, w};
}

// ---- buffer -----------------------------------------------------------------------------------

const char* TFunc::BufferText() const {
    return buffer_ ? reinterpret_cast<const char*>(buffer_.get()) : "";
}

void TFunc::AllocBuffer(std::size_t length) {
    buffer_.reset();
    bufferLength_ = 0;
    if (length == 0) return;
    // One extra byte that stays 0, so the buffer can always be read as a C string.
    buffer_ = std::make_unique<std::uint8_t[]>(length + 1);
    bufferLength_ = length;
}

void TFunc::SetBuffer(std::span<const std::uint8_t> bytes) {
    AllocBuffer(bytes.size());
    if (!bytes.empty()) std::memcpy(buffer_.get(), bytes.data(), bytes.size());
}

void TFunc::SetBuffer(std::string_view bytes) {
    SetBuffer(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                            bytes.size()));
}

// ---- names ------------------------------------------------------------------------------------

std::string_view TFunc::KeywordOf(int kind) {
    return validKind(kind) ? KeywordsWritten[static_cast<std::size_t>(kind)] : std::string_view{};
}

int TFunc::KindOfKeyword(std::string_view keyword) {
    const std::string up = upperAscii(keyword);
    for (std::size_t i = 0; i < KeywordsRead.size(); ++i)
        if (up == KeywordsRead[i]) return static_cast<int>(i);
    return up == "BUT" ? KindBit : -1;
}

const Text3* TFunc::KindNameText(int kind) {
    return validKind(kind) ? &KindNames[static_cast<std::size_t>(kind)] : nullptr;
}

std::string_view TFunc::KindNameOf(int kind) {
    const Text3* t = KindNameText(kind);
    return t ? tr(*t) : std::string_view{};
}

// ---- layout -----------------------------------------------------------------------------------

int TFunc::numWidth() const {
    const int i = IntDigits();
    const int f = FracDigits();
    const std::uint16_t flags = NumFlags();
    int w = i + f;
    if (f > 0 && !data_->IsLumQ()) ++w;
    if (flags & NumShowSign) ++w;
    if (NumFormat() & NumFormatGroup) {
        const int g = (flags & NumDecimal) ? 3 : 4;
        w += (f - 1) / g + (i - 1) / g;
    }
    return w;
}

int TFunc::Width() const {
    switch (Kind()) {
        case KindNum:
            return numWidth();
        case KindTxt:
            return TxtChars();
        case KindTxs:
            return TxsStrLen();
        case KindBar:
            return BarWidth();
        case KindBit: {
            const auto len = static_cast<int>(bufferLength_);
            return BitHasTwoTexts() ? len / 2 : len;
        }
        default:
            return 0;
    }
}

bool TFunc::Covers(int position) const {
    return Position() <= position && position < Position() + Width();
}

void TFunc::RenderPlaceholder(std::span<std::uint8_t> line, CharSet set) const {
    std::fill(line.begin(), line.end(), std::uint8_t{0});
    const int w = Width();
    const std::size_t pos = Position();
    if (w <= 0 || pos + static_cast<std::size_t>(w) > line.size()) return;
    std::uint8_t* out = line.data() + pos;
    const auto put = [&out](std::uint8_t c) { *out++ = c; };

    switch (Kind()) {
        case KindNum: {
            const int ints = IntDigits();
            const int fracs = FracDigits();
            const std::uint16_t flags = NumFlags();
            const bool group = (NumFormat() & NumFormatGroup) != 0;
            const int g = (flags & NumDecimal) ? 3 : 4;
            if (flags & NumShowSign) put('-');
            int n = 0;
            for (int k = 1; k <= ints; ++k) {
                put(static_cast<std::uint8_t>(cyclingDigit(++n)));
                const int right = ints - k;
                if (group && right > 0 && right % g == 0) put(' ');
            }
            if (fracs > 0) {
                if (!data_->IsLumQ()) put((NumFormat() & NumFormatComma) ? ',' : '.');
                for (int k = 1; k <= fracs; ++k) {
                    put(static_cast<std::uint8_t>(cyclingDigit(++n)));
                    if (group && k < fracs && k % g == 0) put(' ');
                }
            }
            break;
        }
        case KindTxt:
            std::fill_n(out, w, std::uint8_t{'$'});
            break;
        case KindTxs:
            std::fill_n(out, w, std::uint8_t{'#'});
            break;
        case KindBit: {
            const std::string_view second = BitSecondText();
            const bool showSecond = !second.empty() && second.back() != ' ';
            const std::string_view slot = showSecond ? second : BitFirstText();
            std::copy(slot.begin(), slot.end(), out);
            break;
        }
        case KindBar: {
            const bool cyr = set == CharSet::Cyrillic;
            const int full = (w + 1) / 2;
            std::fill_n(out, full, cyr ? BarFullCyrillic : BarFullLatin);
            std::fill_n(out + full, w - full, cyr ? BarHalfCyrillic : BarHalfLatin);
            break;
        }
        default:
            break;
    }
}

// ---- texts ------------------------------------------------------------------------------------

std::string TFunc::EditModeText() const {
    const int kind = Kind();
    if (kind == KindBar) return {};
    bool editable = false;
    bool instant = false;
    if (kind == KindNum) {
        editable = (NumFlags() & (NumNumericEntry | NumUpDown)) != 0;
        instant = (NumFlags() & NumInstantEdit) != 0;
    } else {
        const std::uint8_t flags = kind == KindTxs ? TxsFlags() : TxtFlags();
        editable = (flags & FlagEditable) != 0;
        instant = (flags & FlagInstantEdit) != 0;
    }
    if (!editable) return "No";
    std::string text = instant ? "Inst " : "";
    if (kind == KindNum) {
        if (NumFlags() & NumUpDown) text += "Ud ";
        if (NumFlags() & NumNumericEntry) text += "Num";
    } else if (text.empty()) {
        text = "Yes";
    }
    return text;
}

int TFunc::FirmwareLevel() const {
    if (Kind() == KindBar) return 214;
    if (Kind() == KindBit && (!(BitFlags() & FlagEditable) || BitHasTwoTexts())) return 214;
    return 212;
}

bool TFunc::Check() const {
    if (Kind() != KindTxs) return true;
    const std::size_t count = TxsCount();
    if (count == 0) {
        showWarning(tr(texts::TitleWarning), tr(functexts::TxsNoString));
        return false;
    }
    std::set<std::uint16_t> seen;
    for (std::size_t i = 0; i < count; ++i) {
        if (!seen.insert(TxsNumber(i)).second) {
            showWarning(tr(texts::TitleWarning), tr(functexts::TxsDuplicateNumbers));
            return false;
        }
    }
    return true;
}

// ---- address checks ---------------------------------------------------------------------------

int TFunc::TerminalSpaceSize(int code) {
    switch (code) {
        case 20:
            return 1000;
        case 21:
        case 22:
        case 23:
            return 2;
        case 24:
            return 8;
        case 25:
            return 4;
        default:
            return -1;
    }
}

bool TFunc::InternalRangeOk(int code, long address, long lengthBytes) {
    if (code < SpaceKyr) return true;
    if (address < 0) return false;
    const int size = TerminalSpaceSize(code);
    if (size < 0) return true;
    return address + lengthBytes <= size;
}

bool TFunc::PlcFamilyAddressOk(int family, int code, long address, long length) {
    if (code >= SpaceKyr) return true;
    if (family == 7) return address + length <= 255;
    if (family == 12) return address == 0;
    return true;
}

bool TFunc::IsBitSpace(int family, int kind, std::uint8_t spaceByte) {
    if ((spaceByte & 0x3F) >= SpaceKyr) return false;
    const bool bit = kind == KindBit;
    switch (family) {
        case 9:
            return spaceByte >= 6;
        case 10:
        case 11:
        case 12:
            return spaceByte >= 1;
        case 15:
        case 18:
            return bit && spaceByte >= 3;
        case 17:
            return spaceByte >= 8;
        case 19:
            return bit && spaceByte >= 1;
        case 20:
            return spaceByte >= 3;
        default:
            return false;
    }
}

// ---- memory image -----------------------------------------------------------------------------

bool TFunc::ImageBigEndian() const { return data_->TermFamily() != 2; }

std::size_t TFunc::ImageSize() const {
    switch (Kind()) {
        case KindNum:
            if (data_->IsLumQ()) return 41;
            if (Gain() == 1.0f && NumOffset() == 0.0f && MinValue() == 0.0f && MaxValue() == 0.0f)
                return 16;
            return 32;
        case KindTxs:
        case KindBit:
            return fixedImageBytes(Kind()) + bufferLength_;
        default:
            return fixedImageBytes(Kind());
    }
}

std::size_t TFunc::PutToImage(std::span<std::uint8_t> dest) const {
    const std::size_t size = ImageSize();
    if (size == 0 || size > 0xFFFF || dest.size() < size) return 0;
    const std::size_t fixed = Kind() == KindNum ? size : fixedImageBytes(Kind());
    std::copy_n(record_.begin(), fixed, dest.begin());
    std::copy_n(buffer_.get(), size - fixed, dest.begin() + static_cast<std::ptrdiff_t>(fixed));
    const bool be = ImageBigEndian();
    bytes::setU16(dest, LengthAt, static_cast<std::uint16_t>(size), !be);
    if (be) {
        swap16(dest, SourceAddrAt);
        swap16(dest, OffsetAddrAt);
        if (Kind() == KindTxs) {
            swap16(dest, TxsCountAt);
            const std::size_t numbers = std::min<std::size_t>(TxsCount(), bufferLength_ / 2);
            for (std::size_t i = 0; i < numbers; ++i) swap16(dest, fixed + 2 * i);
        }
    }
    return size;
}

Bytes TFunc::Image() const {
    Bytes out(ImageSize());
    out.resize(PutToImage(out));
    return out;
}

std::unique_ptr<TFunc> TFunc::FromImage(TKyrData& data, std::span<const std::uint8_t> src,
                                        std::size_t& pos) {
    const bool be = data.TermFamily() != 2;
    if (pos >= src.size() || src.size() - pos < 3) {
        auto bad = std::make_unique<TFunc>(data, KindNum);
        bad->error_ = true;
        pos = src.size();
        return bad;
    }
    const std::span<const std::uint8_t> rest = src.subspan(pos);
    const std::size_t length = bytes::u16(rest, LengthAt, !be);
    const int kind = rest[KindAt];
    auto f = std::make_unique<TFunc>(data, kind);
    pos += std::min(length, rest.size());
    if (f->error_) return f;
    if (length > rest.size() || length < minImageLength(kind) ||
        (kind != KindTxs && kind != KindBit && length > RecordSize)) {
        f->error_ = true;
        return f;
    }
    f->record_.fill(0);
    const std::size_t fixed =
        kind == KindNum || kind == KindTxt || kind == KindBar ? length : fixedImageBytes(kind);
    if (kind == KindNum) f->SetGain(1.0f);
    std::copy_n(rest.begin(), fixed, f->record_.begin());
    f->setU16(LengthAt, 0);
    if (be) {
        swap16(f->record_, SourceAddrAt);
        swap16(f->record_, OffsetAddrAt);
        if (kind == KindTxs) swap16(f->record_, TxsCountAt);
    }
    if (kind == KindTxs || kind == KindBit) {
        const std::size_t bufLen = length - fixed;
        f->SetBuffer(rest.subspan(fixed, bufLen));
    }
    if (kind == KindTxs) {
        const std::size_t count = f->TxsCount();
        const std::size_t len = f->TxsStrLen();
        f->SetTxsHasDefault(len * count + 2 * count < f->bufferLength_);
        if (be) {
            const std::size_t numbers = std::min(count, f->bufferLength_ / 2);
            for (std::size_t i = 0; i < numbers; ++i) swap16(f->Buffer(), 2 * i);
        }
    }
    return f;
}

// ---- description ------------------------------------------------------------------------------

std::string TFunc::spaceName(std::uint8_t spaceByte) const {
    const int code = spaceByte & SpaceCodeMask;
    if (code >= FirstTerminalSpace) {
        const std::string_view name = terminalSpaceName(code);
        return name.empty() ? std::string("??") : std::string(name);
    }
    // A bit field names its space from the family's bit list, every other field from the
    // word list.
    const int family = data_->PlcFamily();
    const auto names = plcSpaceNames(family, Kind() == KindBit ? SpaceList::Bit : SpaceList::Word);
    if (static_cast<std::size_t>(code) < names.size())
        return std::string(names[static_cast<std::size_t>(code)]);
    return "??";
}

std::string TFunc::addressText(std::uint8_t spaceByte, std::uint16_t address,
                               std::uint8_t bit) const {
    const int family = data_->PlcFamily();
    std::string text;
    if ((spaceByte & SpaceCodeMask) < FirstTerminalSpace)
        text = family7FileNumberText(family, address);
    text += "[" + formatAddress(family, spaceByte, address, bit);
    return text;
}

char TFunc::unitLetter() const {
    std::uint8_t flags = 0;
    switch (Kind()) {
        case KindNum:
            flags = static_cast<std::uint8_t>(NumFlags() & 0xFF);
            break;
        case KindTxs:
            flags = TxsFlags();
            break;
        case KindBar:
            flags = static_cast<std::uint8_t>(BarFlags() & 0xFF);
            break;
        default:
            flags = TxtFlags();
            break;
    }
    if (flags & FlagUnitByte) return 'b';
    if (flags & FlagUnitWord) return 'w';
    if (flags & FlagUnitDword) return 'd';
    return ' ';
}

std::string TFunc::Description() const {
    std::string text(KindName());
    text += "  ";
    const std::uint8_t source = SourceSpace();
    if ((source & SpaceCodeMask) < FirstTerminalSpace) {
        text += upperAscii(data_->FamilyShortName());
        if (!data_->HasNoSystemNumbers()) text += std::to_string(System());
        text += ".";
    }
    const bool bit = Kind() == KindBit;
    text += spaceName(source);
    text += addressText(source, SourceAddr(), bit ? BitPosition() : 0);
    if (HasOffset()) {
        text += "+" + spaceName(OffsetSpace());
        text += addressText(OffsetSpace(), OffsetAddr(), 0) + "]";
    }
    text += "]";
    if (IsBitSpace(data_->PlcFamily(), Kind(), source)) return text + " 1bit";
    // A bit field reads one data unit; the other kinds their source length (TXT: characters).
    text += "  " + std::to_string(bit ? 1 : SourceLength());
    const char unit = unitLetter();
    if (unit != ' ') text += unit;
    if (bit) text += " Bit" + std::to_string(BitPosition());
    return text + " ";
}

}  // namespace kyr

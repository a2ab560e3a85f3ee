#include "model/AddressNotation.h"

#include <algorithm>
#include <array>
#include <climits>

#include "model/PlcTables.h"

namespace kyr {

namespace {

// ---- number texts ----

int digitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// A non-empty text of digits of `base` only, at most `limit`.
std::optional<std::uint32_t> parseUnsigned(std::string_view text, int base,
                                           std::uint32_t limit = UINT32_MAX) {
    if (text.empty()) return std::nullopt;
    std::uint64_t value = 0;
    for (char c : text) {
        const int d = digitValue(c);
        if (d < 0 || d >= base) return std::nullopt;
        value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(d);
        if (value > limit) return std::nullopt;
    }
    return static_cast<std::uint32_t>(value);
}

std::optional<std::uint16_t> parseWord(std::string_view text, int base) {
    const auto v = parseUnsigned(text, base, 0xFFFF);
    if (!v) return std::nullopt;
    return static_cast<std::uint16_t>(*v);
}

std::string digitsText(std::uint32_t value, std::uint32_t base) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out;
    do {
        out.insert(out.begin(), kDigits[value % base]);
        value /= base;
    } while (value != 0);
    return out;
}

std::string decimalText(std::uint32_t value) { return digitsText(value, 10); }

// ---- family 6 ----

struct Family6Range {
    int typedLo, typedHi, storedLo, storedHi, code;
};

constexpr int kX = 0, kY = 1, kM = 2, kTC = 3;
// From this stored value on (typed 100 on, space T/C) two stored units make one typed step.
constexpr int kDoubleStoredFrom = 1024;
constexpr int kDoubleTypedFrom = 100;

constexpr Family6Range kFamily6[] = {
    {0, 15, 0, 15, kX},          {20, 35, 16, 31, kX},        {40, 55, 32, 47, kX},
    {60, 75, 48, 63, kX},        {80, 95, 64, 79, kX},        {100, 115, 80, 95, kX},
    {120, 135, 96, 111, kX},     {140, 155, 112, 127, kX},    {160, 175, 128, 143, kX},
    {180, 195, 144, 159, kX},    {200, 215, 160, 175, kY},    {220, 235, 176, 191, kY},
    {240, 255, 192, 207, kY},    {260, 275, 208, 223, kY},    {280, 295, 224, 239, kY},
    {300, 315, 240, 255, kY},    {320, 335, 256, 271, kY},    {340, 355, 272, 287, kY},
    {360, 375, 288, 303, kY},    {380, 395, 304, 319, kY},    {400, 655, 320, 575, kM},
    {700, 955, 576, 831, kM},    {960, 991, 832, 863, kM},    {0, 95, 928, 1023, kTC},
    {100, 195, 1024, 1214, kTC}, {200, 295, 1216, 1406, kTC},
};

// ---- family 9 ----

bool hasFamily9Forbidden(std::string_view text) {
    return text.find_first_of("-$.,") != std::string_view::npos;
}

enum class H9Kind { HexWord, DecWord, XyBits, RlmBits, DecBits, Terminal, None };

H9Kind family9Kind(int code) {
    if (code >= 0 && code <= 4) return H9Kind::HexWord;
    if (code == 5) return H9Kind::DecWord;
    if (code == 6 || code == 7) return H9Kind::XyBits;
    if (code >= 8 && code <= 10) return H9Kind::RlmBits;
    if (code >= 11 && code <= 14) return H9Kind::DecBits;
    if (code >= FirstTerminalSpace) return H9Kind::Terminal;
    return H9Kind::None;
}

bool lengthIn(std::string_view text, std::size_t lo, std::size_t hi) {
    return text.size() >= lo && text.size() <= hi;
}

// X, Y: hexadecimal W then two decimal digits B; word = W * 16 + B / 16, bit = B % 16.
std::optional<WordBit> parseXy(std::string_view text) {
    if (!lengthIn(text, 1, 5)) return std::nullopt;
    const std::size_t split = text.size() > 2 ? text.size() - 2 : 0;
    const auto b = parseUnsigned(text.substr(split), 10);
    const std::string_view wText = text.substr(0, split);
    const auto w = wText.empty() ? std::optional<std::uint32_t>{0} : parseUnsigned(wText, 16);
    if (!b || !w) return std::nullopt;
    return WordBit{static_cast<std::uint16_t>(*w * 16 + *b / 16),
                   static_cast<std::uint8_t>(*b % 16)};
}

// R, L, M: hexadecimal, the last digit the bit.
std::optional<WordBit> parseRlm(std::string_view text) {
    if (!lengthIn(text, 1, 5)) return std::nullopt;
    const auto v = parseUnsigned(text, 16);
    if (!v) return std::nullopt;
    return WordBit{static_cast<std::uint16_t>(*v / 16), static_cast<std::uint8_t>(*v % 16)};
}

// ---- family 10 ----

struct Family10Space {
    std::uint32_t limit;
    std::uint32_t offset;
};

// Codes 1..9 (X, Y, GX, GY, C, S, T, CT, SP); stored = v + offset while v < limit.
constexpr Family10Space kFamily10[] = {
    {8192, 57344}, {6144, 59392}, {16384, 49152}, {12288, 53248}, {4096, 61440},
    {2048, 63488}, {1024, 64512}, {768, 64768},   {512, 65024},
};

constexpr int kFamily10LastCode = 9;

// Up to 5 octal digits, or 6 beginning with 0 or 1; empty is 0.
std::optional<std::uint32_t> parseFamily10Octal(std::string_view text) {
    if (text.empty()) return 0;
    if (text.size() > 6 || (text.size() == 6 && text[0] != '0' && text[0] != '1')) {
        return std::nullopt;
    }
    return parseUnsigned(text, 8);
}

}  // namespace

// ---- family 6 ----

std::optional<std::uint16_t> family6TypedToStored(int code, int typed) {
    for (const Family6Range& r : kFamily6) {
        if (r.code != code || typed < r.typedLo || typed > r.typedHi) continue;
        const int delta = typed - r.typedLo;
        const bool doubled = code == kTC && typed >= kDoubleTypedFrom;
        return static_cast<std::uint16_t>(r.storedLo + (doubled ? delta * 2 : delta));
    }
    return std::nullopt;
}

bool family6Accepts(int code, int typed) { return family6TypedToStored(code, typed).has_value(); }

int family6StoredToTyped(int stored) {
    for (const Family6Range& r : kFamily6) {
        if (stored < r.storedLo || stored > r.storedHi) continue;
        const int delta = stored - r.storedLo;
        return r.typedLo + (stored >= kDoubleStoredFrom ? delta / 2 : delta);
    }
    return 0;
}

// ---- family 9 ----

std::optional<WordBit> family9Parse(int code, std::string_view text) {
    if (hasFamily9Forbidden(text)) return std::nullopt;
    switch (family9Kind(code)) {
        case H9Kind::HexWord:
        case H9Kind::DecWord: {
            if (!lengthIn(text, 1, 4)) return std::nullopt;
            const auto w = parseWord(text, family9Kind(code) == H9Kind::HexWord ? 16 : 10);
            if (!w) return std::nullopt;
            return WordBit{*w, 0};
        }
        case H9Kind::XyBits:
            return parseXy(text);
        case H9Kind::RlmBits:
            return parseRlm(text);
        case H9Kind::DecBits: {
            if (!lengthIn(text, 1, 4)) return std::nullopt;
            const auto n = parseUnsigned(text, 10);
            if (!n) return std::nullopt;
            return WordBit{static_cast<std::uint16_t>(*n / 16), static_cast<std::uint8_t>(*n % 16)};
        }
        case H9Kind::Terminal: {
            const auto w = parseWord(text, 10);
            if (!w) return std::nullopt;
            return WordBit{*w, 0};
        }
        case H9Kind::None:
            return std::nullopt;
    }
    return std::nullopt;
}

std::string family9Text(int code, WordBit address) {
    const std::uint32_t word = address.word;
    const std::uint32_t bit = address.bit & 0x0F;
    switch (family9Kind(code)) {
        case H9Kind::HexWord:
            return hexText(word);
        case H9Kind::XyBits: {
            std::string low = decimalText((word % 16) * 16 + bit);
            if (low.size() < 2) low.insert(low.begin(), '0');
            return hexText(word / 16) + low;
        }
        case H9Kind::RlmBits:
            return hexText(word * 16 + bit);
        case H9Kind::DecBits:
            return decimalText(word * 16 + bit);
        case H9Kind::DecWord:
        case H9Kind::Terminal:
        case H9Kind::None:
            return decimalText(word);
    }
    return decimalText(word);
}

// ---- family 10 ----

std::optional<std::uint16_t> family10Parse(int code, std::string_view text) {
    if (code >= FirstTerminalSpace) return parseWord(text, 10);
    if (code < 0 || code > kFamily10LastCode) return std::nullopt;
    const auto v = parseFamily10Octal(text);
    if (!v) return std::nullopt;
    if (code == 0) return static_cast<std::uint16_t>(*v);
    const Family10Space& s = kFamily10[code - 1];
    if (*v >= s.limit) return std::nullopt;
    return static_cast<std::uint16_t>(*v + s.offset);
}

std::string family10Text(int code, std::uint16_t stored) {
    if (code == 0) return octalText(stored);
    if (code < 1 || code > kFamily10LastCode) return decimalText(stored);
    const Family10Space& s = kFamily10[code - 1];
    if (stored < s.offset) return {};
    return octalText(stored - s.offset);
}

// ---- family 7 ----

namespace {
constexpr int kFamily7 = 7;
}

std::string family7FileNumberText(int family, std::uint16_t address) {
    return family == kFamily7 ? decimalText(address >> 8) : std::string{};
}

std::string family7SelectorText(int family, std::uint8_t spaceByte) {
    return family == kFamily7 ? decimalText(spaceByte >> 6) : std::string{};
}

std::optional<Family7Space> family7ParseSpace(std::string_view text) {
    const auto digits =
        std::find_if(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    const auto split = static_cast<std::size_t>(digits - text.begin());
    const int code = spaceNameToCode(kFamily7, text.substr(0, split));
    const auto file = parseUnsigned(text.substr(split), 10, 255);
    if (code < 0 || !file) return std::nullopt;
    return Family7Space{code, static_cast<int>(*file)};
}

std::string family7SpaceText(int code, int fileNumber) {
    return std::string(spaceShortName(kFamily7, code)) +
           decimalText(static_cast<std::uint32_t>(std::clamp(fileNumber, 0, 255)));
}

// ---- shared ----

std::string formatAddress(int family, std::uint8_t spaceByte, std::uint16_t address,
                          std::uint8_t bit) {
    const int code = spaceByte & SpaceCodeMask;
    if (code >= FirstTerminalSpace) return decimalText(address);
    switch (family) {
        case 6:
            return decimalText(static_cast<std::uint32_t>(family6StoredToTyped(address)));
        case kFamily7: {
            std::string text = decimalText(address & 0xFF);
            if (family7HasSelector(code)) text += "." + family7SelectorText(family, spaceByte);
            return text;
        }
        case 9:
            return family9Text(code, WordBit{address, bit});
        case 10:
            return family10Text(code, address);
        case 16:
            return hexText(address);
        default:
            return decimalText(address);
    }
}

std::string hexText(std::uint32_t value) { return digitsText(value, 16); }

std::string octalText(std::uint32_t value) { return digitsText(value, 8); }

std::string removeBlanks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c != ' ') out.push_back(c);
    }
    return out;
}

int numberBeforeDot(std::string_view text) {
    const auto v = parseUnsigned(text.substr(0, text.find('.')), 10, INT_MAX);
    return v ? static_cast<int>(*v) : -1;
}

int numberAfterDot(std::string_view text) {
    const std::size_t dot = text.find('.');
    if (dot == std::string_view::npos) return 0;
    const auto v = parseUnsigned(text.substr(dot + 1), 10, INT_MAX);
    return v ? static_cast<int>(*v) : -1;
}

}  // namespace kyr

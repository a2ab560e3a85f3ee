#include "model/CommLines.h"

#include <array>
#include <cctype>

#include "model/AddressNotation.h"
#include "model/PlcFamilies.h"
#include "model/PlcTables.h"
#include "model/TermTypes.h"

namespace kyr {

namespace {

constexpr std::array<std::string_view, CommLineCount> kLabels{"BEEPER", "SCRN", "KBD", "DATTIM",
                                                              "I/O",    "IN",   "OUT", "CAN"};
constexpr std::array<std::string_view, CommLineCount> kLengths{"1", "1", "2", "4",
                                                               "1", "1", "1", "1"};
constexpr int KbdLine = 2;
constexpr int IoLine = 4;
constexpr int InLine = 5;

bool validLine(int line) { return line >= 0 && line < CommLineCount; }

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

std::optional<std::uint32_t> hexValue(std::string_view text) {
    text = trimBlanks(text);
    if (text.empty() || text.size() > 8) return std::nullopt;
    std::uint32_t value = 0;
    for (char c : text) {
        if (!std::isxdigit(static_cast<unsigned char>(c))) return std::nullopt;
        const int d = std::isdigit(static_cast<unsigned char>(c))
                          ? c - '0'
                          : std::toupper(static_cast<unsigned char>(c)) - 'A' + 10;
        value = value * 16 + static_cast<std::uint32_t>(d);
    }
    return value;
}

std::uint16_t low16(long long v) { return static_cast<std::uint16_t>(v & 0xFFFF); }

}  // namespace

int commLineRow(int ioBoard, int line) {
    if (ioBoard == 1 && line == IoLine) return InLine;
    if (ioBoard == 1 && line == InLine) return IoLine;
    return line;
}

std::string_view commLineLabel(int termType, int line) {
    if (!validLine(line)) return "";
    if (line == IoLine) {
        if (termType == 2 || termType == 3) return "LEDs";
        if (termType == 0) return "OUT";
    }
    return kLabels[static_cast<std::size_t>(line)];
}

std::string_view commLineLength(int termType, int line) {
    if (!validLine(line)) return "";
    if (line == KbdLine && termType == 3) return "3";
    return kLengths[static_cast<std::size_t>(line)];
}

bool commLineVisible(int termType, int line) {
    if (!validLine(line)) return false;
    if (termType == 3) return line != InLine;
    if (line >= 6) return false;
    return line != InLine || termType == 0;
}

bool commLineUsable(int termType, int ioBoard, int line) {
    switch (line) {
        case 1:
        case 2:
            return true;
        case 0:
        case 3:
            return termType == 0 || termType == 1 || termType == 3;
        case IoLine:
            if (ioBoard == 0) return false;
            return termType != 0 || ioBoard == 2 || ioBoard == 3 || ioBoard == 4;
        case InLine:
            return termType == 0 && (ioBoard == 1 || ioBoard == 4);
        case 6:
        case 7:
            return termType == 3;
        default:
            return false;
    }
}

std::string commSystemText(std::uint8_t systemByte, bool noSystemNumbers) {
    if (systemByte >= 254) return {};
    return noSystemNumbers ? "*" : std::to_string(systemByte);
}

std::string commBeginText(int family, int spaceCode, std::uint16_t begin) {
    if (spaceCode >= FirstTerminalSpace) return std::to_string(begin);
    switch (family) {
        case 6:
            return std::to_string(family6StoredToTyped(begin));
        case 9:
            return family9Text(spaceCode, WordBit{begin, 0});
        case 10:
            return family10Text(spaceCode, begin);
        case 16:
            return hexText(begin);
        default:
            return std::to_string(begin);
    }
}

std::uint16_t commBeginValue(int family, int spaceCode, std::string_view text) {
    if (spaceCode < FirstTerminalSpace) {
        switch (family) {
            case 6: {
                const auto n = decimalValue(text);
                if (!n || *n < 0 || *n > 0xFFFF) return 0;
                return family6TypedToStored(spaceCode, static_cast<int>(*n)).value_or(0);
            }
            case 9: {
                const auto wb = family9Parse(spaceCode, text);
                return wb ? wb->word : 0;
            }
            case 10:
                return family10Parse(spaceCode, text).value_or(0);
            case 16: {
                const auto h = hexValue(text);
                return h ? low16(*h) : 0;
            }
            default:
                break;
        }
    }
    const auto n = decimalValue(text);
    return n ? low16(*n) : 0;
}

std::optional<long long> decimalValue(std::string_view text) {
    text = trimBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || text.size() > 10) return std::nullopt;
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

int entryNumber(std::string_view text) {
    const auto v = decimalValue(text);
    if (!v || *v < 0 || *v > 0x7FFFFFFF) return -1;
    return static_cast<int>(*v);
}

bool systemEntryValid(int family, std::string_view text) {
    const int v = entryNumber(text);
    return v >= 0 && v <= plcFamilyInfo(family).highestSystem;
}

bool beginEntryValid(int family, int spaceCode, std::string_view text) {
    const int v = entryNumber(text);
    if (spaceCode == FirstTerminalSpace) return v >= 0 && v <= TerminalBeginLimit;
    switch (family) {
        case 7:
            return v >= 0 && v <= 255;
        case 6:
            return v >= 0 && family6Accepts(spaceCode, v);
        case 9:
            return family9Parse(spaceCode, text).has_value();
        case 10:
            return family10Parse(spaceCode, text).has_value();
        // Begin is 16 bits: a larger number is refused rather than stored cut.
        case 16:
            return hexValue(text).value_or(0x10000) <= 0xFFFF;
        default:
            return v >= 0 && v <= 0xFFFF;
    }
}

bool selectorEntryValid(std::string_view text) {
    const int v = entryNumber(text);
    return v >= 0 && v <= 2;
}

bool fileNumberEntryValid(std::string_view text) {
    const int v = entryNumber(text);
    return v >= 0 && v <= 255;
}

}  // namespace kyr

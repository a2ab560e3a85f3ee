#include "link/KyrClock.h"

#include <charconv>
#include <cstdio>

#include "link/KyrClockTexts.h"
#include "model/UserDialog.h"

namespace kyr {

namespace {

constexpr std::uint8_t CmdReadClock = 0x04;
constexpr std::uint8_t CmdSetClock = 0x0C;
constexpr int ClockReplyLength = 8;
constexpr int MaxFieldValue = 99;
const Bytes kReadRequest{CmdReadClock};

std::size_t indexOf(TClockField field) { return static_cast<std::size_t>(field); }

std::uint8_t toBcd(int value) {
    if (value < 0 || value > MaxFieldValue) {
        dialogs().beep();
        return 0;
    }
    return static_cast<std::uint8_t>(((value / 10) << 4) | (value % 10));
}

// The digits of a field; nullopt for an empty field or anything but digits around blanks.
std::optional<int> fieldValue(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return std::nullopt;
    const auto last = text.find_last_not_of(' ');
    text = text.substr(first, last - first + 1);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::string twoDigits(int value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d", value);
    return buffer;
}

}  // namespace

TClockGroup clockGroupOf(TClockField field) {
    switch (field) {
        case TClockField::Year:
        case TClockField::Month:
        case TClockField::Day:
            return TClockGroup::Date;
        default:
            return TClockGroup::Time;
    }
}

TClockReading TClockReading::FromReply(std::span<const std::uint8_t> reply) {
    TClockReading reading;
    if (reply.size() < ClockReplyLength) return reading;
    reading.dayOfWeek = reply[1];
    for (std::size_t i = 0; i < reading.bcd.size(); ++i) reading.bcd[i] = reply[i + 2];
    return reading;
}

int bcdValue(std::uint8_t bcd) { return (bcd >> 4) * 10 + (bcd & 0x0F); }

std::string clockFieldText(std::uint8_t bcd) {
    const int value = bcdValue(bcd);
    return value > MaxFieldValue ? std::string("  ") : twoDigits(value);
}

TSpinRange clockSpinRange(TClockField field) {
    switch (field) {
        case TClockField::Year:
            return {0, 99};
        case TClockField::Month:
            return {1, 12};
        case TClockField::Day:
            return {1, 31};
        case TClockField::Hour:
            return {0, 23};
        case TClockField::Minute:
        case TClockField::Second:
            break;
    }
    return {0, 59};
}

int clockSpin(TClockField field, int value, bool up) {
    const auto [low, high] = clockSpinRange(field);
    if (up) return value >= low && value < high ? value + 1 : low;
    return value > low && value <= high ? value - 1 : high;
}

Bytes clockSetRequest(int dayOfWeek, const std::array<int, ClockFieldCount>& values) {
    Bytes request{CmdSetClock, 0, toBcd(dayOfWeek)};
    for (const int value : values) request.push_back(toBcd(value));
    return request;
}

Bytes clockSetRequestFromPc(const TPcTime& pc) {
    return clockSetRequest(pc.dayOfWeek,
                           {pc.year % 100, pc.month, pc.day, pc.hour, pc.minute, pc.second});
}

std::string_view clockDayName(int dayOfWeek) {
    if (dayOfWeek < 0 || dayOfWeek >= static_cast<int>(texts::DayNames.size())) return {};
    return tr(texts::DayNames[static_cast<std::size_t>(dayOfWeek)]);
}

std::string formatPcClock(const TPcTime& pc) {
    char date[48];
    switch (language()) {
        case LangCzech:
            std::snprintf(date, sizeof date, "%d.%d.%d", pc.day, pc.month, pc.year);
            break;
        case LangGerman:
            std::snprintf(date, sizeof date, "%02d.%02d.%d", pc.day, pc.month, pc.year);
            break;
        default:
            std::snprintf(date, sizeof date, "%d/%d/%d", pc.month, pc.day, pc.year);
            break;
    }
    char time[32];
    std::snprintf(time, sizeof time, "%d:%02d:%02d", pc.hour, pc.minute, pc.second);
    return std::string(date) + "  " + std::string(clockDayName(pc.dayOfWeek)) + " " + time;
}

std::string formatTerminalClock(const TClockReading& reading) {
    auto field = [&](TClockField f) { return clockFieldText(reading.Field(f)); };
    std::string day(clockDayName(reading.dayOfWeek));
    if (day.empty()) day = "  ";
    return day + "  " + field(TClockField::Day) + "." + field(TClockField::Month) + "." +
           field(TClockField::Year) + "  " + field(TClockField::Hour) + ":" +
           field(TClockField::Minute) + ":" + field(TClockField::Second);
}

TKyrClock::TKyrClock(TMKom& kom) : kom_(kom) {}

void TKyrClock::Open() {
    reading_ = {};
    hasReading_ = false;
    readGaveUp_ = false;
    readCount_ = 0;
    texts_.fill(std::string("  "));
    day_ = NoDay;
    focus_ = Focus::None;
    changed_ = false;
    ReadNext();
}

void TKyrClock::ReadNext() {
    readStep_.Start(kReadRequest, ClockReplyLength);
    readStep_.Send(kom_);
}

void TKyrClock::Refresh() {
    switch (readStep_.Status()) {
        case rsDone:
            reading_ = TClockReading::FromReply(readStep_.Reply());
            hasReading_ = true;
            readGaveUp_ = false;
            ++readCount_;
            ReadNext();
            break;
        case rsPending:
            break;
        case rsFailed:
            reading_ = {};
            hasReading_ = false;
            readGaveUp_ = true;
            readStep_.Send(kom_);
            break;
        default:
            readStep_.Send(kom_);
            break;
    }
    if (!kom_.IsPortOpen()) {
        reading_ = {};
        hasReading_ = false;
    }
    UpdateShown();
}

void TKyrClock::UpdateShown() {
    if (focus_ != Focus::DayList)
        day_ = reading_.dayOfWeek < texts::DayNames.size() ? reading_.dayOfWeek : NoDay;
    for (std::size_t i = 0; i < texts_.size(); ++i) {
        const auto field = static_cast<TClockField>(i);
        if (focus_ == Focus::Field && focusedField_ == field && changed_) continue;
        texts_[i] = clockFieldText(reading_.bcd[i]);
    }
}

void TKyrClock::FocusField(TClockField field) {
    if (focus_ != Focus::None && !(focus_ == Focus::Field && focusedField_ == field)) LeaveField();
    focus_ = Focus::Field;
    focusedField_ = field;
    lastInGroup_[static_cast<std::size_t>(clockGroupOf(field))] = field;
}

void TKyrClock::FocusDayList() {
    if (focus_ == Focus::Field) LeaveField();
    focus_ = Focus::DayList;
}

void TKyrClock::EditField(TClockField field, std::string text) {
    if (!(focus_ == Focus::Field && focusedField_ == field)) FocusField(field);
    texts_[indexOf(field)] = std::move(text);
    changed_ = true;
}

void TKyrClock::SelectDay(int dayOfWeek) {
    if (focus_ != Focus::DayList) FocusDayList();
    day_ =
        dayOfWeek >= 0 && dayOfWeek < static_cast<int>(texts::DayNames.size()) ? dayOfWeek : NoDay;
    changed_ = true;
}

TClockField TKyrClock::Spin(TClockGroup group, bool up) {
    const TClockField field = lastInGroup_[static_cast<std::size_t>(group)];
    const auto value = fieldValue(texts_[indexOf(field)]);
    const auto [low, high] = clockSpinRange(field);
    const int next = value ? clockSpin(field, *value, up) : (up ? low : high);
    EditField(field, twoDigits(next));
    return field;
}

void TKyrClock::LeaveField() {
    focus_ = Focus::None;
    if (!changed_) return;
    changed_ = false;
    std::array<int, ClockFieldCount> values{};
    for (std::size_t i = 0; i < values.size(); ++i) values[i] = fieldValue(texts_[i]).value_or(-1);
    SendSet(clockSetRequest(day_, values));
}

void TKyrClock::SetFromPc(const TPcTime& pc) { SendSet(clockSetRequestFromPc(pc)); }

void TKyrClock::SendSet(Bytes request) {
    setStep_.Start(request, link::AckReply);
    setStep_.Send(kom_);
}

}  // namespace kyr

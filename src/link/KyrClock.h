#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "link/Comm.h"
#include "link/LinkStep.h"
#include "model/Texts.h"

namespace kyr {

// The six clock fields in the order of the terminal's clock bytes.
enum class TClockField : std::uint8_t { Year, Month, Day, Hour, Minute, Second };
inline constexpr int ClockFieldCount = 6;

// Each spin button steps the focused field of its group.
enum class TClockGroup : std::uint8_t { Date, Time };
TClockGroup clockGroupOf(TClockField field);

// A date and time of the PC, taken as a value so that callers decide where it comes from.
struct TPcTime {
    int year = 2000;  // four digits
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int dayOfWeek = 0;  // 0 = Sunday
};

// The terminal's clock as read: day of week (0 = Sunday, 255 = no answer) and the six BCD
// fields. All 0xFF when there is no answer.
struct TClockReading {
    static constexpr std::uint8_t NoAnswer = 0xFF;
    std::uint8_t dayOfWeek = NoAnswer;
    std::array<std::uint8_t, ClockFieldCount> bcd{NoAnswer, NoAnswer, NoAnswer,
                                                  NoAnswer, NoAnswer, NoAnswer};

    // From the 8-byte reply of the read command (byte 0 unused); no answer when shorter.
    static TClockReading FromReply(std::span<const std::uint8_t> reply);
    std::uint8_t Field(TClockField field) const { return bcd[static_cast<std::size_t>(field)]; }
};

// A BCD byte as a number: high nibble × 10 + low nibble (0xFF gives 165).
int bcdValue(std::uint8_t bcd);
// A field as shown: two digits, or two spaces when the value is above 99.
std::string clockFieldText(std::uint8_t bcd);

// The wrap range of a field's spin button.
struct TSpinRange {
    int low;
    int high;
};
TSpinRange clockSpinRange(TClockField field);
// One step up or down with wrap-around; a value outside the range goes to the end it
// would step into first (up: the low end, down: the high end).
int clockSpin(TClockField field, int value, bool up);

// The 9-byte set request: 0x0C, 0, day of week, then the six fields, each BCD. A value
// outside 0..99 beeps and is sent as 0.
Bytes clockSetRequest(int dayOfWeek, const std::array<int, ClockFieldCount>& values);
// The set request for the PC's date and time (year modulo 100).
Bytes clockSetRequestFromPc(const TPcTime& pc);

// Short day name (0 = Sunday) in the current language; empty outside 0..6.
std::string_view clockDayName(int dayOfWeek);
// The PC's date and time as the clock shows it beside the terminal's: short date, two
// spaces, short day name, short time.
std::string formatPcClock(const TPcTime& pc);
// The terminal's clock on one line: day name, date and time, blanks where there is no value.
std::string formatTerminalClock(const TClockReading& reading);

// The clock of the connected terminal as the clock dialog and the command line use it. The
// read request is repeated as its replies arrive; the six field texts and the day selection
// follow the terminal unless the person is editing them. Leaving an edited field (or closing)
// sends the set request built from the fields.
class TKyrClock {
public:
    static constexpr int NoDay = -1;

    explicit TKyrClock(TMKom& kom);

    // Blanks the fields, selects no day and starts the read.
    void Open();
    // One pass: takes the reply that arrived and asks again, then updates the fields.
    void Refresh();
    // Sends the set request if a field was changed and not yet sent.
    void Close() { LeaveField(); }

    const TClockReading& Reading() const { return reading_; }
    // True once a reply has arrived since opening (and no failure came after it).
    bool HasReading() const { return hasReading_; }
    // Replies taken since opening.
    int ReadCount() const { return readCount_; }
    // True while the last read ended without a reply after all its sends.
    bool ReadGaveUp() const { return readGaveUp_; }

    // What the dialog shows.
    const std::string& FieldText(TClockField field) const {
        return texts_[static_cast<std::size_t>(field)];
    }
    int DaySelection() const { return day_; }

    // The person's actions.
    void FocusField(TClockField field);
    void FocusDayList();
    void EditField(TClockField field, std::string text);  // typing raises the changed flag
    void SelectDay(int dayOfWeek);                        // choosing a day raises it as well
    // Steps the focused field of the group (or the one last focused there) and returns it.
    TClockField Spin(TClockGroup group, bool up);
    // Leaving the focused control: with the changed flag raised, clears it and sends.
    void LeaveField();
    // The "PC->KYR" button.
    void SetFromPc(const TPcTime& pc);

    bool Changed() const { return changed_; }
    // True while the last set request has not been answered or given up.
    bool SetPending() const { return setStep_.Status() == rsPending; }
    TReqStatus SetStatus() const { return setStep_.Status(); }

private:
    enum class Focus : std::uint8_t { None, Field, DayList };

    void ReadNext();
    void SendSet(Bytes request);
    void UpdateShown();

    TMKom& kom_;
    TLinkStep readStep_;
    TLinkStep setStep_;
    TClockReading reading_;
    bool hasReading_ = false;
    bool readGaveUp_ = false;
    int readCount_ = 0;

    std::array<std::string, ClockFieldCount> texts_;
    int day_ = NoDay;
    Focus focus_ = Focus::None;
    TClockField focusedField_ = TClockField::Hour;
    std::array<TClockField, 2> lastInGroup_{TClockField::Day, TClockField::Hour};
    bool changed_ = false;
};

}  // namespace kyr

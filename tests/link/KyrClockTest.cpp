#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AnsweringTerminal.h"
#include "RecordingDialog.h"
#include "link/KyrClock.h"
#include "model/Texts.h"

namespace kyr {
namespace {

using test::AnsweringLink;
using F = TClockField;

TEST(ClockBcd, FieldTexts) {
    const std::vector<std::pair<std::uint8_t, const char*>> cases{
        {0x00, "00"}, {0x07, "07"}, {0x10, "10"}, {0x59, "59"},
        {0x99, "99"}, {0x9A, "  "}, {0xA0, "  "}, {0xFF, "  "}};
    for (const auto& [bcd, text] : cases) EXPECT_EQ(clockFieldText(bcd), text) << int(bcd);
}

TEST(ClockBcd, SetRequestEncodesEveryFieldAndBeepsForBadValues) {
    test::RecordingDialog dialog;
    EXPECT_EQ(clockSetRequest(4, {26, 12, 10, 23, 59, 7}),
              (Bytes{0x0C, 0x00, 0x04, 0x26, 0x12, 0x10, 0x23, 0x59, 0x07}));
    EXPECT_EQ(dialog.beeps, 0);
    EXPECT_EQ(clockSetRequest(0, {99, 1, 1, 0, 0, 0}),
              (Bytes{0x0C, 0x00, 0x00, 0x99, 0x01, 0x01, 0x00, 0x00, 0x00}));
    EXPECT_EQ(clockSetRequest(6, {100, 1, 1, 0, 0, 0}),
              (Bytes{0x0C, 0x00, 0x06, 0x00, 0x01, 0x01, 0x00, 0x00, 0x00}));
    EXPECT_EQ(dialog.beeps, 1);
    EXPECT_EQ(clockSetRequest(-1, {0, 1, 1, 0, 0, 250}),
              (Bytes{0x0C, 0x00, 0x00, 0x00, 0x01, 0x01, 0x00, 0x00, 0x00}));
    EXPECT_EQ(dialog.beeps, 3);
}

TEST(ClockBcd, SetRequestFromThePcTime) {
    const TPcTime pc{2026, 12, 10, 9, 5, 3, 4};
    EXPECT_EQ(clockSetRequestFromPc(pc),
              (Bytes{0x0C, 0x00, 0x04, 0x26, 0x12, 0x10, 0x09, 0x05, 0x03}));
    EXPECT_EQ(clockSetRequestFromPc({2100, 1, 31, 23, 59, 59, 0}),
              (Bytes{0x0C, 0x00, 0x00, 0x00, 0x01, 0x31, 0x23, 0x59, 0x59}));
}

TEST(ClockSpin, WrapsAtTheEndsOfEachRange) {
    struct Case {
        TClockField field;
        int value;
        bool up;
        int expected;
    };
    const std::vector<Case> cases{
        {F::Hour, 23, true, 0},    {F::Hour, 0, false, 23},   {F::Hour, 12, true, 13},
        {F::Minute, 59, true, 0},  {F::Minute, 0, false, 59}, {F::Second, 59, true, 0},
        {F::Second, 0, false, 59}, {F::Day, 31, true, 1},     {F::Day, 1, false, 31},
        {F::Month, 12, true, 1},   {F::Month, 1, false, 12},  {F::Year, 99, true, 0},
        {F::Year, 0, false, 99},   {F::Hour, 77, true, 0},    {F::Hour, 77, false, 23},
        {F::Month, 0, true, 1},    {F::Month, 0, false, 12},
    };
    for (const auto& c : cases)
        EXPECT_EQ(clockSpin(c.field, c.value, c.up), c.expected)
            << int(c.field) << " " << c.value << (c.up ? " up" : " down");
}

TEST(ClockTexts, DayNamesInThreeLanguages) {
    setLanguage(LangCzech);
    EXPECT_EQ(clockDayName(2), "Út");
    EXPECT_EQ(clockDayName(4), "Čt");
    setLanguage(LangGerman);
    EXPECT_EQ(clockDayName(3), "Mi");
    setLanguage(LangEnglish);
    EXPECT_EQ(clockDayName(0), "Sun");
    EXPECT_EQ(clockDayName(6), "Sat");
    EXPECT_EQ(clockDayName(7), "");
    EXPECT_EQ(clockDayName(255), "");
}

class KyrClockTest : public ::testing::Test {
protected:
    KyrClockTest() : clock(link.kom) { setTerminal({0, 4, 0x26, 0x12, 0x10, 0x23, 0x59, 0x07}); }

    void setTerminal(Bytes reply) {
        link.script->replies[0x04] = std::move(reply);
        link.script->acks[0x0C] = true;
    }
    void passes(int n) {
        for (int i = 0; i < n; ++i) {
            link.kom.KomStep();
            clock.Refresh();
        }
    }
    std::vector<std::string> shown() const {
        std::vector<std::string> out;
        for (int i = 0; i < ClockFieldCount; ++i)
            out.push_back(clock.FieldText(static_cast<TClockField>(i)));
        return out;
    }

    AnsweringLink link;
    TKyrClock clock;
    test::RecordingDialog dialog;
};

const std::vector<std::string> kBlank(6, "  ");

TEST_F(KyrClockTest, ShowsTheTerminalClock) {
    clock.Open();
    EXPECT_EQ(shown(), kBlank);
    EXPECT_EQ(clock.DaySelection(), TKyrClock::NoDay);
    passes(3);
    EXPECT_EQ(shown(), (std::vector<std::string>{"26", "12", "10", "23", "59", "07"}));
    EXPECT_EQ(clock.DaySelection(), 4);
    EXPECT_TRUE(clock.HasReading());
    EXPECT_EQ(formatTerminalClock(clock.Reading()), "Thu  10.12.26  23:59:07");
    // The read is asked again as its replies arrive.
    passes(10);
    EXPECT_GE(link.script->count(0x04), 5);
}

TEST_F(KyrClockTest, NoAnswerAndBadBcdShowBlanks) {
    setTerminal({0, 255, 0xFF, 0x12, 0x9A, 0x23, 0xFF, 0x00});
    clock.Open();
    passes(3);
    EXPECT_EQ(shown(), (std::vector<std::string>{"  ", "12", "  ", "23", "  ", "00"}));
    EXPECT_EQ(clock.DaySelection(), TKyrClock::NoDay);
    setTerminal({0, 7, 0, 0, 0, 0, 0, 0});
    passes(3);
    EXPECT_EQ(clock.DaySelection(), TKyrClock::NoDay);
}

TEST_F(KyrClockTest, FailedReadBlanksTheFieldsAndKeepsAsking) {
    clock.Open();
    passes(3);
    ASSERT_EQ(clock.FieldText(F::Hour), "23");
    link.script->connected = false;
    int steps = 0;
    while (clock.HasReading() && steps < 1000) {
        passes(1);
        ++steps;
    }
    EXPECT_FALSE(clock.HasReading());
    EXPECT_EQ(shown(), kBlank);
    EXPECT_EQ(clock.DaySelection(), TKyrClock::NoDay);
    link.script->connected = true;
    passes(10);
    EXPECT_EQ(clock.FieldText(F::Hour), "23");
}

TEST_F(KyrClockTest, ClosedPortShowsBlanks) {
    clock.Open();
    passes(3);
    link.kom.ClosePort();
    passes(1);
    EXPECT_EQ(shown(), kBlank);
}

TEST_F(KyrClockTest, EditedFieldIsKeptUntilLeftThenSent) {
    clock.Open();
    passes(3);
    clock.FocusField(F::Minute);
    passes(2);
    EXPECT_EQ(clock.FieldText(F::Minute), "59");  // focus alone does not hold the field
    clock.EditField(F::Minute, "30");
    passes(3);
    EXPECT_EQ(clock.FieldText(F::Minute), "30");
    EXPECT_EQ(clock.FieldText(F::Hour), "23");
    EXPECT_EQ(link.script->count(0x0C), 0);

    clock.LeaveField();
    EXPECT_FALSE(clock.Changed());
    passes(3);
    EXPECT_EQ(link.script->last(0x0C),
              (Bytes{0x0C, 0x00, 0x04, 0x26, 0x12, 0x10, 0x23, 0x30, 0x07}));
    EXPECT_EQ(clock.SetStatus(), rsDone);
    EXPECT_EQ(clock.FieldText(F::Minute), "59");  // follows the terminal again
    EXPECT_EQ(dialog.beeps, 0);
}

TEST_F(KyrClockTest, LeavingWithoutChangeSendsNothing) {
    clock.Open();
    passes(3);
    clock.FocusField(F::Hour);
    clock.LeaveField();
    clock.Close();
    passes(3);
    EXPECT_EQ(link.script->count(0x0C), 0);
}

TEST_F(KyrClockTest, MovingToAnotherFieldSendsTheEditedOne) {
    clock.Open();
    passes(3);
    clock.EditField(F::Day, "ab");
    clock.FocusField(F::Month);
    passes(3);
    EXPECT_EQ(dialog.beeps, 1);  // not a number: sent as 0
    EXPECT_EQ(link.script->last(0x0C),
              (Bytes{0x0C, 0x00, 0x04, 0x26, 0x12, 0x00, 0x23, 0x59, 0x07}));
}

TEST_F(KyrClockTest, SpinStepsTheFocusedFieldOfItsGroup) {
    setTerminal({0, 1, 0x26, 0x01, 0x10, 0x23, 0x59, 0x07});
    clock.Open();
    passes(3);
    clock.FocusField(F::Month);
    clock.FocusField(F::Hour);
    EXPECT_EQ(clock.Spin(TClockGroup::Time, true), F::Hour);
    EXPECT_EQ(clock.FieldText(F::Hour), "00");
    EXPECT_TRUE(clock.Changed());
    passes(2);
    EXPECT_EQ(clock.FieldText(F::Hour), "00");  // held while being edited
    // The date spin steps the month, the last date field that had the focus.
    EXPECT_EQ(clock.Spin(TClockGroup::Date, false), F::Month);
    EXPECT_EQ(clock.FieldText(F::Month), "12");
    passes(3);
    EXPECT_EQ(link.script->last(0x0C),
              (Bytes{0x0C, 0x00, 0x01, 0x26, 0x01, 0x10, 0x00, 0x59, 0x07}));
    clock.Close();
    passes(3);
    EXPECT_EQ(link.script->last(0x0C),
              (Bytes{0x0C, 0x00, 0x01, 0x26, 0x12, 0x10, 0x23, 0x59, 0x07}));
}

TEST_F(KyrClockTest, SpinOnABlankFieldStartsAtTheRangeEnd) {
    link.script->connected = false;
    clock.Open();
    clock.FocusField(F::Second);
    clock.Spin(TClockGroup::Time, false);
    EXPECT_EQ(clock.FieldText(F::Second), "59");
    clock.FocusField(F::Day);
    clock.Spin(TClockGroup::Date, true);
    EXPECT_EQ(clock.FieldText(F::Day), "01");
}

TEST_F(KyrClockTest, DayListKeepsTheChoiceWhileFocusedAndSendsIt) {
    clock.Open();
    passes(3);
    clock.SelectDay(2);
    passes(3);
    EXPECT_EQ(clock.DaySelection(), 2);
    clock.LeaveField();
    passes(3);
    EXPECT_EQ(link.script->last(0x0C),
              (Bytes{0x0C, 0x00, 0x02, 0x26, 0x12, 0x10, 0x23, 0x59, 0x07}));
    EXPECT_EQ(clock.DaySelection(), 4);  // the terminal's day again
}

TEST_F(KyrClockTest, PcButtonSendsThePcTime) {
    clock.Open();
    passes(3);
    clock.SetFromPc({2027, 2, 28, 6, 7, 8, 0});
    passes(3);
    EXPECT_EQ(link.script->last(0x0C),
              (Bytes{0x0C, 0x00, 0x00, 0x27, 0x02, 0x28, 0x06, 0x07, 0x08}));
    EXPECT_EQ(clock.SetStatus(), rsDone);
}

TEST(ClockTexts, PcClockLine) {
    const TPcTime pc{2026, 3, 9, 7, 5, 2, 1};
    setLanguage(LangGerman);
    EXPECT_EQ(formatPcClock(pc), "09.03.2026  Mo 7:05:02");
    setLanguage(LangCzech);
    EXPECT_EQ(formatPcClock(pc), "9.3.2026  Po 7:05:02");
    setLanguage(LangEnglish);
    EXPECT_EQ(formatPcClock(pc), "3/9/2026  Mon 7:05:02");
}

}  // namespace
}  // namespace kyr

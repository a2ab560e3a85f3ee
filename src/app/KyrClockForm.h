#pragma once

#include <QDialog>
#include <array>

#include "link/KyrClock.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace kyr {

// The clock dialog: the terminal's clock (day of week, time and date, each field editable,
// with a spin button for the time and one for the date) beside the PC's clock, and a button
// that sets the terminal's clock from the PC's. The caller opens the port before showing
// it; closing the dialog sends what was changed and then closes the port.
class TKyrClockForm : public QDialog {
    Q_OBJECT
public:
    TKyrClockForm(TMKom& kom, QWidget* parent = nullptr);

    // Blanks the fields, fills the day list and starts reading the clock.
    void Open();
    // One pass: takes the reply that arrived, asks again and shows the clocks.
    void Refresh();
    // Closes the port once the set request sent on closing has gone out.
    void IdlePass();
    // True while the port waits for the set request sent on closing.
    bool PortClosePending() const { return portClosePending_; }
    // Another command takes the port over: it stays open.
    void KeepPort() { portClosePending_ = false; }

    // The person's actions, also for the event filter.
    void FieldEnter(TClockField field);
    void FieldExit();
    void FieldEdited(TClockField field, const QString& text);
    void SpinClick(TClockGroup group, bool up);
    void DayActivated(int index);
    void PcToKyrBtnClick();

    void SetLanguageTexts();
    const TKyrClock& clock() const { return clock_; }
    QLineEdit* field(TClockField f) const { return fields_[static_cast<std::size_t>(f)]; }

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* spinButton(const char* name, TClockGroup group);
    void ShowClock();
    void FillDays();

    TMKom& kom_;
    TKyrClock clock_;
    bool portClosePending_ = false;

    QGroupBox* kyrGroup_;
    QGroupBox* pcGroup_;
    QLabel* dayLabel_;
    QLabel* timeLabel_;
    QLabel* dateLabel_;
    QComboBox* dayComboBox_;
    std::array<QLineEdit*, ClockFieldCount> fields_{};
    QLabel* pcClockLabel_;
    QPushButton* pcToKyrBtn_;
    QPushButton* okBtn_;
};

// The PC's date and time now.
TPcTime pcTimeNow();

}  // namespace kyr

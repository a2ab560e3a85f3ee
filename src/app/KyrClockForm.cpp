#include "app/KyrClockForm.h"

#include <QComboBox>
#include <QDateTime>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/AppTexts.h"
#include "app/TerminalDlgTexts.h"
#include "link/KyrClockTexts.h"
#include "qt/QtText.h"

namespace kyr {

namespace {

constexpr const char* FieldNames[ClockFieldCount] = {"YearEdit", "MonthEdit",  "DayEdit",
                                                     "HourEdit", "MinuteEdit", "SecondEdit"};
// Three characters, so that a value above 99 can be typed (and is refused when sent).
constexpr int FieldLength = 3;

// A focus change that is only the window losing or regaining activation.
bool windowFocusChange(const QEvent* event) {
    const auto reason = static_cast<const QFocusEvent*>(event)->reason();
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}

}  // namespace

TPcTime pcTimeNow() {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate d = now.date();
    const QTime t = now.time();
    return {d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second(), d.dayOfWeek() % 7};
}

TKyrClockForm::TKyrClockForm(TMKom& kom, QWidget* parent)
    : QDialog(parent), kom_(kom), clock_(kom) {
    setObjectName("KyrClockForm");
    kyrGroup_ = new QGroupBox(this);
    kyrGroup_->setObjectName("KyrClockGroupBox");
    dayLabel_ = new QLabel(kyrGroup_);
    timeLabel_ = new QLabel(kyrGroup_);
    dateLabel_ = new QLabel(kyrGroup_);
    dayComboBox_ = new QComboBox(kyrGroup_);
    dayComboBox_->setObjectName("DayComboBox");
    dayComboBox_->installEventFilter(this);
    dayLabel_->setBuddy(dayComboBox_);
    connect(dayComboBox_, &QComboBox::activated, this, &TKyrClockForm::DayActivated);
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        auto* edit = new QLineEdit(kyrGroup_);
        edit->setObjectName(FieldNames[i]);
        edit->setMaxLength(FieldLength);
        edit->setAlignment(Qt::AlignCenter);
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance("000") + 16);
        edit->installEventFilter(this);
        const auto f = static_cast<TClockField>(i);
        connect(edit, &QLineEdit::textEdited, this,
                [this, f](const QString& text) { FieldEdited(f, text); });
        fields_[i] = edit;
    }
    auto row = [this](std::initializer_list<TClockField> order, const char* separator,
                      QWidget* spin) {
        auto* line = new QHBoxLayout;
        bool first = true;
        for (TClockField f : order) {
            if (!first) line->addWidget(new QLabel(separator, kyrGroup_));
            line->addWidget(field(f));
            first = false;
        }
        line->addWidget(spin);
        line->addStretch();
        return line;
    };
    auto* grid = new QGridLayout(kyrGroup_);
    grid->addWidget(dayLabel_, 0, 0);
    grid->addWidget(dayComboBox_, 0, 1, Qt::AlignLeft);
    grid->addWidget(timeLabel_, 1, 0);
    grid->addLayout(row({TClockField::Hour, TClockField::Minute, TClockField::Second}, ":",
                        spinButton("TimeSpinButton", TClockGroup::Time)),
                    1, 1);
    grid->addWidget(dateLabel_, 2, 0);
    grid->addLayout(row({TClockField::Day, TClockField::Month, TClockField::Year}, ".",
                        spinButton("DateSpinButton", TClockGroup::Date)),
                    2, 1);

    pcGroup_ = new QGroupBox(this);
    pcGroup_->setObjectName("PcClockGroupBox");
    pcClockLabel_ = new QLabel(pcGroup_);
    pcClockLabel_->setObjectName("PcClockLabel");
    auto* pcLayout = new QVBoxLayout(pcGroup_);
    pcLayout->addWidget(pcClockLabel_);

    pcToKyrBtn_ = new QPushButton(this);
    pcToKyrBtn_->setObjectName("PcToKyrBtn");
    pcToKyrBtn_->setAutoDefault(false);
    connect(pcToKyrBtn_, &QPushButton::clicked, this, &TKyrClockForm::PcToKyrBtnClick);
    okBtn_ = new QPushButton(this);
    okBtn_->setObjectName("OkBtn");
    okBtn_->setAutoDefault(false);
    connect(okBtn_, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(pcToKyrBtn_);
    buttons->addStretch();
    buttons->addWidget(okBtn_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(kyrGroup_);
    layout->addWidget(pcGroup_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    SetLanguageTexts();
}

QWidget* TKyrClockForm::spinButton(const char* name, TClockGroup group) {
    auto* box = new QWidget(kyrGroup_);
    box->setObjectName(name);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (const bool up : {true, false}) {
        auto* button = new QToolButton(box);
        button->setObjectName(up ? "UpBtn" : "DownBtn");
        button->setArrowType(up ? Qt::UpArrow : Qt::DownArrow);
        button->setFocusPolicy(Qt::NoFocus);  // the field keeps the focus
        button->setAutoRepeat(true);
        button->setFixedSize(18, 12);
        connect(button, &QToolButton::clicked, this, [this, group, up] { SpinClick(group, up); });
        layout->addWidget(button);
    }
    return box;
}

void TKyrClockForm::SetLanguageTexts() {
    setWindowTitle(qtr(texts::KyrClock));
    kyrGroup_->setTitle(qtr(texts::KyrClock));
    pcGroup_->setTitle(qtr(texts::PcClock));
    dayLabel_->setText(qtr(apptexts::ClockDay));
    timeLabel_->setText(qtr(apptexts::ClockTime));
    dateLabel_->setText(qtr(apptexts::ClockDate));
    pcToKyrBtn_->setText(qtr(texts::PcToKyr));
    okBtn_->setText(qtr(apptexts::Ok));
    FillDays();
}

void TKyrClockForm::FillDays() {
    const int selected = dayComboBox_->currentIndex();
    dayComboBox_->clear();
    for (int day = 0; day < static_cast<int>(texts::DayNames.size()); ++day)
        dayComboBox_->addItem(qs(clockDayName(day)));
    dayComboBox_->setCurrentIndex(selected);
}

void TKyrClockForm::Open() {
    portClosePending_ = false;
    clock_.Open();
    FillDays();
    dayComboBox_->setCurrentIndex(-1);
    ShowClock();
}

void TKyrClockForm::Refresh() {
    clock_.Refresh();
    ShowClock();
}

void TKyrClockForm::ShowClock() {
    const QString pc = qs(formatPcClock(pcTimeNow()));
    if (pcClockLabel_->text() != pc) pcClockLabel_->setText(pc);
    if (!dayComboBox_->hasFocus() && dayComboBox_->currentIndex() != clock_.DaySelection())
        dayComboBox_->setCurrentIndex(clock_.DaySelection());
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        const QString text = qs(clock_.FieldText(static_cast<TClockField>(i)));
        if (fields_[i]->text() != text) fields_[i]->setText(text);
    }
}

void TKyrClockForm::FieldEnter(TClockField f) { clock_.FocusField(f); }

void TKyrClockForm::FieldExit() { clock_.LeaveField(); }

void TKyrClockForm::FieldEdited(TClockField f, const QString& text) {
    clock_.EditField(f, us(text));
}

void TKyrClockForm::SpinClick(TClockGroup group, bool up) {
    const TClockField f = clock_.Spin(group, up);
    QLineEdit* edit = field(f);
    edit->setText(qs(clock_.FieldText(f)));
    if (!edit->hasFocus()) edit->setFocus(Qt::OtherFocusReason);
}

void TKyrClockForm::DayActivated(int index) { clock_.SelectDay(index); }

void TKyrClockForm::PcToKyrBtnClick() { clock_.SetFromPc(pcTimeNow()); }

bool TKyrClockForm::eventFilter(QObject* watched, QEvent* event) {
    const bool in = event->type() == QEvent::FocusIn;
    const bool out = event->type() == QEvent::FocusOut;
    if ((!in && !out) || windowFocusChange(event)) return QDialog::eventFilter(watched, event);
    if (watched == dayComboBox_) {
        if (in)
            clock_.FocusDayList();
        else
            FieldExit();
    } else {
        for (std::size_t i = 0; i < fields_.size(); ++i) {
            if (watched != fields_[i]) continue;
            if (in)
                FieldEnter(static_cast<TClockField>(i));
            else
                FieldExit();
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TKyrClockForm::done(int result) {
    clock_.Close();
    QDialog::done(result);
    // A set request sent on closing still has to reach the terminal.
    portClosePending_ = true;
    IdlePass();
}

void TKyrClockForm::IdlePass() {
    if (!portClosePending_ || clock_.SetPending()) return;
    portClosePending_ = false;
    kom_.ClosePort();
}

}  // namespace kyr

#include "app/Progress.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/AppTexts.h"
#include "qt/QtText.h"

namespace kyr {

namespace {

// Qt measures pie angles in sixteenths of a degree, counter-clockwise from three o'clock.
constexpr int FullCircle = 360 * 16;
constexpr int TwelveOClock = 90 * 16;

}  // namespace

TPieGauge::TPieGauge(QWidget* parent) : QWidget(parent) {
    setMinimumSize(80, 80);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void TPieGauge::setPercent(int percent) {
    percent = std::clamp(percent, 0, 100);
    if (percent == percent_) return;
    percent_ = percent;
    update();
}

void TPieGauge::setColor(TGaugeColor color) {
    if (color == color_) return;
    color_ = color;
    update();
}

QString TPieGauge::text() const { return QString("%1 %").arg(percent_); }

void TPieGauge::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int side = std::min(width(), height()) - 4;
    const QRect circle((width() - side) / 2, (height() - side) / 2, side, side);
    const QColor fill = color_ == TGaugeColor::Green ? QColor(0, 160, 0) : QColor(Qt::black);

    painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
    painter.setBrush(Qt::white);
    painter.drawEllipse(circle);
    if (percent_ > 0) {
        painter.setBrush(fill);
        painter.drawPie(circle, TwelveOClock, -FullCircle * percent_ / 100);
    }
    // The percentage on a white disc so that it reads over either colour.
    const QString label = text();
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(std::max(10, side / 7));
    painter.setFont(font);
    const QFontMetrics metrics(font);
    const int discWidth = metrics.horizontalAdvance(label) + metrics.height();
    const QRect disc(circle.center().x() - discWidth / 2, circle.center().y() - metrics.height(),
                     discWidth, metrics.height() * 2);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawEllipse(disc);
    painter.setPen(Qt::black);
    painter.drawText(disc, Qt::AlignCenter, label);
}

TProgressDlg::TProgressDlg(QWidget* parent) : QDialog(parent) {
    setObjectName("ProgressDlg");
    setModal(true);
    phaseLabel_ = new QLabel(this);
    phaseLabel_->setObjectName("PhaseLabel");
    phaseLabel_->setAlignment(Qt::AlignCenter);
    phaseLabel_->setMinimumWidth(280);
    gauge_ = new TPieGauge(this);
    gauge_->setObjectName("PieGauge");
    cancelBtn_ = new QPushButton(this);
    cancelBtn_->setObjectName("CancelBtn");
    connect(cancelBtn_, &QPushButton::clicked, this, &TProgressDlg::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancelBtn_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(phaseLabel_);
    layout->addWidget(gauge_, 1);
    layout->addLayout(buttons);
    SetLanguageTexts();
}

void TProgressDlg::SetTitle(std::string_view title) { setWindowTitle(qs(title)); }

void TProgressDlg::SetLabel(std::string_view label) {
    const QString text = qs(label);
    if (phaseLabel_->text() != text) phaseLabel_->setText(text);
}

void TProgressDlg::SetPercent(int percent) { gauge_->setPercent(percent); }

void TProgressDlg::SetGaugeColor(TGaugeColor color) { gauge_->setColor(color); }

int TProgressDlg::resultCode(TModalResult result) {
    switch (result) {
        case TModalResult::Ok:
            return QDialog::Accepted;
        case TModalResult::Cancel:
            return QDialog::Rejected;
        case TModalResult::Abort:
            break;
    }
    return AbortResult;
}

void TProgressDlg::Close(TModalResult result) { done(resultCode(result)); }

void TProgressDlg::SetLanguageTexts() { cancelBtn_->setText(qtr(apptexts::Cancel)); }

void TProgressDlg::reject() {
    done(QDialog::Rejected);
    if (cancelHandler_) cancelHandler_();
}

void TProgressDlg::done(int result) {
    QDialog::done(result);
    gauge_->setPercent(0);
    gauge_->setColor(TGaugeColor::Green);
}

}  // namespace kyr

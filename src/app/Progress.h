#pragma once

#include <QDialog>
#include <QWidget>
#include <functional>

#include "link/ProgressView.h"

class QLabel;
class QPushButton;

namespace kyr {

// A round gauge: a pie filled clockwise from twelve o'clock to the percentage, which it
// shows as text in its centre.
class TPieGauge : public QWidget {
    Q_OBJECT
public:
    explicit TPieGauge(QWidget* parent = nullptr);

    void setPercent(int percent);  // clamped to 0..100
    int percent() const { return percent_; }
    void setColor(TGaugeColor color);
    TGaugeColor color() const { return color_; }
    // The text in the centre: "42 %".
    QString text() const;

    QSize sizeHint() const override { return {120, 120}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int percent_ = 0;
    TGaugeColor color_ = TGaugeColor::Green;
};

// The progress dialog of a transfer or firmware job: the job's title, the current phase's
// label, the gauge and Cancel. The job drives it through TProgressView and closes it when it
// ends; Cancel (or Escape, or the close box) closes it with the cancel result and aborts the
// job through the cancel handler.
class TProgressDlg : public QDialog, public TProgressView {
    Q_OBJECT
public:
    // The dialog result after an error (Ok and Cancel are QDialog's Accepted and Rejected).
    static constexpr int AbortResult = 3;

    explicit TProgressDlg(QWidget* parent = nullptr);

    // What Cancel does to the job (its CancelByUser).
    void setCancelHandler(std::function<void()> handler) { cancelHandler_ = std::move(handler); }

    // TProgressView
    void SetTitle(std::string_view title) override;
    void SetLabel(std::string_view label) override;
    void SetPercent(int percent) override;
    void SetGaugeColor(TGaugeColor color) override;
    void Close(TModalResult result) override;

    void SetLanguageTexts();
    TPieGauge* gauge() const { return gauge_; }
    QLabel* phaseLabel() const { return phaseLabel_; }
    QPushButton* cancelButton() const { return cancelBtn_; }

    static int resultCode(TModalResult result);

    void reject() override;
    void done(int result) override;

private:
    QLabel* phaseLabel_;
    TPieGauge* gauge_;
    QPushButton* cancelBtn_;
    std::function<void()> cancelHandler_;
};

}  // namespace kyr

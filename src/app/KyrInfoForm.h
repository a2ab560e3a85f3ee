#pragma once

#include <QDialog>
#include <array>

#include "link/KyrInfo.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QTimer;

namespace kyr {

// The info dialog: the connected terminal's model, firmware and BOOT versions, memory and
// switch settings or supported protocols, read again and again while the dialog is open.
// The caller opens the port before showing it; closing the dialog closes the port.
class TKyrInfoForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int ErrCntInterval = 100;

    TKyrInfoForm(TMKom& kom, QWidget* parent = nullptr);

    // Clears the labels, hides the optional groups and starts the requests.
    void Open();
    // One pass: takes the replies that arrived, asks again and shows what is known. The idle
    // pass calls it while the dialog is visible, so a finished request is followed at once
    // by the next.
    void Refresh();
    void ErrCntTimerTimer();

    void SetLanguageTexts();
    const TKyrInfo& info() const { return info_; }
    QTimer* errCntTimer() const { return errCntTimer_; }

    void done(int result) override;

private:
    void ShowView(const TKyrInfoView& view);
    QGroupBox* group(const char* name, QLayout*& layout);
    QLabel* label(const char* name, QGroupBox* group, QLayout* layout);

    TMKom& kom_;
    TKyrInfo info_;
    QTimer* errCntTimer_;

    QGroupBox* typeGroup_;
    QGroupBox* firmwareGroup_;
    QGroupBox* miniGrandGroup_;
    QGroupBox* bootGroup_;
    QGroupBox* memGroup_;
    QGroupBox* switchGroup_;
    QGroupBox* protocolGroup_;
    QLabel* typeLabel_;
    QLabel* firmwareVersionLabel_;
    QLabel* firmwareIdLabel_;
    QLabel* infoLabel_;
    QLabel* bootLabel_;
    QLabel* memTypeLabel_;
    QLabel* memWriteLabel_;
    QLabel* programModeLabel_;
    QLabel* bridgeModeLabel_;
    QLabel* userProgramLabel_;
    std::array<QLabel*, TKyrInfoView::ProtocolLabels> protocolLabels_{};
    QPushButton* okBtn_;
};

}  // namespace kyr

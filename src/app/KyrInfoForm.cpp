#include "app/KyrInfoForm.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "app/AppTexts.h"
#include "app/TerminalDlgTexts.h"
#include "qt/QtText.h"

namespace kyr {

namespace {

// Only a changed text is set: the refresh runs on every idle pass.
void setText(QLabel* label, const std::string& text) {
    const QString value = qs(text);
    if (label->text() != value) label->setText(value);
}

void setShown(QWidget* widget, bool shown) {
    if (widget->isVisibleTo(widget->parentWidget()) != shown) widget->setVisible(shown);
}

}  // namespace

TKyrInfoForm::TKyrInfoForm(TMKom& kom, QWidget* parent) : QDialog(parent), kom_(kom), info_(kom) {
    setObjectName("KyrInfoForm");
    errCntTimer_ = new QTimer(this);
    errCntTimer_->setObjectName("ErrCntTimer");
    errCntTimer_->setInterval(ErrCntInterval);
    connect(errCntTimer_, &QTimer::timeout, this, &TKyrInfoForm::ErrCntTimerTimer);

    QLayout* layout = nullptr;
    typeGroup_ = group("TypeGroupBox", layout);
    typeLabel_ = label("TypeLabel", typeGroup_, layout);
    firmwareGroup_ = group("FirmwareGroupBox", layout);
    firmwareVersionLabel_ = label("FirmwareVersionLabel", firmwareGroup_, layout);
    firmwareIdLabel_ = label("FirmwareIdLabel", firmwareGroup_, layout);
    miniGrandGroup_ = group("MiniGrandGroupBox", layout);
    infoLabel_ = label("InfoLabel", miniGrandGroup_, layout);
    infoLabel_->setWordWrap(true);
    bootGroup_ = group("BootGroupBox", layout);
    bootLabel_ = label("BootLabel", bootGroup_, layout);
    memGroup_ = group("MemGroupBox", layout);
    memTypeLabel_ = label("MemTypeLabel", memGroup_, layout);
    memWriteLabel_ = label("MemWriteLabel", memGroup_, layout);
    switchGroup_ = group("SwitchGroupBox", layout);
    programModeLabel_ = label("ProgramModeLabel", switchGroup_, layout);
    bridgeModeLabel_ = label("BridgeModeLabel", switchGroup_, layout);
    userProgramLabel_ = label("UserProgramLabel", switchGroup_, layout);
    protocolGroup_ = group("ProtocolGroupBox", layout);
    for (std::size_t i = 0; i < protocolLabels_.size(); ++i) {
        const QByteArray name = QString("ProtocolLabel%1").arg(i + 1).toLatin1();
        protocolLabels_[i] = label(name.constData(), protocolGroup_, layout);
    }

    okBtn_ = new QPushButton(this);
    okBtn_->setObjectName("OkBtn");
    okBtn_->setDefault(true);
    connect(okBtn_, &QPushButton::clicked, this, &QDialog::accept);

    auto* left = new QVBoxLayout;
    for (QGroupBox* g : {typeGroup_, firmwareGroup_, miniGrandGroup_, bootGroup_})
        left->addWidget(g);
    left->addStretch();
    auto* right = new QVBoxLayout;
    for (QGroupBox* g : {memGroup_, switchGroup_, protocolGroup_}) right->addWidget(g);
    right->addStretch();
    auto* groups = new QHBoxLayout;
    groups->addLayout(left);
    groups->addLayout(right);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okBtn_);
    auto* main = new QVBoxLayout(this);
    main->addLayout(groups);
    main->addLayout(buttons);
    main->setSizeConstraint(QLayout::SetFixedSize);
    setMinimumWidth(460);
    SetLanguageTexts();
    ShowView({});
}

QGroupBox* TKyrInfoForm::group(const char* name, QLayout*& layout) {
    auto* box = new QGroupBox(this);
    box->setObjectName(name);
    layout = new QVBoxLayout(box);
    return box;
}

QLabel* TKyrInfoForm::label(const char* name, QGroupBox* group, QLayout* layout) {
    auto* l = new QLabel(group);
    l->setObjectName(name);
    l->setMinimumWidth(200);
    layout->addWidget(l);
    return l;
}

void TKyrInfoForm::SetLanguageTexts() {
    setWindowTitle(qtr(apptexts::KyrInfoTitle));
    typeGroup_->setTitle(qtr(infoGroupTitle(TInfoGroup::Type)));
    firmwareGroup_->setTitle(qtr(infoGroupTitle(TInfoGroup::FirmwareVersion)));
    bootGroup_->setTitle(qtr(infoGroupTitle(TInfoGroup::BootVersion)));
    memGroup_->setTitle(qtr(infoGroupTitle(TInfoGroup::AuxMemory)));
    switchGroup_->setTitle(qtr(infoGroupTitle(TInfoGroup::ConfigSwitch)));
    protocolGroup_->setTitle(qtr(infoGroupTitle(TInfoGroup::Protocols)));
    miniGrandGroup_->setTitle(qtr(apptexts::KyrInfoDescription));
    okBtn_->setText(qtr(apptexts::Ok));
    // The decoded texts are in the language too.
    ShowView(info_.View());
}

void TKyrInfoForm::Open() {
    info_.Open();
    ShowView(info_.View());
    errCntTimer_->start();
}

void TKyrInfoForm::ErrCntTimerTimer() { info_.ErrCntTimer(); }

void TKyrInfoForm::Refresh() {
    info_.Refresh();
    ShowView(info_.View());
}

void TKyrInfoForm::ShowView(const TKyrInfoView& view) {
    setText(typeLabel_, view.type);
    setText(firmwareVersionLabel_, view.firmwareVersion);
    setText(firmwareIdLabel_, view.identification);
    setText(infoLabel_, view.description);
    setText(bootLabel_, view.boot);
    setText(memTypeLabel_, view.memoryType);
    setText(memWriteLabel_, view.memoryWrite);
    setText(programModeLabel_, view.programMode);
    setText(bridgeModeLabel_, view.bridgeMode);
    setText(userProgramLabel_, view.userProgram);
    for (std::size_t i = 0; i < protocolLabels_.size(); ++i)
        setText(protocolLabels_[i], view.protocols[i]);
    setShown(firmwareIdLabel_, !view.identification.empty());
    setShown(bridgeModeLabel_, !view.bridgeMode.empty());
    for (std::size_t i = 0; i < protocolLabels_.size(); ++i)
        setShown(protocolLabels_[i], !view.protocols[i].empty());
    setShown(miniGrandGroup_, view.descriptionGroup);
    setShown(bootGroup_, view.bootGroup);
    setShown(memGroup_, view.memoryGroup);
    setShown(switchGroup_, view.switchGroup);
    setShown(protocolGroup_, view.protocolGroup);
}

void TKyrInfoForm::done(int result) {
    errCntTimer_->stop();
    kom_.ClosePort();
    QDialog::done(result);
}

}  // namespace kyr

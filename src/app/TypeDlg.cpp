#include "app/TypeDlg.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/AppTexts.h"
#include "model/TermTypes.h"
#include "qt/QtText.h"

namespace kyr {

TKyrTypeDlg::TKyrTypeDlg(QWidget* parent) : QDialog(parent) {
    setObjectName("KyrTypeDlg");
    kyrTypeRadioGroup_ = new QGroupBox(this);
    kyrTypeRadioGroup_->setObjectName("KyrTypeRadioGroup");
    buttons_ = new QButtonGroup(this);
    auto* radios = new QVBoxLayout(kyrTypeRadioGroup_);
    for (int type = 0; type < TermTypeCount; ++type) {
        auto* radio = new QRadioButton(qs(termTypeInfo(type)->modelLabel), kyrTypeRadioGroup_);
        radio->setObjectName(QString("KyrTypeRadio%1").arg(type));
        buttons_->addButton(radio, type);
        radios->addWidget(radio);
    }
    buttons_->button(0)->setChecked(true);
    connect(buttons_, &QButtonGroup::idClicked, this, [this] { okBtn_->setFocus(); });

    okBtn_ = new QPushButton(this);
    okBtn_->setObjectName("OkBtn");
    okBtn_->setDefault(true);
    cancelBtn_ = new QPushButton(this);
    cancelBtn_->setObjectName("CancelBtn");
    connect(okBtn_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelBtn_, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttonColumn = new QVBoxLayout;
    buttonColumn->addWidget(okBtn_);
    buttonColumn->addWidget(cancelBtn_);
    buttonColumn->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(kyrTypeRadioGroup_, 1);
    layout->addLayout(buttonColumn);
    SetLanguageTexts();
}

int TKyrTypeDlg::termType() const { return std::max(buttons_->checkedId(), 0); }

void TKyrTypeDlg::setTermType(int type) {
    if (auto* button = buttons_->button(type)) button->setChecked(true);
}

void TKyrTypeDlg::SetLanguageTexts() {
    setWindowTitle(qtr(apptexts::NewFileTitle));
    kyrTypeRadioGroup_->setTitle(qtr(apptexts::TerminalType));
    okBtn_->setText(qtr(apptexts::Ok));
    cancelBtn_->setText(qtr(apptexts::Cancel));
}

void TKyrTypeDlg::showEvent(QShowEvent* event) {
    SetLanguageTexts();
    QDialog::showEvent(event);
}

}  // namespace kyr

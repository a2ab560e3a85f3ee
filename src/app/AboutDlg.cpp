#include "app/AboutDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "app/AppTexts.h"
#include "model/Version.h"
#include "qt/QtText.h"

namespace kyr {

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName("AboutBox");
    auto* title = new QLabel("KYR2", this);
    title->setObjectName("ProgramNameLabel");
    QFont big = title->font();
    big.setPointSize(big.pointSize() * 2);
    big.setBold(true);
    title->setFont(big);
    productLabel_ = new QLabel(this);
    productLabel_->setObjectName("ProductLabel");
    productLabel_->setWordWrap(true);
    versionLabel_ = new QLabel(this);
    versionLabel_->setObjectName("VersionLabel");
    okBtn_ = new QPushButton(this);
    okBtn_->setObjectName("OkBtn");
    okBtn_->setDefault(true);
    connect(okBtn_, &QPushButton::clicked, this, &QDialog::accept);

    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(48, 48));
    auto* text = new QVBoxLayout;
    text->addWidget(title);
    text->addWidget(productLabel_);
    text->addWidget(versionLabel_);
    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addLayout(text, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okBtn_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(12);
    layout->addLayout(buttons);
    setMinimumWidth(360);
    SetLanguageTexts();
}

QString TAboutBox::versionText(int version) {
    return qs(FormatVersion(version));
}

void TAboutBox::SetLanguageTexts() {
    setWindowTitle(qtr(apptexts::AboutTitle));
    productLabel_->setText(qtr(apptexts::AboutProduct));
    versionLabel_->setText(qtr(apptexts::AboutVersion) + versionText(ProgramVersion));
    okBtn_->setText(qtr(apptexts::Ok));
}

}  // namespace kyr

#include "qt/QtDialog.h"

#include <QApplication>
#include <QInputDialog>
#include <QPushButton>

#include "model/Texts.h"
#include "qt/QtText.h"

namespace kyr {

namespace {

constexpr Text3 TextCancel{"Zrušit", "Abbrechen", "Cancel"};
constexpr Text3 TextYes{"&Ano", "&Ja", "&Yes"};
constexpr Text3 TextNo{"&Ne", "&Nein", "&No"};



void translateButtons(QMessageBox& box) {
    if (auto* b = box.button(QMessageBox::Cancel)) b->setText(qs(tr(TextCancel)));
    if (auto* b = box.button(QMessageBox::Yes)) b->setText(qs(tr(TextYes)));
    if (auto* b = box.button(QMessageBox::No)) b->setText(qs(tr(TextNo)));
}

QMessageBox::StandardButtons standardButtons(Buttons buttons) {
    switch (buttons) {
    case Buttons::Ok: return QMessageBox::Ok;
    case Buttons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case Buttons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

Answer answerFor(int button, Buttons buttons) {
    switch (button) {
    case QMessageBox::Ok: return Answer::Ok;
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: break;
    }
    // Closing the box by its frame or Escape: the most cautious answer it offers.
    return buttons == Buttons::YesNo ? Answer::No : Answer::Cancel;
}

}  // namespace

QtDialog::QtDialog() : previous_(setDialogs(this)) {}

QtDialog::~QtDialog() { setDialogs(previous_); }

void QtDialog::setParentWindow(QWidget* parent) { parent_ = parent; }

QMessageBox::Icon QtDialog::iconFor(MsgKind kind) {
    switch (kind) {
    case MsgKind::Error: return QMessageBox::Warning;  // the exclamation icon
    case MsgKind::Warning: return QMessageBox::Warning;
    case MsgKind::Information: return QMessageBox::Information;
    case MsgKind::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

std::unique_ptr<QMessageBox> QtDialog::makeBox(MsgKind kind, std::string_view title,
                                               std::string_view text, Buttons buttons) const {
    auto box = std::make_unique<QMessageBox>(iconFor(kind), qs(title), qs(text),
                                             standardButtons(buttons), parent_.data());
    box->setObjectName("MessageBox");
    box->setTextFormat(Qt::PlainText);
    translateButtons(*box);
    if (buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel)
        box->setDefaultButton(QMessageBox::Yes);
    if (buttons == Buttons::YesNoCancel || buttons == Buttons::OkCancel)
        box->setEscapeButton(QMessageBox::Cancel);
    else if (buttons == Buttons::YesNo)
        box->setEscapeButton(QMessageBox::No);
    return box;
}

void QtDialog::message(MsgKind kind, std::string_view title, std::string_view text) {
    makeBox(kind, title, text, Buttons::Ok)->exec();
}

Answer QtDialog::question(MsgKind kind, std::string_view title, std::string_view text,
                          Buttons buttons) {
    auto box = makeBox(kind, title, text, buttons);
    return answerFor(box->exec(), buttons);
}

std::optional<std::string> QtDialog::inputBox(std::string_view title, std::string_view prompt,
                                              std::string_view initial) {
    QInputDialog box(parent_.data());
    box.setObjectName("InputBox");
    box.setWindowTitle(qs(title));
    box.setLabelText(qs(prompt));
    box.setTextValue(qs(initial));
    box.setCancelButtonText(qs(tr(TextCancel)));
    if (box.exec() != QDialog::Accepted) return std::nullopt;
    return box.textValue().toStdString();
}

void QtDialog::beep() { QApplication::beep(); }

}  // namespace kyr

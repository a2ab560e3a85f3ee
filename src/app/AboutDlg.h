#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace kyr {

// The about box: program name, version and an OK button.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    void SetLanguageTexts();
    // "2.60" for version 260.
    static QString versionText(int version);

private:
    QLabel* productLabel_;
    QLabel* versionLabel_;
    QPushButton* okBtn_;
};

}  // namespace kyr

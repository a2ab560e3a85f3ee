#pragma once

#include <QDialog>

class QButtonGroup;
class QGroupBox;
class QPushButton;

namespace kyr {

// The "New File" dialog: the terminal type of a new project. It lives as long as the main
// window and keeps the last choice.
class TKyrTypeDlg : public QDialog {
    Q_OBJECT
public:
    explicit TKyrTypeDlg(QWidget* parent = nullptr);

    int termType() const;
    void setTermType(int type);
    void SetLanguageTexts();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QGroupBox* kyrTypeRadioGroup_;
    QButtonGroup* buttons_;
    QPushButton* okBtn_;
    QPushButton* cancelBtn_;
};

}  // namespace kyr

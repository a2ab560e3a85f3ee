#pragma once

#include <QDialog>

#include "qt/Settings.h"

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace kyr {

// The settings dialog: serial port and link kind, the HEX file's firmware format and EPROM
// size, and the program language.
class TSettingsDlg : public QDialog {
    Q_OBJECT
public:
    explicit TSettingsDlg(QWidget* parent = nullptr);

    // Shows `settings` in the controls, with `language` as the chosen language.
    void load(const Settings& settings, std::uint8_t language);
    // `settings` with the values of the controls: the five dialog keys and the device name.
    Settings apply(Settings settings) const;

    void SetLanguageTexts();

private:
    QGroupBox* commGroup_;
    QLabel* portLabel_;
    QComboBox* comPortComboBox_;
    QLabel* portNameLabel_;
    QComboBox* portNameComboBox_;
    QLabel* portNameHintLabel_;
    QRadioButton* binaryRadio_;
    QRadioButton* asciiRadio_;
    QGroupBox* hexGroup_;
    QLabel* hexVersionLabel_;
    QComboBox* hexVersionComboBox_;
    QLabel* epromSizeLabel_;
    QComboBox* epromSizeComboBox_;
    QGroupBox* languageGroup_;
    QButtonGroup* languageButtons_;
    QPushButton* okBtn_;
    QPushButton* cancelBtn_;
    int loadedComPort_ = 1;
};

}  // namespace kyr

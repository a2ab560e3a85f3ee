#include "app/SettingsDlg.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSerialPortInfo>
#include <QVBoxLayout>

#include "app/AppTexts.h"
#include "app/TerminalDlgTexts.h"
#include "qt/QtText.h"

namespace kyr {

namespace {

constexpr int ComPortCount = 12;
// The device choices besides a typed name: none (the serial port by number), the built-in
// simulated terminal, then the serial devices the system lists.
constexpr int PortNoneIndex = 0;
constexpr int PortSimIndex = 1;
constexpr auto SimDevice = "sim:";
constexpr const Text3* LanguageTexts[] = {&apptexts::LanguageCzech, &apptexts::LanguageGerman,
                                          &apptexts::LanguageEnglish};
constexpr const char* LanguageNames[] = {"CzechRadioButton", "GermanRadioButton",
                                         "EnglishRadioButton"};

template <typename W>
W* named(W* widget, const char* name) {
    widget->setObjectName(name);
    return widget;
}

}  // namespace

TSettingsDlg::TSettingsDlg(QWidget* parent) : QDialog(parent) {
    setObjectName("SettingsDlg");

    commGroup_ = named(new QGroupBox(this), "CommGroupBox");
    portLabel_ = named(new QLabel(commGroup_), "ComPortLabel");
    comPortComboBox_ = named(new QComboBox(commGroup_), "ComPortComboBox");
    for (int i = 1; i <= ComPortCount; ++i) comPortComboBox_->addItem(QString("COM%1:").arg(i));
    portLabel_->setBuddy(comPortComboBox_);
    portNameLabel_ = named(new QLabel(commGroup_), "PortNameLabel");
    portNameComboBox_ = named(new QComboBox(commGroup_), "PortNameComboBox");
    portNameComboBox_->setEditable(true);
    portNameComboBox_->setInsertPolicy(QComboBox::NoInsert);
    portNameComboBox_->addItem(QString(), QString());
    portNameComboBox_->addItem(SimDevice, SimDevice);
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        portNameComboBox_->addItem(info.systemLocation(), info.systemLocation());
    portNameLabel_->setBuddy(portNameComboBox_);
    portNameHintLabel_ = named(new QLabel(commGroup_), "PortNameHintLabel");
    portNameHintLabel_->setWordWrap(true);
    binaryRadio_ = named(new QRadioButton(commGroup_), "BinaryRadioButton");
    asciiRadio_ = named(new QRadioButton(commGroup_), "AsciiRadioButton");
    auto* commLayout = new QFormLayout(commGroup_);
    commLayout->addRow(portLabel_, comPortComboBox_);
    commLayout->addRow(portNameLabel_, portNameComboBox_);
    commLayout->addRow(portNameHintLabel_);
    commLayout->addRow(binaryRadio_);
    commLayout->addRow(asciiRadio_);

    hexGroup_ = named(new QGroupBox(this), "HexGroupBox");
    hexVersionLabel_ = named(new QLabel(hexGroup_), "HexVersionLabel");
    hexVersionComboBox_ = named(new QComboBox(hexGroup_), "HexVersionComboBox");
    hexVersionComboBox_->addItems({QString(), QString()});
    epromSizeLabel_ = named(new QLabel(hexGroup_), "EpromSizeLabel");
    epromSizeComboBox_ = named(new QComboBox(hexGroup_), "EpromSizeComboBox");
    epromSizeComboBox_->addItems({"64kB  (27C512)", "128kB (27C1001)"});
    hexVersionLabel_->setBuddy(hexVersionComboBox_);
    epromSizeLabel_->setBuddy(epromSizeComboBox_);
    auto* hexLayout = new QFormLayout(hexGroup_);
    hexLayout->addRow(hexVersionLabel_, hexVersionComboBox_);
    hexLayout->addRow(epromSizeLabel_, epromSizeComboBox_);

    languageGroup_ = named(new QGroupBox(this), "LanguageGroupBox");
    languageButtons_ = new QButtonGroup(this);
    auto* languageLayout = new QVBoxLayout(languageGroup_);
    for (int i = 0; i < 3; ++i) {
        auto* radio = named(new QRadioButton(languageGroup_), LanguageNames[i]);
        languageButtons_->addButton(radio, i);
        languageLayout->addWidget(radio);
    }

    okBtn_ = named(new QPushButton(this), "OkBtn");
    cancelBtn_ = named(new QPushButton(this), "CancelBtn");
    okBtn_->setDefault(true);
    connect(okBtn_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelBtn_, &QPushButton::clicked, this, &QDialog::reject);

    auto* right = new QVBoxLayout;
    right->addWidget(hexGroup_);
    right->addWidget(languageGroup_);
    auto* groups = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(commGroup_);
    left->addStretch();
    groups->addLayout(left);
    groups->addLayout(right);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okBtn_);
    buttons->addWidget(cancelBtn_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addLayout(buttons);
    SetLanguageTexts();
}

void TSettingsDlg::load(const Settings& s, std::uint8_t language) {
    loadedComPort_ = s.comPort;
    comPortComboBox_->setCurrentIndex(std::clamp(s.comPort, 1, ComPortCount) - 1);
    portNameComboBox_->setEditText(QString::fromStdString(s.portName));
    (s.ascii ? asciiRadio_ : binaryRadio_)->setChecked(true);
    hexVersionComboBox_->setCurrentIndex(std::clamp(s.hexVersion, 0, 1));
    epromSizeComboBox_->setCurrentIndex(std::clamp(s.epromSize, 0, 1));
    languageButtons_->button(std::min<int>(language, 2))->setChecked(true);
}

Settings TSettingsDlg::apply(Settings s) const {
    // A port beyond the list's range stays as it is until another one is chosen.
    const int index = comPortComboBox_->currentIndex();
    if (index != std::clamp(loadedComPort_, 1, ComPortCount) - 1) s.comPort = index + 1;
    s.portName = portNameComboBox_->currentText().trimmed().toStdString();
    s.ascii = asciiRadio_->isChecked();
    s.hexVersion = hexVersionComboBox_->currentIndex();
    s.epromSize = epromSizeComboBox_->currentIndex();
    s.language = static_cast<std::uint8_t>(std::max(languageButtons_->checkedId(), 0));
    return s;
}

void TSettingsDlg::SetLanguageTexts() {
    namespace t = apptexts;
    setWindowTitle(qtr(t::SettingsTitle));
    commGroup_->setTitle(qtr(t::CommunicationGroup));
    portLabel_->setText(qtr(t::SerialPort));
    portNameLabel_->setText(qtr(t::PortDevice));
    portNameComboBox_->setItemData(PortNoneIndex, qtr(t::PortBySerialNumber), Qt::ToolTipRole);
    portNameComboBox_->setItemData(PortSimIndex, qtr(t::PortSimulated), Qt::ToolTipRole);
    portNameHintLabel_->setText(qtr(t::PortDeviceHint));
    binaryRadio_->setText(qtr(t::BinaryLink));
    asciiRadio_->setText(qtr(t::AsciiLink));
    hexGroup_->setTitle(qtr(t::HexFileGroup));
    hexVersionLabel_->setText(qtr(t::HexForFirmware));
    hexVersionComboBox_->setItemText(0, qtr(t::Firmware217));
    hexVersionComboBox_->setItemText(1, qtr(t::Firmware218));
    epromSizeLabel_->setText(qtr(t::HexFileSize));
    languageGroup_->setTitle(qtr(t::LanguageGroup));
    for (int i = 0; i < 3; ++i) languageButtons_->button(i)->setText(qtr(*LanguageTexts[i]));
    okBtn_->setText(qtr(t::Ok));
    cancelBtn_->setText(qtr(t::Cancel));
}

}  // namespace kyr

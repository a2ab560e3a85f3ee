#include "app/SetupPage.h"

#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <string>

#include "model/DataClass.h"
#include "model/PlcFamilies.h"
#include "model/Protocols.h"
#include "model/TermTypes.h"
#include "model/Texts.h"
#include "model/UserDialog.h"

namespace kyr {

namespace {

namespace txt {
constexpr Text3 TerminalType{"Typ terminálu", "Terminaltyp", "Terminal Type"};
constexpr Text3 Options{"Volby", "Optionen", "Options"};
constexpr Text3 Protocol{"Komunikační protokol", "Kommunikationsprotokoll",
                         "Communication Protocol"};
constexpr Text3 BaudRate{"Přenosová rychlost", "Baudrate", "Baud Rate"};
constexpr Text3 LineFormat{"Parita, datové bity, stop bity", "Parität, Datenbits, Stoppbits",
                           "Parity, Data Bits, Stop Bits"};
constexpr Text3 Port{"Port", "Port", "Port"};
constexpr Text3 Terminal{"Terminál", "Terminal", "Terminal"};
constexpr Text3 Address{"Adresa", "Adresse", "Address"};
constexpr Text3 MaxAddress{"Max. adresa", "Max. Adresse", "Max Address"};
constexpr Text3 HitachiStation{"Použít stanici Hitachi", "Hitachi-Station verwenden",
                               "Use Hitachi Station"};
constexpr Text3 ModSerial{"Mod 750-65x", "Mod 750-65x", "Mod 750-65x"};
constexpr Text3 SystemLanguage{"Systémový jazyk:", "Systemsprache:", "System Language:"};
constexpr Text3 Languages[] = {{"Čeština", "Tschechisch", "Czech"},
                               {"Němčina", "Deutsch", "German"},
                               {"Angličtina", "Englisch", "English"}};
constexpr Text3 KeyboardBeep{"Pípání klávesnice", "Tastaturton", "Keyboard Beep"};
constexpr Text3 SwitchOff{"Vypnout při chybě", "Bei Fehler ausschalten", "Switch OFF at Error"};
constexpr Text3 SuppressStartup{"Potlačit úvodní obrazovku", "Startbild unterdrücken",
                                "Suppress Startup Screen"};
constexpr Text3 IoBoard{"Deska I/O", "E/A-Karte", "I/O Board"};
constexpr Text3 DigitalOutputs{"Digitální výstupy:", "Digitalausgänge:", "Digital Outputs:"};
constexpr Text3 None{"Žádná", "Keine", "None"};
constexpr Text3 ExdL{"Displej EXD-L", "EXD-L-Anzeige", "EXD-L Display"};
constexpr Text3 ExdS{"Displej EXD-S", "EXD-S-Anzeige", "EXD-S Display"};
constexpr Text3 A1S{"Mitsubishi A1S - jen speciální hardware KYR !",
                    "Mitsubishi A1S - nur spezielle KYR-Hardware !",
                    "Mitsubishi A1S - only special KYR hardware !"};
constexpr Text3 Default{"Výchozí", "Standard", "Default"};
constexpr Text3 DefaultsFor{"Výchozí komunikační parametry pro ",
                            "Standard-Kommunikationsparameter für ",
                            "Default communication parameters for "};
constexpr Text3 DefaultsAre{"jsou ", "sind ", "are "};
constexpr Text3 DefaultsUse{"  Chcete použít tyto parametry ?",
                            "  Wollen Sie diese Parameter verwenden ?",
                            "  Do you want to use these parameters ?"};
}  // namespace txt

constexpr int Family9 = 9;
constexpr int Family20 = 20;
constexpr int DigitalSignalsFamily = 21;
constexpr int DH485 = 12;
constexpr std::uint8_t OptionBit = 0x04;
constexpr int BoardNames = 5;

QString q(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QString boardName(int i) {
    return i == 0 ? q(kyr::tr(txt::None)) : QStringLiteral("IOB-%1").arg(i);
}

// Replaces a list's texts and keeps its position where it still exists.
void setItems(QComboBox* box, const QStringList& items) {
    const int index = box->currentIndex();
    const QSignalBlocker block(box);
    box->clear();
    box->addItems(items);
    box->setCurrentIndex(index < box->count() ? index : -1);
}

}  // namespace

TSetupPage::TSetupPage(QWidget* parent) : QWidget(parent) {
    setObjectName("SetupPage");
    buildControls();
    SetLanguageTexts();
}

void TSetupPage::buildControls() {
    auto make = [this](auto* w, const char* objectName) {
        w->setObjectName(QString::fromLatin1(objectName));
        return w;
    };
    kyrTypeTitle_ = make(new QLabel(this), "KyrTypeTitleLabel");
    kyrTypeLabel_ = make(new QLabel(this), "KyrTypeLabel");
    groupBox4_ = make(new QGroupBox(this), "GroupBox4");
    optionsGroup_ = make(new QGroupBox(this), "OptionsGroupBox");

    modeBox_ = make(new TModeComboBox(groupBox4_), "ModeComboBox");
    speedLabel_ = make(new QLabel(groupBox4_), "ComSpeedLabel");
    speedBox_ = make(new QComboBox(groupBox4_), "ComSpeedComboBox");
    paramsLabel_ = make(new QLabel(groupBox4_), "ComParamsLabel");
    paramsBox_ = make(new QComboBox(groupBox4_), "ComParamsComboBox");
    portLabel_ = make(new QLabel(groupBox4_), "ComPortLabel");
    portBox_ = make(new QComboBox(groupBox4_), "ComPortComboBox");
    slvAdrLabel1_ = make(new QLabel(groupBox4_), "SlvAdrLabel1");
    slvAdrLabel2_ = make(new QLabel(groupBox4_), "SlvAdrLabel2");
    slvAdr_ = make(new QSpinBox(groupBox4_), "SlvAdrSpinEdit");
    maxAdrLabel_ = make(new QLabel(groupBox4_), "MaxAdrLabel");
    maxAdr_ = make(new QSpinBox(groupBox4_), "MaxAdrSpinEdit");
    hitStNum_ = make(new QCheckBox(groupBox4_), "HitStNum");
    hitStLabel_ = make(new QLabel(groupBox4_), "HitStNumLabel");
    modSerInterf_ = make(new QCheckBox(groupBox4_), "ModSerInterf");
    defaultBtn_ = make(new QPushButton(groupBox4_), "DefaultBtn");
    a1sLabel_ = make(new QLabel(groupBox4_), "A1SLabel");
    maxAdr_->setRange(0, 31);
    slvAdr_->setRange(0, 255);

    auto* g = new QGridLayout(groupBox4_);
    g->addWidget(modeBox_, 0, 0, 1, 4);
    g->addWidget(a1sLabel_, 1, 0, 1, 4);
    g->addWidget(speedLabel_, 2, 0);
    g->addWidget(speedBox_, 2, 1);
    g->addWidget(paramsLabel_, 3, 0);
    g->addWidget(paramsBox_, 3, 1);
    g->addWidget(defaultBtn_, 2, 2, 2, 1);
    g->addWidget(portLabel_, 4, 0);
    g->addWidget(portBox_, 4, 1);
    g->addWidget(slvAdrLabel1_, 5, 0);
    g->addWidget(slvAdrLabel2_, 5, 1, Qt::AlignRight);
    g->addWidget(slvAdr_, 5, 2);
    g->addWidget(maxAdrLabel_, 6, 0);
    g->addWidget(maxAdr_, 6, 2);
    g->addWidget(hitStNum_, 7, 0);
    g->addWidget(hitStLabel_, 7, 1, Qt::AlignRight);
    g->addWidget(modSerInterf_, 8, 0);

    languageLabel_ = make(new QLabel(optionsGroup_), "LanguageLabel");
    languageBox_ = make(new QComboBox(optionsGroup_), "LanguageComboBox");
    kbBeep_ = make(new QCheckBox(optionsGroup_), "KbBeepCheckBox");
    clrAtError_ = make(new QCheckBox(optionsGroup_), "ClrOBAtErrorCheckBox");
    suppressStartup_ = make(new QCheckBox(optionsGroup_), "SuppressStartupScreenCheckBox");
    ioBoardLabel_ = make(new QLabel(optionsGroup_), "IOBrdLabel");
    ioBoardBox_ = make(new QComboBox(optionsGroup_), "IOBrdComboBox");
    exdL_ = make(new QCheckBox(optionsGroup_), "ExdLCheckBox");
    exdS_ = make(new QCheckBox(optionsGroup_), "ExdSCheckBox");
    auto* o = new QGridLayout(optionsGroup_);
    o->addWidget(languageLabel_, 0, 0);
    o->addWidget(languageBox_, 0, 1);
    o->addWidget(kbBeep_, 1, 0, 1, 2);
    o->addWidget(clrAtError_, 2, 0, 1, 2);
    o->addWidget(suppressStartup_, 3, 0, 1, 2);
    o->addWidget(ioBoardLabel_, 4, 0);
    o->addWidget(ioBoardBox_, 4, 1);
    o->addWidget(exdL_, 5, 0, 1, 2);
    o->addWidget(exdS_, 6, 0, 1, 2);

    auto* top = new QGridLayout(this);
    top->addWidget(kyrTypeTitle_, 0, 0);
    top->addWidget(kyrTypeLabel_, 0, 1);
    top->addWidget(groupBox4_, 1, 0, 1, 2);
    top->addWidget(optionsGroup_, 1, 2);
    top->setRowStretch(2, 1);
    top->setColumnStretch(3, 1);

    list1_ = make(new QListWidget(this), "ModeListBox1");
    list2_ = make(new QListWidget(this), "ModeListBox2");
    for (QListWidget* list : {list1_, list2_}) {
        list->hide();
        list->installEventFilter(this);
        list->viewport()->installEventFilter(this);
    }
    groupBox4_->installEventFilter(this);
    optionsGroup_->installEventFilter(this);

    fillFixedLists();

    connect(modeBox_, &TModeComboBox::dropDown, this, [this] { ModeComboBoxDropDown(); });
    connect(modeBox_, &QComboBox::activated, this, [this](int i) { ModeComboBoxChange(i); });
    connect(defaultBtn_, &QPushButton::clicked, this, [this] { DefaultBtnClick(); });
    connect(ioBoardBox_, &QComboBox::currentIndexChanged, this, [this] { IOBrdComboBoxChange(); });
    connect(exdL_, &QCheckBox::clicked, this, [this] { ExdLCheckBoxClick(); });
    connect(exdS_, &QCheckBox::clicked, this, [this] { ExdSCheckBoxClick(); });
    connect(hitStNum_, &QCheckBox::clicked, this, [this] { HitStNumClick(); });
    connect(modSerInterf_, &QCheckBox::clicked, this, [this] { ModSerInterfClick(); });
    for (QComboBox* box : {speedBox_, paramsBox_, portBox_, languageBox_})
        connect(box, &QComboBox::currentIndexChanged, this, [this] { FormDataChange(); });
    for (QSpinBox* spin : {slvAdr_, maxAdr_})
        connect(spin, &QSpinBox::valueChanged, this, [this] { FormDataChange(); });
    for (QCheckBox* box : {kbBeep_, clrAtError_, suppressStartup_})
        connect(box, &QCheckBox::toggled, this, [this] { FormDataChange(); });
}

void TSetupPage::fillFixedLists() {
    QStringList baud;
    for (std::string_view t : BaudTexts) baud << q(t);
    QStringList parity;
    for (std::string_view t : ParityTexts) parity << q(t);
    const QSignalBlocker b1(speedBox_);
    const QSignalBlocker b2(paramsBox_);
    speedBox_->addItems(baud);
    paramsBox_->addItems(parity);
}

void TSetupPage::setProject(TKyrData* project) {
    project_ = project;
    if (project_) VendorGroupCount = vendorGroupCount(project_->TermType()) - 1;
    GroupChoice.fill(0);
    adjustPortList();
}

int TSetupPage::protocolCode() const { return protocolCodeAt(modeBox_->currentIndex()); }
int TSetupPage::family() const { return project_ ? project_->PlcFamily() : 0; }

void TSetupPage::fillProtocolBox() {
    QStringList names;
    for (int i = 0; i < ProtocolListSize; ++i) names << q(protocolNameAt(i));
    setItems(modeBox_, names);
}

void TSetupPage::adjustPortList() {
    QStringList ports;
    for (const std::string& p : portList(project_ ? project_->TermType() : 0)) ports << q(p);
    setItems(portBox_, ports);
}

void TSetupPage::showA1SNotice() {
    a1sLabel_->setVisible(project_ && project_->Setup().Protocol() == A1SProtocol);
}

void TSetupPage::SetLanguageTexts() {
    kyrTypeTitle_->setText(q(kyr::tr(txt::TerminalType)) + ':');
    optionsGroup_->setTitle(q(kyr::tr(txt::Options)));
    groupBox4_->setTitle(q(kyr::tr(txt::Protocol)));
    speedLabel_->setText(q(kyr::tr(txt::BaudRate)));
    paramsLabel_->setText(q(kyr::tr(txt::LineFormat)));
    portLabel_->setText(q(kyr::tr(txt::Port)));
    slvAdrLabel1_->setText(q(kyr::tr(txt::Terminal)));
    slvAdrLabel2_->setText(q(kyr::tr(txt::Address)));
    maxAdrLabel_->setText(q(kyr::tr(txt::MaxAddress)));
    hitStNum_->setText(q(kyr::tr(txt::HitachiStation)));
    hitStLabel_->setText(q(kyr::tr(txt::Address)));
    modSerInterf_->setText(q(kyr::tr(txt::ModSerial)));
    languageLabel_->setText(q(kyr::tr(txt::SystemLanguage)));
    kbBeep_->setText(q(kyr::tr(txt::KeyboardBeep)));
    clrAtError_->setText(q(kyr::tr(txt::SwitchOff)));
    suppressStartup_->setText(q(kyr::tr(txt::SuppressStartup)));
    const bool grand = project_ && project_->TermType() == 3;
    ioBoardLabel_->setText(q(kyr::tr(grand ? txt::DigitalOutputs : txt::IoBoard)));
    exdL_->setText(q(kyr::tr(txt::ExdL)));
    exdS_->setText(q(kyr::tr(txt::ExdS)));
    a1sLabel_->setText(q(kyr::tr(txt::A1S)));
    defaultBtn_->setText(q(kyr::tr(txt::Default)));

    const bool filling = SetupFilling;
    SetupFilling = true;  // relabelling changes no setting
    fillProtocolBox();
    adjustPortList();
    QStringList languages;
    for (const Text3& t : txt::Languages) languages << q(kyr::tr(t));
    setItems(languageBox_, languages);
    QStringList boards;
    for (int i = 0; i < BoardNames; ++i) boards << boardName(i);
    setItems(ioBoardBox_, boards);
    SetupFilling = filling;
    if (project_) {
        if (languageBox_->currentIndex() < 0)
            languageBox_->setCurrentIndex(project_->Setup().SystemLanguage() % 3);
        if (ioBoardBox_->currentIndex() < 0) ioBoardBox_->setCurrentIndex(0);
    }
    hideVendorLists();
    showA1SNotice();
}

// ---- filling and storing ----

void TSetupPage::FillSetupPage() {
    if (!project_) return;
    const bool modified = project_->Modified();
    SetupFilling = true;
    const TSetup& setup = project_->Setup();
    const int type = project_->TermType();

    modeBox_->setCurrentIndex(protocolPositionOf(setup.Protocol()));
    showA1SNotice();
    adjustPortList();
    auto select = [](QComboBox* box, int index) {
        box->setCurrentIndex(index < box->count() ? index : -1);
    };
    select(speedBox_, setup.BaudIndex());
    select(paramsBox_, setup.ParityIndex());
    select(portBox_, setup.PortIndex());
    slvAdr_->setRange(0, 255);
    slvAdr_->setValue(setup.Address());
    select(languageBox_, setup.SystemLanguage());
    kbBeep_->setChecked(setup.HasFlag(TSetup::FlagKeyboardBeep));
    clrAtError_->setChecked(setup.HasFlag(TSetup::FlagSwitchOffAtError));
    suppressStartup_->setChecked(setup.HasFlag(TSetup::FlagSuppressStartup));

    select(ioBoardBox_, type == 2 ? 0 : setup.IoBoard());
    exdL_->setChecked(setup.ExtDisplay() == 1);
    exdS_->setChecked(setup.ExtDisplay() == 2);

    applyProtocolExtras();
    const TermTypeInfo* info = termTypeInfo(type);
    kyrTypeLabel_->setText(info ? q(info->modelLabel) : QString());
    const bool beepless = type == 2 || isLumType(type);
    if (beepless) kbBeep_->setChecked(false);
    kbBeep_->setEnabled(!beepless);
    applyOutputRules();
    applyShowRules();

    SetupFilling = false;
    project_->SetModified(modified);
}

void TSetupPage::applyShowRules() {
    const int type = project_->TermType();
    const bool protocol = family() != 0;
    defaultBtn_->setEnabled(protocol);
    // A loaded "3 Digital Signals 24V" project keeps its line boxes off, as choosing it does.
    const bool lineBoxes = family() != DigitalSignalsFamily;
    for (QWidget* w : std::initializer_list<QWidget*>{portBox_, speedBox_, paramsBox_})
        w->setEnabled(lineBoxes);
    if (!lineBoxes) defaultBtn_->setEnabled(false);
    applyAddressRules();
    ioBoardBox_->setEnabled(type == 0);
    ioBoardLabel_->setEnabled(type == 0);
    ioBoardBox_->setVisible(type != 3);
    ioBoardLabel_->setText(q(kyr::tr(type == 3 ? txt::DigitalOutputs : txt::IoBoard)));
    if (isLumQType(type)) {
        languageBox_->setCurrentIndex(LangEnglish);
        suppressStartup_->setChecked(true);
    }
    languageBox_->setEnabled(!isLumQType(type));
    suppressStartup_->setEnabled(!isLumQType(type));
}

void TSetupPage::StoreSetupPage() {
    if (!project_ || SetupFilling) return;
    TSetup& setup = project_->Setup();
    auto byte = [](int v) { return static_cast<std::uint8_t>(v); };  // no selection -> 255
    setup.SetProtocol(byte(protocolCode()));
    setup.SetBaudIndex(byte(speedBox_->currentIndex()));
    setup.SetParityIndex(byte(paramsBox_->currentIndex()));
    setup.SetPortIndex(byte(portBox_->currentIndex()));
    setup.SetAddress(byte(slvAdr_->value()));
    setup.SetLanguageEx(
        composeLanguageEx(setup.Protocol(), std::max(0, languageBox_->currentIndex()),
                          maxAdr_->value(), hitStNum_->isChecked(), modSerInterf_->isChecked()));
    std::uint8_t flags = 0;
    if (kbBeep_->isChecked()) flags |= TSetup::FlagKeyboardBeep;
    if (clrAtError_->isChecked()) flags |= TSetup::FlagSwitchOffAtError;
    if (suppressStartup_->isChecked()) flags |= TSetup::FlagSuppressStartup;
    setup.SetSetupFlags(flags);
    setup.SetIoBoard(project_->TermFamily() == 1 ? 2 : byte(ioBoardBox_->currentIndex()));
    setup.SetExtDisplay(exdL_->isChecked() ? 1 : exdS_->isChecked() ? 2 : 0);
}

// ---- rules ----

void TSetupPage::applyProtocolExtras() {
    const int code = protocolCode();
    const int fam = plcFamilyOf(code);
    const std::uint8_t languageEx = project_->Setup().LanguageEx();
    const bool dh485 = code == DH485;
    const bool station = !dh485 && fam == Family9;
    const bool serial = !dh485 && fam == Family20;
    maxAdrLabel_->setVisible(dh485);
    maxAdr_->setVisible(dh485);
    maxAdrLabel_->setEnabled(dh485);
    maxAdr_->setEnabled(dh485);
    if (dh485) maxAdr_->setValue(std::min(31, languageEx >> 2));
    hitStNum_->setVisible(station);
    hitStLabel_->setVisible(station);
    hitStNum_->setEnabled(station);
    hitStLabel_->setEnabled(station);
    if (station) hitStNum_->setChecked((languageEx & OptionBit) != 0);
    modSerInterf_->setVisible(serial);
    modSerInterf_->setEnabled(serial);
    if (serial) modSerInterf_->setChecked((languageEx & OptionBit) != 0);
}

void TSetupPage::applyAddressRules() {
    const AddressRule rule = terminalAddressRule(protocolCode());
    const int value = clampTerminalAddress(rule, slvAdr_->value());
    slvAdr_->setRange(0, rule.enabled ? rule.maximum : 255);
    slvAdr_->setValue(value);
    slvAdr_->setEnabled(rule.enabled);
    slvAdrLabel1_->setEnabled(rule.enabled);
    slvAdrLabel2_->setEnabled(rule.enabled);
    slvAdr_->setMaximumWidth(fontMetrics().horizontalAdvance(QString(rule.digits + 4, '0')) + 24);
}

void TSetupPage::applyOutputRules() {
    const OutputRules r = outputRules(family(), project_->TermType(), project_->Setup().IoBoard());
    if (!r.switchOffEnabled) clrAtError_->setChecked(false);
    clrAtError_->setEnabled(r.switchOffEnabled);
    if (r.exdCleared) {
        exdL_->setChecked(false);
        exdS_->setChecked(false);
    }
    exdL_->setEnabled(r.exdEnabled);
    exdS_->setEnabled(r.exdEnabled);
}

void TSetupPage::Defaults(bool buttonForm) {
    const int code = protocolCode();
    if (code == 0) {
        defaultBtn_->setEnabled(false);
        return;
    }
    defaultBtn_->setEnabled(true);
    const LineDefaults d = protocolLineDefaults(code);
    const bool lineBoxes = plcFamilyOf(code) != DigitalSignalsFamily;
    for (QWidget* w : std::initializer_list<QWidget*>{portBox_, speedBox_, paramsBox_, defaultBtn_})
        w->setEnabled(lineBoxes);
    if (!lineBoxes) return;
    if (!buttonForm && speedBox_->currentIndex() == d.baudIndex &&
        paramsBox_->currentIndex() == d.parityIndex)
        return;
    std::string text(kyr::tr(txt::DefaultsFor));
    text += modeBox_->currentText().toStdString();
    text += '\n';
    text += kyr::tr(txt::DefaultsAre);
    text += BaudTexts[d.baudIndex];
    text += ",  ";
    text += ParityTexts[d.parityIndex];
    text += '.';
    text += kyr::tr(txt::DefaultsUse);
    if (!askYesNo(MsgKind::Question, kyr::tr(texts::TitleKyr), text)) return;
    speedBox_->setCurrentIndex(d.baudIndex);
    paramsBox_->setCurrentIndex(d.parityIndex);
    if (project_) project_->SetModified();
}

void TSetupPage::ProtocolChange() {
    StoreSetupPage();
    showA1SNotice();
    emit protocolChanged();
    Defaults(false);
    applyAddressRules();
    applyProtocolExtras();
    applyOutputRules();
}

// ---- the protocol box and the vendor lists ----

void TSetupPage::ModeComboBoxChange(int index) {
    if (!project_) return;
    const int current = protocolPositionOf(project_->Setup().Protocol());
    const int selected = stepProtocolSelection(project_->TermType(), current, index);
    {
        const QSignalBlocker block(modeBox_);
        modeBox_->setCurrentIndex(selected);
    }
    FormDataChange();
    if (protocolCodeAt(selected) != project_->Setup().Protocol()) ProtocolChange();
}

void TSetupPage::ModeComboBoxDropDown() {
    if (!project_) return;
    list1_->clear();
    for (int g = 0; g <= VendorGroupCount; ++g) list1_->addItem(q(vendorGroupName(g)));
    const int group = vendorGroupOf(protocolPositionOf(project_->Setup().Protocol()));
    list1_->setCurrentRow(group >= 0 && group <= VendorGroupCount ? group : 0);
    const QRect box(modeBox_->mapTo(this, QPoint(0, 0)), modeBox_->size());
    const int rowHeight = std::max(1, list1_->sizeHintForRow(0));
    const int height = std::min(rowHeight * list1_->count() + 2 * list1_->frameWidth(),
                                std::max(rowHeight * 3, this->height() - box.bottom() - 1));
    list1_->setGeometry(box.left(), box.bottom() + 1, box.width(), height);
    list1_->show();
    list1_->raise();
    list1_->setFocus(Qt::PopupFocusReason);
}

void TSetupPage::openGroup(int group) {
    openGroup_ = group;
    list2_->clear();
    for (int position : vendorGroupPositions(group)) list2_->addItem(q(protocolNameAt(position)));
    const int remembered = GroupChoice[static_cast<std::size_t>(group)];
    list2_->setCurrentRow(remembered < list2_->count() ? remembered : 0);
    const QRect item = list1_->visualItemRect(list1_->item(group));
    const int rowHeight = std::max(1, list2_->sizeHintForRow(0));
    int width = list2_->sizeHintForColumn(0) + 2 * list2_->frameWidth() + 8;
    const int height = rowHeight * list2_->count() + 2 * list2_->frameWidth();
    int x = list1_->geometry().right() + 1;
    if (x + width > this->width()) x = std::max(0, this->width() - width);
    width = std::min(width, this->width());
    const int y = std::clamp(list1_->y() + item.top(), 0, std::max(0, this->height() - height));
    list2_->setGeometry(x, y, width, height);
    list2_->show();
    list2_->raise();
    list2_->setFocus(Qt::PopupFocusReason);
}

void TSetupPage::ModeListBox1KeyPress(int key) {
    if (key == Qt::Key_Escape) {
        modeBox_->setFocus(Qt::OtherFocusReason);
        list1_->hide();
        return;
    }
    const int group = list1_->currentRow();
    if (group < 0) return;
    if (group == 0)
        chooseProtocol(0, 0);
    else
        openGroup(group);
}

void TSetupPage::ModeListBox2KeyPress(int key) {
    if (key == Qt::Key_Escape) {
        list1_->setFocus(Qt::OtherFocusReason);
        list2_->hide();
        return;
    }
    if (list2_->currentRow() >= 0) chooseProtocol(openGroup_, list2_->currentRow());
}

void TSetupPage::chooseProtocol(int group, int index) {
    if (!project_) return;
    project_->SetModified();
    int code = 0;
    if (group > 0) {
        const auto positions = vendorGroupPositions(group);
        if (index < 0 || index >= static_cast<int>(positions.size())) return;
        code = protocolCodeAt(positions[static_cast<std::size_t>(index)]);
        GroupChoice[static_cast<std::size_t>(group)] = static_cast<std::uint8_t>(index);
        if (project_->TermType() == 1 && isMultiMasterCode(code)) {
            --code;
            GroupChoice[static_cast<std::size_t>(group)] =
                static_cast<std::uint8_t>(std::max(0, index - 1));
        }
    }
    {
        const QSignalBlocker block(modeBox_);
        modeBox_->setCurrentIndex(protocolPositionOf(code));
    }
    // The lists close before the change, whose question must not sit under them.
    modeBox_->setFocus(Qt::OtherFocusReason);
    hideVendorLists();
    ProtocolChange();
}

void TSetupPage::ModeListBox1Exit(QWidget* next) {
    if (next != list2_) list1_->hide();
}

void TSetupPage::ModeListBox2Exit(QWidget* next) {
    list2_->hide();
    if (next != list1_) list1_->hide();
}

void TSetupPage::hideVendorLists() {
    list2_->hide();
    list1_->hide();
}

void TSetupPage::GroupBox4MouseDown() {
    if (!list1_->isVisible() && !list2_->isVisible()) return;
    modeBox_->setFocus(Qt::OtherFocusReason);
    hideVendorLists();
}

void TSetupPage::mousePressEvent(QMouseEvent* event) {
    GroupBox4MouseDown();
    QWidget::mousePressEvent(event);
}

bool TSetupPage::eventFilter(QObject* watched, QEvent* event) {
    const bool isList1 = watched == list1_ || watched == list1_->viewport();
    const bool isList2 = watched == list2_ || watched == list2_->viewport();
    switch (event->type()) {
        case QEvent::KeyPress: {
            const int key = static_cast<QKeyEvent*>(event)->key();
            const bool handled =
                key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape;
            if (!handled || (!isList1 && !isList2)) break;
            if (isList1)
                ModeListBox1KeyPress(key);
            else
                ModeListBox2KeyPress(key);
            return true;
        }
        case QEvent::MouseButtonPress: {
            if (watched == groupBox4_ || watched == optionsGroup_) {
                GroupBox4MouseDown();
                break;
            }
            if (!isList1 && !isList2) break;
            auto* list = isList1 ? list1_ : list2_;
            auto* item = list->itemAt(static_cast<QMouseEvent*>(event)->position().toPoint());
            if (!item) return true;
            list->setCurrentItem(item);
            if (isList1)
                ModeListBox1KeyPress(Qt::Key_Return);
            else
                ModeListBox2KeyPress(Qt::Key_Return);
            return true;
        }
        case QEvent::FocusOut:
            if (watched == list1_) ModeListBox1Exit(QApplication::focusWidget());
            if (watched == list2_) ModeListBox2Exit(QApplication::focusWidget());
            break;
        default:
            break;
    }
    return QWidget::eventFilter(watched, event);
}

// ---- other controls ----

void TSetupPage::FormDataChange() {
    if (project_ && !SetupFilling) project_->SetModified();
}

void TSetupPage::DefaultBtnClick() { Defaults(true); }

void TSetupPage::IOBrdComboBoxChange() {
    if (!project_ || SetupFilling) return;
    project_->SetModified();
    StoreSetupPage();
    applyOutputRules();
    emit ioBoardChanged();
}

void TSetupPage::ExdLCheckBoxClick() {
    if (exdL_->isChecked()) exdS_->setChecked(false);
    FormDataChange();
}

void TSetupPage::ExdSCheckBoxClick() {
    if (exdS_->isChecked()) exdL_->setChecked(false);
    FormDataChange();
}

void TSetupPage::setOptionBit(bool on) {
    TSetup& setup = project_->Setup();
    const auto v = static_cast<std::uint8_t>(on ? setup.LanguageEx() | OptionBit
                                                : setup.LanguageEx() & ~OptionBit);
    setup.SetLanguageEx(v);
}

void TSetupPage::HitStNumClick() {
    if (!project_) return;
    project_->SetModified();
    if (family() == Family9) setOptionBit(hitStNum_->isChecked());
}

void TSetupPage::ModSerInterfClick() {
    if (!project_) return;
    project_->SetModified();
    if (family() == Family20) setOptionBit(modSerInterf_->isChecked());
}

}  // namespace kyr

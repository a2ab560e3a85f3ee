#pragma once

#include <QComboBox>
#include <QWidget>
#include <array>
#include <cstdint>

class QCheckBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace kyr {

class TKyrData;

// The protocol box: its own drop-down is replaced by the two vendor lists of the Setup page;
// the keyboard still steps through the entries.
class TModeComboBox : public QComboBox {
    Q_OBJECT

public:
    using QComboBox::QComboBox;
    void showPopup() override { emit dropDown(); }

signals:
    void dropDown();
};

// The "Setup" page of the project window: the ten setup bytes (protocol, serial line,
// address, system language, I/O board, external display, options). The page holds its own
// copy of the setup; StoreSetupPage brings the bytes up to date at each protocol change,
// I/O board change and before saving or transferring.
class TSetupPage : public QWidget {
    Q_OBJECT

public:
    explicit TSetupPage(QWidget* parent = nullptr);

    // The project of the window (not owned); sets the number of vendor groups offered.
    void setProject(TKyrData* project);

    // Model -> controls with the rules of a window being shown; the project's modified flag
    // is kept.
    void FillSetupPage();
    // Controls -> model; nothing while the page is being filled. Cannot fail.
    void StoreSetupPage();
    void SetLanguageTexts();

    bool SetupFilling = false;
    int VendorGroupCount = 15;  // groups offered, minus one
    std::array<std::uint8_t, 17> GroupChoice{};

signals:
    // The protocol changed: the project window retitles and refreshes its Comm Tables page
    // and enables its tabs exactly when the protocol is not "Character Terminal".
    void protocolChanged();
    // The I/O board changed (the Comm Tables lines depend on it).
    void ioBoardChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void buildControls();
    void fillProtocolBox();
    void fillFixedLists();
    void adjustPortList();
    void showA1SNotice();
    void applyProtocolExtras();
    void applyAddressRules();
    void applyOutputRules();
    void applyShowRules();
    void Defaults(bool buttonForm);
    void ProtocolChange();
    void chooseProtocol(int group, int index);

    void ModeComboBoxDropDown();
    void ModeComboBoxChange(int index);
    void openGroup(int group);
    void ModeListBox1KeyPress(int key);
    void ModeListBox2KeyPress(int key);
    void ModeListBox1Exit(QWidget* next);
    void ModeListBox2Exit(QWidget* next);
    void GroupBox4MouseDown();
    void hideVendorLists();
    void DefaultBtnClick();
    void IOBrdComboBoxChange();
    void ExdLCheckBoxClick();
    void ExdSCheckBoxClick();
    void HitStNumClick();
    void ModSerInterfClick();
    void FormDataChange();

    int protocolCode() const;
    int family() const;
    void setOptionBit(bool on);

    TKyrData* project_ = nullptr;
    int openGroup_ = -1;  // the group ModeListBox2 lists

    QLabel* kyrTypeLabel_ = nullptr;
    QLabel* kyrTypeTitle_ = nullptr;
    QGroupBox* groupBox4_ = nullptr;
    TModeComboBox* modeBox_ = nullptr;
    QListWidget* list1_ = nullptr;
    QListWidget* list2_ = nullptr;
    QLabel* speedLabel_ = nullptr;
    QComboBox* speedBox_ = nullptr;
    QLabel* paramsLabel_ = nullptr;
    QComboBox* paramsBox_ = nullptr;
    QLabel* portLabel_ = nullptr;
    QComboBox* portBox_ = nullptr;
    QLabel* slvAdrLabel1_ = nullptr;
    QLabel* slvAdrLabel2_ = nullptr;
    QSpinBox* slvAdr_ = nullptr;
    QLabel* maxAdrLabel_ = nullptr;
    QSpinBox* maxAdr_ = nullptr;
    QCheckBox* hitStNum_ = nullptr;
    QLabel* hitStLabel_ = nullptr;
    QCheckBox* modSerInterf_ = nullptr;
    QLabel* languageLabel_ = nullptr;
    QComboBox* languageBox_ = nullptr;
    QCheckBox* kbBeep_ = nullptr;
    QCheckBox* clrAtError_ = nullptr;
    QCheckBox* suppressStartup_ = nullptr;
    QLabel* ioBoardLabel_ = nullptr;
    QComboBox* ioBoardBox_ = nullptr;
    QCheckBox* exdL_ = nullptr;
    QCheckBox* exdS_ = nullptr;
    QLabel* a1sLabel_ = nullptr;
    QPushButton* defaultBtn_ = nullptr;
    QGroupBox* optionsGroup_ = nullptr;
};

}  // namespace kyr

#include "app/CommPage.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>

#include "model/AddressNotation.h"
#include "model/CommLines.h"
#include "model/DataClass.h"
#include "model/PlcTables.h"
#include "model/Texts.h"
#include "model/UserDialog.h"

namespace kyr {

namespace {

namespace txt {
constexpr Text3 Item{"Položka", "Eintrag", "Item"};
constexpr Text3 Length{"Délka", "Länge", "Length"};
constexpr Text3 System{"Systém", "System", "System"};
constexpr Text3 Space{"Oblast", "Bereich", "Space"};
constexpr Text3 Begin{"Začátek", "Anfang", "Begin"};
constexpr Text3 BadNumberEntry{"Chybně zadané číslo", "Falsche Zahleneingabe", "Bad number entry"};
}  // namespace txt

constexpr int Family7 = 7;
constexpr int UnusedSystem = 255;
constexpr int TerminalSystem = 254;
constexpr int ScrnLine = 1;
constexpr int BeepOnlyLines = 5;  // focus going to the Space list of lines 1..5 only beeps
constexpr int NoLengthLimit = 32767;

QString q(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
std::string s(const QString& text) { return text.toStdString(); }

QString name(const char* base, int line) {
    return QString::fromLatin1(base) + QString::number(line + 1);
}

}  // namespace

TCommPage::TCommPage(QWidget* parent) : QWidget(parent) {
    setObjectName("CommPage");
    auto* grid = new QGridLayout(this);
    itemTitle_ = new QLabel(this);
    lengthTitle_ = new QLabel(this);
    systemTitle_ = new QLabel(this);
    spaceTitle_ = new QLabel(this);
    beginTitle_ = new QLabel(this);
    itemTitle_->setObjectName("ItemTitleLabel");
    lengthTitle_->setObjectName("LengthTitleLabel");
    systemTitle_->setObjectName("SystemTitleLabel");
    spaceTitle_->setObjectName("SpaceTitleLabel");
    beginTitle_->setObjectName("BeginTitleLabel");
    systemTitle_->setAlignment(Qt::AlignCenter);
    grid->addWidget(itemTitle_, 0, 0);
    grid->addWidget(lengthTitle_, 0, 1);
    grid->addWidget(systemTitle_, 0, 2);
    grid->addWidget(spaceTitle_, 0, 3);
    grid->addWidget(beginTitle_, 0, 4);
    for (int line = 0; line < CommLineCount; ++line) buildLine(line, grid);
    grid->setRowStretch(CommLineCount + 1, 1);
    grid->setColumnStretch(5, 1);
    SetLanguageTexts();
}

void TCommPage::buildLine(int line, QGridLayout* grid) {
    Line& l = lines_[static_cast<std::size_t>(line)];
    l.check = new QCheckBox(this);
    l.length = new QLabel(this);
    l.system = new QLineEdit(this);
    l.space = new QComboBox(this);
    l.spaceS = new QLineEdit(this);
    l.begin = new QLineEdit(this);
    l.itemSel = new QLineEdit(this);
    l.check->setObjectName(name("TabCheckBox", line));
    l.length->setObjectName(name("LengthLabel", line));
    l.system->setObjectName(name("SystemEdit", line));
    l.space->setObjectName(name("SpaceComboBox", line));
    l.spaceS->setObjectName(name("SpaceSEdit", line));
    l.begin->setObjectName(name("BeginEdit", line));
    l.itemSel->setObjectName(name("ItemSelEdit", line));
    l.spaceS->setMaxLength(3);
    l.itemSel->setMaxLength(1);
    l.system->setMaximumWidth(48);
    l.spaceS->setMaximumWidth(40);
    l.itemSel->setMaximumWidth(24);
    l.length->setAlignment(Qt::AlignCenter);
    l.spaceS->hide();
    l.itemSel->hide();

    auto* spaceBox = new QHBoxLayout;
    spaceBox->addWidget(l.space, 1);
    spaceBox->addWidget(l.spaceS);
    auto* beginBox = new QHBoxLayout;
    beginBox->addWidget(l.begin, 1);
    beginBox->addWidget(l.itemSel);
    const int row = line + 1;
    grid->addWidget(l.check, row, 0);
    grid->addWidget(l.length, row, 1);
    grid->addWidget(l.system, row, 2);
    grid->addLayout(spaceBox, row, 3);
    grid->addLayout(beginBox, row, 4);

    for (QLineEdit* edit : {l.system, l.spaceS, l.begin, l.itemSel}) edit->installEventFilter(this);
    connect(l.check, &QCheckBox::toggled, this, [this, line] { TabCheckBoxClick(line); });
    connect(l.system, &QLineEdit::textChanged, this, [this] { FormDataChange(); });
    connect(l.space, &QComboBox::activated, this, [this, line] { SpaceComboBoxChange(line); });
    // Line 1's Begin reaches the model at the next store without marking the project first.
    if (line > 0) connect(l.begin, &QLineEdit::textChanged, this, [this] { FormDataChange(); });
}

void TCommPage::setProject(TKyrData* project) {
    project_ = project;
    ApplyTypeLayout();
}

void TCommPage::ApplyTypeLayout() {
    if (!project_) return;
    const int type = project_->TermType();
    for (int line = 0; line < CommLineCount; ++line) {
        Line& l = lines_[static_cast<std::size_t>(line)];
        l.check->setText(q(commLineLabel(type, line)));
        l.length->setText(q(commLineLength(type, line)));
        const bool visible = commLineVisible(type, line);
        for (QWidget* w :
             std::initializer_list<QWidget*>{l.check, l.length, l.system, l.space, l.begin})
            w->setVisible(visible);
        if (!visible) {
            l.spaceS->hide();
            l.itemSel->hide();
        }
    }
}

void TCommPage::SetLanguageTexts() {
    itemTitle_->setText(q(kyr::tr(txt::Item)));
    lengthTitle_->setText(q(kyr::tr(txt::Length)));
    spaceTitle_->setText(q(kyr::tr(txt::Space)));
    beginTitle_->setText(q(kyr::tr(txt::Begin)));
    UpdateSystemTitle();
}

void TCommPage::UpdateSystemTitle() {
    systemTitle_->setText(project_ ? q(project_->FamilyLongName()) : q(kyr::tr(txt::System)));
}

QWidget* TCommPage::projectWindow() {
    QWidget* w = this;
    while (w->parentWidget() && !w->parentWidget()->inherits("QMdiSubWindow"))
        w = w->parentWidget();
    return w;
}

int TCommPage::family() const { return project_ ? project_->PlcFamily() : -1; }
int TCommPage::ioBoard() const { return project_ ? project_->Setup().IoBoard() : 0; }
// The crosswise mapping is its own inverse.
int TCommPage::lineOfRow(int row) const { return commLineRow(ioBoard(), row); }

int TCommPage::spaceCodeOfLine(int line) const {
    const int index = lines_[static_cast<std::size_t>(line)].space->currentIndex();
    return std::max(0, spaceIndexToCode(family(), SpaceList::Word, std::max(0, index)));
}

bool TCommPage::systemEditEnabled(int line, int row) const {
    const Line& l = lines_[static_cast<std::size_t>(line)];
    const int code = project_->CommTable().Space(row) & SpaceCodeMask;
    return l.check->isChecked() && family() >= 2 && !project_->HasNoSystemNumbers() &&
           code < FirstTerminalSpace && commLineUsable(project_->TermType(), ioBoard(), line);
}

void TCommPage::RefreshCommLine(int row) {
    if (!project_ || row < 0 || row >= CommLineCount) return;
    const int line = lineOfRow(row);
    Line& l = lines_[static_cast<std::size_t>(line)];
    const auto systemByte = static_cast<std::uint8_t>(project_->CommTable().System(row));
    const bool wasFilling = CommFilling;
    CommFilling = true;
    l.check->setChecked(systemByte < UnusedSystem);
    CommFilling = wasFilling;
    l.system->setText(q(commSystemText(systemByte, project_->HasNoSystemNumbers())));
    l.system->setMaxLength(project_->SystemDigits());
    l.system->setEnabled(systemEditEnabled(line, row));
}

void TCommPage::fillBegin(int line, int row) {
    Line& l = lines_[static_cast<std::size_t>(line)];
    const TCommTable& table = project_->CommTable();
    const std::uint16_t begin = table.Begin(row);
    const std::uint8_t spaceByte = table.Space(row);
    const int position = l.space->currentIndex();
    const int code = spaceCodeOfLine(line);
    const bool visible = commLineVisible(project_->TermType(), line);
    if (family() == Family7 && family7HasFileNumber(position)) {
        const bool fileShown = row <= project_->LastCommRow() && visible;
        l.spaceS->setVisible(fileShown);
        l.spaceS->setEnabled(fileShown);
        l.begin->setText(QString::number(begin & 0xFF));
        l.spaceS->setText(q(family7FileNumberText(Family7, begin)));
        l.itemSel->setText(q(family7SelectorText(Family7, spaceByte)));
        const bool selector = family7HasSelector(position);
        l.itemSel->setVisible(selector && visible);
        l.itemSel->setEnabled(selector);
        l.begin->setMaxLength(selector ? 3 : NoLengthLimit);
        return;
    }
    l.spaceS->hide();
    l.itemSel->hide();
    l.begin->setMaxLength(NoLengthLimit);
    l.begin->setText(q(commBeginText(family(), code, begin)));
}

void TCommPage::applyUsability(int line) {
    Line& l = lines_[static_cast<std::size_t>(line)];
    if (commLineUsable(project_->TermType(), ioBoard(), line)) {
        for (QWidget* w :
             std::initializer_list<QWidget*>{l.check, l.space, l.begin, l.spaceS, l.itemSel})
            w->setEnabled(true);
        l.itemSel->setEnabled(l.itemSel->isVisibleTo(this));
        return;
    }
    l.check->setChecked(false);  // CommFilling is set: nothing is stored
    for (QWidget* w :
         std::initializer_list<QWidget*>{l.check, l.system, l.space, l.begin, l.spaceS, l.itemSel})
        w->setEnabled(false);
}

void TCommPage::FillCommPage() {
    if (!project_) return;
    const bool modified = project_->Modified();
    CommFilling = true;
    UpdateSystemTitle();
    const auto names = commSpaceList(family());
    for (int row = 0; row < CommLineCount; ++row) {
        RefreshCommLine(row);
        const int line = lineOfRow(row);
        QComboBox* space = lines_[static_cast<std::size_t>(line)].space;
        space->clear();
        for (std::string_view n : names) space->addItem(q(n));
        const int code = project_->CommTable().Space(row) & SpaceCodeMask;
        const int index = spaceCodeToIndex(family(), SpaceList::Word, code);
        space->setCurrentIndex(index >= 0 && index < space->count() ? index : 0);
        fillBegin(line, row);
    }
    for (int line = 0; line < CommLineCount; ++line) applyUsability(line);
    CommFilling = false;
    project_->SetModified(modified);
}

void TCommPage::StoreCommLine(int line) {
    if (!project_ || line < 0 || line >= CommLineCount) return;
    const int row = commLineRow(ioBoard(), line);
    const Line& l = lines_[static_cast<std::size_t>(line)];
    TCommTable& table = project_->CommTable();
    int system = l.check->isChecked() ? 0 : UnusedSystem;
    if ((table.Space(row) & SpaceCodeMask) >= FirstTerminalSpace && system < UnusedSystem)
        system = TerminalSystem;
    if (system < TerminalSystem && !project_->HasNoSystemNumbers()) {
        const auto v = decimalValue(s(l.system->text()));
        // An unchecked text never reaches the station markers 254 and 255.
        system = static_cast<int>(std::clamp<long long>(v.value_or(0), 0, TerminalSystem - 1));
    }
    table.SetSystem(row, static_cast<std::int8_t>(static_cast<std::uint8_t>(system)));
}

bool TCommPage::StoreCommPage() {
    if (!project_) return true;
    if (isVisible()) {
        QWidget* focused = window()->focusWidget();
        auto* edit = qobject_cast<QLineEdit*>(focused);
        QCheckBox* scrn = lines_[ScrnLine].check;
        if (edit && kindOf(edit, nullptr) != EditKind::None && !TabEditExit(edit, scrn))
            return false;
        checking_ = true;  // the entry was just checked
        scrn->setFocus(Qt::OtherFocusReason);
        checking_ = false;
    }
    TCommTable& table = project_->CommTable();
    for (int line = 0; line < CommLineCount; ++line) {
        const int row = commLineRow(ioBoard(), line);
        const Line& l = lines_[static_cast<std::size_t>(line)];
        int spaceByte = spaceCodeOfLine(line);
        const std::string beginText = s(l.begin->text());
        std::uint16_t begin = 0;
        if (family() == Family7 && spaceByte < FirstTerminalSpace) {
            const int selector = std::max(0, entryNumber(s(l.itemSel->text())));
            const int file = std::max(0, entryNumber(s(l.spaceS->text())));
            spaceByte += 64 * (selector & 0x03);
            begin = static_cast<std::uint16_t>((std::max(0, entryNumber(beginText)) + 256 * file) &
                                               0xFFFF);
        } else {
            begin = commBeginValue(family(), spaceByte, beginText);
        }
        table.SetSpace(row, static_cast<std::uint8_t>(spaceByte));
        table.SetBegin(row, begin);
        StoreCommLine(line);
    }
    return true;
}

TCommPage::EditKind TCommPage::kindOf(const QLineEdit* edit, int* line) const {
    for (int i = 0; i < CommLineCount; ++i) {
        const Line& l = lines_[static_cast<std::size_t>(i)];
        EditKind kind = EditKind::None;
        if (edit == l.system) kind = EditKind::System;
        if (edit == l.begin) kind = EditKind::Begin;
        if (edit == l.itemSel) kind = EditKind::ItemSel;
        if (edit == l.spaceS) kind = EditKind::SpaceS;
        if (kind == EditKind::None) continue;
        if (line) *line = i;
        return kind;
    }
    return EditKind::None;
}

bool TCommPage::TabEditExit(QLineEdit* edit, QWidget* next) {
    int line = 0;
    const EditKind kind = kindOf(edit, &line);
    if (kind == EditKind::None || !project_) return true;
    const std::string text = s(edit->text());
    bool ok = true;
    switch (kind) {
        case EditKind::System:
            ok = systemEntryValid(family(), text);
            break;
        case EditKind::Begin:
            ok = beginEntryValid(family(), spaceCodeOfLine(line), text);
            break;
        case EditKind::ItemSel:
            ok = selectorEntryValid(text);
            break;
        case EditKind::SpaceS:
            ok = fileNumberEntryValid(text);
            break;
        case EditKind::None:
            break;
    }
    if (ok) return true;
    checking_ = true;
    bool toSpaceList = false;
    for (int i = 0; i < BeepOnlyLines; ++i)
        toSpaceList = toSpaceList || (next && next == lines_[static_cast<std::size_t>(i)].space);
    if (toSpaceList)
        dialogs().beep();
    else
        showError(kyr::tr(txt::BadNumberEntry));
    edit->setFocus(Qt::OtherFocusReason);
    checking_ = false;
    return false;
}

bool TCommPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && !checking_) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // Only moves inside the project window are checked, not the window losing the focus
        // or another project window taking it.
        QWidget* next = QApplication::focusWidget();
        const bool inside = next && projectWindow()->isAncestorOf(next);
        if (inside && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            if (auto* edit = qobject_cast<QLineEdit*>(watched)) TabEditExit(edit, next);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TCommPage::FormDataChange() {
    if (project_ && !CommFilling) project_->SetModified();
}

void TCommPage::TabCheckBoxClick(int line) {
    if (!project_ || CommFilling) return;
    project_->SetModified();
    StoreCommLine(line);
    RefreshCommLine(commLineRow(ioBoard(), line));
}

void TCommPage::SpaceComboBoxChange(int line) {
    if (!project_ || CommFilling) return;
    project_->SetModified();
    Line& l = lines_[static_cast<std::size_t>(line)];
    if (family() == 6 && !beginEntryValid(6, spaceCodeOfLine(line), s(l.begin->text()))) {
        l.begin->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (!StoreCommPage()) return;
    FillCommPage();
    l.space->setFocus(Qt::OtherFocusReason);
    if (family() == Family7 && family7HasFileNumber(l.space->currentIndex()) &&
        l.spaceS->isEnabled())
        l.spaceS->setFocus(Qt::OtherFocusReason);
}

}  // namespace kyr

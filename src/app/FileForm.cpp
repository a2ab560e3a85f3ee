#include "app/FileForm.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>
#include <QStyle>
#include <QTabBar>
#include <QVBoxLayout>
#include <algorithm>
#include <charconv>

#include "app/AppTexts.h"
#include "app/CommPage.h"
#include "app/DragListBox.h"
#include "app/FileDlg.h"
#include "app/MainForm.h"
#include "app/ProjectClipboard.h"
#include "app/SetupPage.h"
#include "model/Charset.h"
#include "model/DataClass.h"
#include "model/UserDialog.h"
#include "qt/QtText.h"

namespace kyr {

int TKyrFileForm::NextScreenNumber = 0;
int TKyrFileForm::NextExdNumber = 0;
int TKyrFileForm::MaxScreenNumber = 999;

namespace {

namespace t = apptexts;

constexpr const Text3* TabTexts[] = {&t::TabScreens, &t::TabControlTable, &t::TabExdTables,
                                     &t::TabSetup};
constexpr const char* PageNames[] = {"ScreensPage", "CommTablesPage", "ExdTablesPage",
                                     "SetupTabPage"};

template <typename W>
W* named(W* widget, const char* name) {
    widget->setObjectName(name);
    return widget;
}

// A decimal integer, or -1 for anything else.
int parseNumber(const std::string& text) {
    std::string_view s(text);
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    int value = -1;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (s.empty() || error != std::errc() || end != s.data() + s.size()) return -1;
    return value;
}

QString screenLine(const TKyrScreen& screen) {
    const int number = screen.Number();
    QString line;
    if (number < 100) line += ' ';
    if (number < 10) line += ' ';
    return line + QString::asprintf("%3d", number) + "  " + qs(cp1250ToUtf8(screen.Comment()));
}

QString exdLine(const TExdTab& table) {
    return QString::asprintf("%3d", table.Number()) + "  " + qs(cp1250ToUtf8(table.Name()));
}

std::string itemQuestion(const Text3& prefix, const std::string& name, int number,
                         const Text3& suffix) {
    return std::string(kyr::tr(prefix)) + name + " [" + std::to_string(number) + "]" +
           std::string(kyr::tr(suffix));
}

bool askKyr(const std::string& text) {
    return askYesNo(MsgKind::Warning, kyr::tr(texts::TitleKyr), text);
}

void rebuildList(QListWidget* list, const QStringList& lines, int index, bool focus) {
    const int previous = list->currentRow();
    {
        const QSignalBlocker block(list);
        list->clear();
        list->addItems(lines);
    }
    if (index == -1) {
        if (previous >= 0 && previous < list->count())
            list->setCurrentRow(previous, QItemSelectionModel::NoUpdate);
        return;
    }
    if (list->count() == 0) return;
    list->setCurrentRow(std::clamp(index, 0, list->count() - 1),
                        QItemSelectionModel::ClearAndSelect);
    if (focus && list->isVisible()) list->setFocus();
}

}  // namespace

TKyrFileForm::TKyrFileForm(TMainMDIForm& mainForm, std::unique_ptr<TKyrData> project)
    : mainForm_(mainForm), project_(std::move(project)) {
    setObjectName("KyrFileForm");
    setAttribute(Qt::WA_DeleteOnClose, false);
    project_->SetFileForm(this);

    notebook_ = named(new QStackedWidget(this), "Notebook");
    for (const char* name : PageNames) notebook_->addWidget(named(new QWidget(notebook_), name));
    buildScreensPage(notebook_->widget(PageScreens));
    buildExdPage(notebook_->widget(PageExd));
    commPage_ = new TCommPage;
    setupPage_ = new TSetupPage;
    hostPage(notebook_->widget(PageComm), commPage_);
    hostPage(notebook_->widget(PageSetup), setupPage_);
    connect(setupPage_, &TSetupPage::protocolChanged, this, &TKyrFileForm::ProtocolChanged);
    connect(setupPage_, &TSetupPage::ioBoardChanged, this, [this] {
        commPage_->setProject(project_.get());
        commPage_->FillCommPage();
    });

    tabSet_ = named(new QTabBar(this), "TabSet");
    tabSet_->setShape(QTabBar::RoundedSouth);
    tabSet_->setExpanding(false);
    tabSet_->setDrawBase(false);
    for (const char* name : PageNames) tabSet_->addTab(QString::fromLatin1(name));
    connect(tabSet_, &QTabBar::currentChanged, this, [this](int tab) { TabSetChange(tab); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 0);
    layout->setSpacing(0);
    layout->addWidget(notebook_, 1);
    layout->addWidget(tabSet_);

    buildEditMenu();
    resize(460, 360);
    SetTitle();
}

TKyrFileForm::~TKyrFileForm() { project_->SetFileForm(nullptr); }

void TKyrFileForm::hostPage(QWidget* container, QWidget* page) {
    auto* layout = new QVBoxLayout(container);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(page);
}

void TKyrFileForm::ProtocolChanged() {
    SetTitle();
    commPage_->UpdateSystemTitle();
    commPage_->FillCommPage();
    tabSet_->setEnabled(project_->PlcFamily() != 0);
}

void TKyrFileForm::buildScreensPage(QWidget* page) {
    scrListBox_ = named(new TDragListBox(page), "ScrListBox");
    scrEditBtn_ = named(new QPushButton(page), "ScrEditBtn");
    funcListBtn_ = named(new QPushButton(page), "FuncListBtn");
    scrSortBtn_ = named(new QPushButton(page), "ScrSortBtn");
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {scrEditBtn_, funcListBtn_, scrSortBtn_}) buttons->addWidget(b);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(page);
    layout->addWidget(scrListBox_, 1);
    layout->addLayout(buttons);

    connect(scrEditBtn_, &QPushButton::clicked, this, &TKyrFileForm::ScrEditBtnClick);
    connect(funcListBtn_, &QPushButton::clicked, this, &TKyrFileForm::FuncListBtnClick);
    connect(scrSortBtn_, &QPushButton::clicked, this, &TKyrFileForm::ScrSortBtnClick);
    connect(scrListBox_, &QListWidget::itemActivated, this, [this] { ScrEditBtnClick(); });
    connect(scrListBox_, &TDragListBox::moveRequested, this, &TKyrFileForm::ScreenMoved);
}

void TKyrFileForm::buildExdPage(QWidget* page) {
    exdTabListBox_ = named(new TDragListBox(page), "ExdTabListBox");
    exdEditBtn_ = named(new QPushButton(page), "ExdEditBtn");
    exdDefaultBitBtn_ = named(new QPushButton(page), "ExdDefaultBitBtn");
    defaultExdTabTxtLabel_ = named(new QLabel(page), "DefaultExdTabTxtLabel");
    defaultExdTabLabel_ = named(new QLabel(page), "DefaultExdTabLabel");
    QFont bold = defaultExdTabLabel_->font();
    bold.setBold(true);
    defaultExdTabLabel_->setFont(bold);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(exdEditBtn_);
    buttons->addSpacing(12);
    buttons->addWidget(defaultExdTabTxtLabel_);
    buttons->addWidget(defaultExdTabLabel_);
    buttons->addWidget(exdDefaultBitBtn_);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(page);
    layout->addWidget(exdTabListBox_, 1);
    layout->addLayout(buttons);

    connect(exdEditBtn_, &QPushButton::clicked, this, &TKyrFileForm::ExdEditBtnClick);
    connect(exdDefaultBitBtn_, &QPushButton::clicked, this, &TKyrFileForm::ExdDefaultBitBtnClick);
    connect(exdTabListBox_, &QListWidget::itemActivated, this, [this] { ExdEditBtnClick(); });
    connect(exdTabListBox_, &QListWidget::currentRowChanged, this, [this] { RefreshDefaultExd(); });
    connect(exdTabListBox_, &QListWidget::itemClicked, this, [this] { RefreshDefaultExd(); });
    connect(exdTabListBox_, &TDragListBox::moveRequested, this, &TKyrFileForm::ExdMoved);
}

void TKyrFileForm::buildEditMenu() {
    editMenu_ = named(new QMenu(this), "EditMenu");
    auto make = [this](const char* name, const char* shortcut, bool inMenu) {
        auto* a = new QAction(this);
        a->setObjectName(name);
        if (*shortcut) a->setShortcut(QKeySequence(QString::fromLatin1(shortcut)));
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(a);
        if (inMenu) editMenu_->addAction(a);
        return a;
    };
    cutItem_ = make("CutItem", "Ctrl+X", true);
    copyItem_ = make("CopyItem", "Ctrl+C", true);
    pasteItem_ = make("PasteItem", "Ctrl+V", true);
    QAction* cutX = make("CutX", "Shift+Del", false);
    QAction* copyX = make("CopyX", "Ctrl+Ins", false);
    QAction* pasteX = make("PasteX", "Shift+Ins", false);
    editMenu_->addSeparator();
    insertScreen_ = make("InsertScreen", "", true);
    deleteScreen_ = make("DeleteScreen", "", true);
    insertExd_ = make("InsertExd", "", true);
    deleteExd_ = make("DeleteExd", "", true);

    for (auto [action, cmd] : {std::pair{cutItem_, Cmd::Cut}, {cutX, Cmd::Cut},
                               {copyItem_, Cmd::Copy}, {copyX, Cmd::Copy},
                               {pasteItem_, Cmd::Paste}, {pasteX, Cmd::Paste},
                               {insertScreen_, Cmd::InsertScreen},
                               {deleteScreen_, Cmd::DeleteScreen}, {insertExd_, Cmd::InsertExd},
                               {deleteExd_, Cmd::DeleteExd}})
        connect(action, &QAction::triggered, this, [this, cmd = cmd] { runCommand(cmd); });
}

void TKyrFileForm::SetLanguageTexts() {
    editMenu_->setTitle(qtr(t::EditMenu));
    const std::pair<QAction*, std::pair<const Text3*, const Text3*>> items[] = {
        {cutItem_, {&t::Cut, &t::CutHint}},
        {copyItem_, {&t::Copy, &t::CopyHint}},
        {pasteItem_, {&t::Paste, &t::PasteHint}},
        {insertScreen_, {&t::InsertScreen, &t::InsertScreenHint}},
        {deleteScreen_, {&t::DeleteScreen, &t::DeleteScreenHint}},
        {insertExd_, {&t::InsertExd, &t::InsertExdHint}},
        {deleteExd_, {&t::DeleteExd, &t::DeleteExdHint}},
    };
    for (const auto& [action, text] : items) {
        action->setText(qtr(*text.first));
        const HintParts hint = splitHint(kyr::tr(*text.second));
        action->setToolTip(hint.shortHint);
        action->setStatusTip(hint.longHint);
    }
    for (int i = 0; i < 4; ++i) tabSet_->setTabText(i, qtr(*TabTexts[i]));
    scrEditBtn_->setText(qtr(t::EditButton));
    funcListBtn_->setText(qtr(t::FunctionsButton));
    scrSortBtn_->setText(qtr(t::SortButton));
    exdEditBtn_->setText(qtr(t::EditButton));
    defaultExdTabTxtLabel_->setText(qtr(t::DefaultExdTable));
    commPage_->SetLanguageTexts();
    setupPage_->SetLanguageTexts();
    RefreshDefaultExd();
}

void TKyrFileForm::SetTitle() { setWindowTitle(qs(project_->DisplayName())); }

std::optional<ProjectSummary> TKyrFileForm::projectSummary() const {
    return ProjectSummary{project_->IsModified(), project_->Origin(), project_->TermFamily()};
}

int TKyrFileForm::pageIndex() const { return notebook_->currentIndex(); }

void TKyrFileForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (shown_) return;
    shown_ = true;
    SetTitle();
    RefreshScreenList(0);
    RefreshExdList(0);
    commPage_->setProject(project_.get());
    setupPage_->setProject(project_.get());
    commPage_->FillCommPage();
    setupPage_->FillSetupPage();
    SetLanguageTexts();
    if (project_->TermType() == 2) project_->Setup().SetDefaultExd(-1);
    const bool tabs = project_->PlcFamily() != 0;
    tabSet_->setEnabled(tabs);
    if (tabs) {
        tabSet_->setCurrentIndex(PageComm);
        tabSet_->setCurrentIndex(PageScreens);
    } else {
        const QSignalBlocker block(tabSet_);
        tabSet_->setCurrentIndex(PageSetup);
        notebook_->setCurrentIndex(PageSetup);
    }
}

bool TKyrFileForm::TabSetChange(int tab) {
    const bool allowed = (project_->PlcFamily() != 0 || tab == PageSetup) &&
                         !(notebook_->currentIndex() == PageComm && isVisible() && !commPage_->StoreCommPage());
    if (allowed) {
        notebook_->setCurrentIndex(tab);
    } else {
        if (project_->PlcFamily() == 0) notebook_->setCurrentIndex(PageSetup);
        const QSignalBlocker block(tabSet_);
        tabSet_->setCurrentIndex(notebook_->currentIndex());
    }
    // A refused entry on the Comm Tables page is replaced by the stored value.
    if (notebook_->currentIndex() == PageComm) commPage_->FillCommPage();
    return allowed;
}

bool TKyrFileForm::StoreAll() {
    if (!commPage_->StoreCommPage()) return false;
    setupPage_->StoreSetupPage();
    return true;
}

void TKyrFileForm::RefreshScreenList(int index) {
    QStringList lines;
    for (const auto& screen : project_->Screens()) lines << screenLine(*screen);
    rebuildList(scrListBox_, lines, index, true);
}

void TKyrFileForm::RefreshExdList(int index) {
    QStringList lines;
    for (const auto& table : project_->ExdTables()) lines << exdLine(*table);
    rebuildList(exdTabListBox_, lines, index, false);
    RefreshDefaultExd();
}

void TKyrFileForm::RefreshDefaultExd() {
    const int defaultExd = project_->Setup().DefaultExd();
    defaultExdTabLabel_->setText(project_->IndexOfExdTable(defaultExd) >= 0 && defaultExd >= 0
                                     ? QString::number(defaultExd)
                                     : QString());
    const bool any = project_->ExdCount() > 0;
    for (QWidget* w : {static_cast<QWidget*>(defaultExdTabTxtLabel_),
                       static_cast<QWidget*>(defaultExdTabLabel_),
                       static_cast<QWidget*>(exdDefaultBitBtn_)})
        w->setVisible(any);
    if (!any) return;
    const int row = currentRow(exdTabListBox_);
    const bool isDefault = row >= 0 && project_->ExdTable(row).Number() == defaultExd;
    exdDefaultBitBtn_->setText(qtr(isDefault ? t::ClearButton : t::SetButton));
    exdDefaultBitBtn_->setIcon(
        style()->standardIcon(isDefault ? QStyle::SP_DialogDiscardButton : QStyle::SP_DialogApplyButton));
}

void TKyrFileForm::ExdDefaultBitBtnClick() {
    const int row = currentRow(exdTabListBox_);
    if (row < 0) return;
    const int number = project_->ExdTable(row).Number();
    project_->Setup().SetDefaultExd(
        static_cast<std::int8_t>(project_->Setup().DefaultExd() == number ? -1 : number));
    project_->SetModified();
    RefreshDefaultExd();
}

int TKyrFileForm::currentRow(const TDragListBox* list) const {
    const int row = list->currentRow();
    return row >= 0 && row < list->count() ? row : -1;
}

QList<int> TKyrFileForm::selectedRows(const TDragListBox* list) const {
    QList<int> rows;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->isSelected()) rows << i;
    return rows;
}

bool TKyrFileForm::AskNumber(int& number, bool exd, bool showNumber) {
    const int limit = exd ? MaxExdNumber : MaxScreenNumber;
    auto used = [&](int n) {
        return exd ? project_->IndexOfExdTable(n) >= 0 : project_->IndexOfScreen(n) >= 0;
    };
    int candidate = number >= 0 && number <= limit ? number : 0;
    int attempts = 0;
    while (used(candidate)) {
        candidate = candidate >= limit ? 0 : candidate + 1;
        if (++attempts > limit) return false;
    }
    std::string title(kyr::tr(exd ? t::NewExdTitle : t::NewScreenTitle));
    if (showNumber) title += " (" + std::to_string(number) + ")";

    std::string proposal = std::to_string(candidate);
    const Text3* prompt = &t::EnterNumber;
    for (;;) {
        const auto answer = dialogs().inputBox(title, kyr::tr(*prompt), proposal);
        if (!answer) return false;
        proposal = *answer;
        const int value = parseNumber(*answer);
        if (value < 0 || value > limit) {
            prompt = &t::BadNumber;
        } else if (used(value)) {
            prompt = &t::NumberUsed;
        } else {
            number = value;
            return true;
        }
    }
}

void TKyrFileForm::CloseChildWindows() {
    // The multi-screen view and the function list are the windows this one owns; none of
    // them is open while they do not exist.
}

void TKyrFileForm::InsertScreenClick() {
    if (!AskNumber(NextScreenNumber, false, false)) return;
    CloseChildWindows();
    const int row = currentRow(scrListBox_);
    const int count = project_->ScreenCount();
    const int position = row < 0 ? 0 : row == count - 1 ? count : row;
    project_->AddScreen(NextScreenNumber, position);
    RefreshScreenList(position);
}

void TKyrFileForm::InsertExdClick() {
    if (!AskNumber(NextExdNumber, true, false)) return;
    const int row = currentRow(exdTabListBox_);
    const int count = project_->ExdCount();
    const int position = row < 0 ? 0 : row == count - 1 ? count : row;
    project_->AddExdTable(static_cast<std::uint8_t>(NextExdNumber), position);
    RefreshExdList(position);
}

void TKyrFileForm::DeleteScreenClick() {
    const QList<int> rows = selectedRows(scrListBox_);
    if (rows.isEmpty()) {
        dialogs().beep();
        return;
    }
    const std::string name = project_->DisplayName();
    if (rows.size() == 1) {
        const TKyrScreen& screen = project_->Screen(rows.front());
        const std::string question =
            screen.Modified()
                ? itemQuestion(t::ScreenModifiedPrefix, name, screen.Number(), t::ScreenModifiedSuffix)
                : itemQuestion(t::DeleteScreenPrefix, name, screen.Number(), t::DeleteItemSuffix);
        if (!askKyr(question)) return;
    } else if (!askKyr(std::string(kyr::tr(t::DeleteMarkedScreens)))) {
        return;
    }
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) project_->DeleteScreen(*it);
    CloseChildWindows();
    project_->SetModified();
    RefreshScreenList(rows.front());
}

void TKyrFileForm::DeleteExdClick() {
    const QList<int> rows = selectedRows(exdTabListBox_);
    if (rows.isEmpty()) {
        dialogs().beep();
        return;
    }
    const std::string name = project_->DisplayName();
    const std::string question =
        rows.size() == 1 ? itemQuestion(t::DeleteExdPrefix, name, project_->ExdTable(rows.front()).Number(),
                                        t::DeleteItemSuffix)
                         : std::string(kyr::tr(t::DeleteMarkedExd));
    if (!askKyr(question)) return;
    for (auto it = rows.rbegin(); it != rows.rend(); ++it) project_->DeleteExdTable(*it);
    project_->SetModified();
    RefreshExdList(rows.front());
}

void TKyrFileForm::ScrSortBtnClick() {
    CloseChildWindows();
    project_->SortScreens();
    project_->SetModified();
    RefreshScreenList(0);
}

void TKyrFileForm::ScrEditBtnClick() {
    // The screens are edited in the multi-screen view; without it there is nothing to open.
    dialogs().beep();
}

void TKyrFileForm::FuncListBtnClick() { dialogs().beep(); }

void TKyrFileForm::ExdEditBtnClick() {
    // The EXD table editor opens on the current table; without one there is nothing to edit.
    dialogs().beep();
}

void TKyrFileForm::ScreenMoved(int from, int to) {
    if (!project_->MoveScreen(from, to)) return;
    CloseChildWindows();
    project_->SetModified();
    RefreshScreenList(to);
}

void TKyrFileForm::ExdMoved(int from, int to) {
    if (!project_->MoveExdTable(from, to)) return;
    project_->SetModified();
    RefreshExdList(to);
}

EditState TKyrFileForm::UpdateMenus() {
    const int page = notebook_->currentIndex();
    const bool screens = page == PageScreens;
    const bool exd = page == PageExd;
    insertScreen_->setEnabled(screens);
    deleteScreen_->setEnabled(screens);
    insertScreen_->setShortcut(screens ? QKeySequence(Qt::Key_Insert) : QKeySequence());
    deleteScreen_->setShortcut(screens ? QKeySequence(Qt::Key_Delete) : QKeySequence());
    insertExd_->setEnabled(exd);
    deleteExd_->setEnabled(exd);
    insertExd_->setShortcut(exd ? QKeySequence(Qt::Key_Insert) : QKeySequence());
    deleteExd_->setShortcut(exd ? QKeySequence(Qt::Key_Delete) : QKeySequence());

    scrEditBtn_->setEnabled(scrListBox_->count() > 0);
    funcListBtn_->setEnabled(scrListBox_->count() > 0);
    scrSortBtn_->setEnabled(scrListBox_->count() > 1);
    exdEditBtn_->setEnabled(exdTabListBox_->count() > 0);

    EditState state;
    const TDragListBox* list = screens ? scrListBox_ : exd ? exdTabListBox_ : nullptr;
    if (list) {
        state.cut = state.copy = !list->selectedItems().isEmpty();
        state.paste = clipboardHasText();
    }
    cutItem_->setEnabled(state.cut);
    copyItem_->setEnabled(state.copy);
    pasteItem_->setEnabled(state.paste);
    return state;
}

void TKyrFileForm::runCommand(Cmd cmd) {
    const int page = notebook_->currentIndex();
    switch (cmd) {
    case Cmd::Cut: CutClick(); break;
    case Cmd::Copy: CopyClick(); break;
    case Cmd::Paste: PasteClick(); break;
    case Cmd::InsertScreen:
        if (page == PageScreens) InsertScreenClick();
        break;
    case Cmd::DeleteScreen:
        if (page == PageScreens) DeleteScreenClick();
        break;
    case Cmd::InsertExd:
        if (page == PageExd) InsertExdClick();
        break;
    case Cmd::DeleteExd:
        if (page == PageExd) DeleteExdClick();
        break;
    default: break;
    }
}

void TKyrFileForm::CopyClick() {
    const int page = notebook_->currentIndex();
    if (page != PageScreens && page != PageExd) return;
    const QList<int> rows = selectedRows(page == PageScreens ? scrListBox_ : exdTabListBox_);
    if (rows.isEmpty()) return;
    std::string text;
    for (int row : rows) {
        if (page == PageScreens) project_->Screen(row).WriteBlock(text);
        else project_->ExdTable(row).WriteSection(text);
    }
    putProjectText(text);
}

void TKyrFileForm::CutClick() {
    const int page = notebook_->currentIndex();
    if (page != PageScreens && page != PageExd) return;
    CopyClick();
    if (page == PageScreens) DeleteScreenClick();
    else DeleteExdClick();
}

void TKyrFileForm::PasteClick() {
    const int page = notebook_->currentIndex();
    if (page != PageScreens && page != PageExd) return;
    std::string text = takeProjectText();
    if (text.empty()) return;
    if (page == PageScreens) pasteScreens(text);
    else pasteExdTables(std::move(text));
}

namespace {

// The start of the next line after `from` that begins with "[", npos when none does.
std::size_t nextBlock(const std::string& text, std::size_t from) {
    for (std::size_t i = text.find('[', from + 1); i != std::string::npos; i = text.find('[', i + 1))
        if (text[i - 1] == '\r' || text[i - 1] == '\n') return i;
    return std::string::npos;
}

}  // namespace

void TKyrFileForm::pasteScreens(const std::string& text) {
    int position = currentRow(scrListBox_);
    bool pasted = false;
    for (std::size_t point = 0; point != std::string::npos; point = nextBlock(text, point)) {
        const std::size_t end = nextBlock(text, point);
        auto screen = TKyrScreen::ReadBlock(
            *project_, std::string_view(text).substr(point, end == std::string::npos ? end : end - point),
            ProgramVersion);
        if (!screen || screen->Error()) {
            dialogs().beep();
            break;
        }
        if (project_->IndexOfScreen(screen->Number()) >= 0) {
            int number = screen->Number();
            if (!AskNumber(number, false, true)) break;
            screen->SetNumber(number);
        }
        project_->AppendScreen(std::move(screen));
        if (project_->ScreenCount() > position + 1)
            project_->MoveScreen(project_->ScreenCount() - 1, position + 1);
        ++position;
        pasted = true;
    }
    if (!pasted) return;
    CloseChildWindows();
    project_->SetModified();
    RefreshScreenList(position);
}

void TKyrFileForm::pasteExdTables(std::string text) {
    int position = currentRow(exdTabListBox_);
    for (std::size_t point = 0; point != std::string::npos; point = nextBlock(text, point)) {
        // A table's block ends at the next "[" wherever it stands, so a name holding "[" is
        // cut there.
        const std::size_t cut = text.find('[', point + 1);
        const std::string_view block =
            std::string_view(text).substr(point, cut == std::string::npos ? cut : cut - point);
        auto table = TExdTab::ReadSection(*project_, block);
        if (!table || table->Error()) {
            dialogs().beep();
            break;
        }
        if (project_->IndexOfExdTable(table->Number()) >= 0) {
            int number = table->Number();
            if (!AskNumber(number, true, true)) break;
            table->SetNumber(static_cast<std::uint8_t>(number));
        }
        project_->AppendExdTable(std::move(table));
        if (project_->ExdCount() > position + 1)
            project_->MoveExdTable(project_->ExdCount() - 1, position + 1);
        ++position;
        project_->SetModified();
        RefreshExdList(position);
    }
}

bool TKyrFileForm::SaveAs() { return saveAs("*.kyr"); }

bool TKyrFileForm::SaveAsHex() { return saveAs("*.hex"); }

bool TKyrFileForm::saveAs(const QString& mask) {
    TFileInfoDlg& dlg = mainForm_.fileDlg();
    dlg.setMode(TFileInfoDlg::Mode::SaveProject);
    dlg.setMask(mask);
    const bool hasFile = project_->Origin() == TKyrData::OriginFile;
    const QFileInfo file(qs(project_->FileName()));
    dlg.setDirectory(hasFile ? file.absolutePath() : QDir::currentPath());
    QString proposal;
    if (hasFile) proposal = mask == "*.hex" ? file.completeBaseName() + ".hex" : file.fileName();
    dlg.setFileName(proposal);
    dlg.setDescription(qs(cp1250ToUtf8(project_->Description())));
    const bool accepted = dlg.exec() == QDialog::Accepted;
    dlg.setMask("*.kyr");
    if (!accepted) return false;

    const QString name = dlg.fullFileName();
    const QString suffix = QFileInfo(name).suffix().toUpper();
    if (suffix == "KYR") {
        if (!project_->SaveToFile(us(name), utf8ToCp1250(dlg.description()))) return false;
        mainForm_.AddRecentFile(us(name));
        SetTitle();
        return true;
    }
    if (suffix == "HEX") return mainForm_.WriteHexFile(*project_, name);
    return false;
}

bool TKyrFileForm::FormCloseQuery() {
    if (!project_->IsModified()) return true;
    const std::string question = std::string(kyr::tr(t::ClosePrefix)) + project_->DisplayName() +
                                 std::string(kyr::tr(t::CloseSuffix));
    switch (dialogs().question(MsgKind::Question, kyr::tr(texts::TitleKyr), question,
                               Buttons::YesNoCancel)) {
    case Answer::Yes:
        if (project_->Origin() == TKyrData::OriginFile) project_->SaveToFile("", "");
        else SaveAs();
        return true;
    case Answer::No: project_->ClearModified(); return true;
    default: return false;
    }
}

void TKyrFileForm::closeEvent(QCloseEvent* event) {
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    CloseChildWindows();
    event->accept();
}

}  // namespace kyr

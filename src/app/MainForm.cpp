#include "app/MainForm.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QCloseEvent>
#include <QApplication>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "app/AboutDlg.h"
#include "app/AppTexts.h"
#include "app/FileDlg.h"
#include "app/FileForm.h"
#include "app/MdiChild.h"
#include "app/SettingsDlg.h"
#include "app/TerminalCommands.h"
#include "app/ToolIcons.h"
#include "app/TypeDlg.h"
#include "image/EpromHexFile.h"
#include "model/DataClass.h"
#include "model/UserDialog.h"
#include "qt/QtText.h"

namespace kyr {

namespace {

constexpr int BlikInterval = 500;

std::size_t idx(Cmd cmd) { return static_cast<std::size_t>(cmd); }
std::size_t idx(MenuId id) { return static_cast<std::size_t>(id); }

// Recent-file items show the name after "&", the number and a blank; an "&" in the name is
// doubled so that it is shown and not taken for a mnemonic.
QString recentItemText(int number, const std::string& fileName) {
    return QString("&%1 ").arg(number) + qs(fileName).replace("&", "&&");
}

}  // namespace

TMainMDIForm::TMainMDIForm(SettingsFile iniFile, Settings settings, ProgramOptions options,
                           QWidget* parent)
    : QMainWindow(parent),
      iniFile_(std::move(iniFile)),
      settings_(std::move(settings)),
      options_(std::move(options)),
      recentFiles_(settings_.recentFiles) {
    setObjectName("MainMDIForm");
    mdiArea_ = new QMdiArea(this);
    mdiArea_->setObjectName("MdiArea");
    mdiArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdiArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdiArea_);
    statusBar()->setObjectName("StatusLine");

    createActions();
    createMenus();
    createToolBar();
    connectActions();
    RebuildRecentMenu();

    // The long-lived dialogs, in the order the program has always created them.
    aboutBox_ = new TAboutBox(this);
    settingsDlg_ = new TSettingsDlg(this);
    typeDlg_ = new TKyrTypeDlg(this);
    fileDlg_ = new TFileInfoDlg(this);
    terminal_ = std::make_unique<TTerminalCommands>(*this);
    terminal_->SetLinkSettings(settings_);
    TKyrFileForm::MaxScreenNumber = options_.systemMode ? 3000 : 999;

    blikTimer_ = new QTimer(this);
    blikTimer_->setObjectName("BlikTimer");
    blikTimer_->setInterval(BlikInterval);
    connect(blikTimer_, &QTimer::timeout, this, &TMainMDIForm::BlikTimerTimer);
    blikTimer_->start();

    connections_ << connect(mdiArea_, &QMdiArea::subWindowActivated, this, [this] { updateEditMenu(); });
    if (auto* dispatcher = QAbstractEventDispatcher::instance())
        connections_ << connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this,
                                &TMainMDIForm::AppIdle);

    resize(900, 640);
    SetLanguageTexts();
    AppIdle();
}

TMainMDIForm::~TMainMDIForm() {
    // The child windows go after this body has run; nothing may call back into it then.
    for (const QMetaObject::Connection& c : connections_) disconnect(c);
}

void TMainMDIForm::createActions() {
    for (const CommandDef& def : commandTable()) {
        auto* a = new QAction(this);
        a->setObjectName(def.objectName);
        if (*def.shortcut) a->setShortcut(QKeySequence(QString::fromLatin1(def.shortcut)));
        if (def.buttonName) a->setIcon(toolIcon(def.cmd));
        actions_[idx(def.cmd)] = a;
    }
    // The language test has no menu entry of its own; its shortcut works everywhere.
    action(Cmd::TestLanguage)->setShortcutContext(Qt::ApplicationShortcut);
    addAction(action(Cmd::TestLanguage));
}

void TMainMDIForm::createMenus() {
    for (const MenuDef& def : menuTable()) {
        auto* menu = new QMenu(this);
        menu->setObjectName(def.objectName);
        menus_[idx(def.id)] = menu;
    }
    fileMenu_ = menus_[idx(MenuId::File)];
    auto add = [this](MenuId menu, Cmd cmd) { menus_[idx(menu)]->addAction(action(cmd)); };
    add(MenuId::File, Cmd::FileNew);
    add(MenuId::File, Cmd::FileOpen);
    add(MenuId::File, Cmd::FileClose);
    fileMenu_->addSeparator();
    add(MenuId::File, Cmd::FileSave);
    add(MenuId::File, Cmd::FileSaveAs);
    add(MenuId::File, Cmd::FileHex);
    fileMenu_->addSeparator();
    add(MenuId::File, Cmd::FilePrint);
    fileMenu_->addSeparator();
    add(MenuId::File, Cmd::FirmwareM);
    add(MenuId::File, Cmd::FirmwareLum);
    recentSeparator_ = fileMenu_->addSeparator();
    exitSeparator_ = fileMenu_->addSeparator();
    add(MenuId::File, Cmd::FileExit);
    for (Cmd cmd : {Cmd::KyrInfo, Cmd::KyrClock}) add(MenuId::Kyr, cmd);
    menus_[idx(MenuId::Kyr)]->addSeparator();
    for (Cmd cmd : {Cmd::KyrUpload, Cmd::KyrVerify, Cmd::KyrDownload}) add(MenuId::Kyr, cmd);
    for (Cmd cmd : {Cmd::WindowCascade, Cmd::WindowTile, Cmd::WindowArrange, Cmd::WindowMinimize})
        add(MenuId::Window, cmd);

    QMenuBar* bar = menuBar();
    bar->setObjectName("MainMenu");
    bar->addMenu(fileMenu_);
    bar->addAction(action(Cmd::Settings));
    bar->addMenu(menus_[idx(MenuId::Kyr)]);
    bar->addMenu(menus_[idx(MenuId::Window)]);
    bar->addAction(action(Cmd::About));
}

void TMainMDIForm::createToolBar() {
    toolBar_ = addToolBar(QString());
    toolBar_->setObjectName("SpeedBar");
    toolBar_->setMovable(false);
    toolBar_->setIconSize(QSize(24, 24));
    for (Cmd cmd : toolBarOrder()) {
        QAction* a = action(cmd);
        toolBar_->addAction(a);
        if (QWidget* button = toolBar_->widgetForAction(a))
            button->setObjectName(commandDef(cmd).buttonName);
        if (cmd == Cmd::FileExit || cmd == Cmd::DeleteExd || cmd == Cmd::InsertBAR)
            toolBar_->addSeparator();
    }
}

void TMainMDIForm::connectActions() {
    const std::pair<Cmd, void (TMainMDIForm::*)()> handlers[] = {
        {Cmd::FileNew, &TMainMDIForm::FileNewItemClick},
        {Cmd::FileOpen, &TMainMDIForm::FileOpenItemClick},
        {Cmd::FileClose, &TMainMDIForm::FileCloseItemClick},
        {Cmd::FileSave, &TMainMDIForm::FileSaveItemClick},
        {Cmd::FileSaveAs, &TMainMDIForm::FileSaveAsItemClick},
        {Cmd::FileHex, &TMainMDIForm::FileHexItemClick},
        {Cmd::FileExit, &TMainMDIForm::FileExitItemClick},
        {Cmd::Settings, &TMainMDIForm::SettingsItemClick},
        {Cmd::WindowCascade, &TMainMDIForm::WindowCascadeItemClick},
        {Cmd::WindowTile, &TMainMDIForm::WindowTileItemClick},
        {Cmd::WindowArrange, &TMainMDIForm::WindowArrangeItemClick},
        {Cmd::WindowMinimize, &TMainMDIForm::WindowMinimizeItemClick},
        {Cmd::About, &TMainMDIForm::AboutItemClick},
        {Cmd::TestLanguage, &TMainMDIForm::TestLanguageItemClick},
    };
    for (const auto& [cmd, handler] : handlers) connect(action(cmd), &QAction::triggered, this, handler);
    const std::pair<Cmd, void (TTerminalCommands::*)()> terminalHandlers[] = {
        {Cmd::KyrInfo, &TTerminalCommands::KyrInfoItemClick},
        {Cmd::KyrClock, &TTerminalCommands::KyrClockItemClick},
        {Cmd::KyrUpload, &TTerminalCommands::KyrUploadItemClick},
        {Cmd::KyrVerify, &TTerminalCommands::KyrVerifyItemClick},
        {Cmd::KyrDownload, &TTerminalCommands::KyrDownloadItemClick},
        {Cmd::FirmwareM, &TTerminalCommands::FirmwareMItemClick},
        {Cmd::FirmwareLum, &TTerminalCommands::FirmwareLumItemClick},
    };
    for (const auto& [cmd, handler] : terminalHandlers)
        connect(action(cmd), &QAction::triggered, this,
                [this, handler] { (terminal_.get()->*handler)(); });
    for (Cmd cmd : {Cmd::Cut, Cmd::Copy, Cmd::Paste, Cmd::InsertScreen, Cmd::DeleteScreen,
                    Cmd::InsertExd, Cmd::DeleteExd, Cmd::InsertMNUM, Cmd::InsertMSTR,
                    Cmd::InsertSSTR, Cmd::InsertBUTT, Cmd::InsertBAR})
        connect(action(cmd), &QAction::triggered, this, [this, cmd] { runOnActiveChild(cmd); });
}

void TMainMDIForm::SetLanguageTexts() {
    QString title = qtr(apptexts::AppTitle);
    if (options_.systemMode) title += qtr(apptexts::SystemSuffix);
    setWindowTitle(title);
    toolBar_->setWindowTitle(title);

    for (const MenuDef& def : menuTable()) {
        QMenu* menu = menus_[idx(def.id)];
        menu->setTitle(qtr(*def.text));
        menu->menuAction()->setStatusTip(splitHint(kyr::tr(*def.hint)).longHint);
    }
    for (const CommandDef& def : commandTable()) {
        QAction* a = action(def.cmd);
        const HintParts hint = def.hint ? splitHint(kyr::tr(*def.hint)) : HintParts{};
        a->setText(def.menu == MenuId::None ? hint.shortHint : qtr(*def.text));
        a->setToolTip(hint.shortHint);
        a->setStatusTip(hint.longHint);
    }
    RebuildRecentMenu();

    aboutBox_->SetLanguageTexts();
    settingsDlg_->SetLanguageTexts();
    typeDlg_->SetLanguageTexts();
    fileDlg_->SetLanguageTexts();
    terminal_->SetLanguageTexts();
    for (QMdiSubWindow* sub : mdiArea_->subWindowList())
        if (auto* child = dynamic_cast<MdiChild*>(sub->widget())) child->SetLanguageTexts();
    updateEditMenu();
}

void TMainMDIForm::AddRecentFile(const std::string& fileName) {
    recentFiles_.add(fileName);
    RebuildRecentMenu();
}

void TMainMDIForm::RebuildRecentMenu() {
    for (QAction* a : recentActions_) {
        fileMenu_->removeAction(a);
        a->setObjectName(QString());
        a->deleteLater();  // the item may be the one whose click runs this
    }
    recentActions_.clear();
    recentSeparator_->setVisible(!recentFiles_.empty());
    const HintParts hint = splitHint(kyr::tr(apptexts::RecentFileHint));
    int number = 1;
    for (const std::string& name : recentFiles_.files()) {
        auto* a = new QAction(recentItemText(number, name), fileMenu_);
        a->setObjectName(QString("RecentFile%1").arg(number++));
        a->setStatusTip(hint.longHint);
        a->setData(qs(name));
        connect(a, &QAction::triggered, this, [this, a] { RecentFileClick(a->data().toString()); });
        fileMenu_->insertAction(exitSeparator_, a);
        recentActions_.push_back(a);
    }
}

void TMainMDIForm::RecentFileClick(const QString& fileName) { OpenProjectFile(fileName); }

MdiChild* TMainMDIForm::activeChild() const {
    QMdiSubWindow* sub = mdiArea_->activeSubWindow();
    return sub ? dynamic_cast<MdiChild*>(sub->widget()) : nullptr;
}

TKyrFileForm* TMainMDIForm::activeProjectWindow() const {
    QMdiSubWindow* sub = mdiArea_->activeSubWindow();
    return sub ? qobject_cast<TKyrFileForm*>(sub->widget()) : nullptr;
}

QList<TKyrFileForm*> TMainMDIForm::projectWindows() const {
    QList<TKyrFileForm*> windows;
    for (QMdiSubWindow* sub : mdiArea_->subWindowList())
        if (auto* form = qobject_cast<TKyrFileForm*>(sub->widget())) windows << form;
    return windows;
}

int TMainMDIForm::projectWindowCount() const { return static_cast<int>(projectWindows().size()); }

bool TMainMDIForm::CheckWindowLimit() {
    if (projectWindowCount() < MaxProjectWindows) return true;
    dialogs().message(MsgKind::Warning, kyr::tr(texts::TitleKyr), kyr::tr(apptexts::TooManyOpenFiles));
    return false;
}

QMdiSubWindow* TMainMDIForm::addChildWindow(QWidget* child) {
    QMdiSubWindow* sub = mdiArea_->addSubWindow(child);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    child->show();
    mdiArea_->setActiveSubWindow(sub);
    return sub;
}

CommandContext TMainMDIForm::commandContext() {
    CommandContext c;
    c.childCount = static_cast<int>(mdiArea_->subWindowList().size());
    c.systemMode = options_.systemMode;
    c.canCreateProjects = true;
    c.terminalLink = true;
    if (MdiChild* child = activeChild()) {
        c.active = child->childKind();
        c.projectPage = child->pageIndex();
        c.project = child->projectSummary();
        c.edit = child->UpdateMenus();
    }
    return c;
}

void TMainMDIForm::AppIdle() {
    terminal_->IdlePass();
    const CommandStates states = commandStates(commandContext());
    for (std::size_t i = 0; i < CmdCount; ++i) {
        QAction* a = actions_[i];
        if (a->isEnabled() != states[i].enabled) a->setEnabled(states[i].enabled);
        if (a->isVisible() != states[i].visible) a->setVisible(states[i].visible);
    }
}

void TMainMDIForm::runOnActiveChild(Cmd cmd) {
    if (MdiChild* child = activeChild()) child->runCommand(cmd);
}

void TMainMDIForm::updateEditMenu() {
    QMenu* wanted = nullptr;
    if (MdiChild* child = activeChild()) wanted = child->editMenu();
    if (wanted == mergedEditMenu_) return;
    if (mergedEditMenu_) menuBar()->removeAction(mergedEditMenu_->menuAction());
    mergedEditMenu_ = wanted;
    if (wanted) menuBar()->insertMenu(action(Cmd::Settings), wanted);
}

TKyrFileForm* TMainMDIForm::activeProjectOrMessage() {
    if (TKyrFileForm* form = activeProjectWindow()) return form;
    dialogs().message(MsgKind::Warning, kyr::tr(texts::TitleKyr), kyr::tr(apptexts::NoKyrDataSelected));
    return nullptr;
}

TKyrFileForm* TMainMDIForm::CreateProjectWindow(std::unique_ptr<TKyrData> project) {
    auto* form = new TKyrFileForm(*this, std::move(project));
    addChildWindow(form);
    return form;
}

void TMainMDIForm::FileNewItemClick() {
    if (!CheckWindowLimit()) return;
    typeDlg_->SetLanguageTexts();
    if (typeDlg_->exec() != QDialog::Accepted) return;
    const auto type = static_cast<std::uint8_t>(typeDlg_->termType());
    CreateProjectWindow(TKyrData::NewProject(untitledCount_++, type));
}

void TMainMDIForm::FileOpenItemClick() {
    if (!CheckWindowLimit()) return;
    fileDlg_->setMode(TFileInfoDlg::Mode::OpenProject);
    fileDlg_->setMask("*.kyr");
    fileDlg_->setRecentFiles(recentFiles_.files());
    fileDlg_->setFileName("*.kyr");
    if (fileDlg_->exec() != QDialog::Accepted) return;
    OpenProjectFile(fileDlg_->fullFileName());
}

TKyrFileForm* TMainMDIForm::OpenProjectFile(const QString& fileName) {
    if (!CheckWindowLimit()) return nullptr;
    const QString path = QFileInfo(fileName).absoluteFilePath();
    if (!QFileInfo(path).isFile()) {
        dialogs().message(MsgKind::Warning, kyr::tr(texts::TitleKyr), kyr::tr(apptexts::FileNotFound));
        return nullptr;
    }
    for (TKyrFileForm* form : projectWindows()) {
        TKyrData& open = form->project();
        if (open.Origin() != TKyrData::OriginFile || !RecentFiles::sameFile(open.FileName(), us(path)))
            continue;
        if (open.IsModified())
            dialogs().message(MsgKind::Information, kyr::tr(texts::TitleKyr),
                              std::string(kyr::tr(apptexts::FileAlreadyOpenPrefix)) +
                                  open.DisplayName() +
                                  std::string(kyr::tr(apptexts::FileAlreadyOpenSuffix)));
        for (QMdiSubWindow* sub : mdiArea_->subWindowList())
            if (sub->widget() == form) {
                if (sub->isMinimized()) sub->showNormal();
                mdiArea_->setActiveSubWindow(sub);
            }
        return form;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::unique_ptr<TKyrData> project = TKyrData::FromFile(us(path));
    QApplication::restoreOverrideCursor();
    if (project->LoadFailed()) return nullptr;
    AddRecentFile(us(path));
    return CreateProjectWindow(std::move(project));
}

bool TMainMDIForm::WriteHexFile(TKyrData& project, const QString& fileName) {
    EpromSettings eprom;
    eprom.size = settings_.epromSize == 0 ? EpromSize::Kb64 : EpromSize::Kb128;
    eprom.format = settings_.hexVersion == 0 ? 217 : 218;
    eprom.systemMode = options_.systemMode;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const HexFileStatus status = kyr::WriteHexFile(project, us(fileName), eprom);
    QApplication::restoreOverrideCursor();
    return status == HexFileStatus::Written || status == HexFileStatus::Incomplete;
}

void TMainMDIForm::openCommandLineFiles() {
    for (const QString& name : options_.files) {
        const QFileInfo info(name);
        if (info.isFile() && info.suffix().toUpper() == "KYR") OpenProjectFile(name);
    }
}

void TMainMDIForm::FileCloseItemClick() {
    if (QMdiSubWindow* sub = mdiArea_->activeSubWindow()) sub->close();
}

void TMainMDIForm::FileSaveItemClick() {
    TKyrFileForm* form = activeProjectOrMessage();
    if (!form) return;
    if (form->project().Origin() != TKyrData::OriginFile) form->SaveAs();
    else form->project().SaveToFile("", "");
}

void TMainMDIForm::FileSaveAsItemClick() {
    if (TKyrFileForm* form = activeProjectOrMessage()) form->SaveAs();
}

void TMainMDIForm::FileHexItemClick() {
    if (TKyrFileForm* form = activeProjectOrMessage()) form->SaveAsHex();
}

void TMainMDIForm::FileExitItemClick() { close(); }

void TMainMDIForm::SettingsItemClick() {
    settingsDlg_->SetLanguageTexts();
    settingsDlg_->load(settings_, language());
    if (settingsDlg_->exec() != QDialog::Accepted) return;
    settings_ = settingsDlg_->apply(settings_);
    iniFile_.writeDialogKeys(settings_);
    iniFile_.writePortName(settings_.portName);
    terminal_->SetLinkSettings(settings_);
    setLanguage(settings_.language);
    SetLanguageTexts();
}

void TMainMDIForm::WindowCascadeItemClick() { mdiArea_->cascadeSubWindows(); }

void TMainMDIForm::WindowTileItemClick() { mdiArea_->tileSubWindows(); }

void TMainMDIForm::WindowArrangeItemClick() {
    // Minimised windows in a row along the bottom, left to right, wrapping upwards.
    const QRect area = mdiArea_->viewport()->rect();
    int x = 0;
    int y = area.bottom() + 1;
    int rowHeight = 0;
    for (QMdiSubWindow* sub : mdiArea_->subWindowList()) {
        if (!sub->isMinimized()) continue;
        const QSize size = sub->size();
        if (x > 0 && x + size.width() > area.width()) {
            x = 0;
            y -= rowHeight;
            rowHeight = 0;
        }
        if (rowHeight == 0) rowHeight = size.height();
        sub->move(x, y - rowHeight);
        x += size.width();
    }
}

void TMainMDIForm::WindowMinimizeItemClick() {
    for (QMdiSubWindow* sub : mdiArea_->subWindowList()) sub->showMinimized();
}

void TMainMDIForm::AboutItemClick() {
    aboutBox_->SetLanguageTexts();
    aboutBox_->exec();
}

void TMainMDIForm::TestLanguageItemClick() {
    setLanguage(static_cast<std::uint8_t>((language() + 1) % 3));
    SetLanguageTexts();
}

void TMainMDIForm::BlikTimerTimer() {
    blinkPhase_ = !blinkPhase_;
    for (QMdiSubWindow* sub : mdiArea_->subWindowList())
        if (auto* child = dynamic_cast<MdiChild*>(sub->widget())) child->setBlinkPhase(blinkPhase_);
}

void TMainMDIForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!firstShow_) return;
    firstShow_ = false;
    SetLanguageTexts();
    if (!options_.systemMode) openCommandLineFiles();
}

void TMainMDIForm::closeEvent(QCloseEvent* event) {
    mdiArea_->closeAllSubWindows();
    if (!mdiArea_->subWindowList().isEmpty()) {
        event->ignore();
        return;
    }
    iniFile_.writeRecentFiles(recentFiles_.files());
    event->accept();
}

}  // namespace kyr

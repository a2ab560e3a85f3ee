#pragma once

#include <QMainWindow>
#include <array>
#include <memory>
#include <string>

#include "app/Commands.h"
#include "app/ProgramOptions.h"
#include "app/RecentFiles.h"
#include "qt/Settings.h"

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QTimer;
class QToolBar;

namespace kyr {

class MdiChild;
class TFileInfoDlg;
class TKyrData;
class TKyrFileForm;
class TAboutBox;
class TSettingsDlg;
class TKyrTypeDlg;
class TTerminalCommands;

// The main window: the multi-document frame with the menus, the tool bar and the status
// line. It owns the project windows (at most three), the settings, the recent-files list and
// the long-lived dialogs, and drives the blink timer and the idle pass.
class TMainMDIForm : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int MaxProjectWindows = 3;

    TMainMDIForm(SettingsFile iniFile, Settings settings, ProgramOptions options,
                 QWidget* parent = nullptr);
    ~TMainMDIForm() override;

    QMdiArea* mdiArea() const { return mdiArea_; }
    QAction* action(Cmd cmd) const { return actions_[static_cast<std::size_t>(cmd)]; }
    const Settings& settings() const { return settings_; }
    const SettingsFile& iniFile() const { return iniFile_; }
    bool systemMode() const { return options_.systemMode; }
    const RecentFiles& recentFiles() const { return recentFiles_; }
    TKyrTypeDlg* typeDlg() const { return typeDlg_; }
    TSettingsDlg* settingsDlg() const { return settingsDlg_; }
    TAboutBox* aboutBox() const { return aboutBox_; }
    TFileInfoDlg& fileDlg() const { return *fileDlg_; }
    // The terminal commands with the link, its timers and the job and terminal dialogs.
    TTerminalCommands& terminal() const { return *terminal_; }

    // Puts the recent file at the top of the list and rebuilds the File menu.
    void AddRecentFile(const std::string& fileName);
    // Relabels the main window, its dialogs and every open child window.
    void SetLanguageTexts();
    // The idle pass: command states of the menus and the tool bar.
    void AppIdle();

    // The open project windows, and the check New, Open and Upload make before opening one:
    // with three open, "Too many open files" and false.
    int projectWindowCount() const;
    bool CheckWindowLimit();

    // Adds a child window to the MDI area and shows it; the window is deleted when closed.
    QMdiSubWindow* addChildWindow(QWidget* child);
    MdiChild* activeChild() const;
    TKyrFileForm* activeProjectWindow() const;
    QList<TKyrFileForm*> projectWindows() const;

    // Opens a project file as File Open, a recent-file item and the command line do; the
    // project window, or nullptr when nothing was opened.
    TKyrFileForm* OpenProjectFile(const QString& fileName);
    // A new project window for `project` (File New, File Open, an upload).
    TKyrFileForm* CreateProjectWindow(std::unique_ptr<TKyrData> project);
    // The project's EPROM image as an Intel HEX file, with the HEX settings and the mode.
    bool WriteHexFile(TKyrData& project, const QString& fileName);

public slots:
    void FileNewItemClick();
    void FileOpenItemClick();
    void FileCloseItemClick();
    void FileSaveItemClick();
    void FileSaveAsItemClick();
    void FileHexItemClick();
    void FileExitItemClick();
    void SettingsItemClick();
    void WindowCascadeItemClick();
    void WindowTileItemClick();
    void WindowArrangeItemClick();
    void WindowMinimizeItemClick();
    void AboutItemClick();
    void TestLanguageItemClick();
    void BlikTimerTimer();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createActions();
    void createMenus();
    void createToolBar();
    void connectActions();
    void RebuildRecentMenu();
    void RecentFileClick(const QString& fileName);
    void runOnActiveChild(Cmd cmd);
    void updateEditMenu();
    CommandContext commandContext();
    TKyrFileForm* activeProjectOrMessage();
    void openCommandLineFiles();

    SettingsFile iniFile_;
    Settings settings_;
    ProgramOptions options_;
    RecentFiles recentFiles_;
    bool firstShow_ = true;
    int untitledCount_ = 0;
    bool blinkPhase_ = false;

    QMdiArea* mdiArea_;
    std::array<QAction*, CmdCount> actions_{};
    std::array<QMenu*, 5> menus_{};
    QMenu* fileMenu_ = nullptr;
    QAction* recentSeparator_ = nullptr;
    QAction* exitSeparator_ = nullptr;
    QList<QAction*> recentActions_;
    QMenu* mergedEditMenu_ = nullptr;
    QToolBar* toolBar_;
    QTimer* blikTimer_;
    QList<QMetaObject::Connection> connections_;

    TAboutBox* aboutBox_;
    TSettingsDlg* settingsDlg_;
    TKyrTypeDlg* typeDlg_;
    TFileInfoDlg* fileDlg_;
    std::unique_ptr<TTerminalCommands> terminal_;
};

}  // namespace kyr

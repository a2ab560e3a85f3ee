#pragma once

#include <QWidget>
#include <memory>

#include "app/MdiChild.h"
#include "model/FileFormLink.h"

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QStackedWidget;
class QTabBar;

namespace kyr {

class TCommPage;
class TDragListBox;
class TSetupPage;
class TKyrData;
class TMainMDIForm;

// The project window: one project, shown as a notebook of four pages (screens, the
// communication table, EXD tables, setup) chosen by a tab set at the bottom. It owns the
// project for its whole life.
class TKyrFileForm : public QWidget, public MdiChild, public TFileFormLink {
    Q_OBJECT
public:
    enum Page { PageScreens = 0, PageComm = 1, PageExd = 2, PageSetup = 3 };
    static constexpr int MaxExdNumber = 9;

    // Shared by every project window: where the number queries start, and the highest
    // screen number (3000 in system mode).
    static int NextScreenNumber;
    static int NextExdNumber;
    static int MaxScreenNumber;

    TKyrFileForm(TMainMDIForm& mainForm, std::unique_ptr<TKyrData> project);
    ~TKyrFileForm() override;

    TKyrData& project() const { return *project_; }

    // MdiChild
    ChildKind childKind() const override { return ChildKind::Project; }
    void SetLanguageTexts() override;
    std::optional<ProjectSummary> projectSummary() const override;
    int pageIndex() const override;
    EditState UpdateMenus() override;
    void runCommand(Cmd cmd) override;
    QMenu* editMenu() const override { return editMenu_; }

    // TFileFormLink
    void RefreshScreenList(int index) override;
    bool StoreAll() override;

    void RefreshExdList(int index);
    void RefreshDefaultExd();
    // The number query of Insert Screen, Insert EXD Table and Paste; false when cancelled
    // or when every number is used.
    bool AskNumber(int& number, bool exd, bool showNumber);
    // Changes the page; false when the change is refused.
    bool TabSetChange(int tab);
    // Closes the windows this project window owns (multi-screen view, function list).
    void CloseChildWindows();
    void SetTitle();

    // Save As through the program's file dialog; SaveAsHex offers "*.hex" instead.
    bool SaveAs();
    bool SaveAsHex();

    void InsertScreenClick();
    void DeleteScreenClick();
    void InsertExdClick();
    void DeleteExdClick();
    void ScrSortBtnClick();
    void ScrEditBtnClick();
    void FuncListBtnClick();
    void ExdEditBtnClick();
    void ExdDefaultBitBtnClick();
    // Clipboard commands of the Screens and EXD Tables pages.
    void CopyClick();
    void CutClick();
    void PasteClick();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildScreensPage(QWidget* page);
    void buildExdPage(QWidget* page);
    void hostPage(QWidget* container, QWidget* page);
    void ProtocolChanged();
    void buildEditMenu();
    bool FormCloseQuery();
    void ScreenMoved(int from, int to);
    void ExdMoved(int from, int to);
    int currentRow(const TDragListBox* list) const;
    QList<int> selectedRows(const TDragListBox* list) const;
    bool saveAs(const QString& mask);
    void pasteScreens(const std::string& text);
    void pasteExdTables(std::string text);

    TMainMDIForm& mainForm_;
    std::unique_ptr<TKyrData> project_;
    bool shown_ = false;

    QStackedWidget* notebook_;
    QTabBar* tabSet_;
    TCommPage* commPage_;
    TSetupPage* setupPage_;
    TDragListBox* scrListBox_;
    QPushButton* scrEditBtn_;
    QPushButton* funcListBtn_;
    QPushButton* scrSortBtn_;
    TDragListBox* exdTabListBox_;
    QPushButton* exdEditBtn_;
    QPushButton* exdDefaultBitBtn_;
    QLabel* defaultExdTabTxtLabel_;
    QLabel* defaultExdTabLabel_;

    QMenu* editMenu_;
    QAction* cutItem_;
    QAction* copyItem_;
    QAction* pasteItem_;
    QAction* insertScreen_;
    QAction* deleteScreen_;
    QAction* insertExd_;
    QAction* deleteExd_;
};

}  // namespace kyr

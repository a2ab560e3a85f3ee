#pragma once

#include <QWidget>
#include <array>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;

namespace kyr {

class TKyrData;

// The "Comm Tables" page of the project window: the communication table on eight lines of
// controls. The page is a copy of the table: FillCommPage puts the model on the lines,
// StoreCommPage takes it back (refusing while an edit holds a bad entry); between the two
// only check-box clicks write through to the model.
class TCommPage : public QWidget {
    Q_OBJECT

public:
    explicit TCommPage(QWidget* parent = nullptr);

    // The project of the window (not owned). The layout by terminal type is applied here.
    void setProject(TKyrData* project);

    void SetLanguageTexts();
    // The System column title: the PLC family's long name.
    void UpdateSystemTitle();

    void FillCommPage();
    // False when the edit being left refuses its entry; nothing is stored then.
    bool StoreCommPage();
    void RefreshCommLine(int row);
    void StoreCommLine(int line);

    // The entry check of one of the page's edits, as the focus goes to `next` (may be null).
    // A refused entry beeps (focus going to the Space list of lines 1..5) or shows "Bad number
    // entry"; the focus returns to the edit.
    bool TabEditExit(QLineEdit* edit, QWidget* next);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Line {
        QCheckBox* check = nullptr;
        QLabel* length = nullptr;
        QLineEdit* system = nullptr;
        QComboBox* space = nullptr;
        QLineEdit* spaceS = nullptr;  // family 7 file number
        QLineEdit* begin = nullptr;
        QLineEdit* itemSel = nullptr;  // family 7 sub-element selector
    };
    enum class EditKind { None, System, Begin, ItemSel, SpaceS };

    void buildLine(int line, QGridLayout* grid);
    void ApplyTypeLayout();
    void fillBegin(int line, int row);
    void applyUsability(int line);
    void TabCheckBoxClick(int line);
    void SpaceComboBoxChange(int line);
    void FormDataChange();

    // The widget that holds the page inside its MDI child (or its top-level window).
    QWidget* projectWindow();
    int family() const;
    int ioBoard() const;
    int lineOfRow(int row) const;
    int spaceCodeOfLine(int line) const;
    bool systemEditEnabled(int line, int row) const;
    EditKind kindOf(const QLineEdit* edit, int* line) const;

    TKyrData* project_ = nullptr;
    bool CommFilling = false;
    bool checking_ = false;  // an entry check is running (its message box moves the focus)
    std::array<Line, 8> lines_{};
    QLabel* itemTitle_ = nullptr;
    QLabel* lengthTitle_ = nullptr;
    QLabel* systemTitle_ = nullptr;
    QLabel* spaceTitle_ = nullptr;
    QLabel* beginTitle_ = nullptr;
};

}  // namespace kyr

#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace kyr {

// The program's own open and save dialog: file name, file list, directory and drive lists,
// the project's description, the file's date and the recent files.
class TFileInfoDlg : public QDialog {
    Q_OBJECT
public:
    enum class Mode { OpenProject, SaveProject, FirmwareM, FirmwareLum };

    // What a firmware file holds, as the firmware update reads it: its description and
    // whether it is a firmware file of the mode's series at all.
    struct FirmwareCheck {
        bool valid = false;
        std::string description;  // UTF-8
        bool lumSigma = false;    // a LUM firmware that names LUM Sigma
    };
    using FirmwareInspector = std::function<FirmwareCheck(Mode mode, const std::string& path)>;

    explicit TFileInfoDlg(QWidget* parent = nullptr);

    // Set by the caller before exec().
    void setMode(Mode mode);
    Mode mode() const { return mode_; }
    void setMask(const QString& mask);  // "*.kyr" or "*.hex"
    const QString& mask() const { return mask_; }
    void setDirectory(const QString& directory);
    const QString& directory() const { return directory_; }
    // The text of the file-name edit (the proposed name when saving).
    void setFileName(const QString& name);
    void setRecentFiles(const std::vector<std::string>& files);
    // The memo's text before anything is typed (the project's description when saving).
    void setDescription(const QString& text);
    void setFirmwareInspector(FirmwareInspector inspector);

    // After OK: the chosen file with its directory, and the description typed when saving
    // (UTF-8).
    QString fullFileName() const { return fullName_; }
    std::string description() const;
    // The current file is one the mode accepts (an existing project, a firmware file).
    bool isValid() const { return valid_; }
    // The current firmware file names LUM Sigma.
    bool lumSigma() const { return lumSigma_; }

    void SetLanguageTexts();
    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildDrives();
    void fillDirectories();
    void fillFiles();
    void FileNameEditChange();
    void showDescription(const QString& path);
    void setMemoText(const QString& text, bool grey);
    void DirectoryActivated(QListWidgetItem* item);
    void FileClicked(QListWidgetItem* item);
    void RecentBtnClick();
    void RecentChosen(QListWidgetItem* item, bool confirm);
    void updateMemoAccess();
    bool acceptSave();

    Mode mode_ = Mode::OpenProject;
    QString mask_ = "*.kyr";
    QString directory_;
    QString fullName_;
    bool valid_ = false;
    bool lumSigma_ = false;
    bool memoTyped_ = false;
    bool settingMemo_ = false;
    std::vector<std::string> recent_;
    FirmwareInspector firmwareInspector_;

    QLabel* fileNameLabel_;
    QLineEdit* fileNameEdit_;
    QListWidget* fileListBox_;
    QLabel* directoryLabel_;
    QLabel* directoryPathLabel_;
    QListWidget* directoryListBox_;
    QLabel* driveLabel_;
    QComboBox* driveComboBox_;
    QLabel* descriptionLabel_;
    QPlainTextEdit* descriptionMemo_;
    QLabel* dateLabel_;
    QToolButton* recentBtn_;
    QListWidget* recentListBox_;
    QPushButton* okBtn_;
    QPushButton* cancelBtn_;
};

}  // namespace kyr

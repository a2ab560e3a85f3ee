#include "app/FileDlg.h"

#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/AppTexts.h"
#include "app/DescriptionPreview.h"
#include "model/UserDialog.h"
#include "qt/QtText.h"

namespace kyr {

namespace {

constexpr int MemoMaxChars = 500;
constexpr int MemoMaxLines = 5;
constexpr int RecentVisibleLines = 10;
const QColor GreyText(128, 128, 128);

template <typename W>
W* named(W* widget, const char* name) {
    widget->setObjectName(name);
    return widget;
}

bool platformHasDrives() {
#ifdef _WIN32
    return true;
#else
    return false;
#endif
}

const Text3& titleOf(TFileInfoDlg::Mode mode) {
    switch (mode) {
    case TFileInfoDlg::Mode::OpenProject: return apptexts::OpenKyrFile;
    case TFileInfoDlg::Mode::SaveProject: return apptexts::SaveKyrFile;
    case TFileInfoDlg::Mode::FirmwareM: return apptexts::OpenKyrFirmware;
    case TFileInfoDlg::Mode::FirmwareLum: return apptexts::OpenLumFirmware;
    }
    return apptexts::OpenKyrFile;
}

}  // namespace

TFileInfoDlg::TFileInfoDlg(QWidget* parent) : QDialog(parent) {
    setObjectName("FileInfoDlg");
    directory_ = QDir::currentPath();

    fileNameLabel_ = named(new QLabel(this), "FileNameLabel");
    fileNameEdit_ = named(new QLineEdit(this), "FileNameEdit");
    fileNameLabel_->setBuddy(fileNameEdit_);
    fileListBox_ = named(new QListWidget(this), "FileListBox");
    directoryLabel_ = named(new QLabel(this), "DirectoryLabel");
    directoryPathLabel_ = named(new QLabel(this), "DirectoryPathLabel");
    directoryPathLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    directoryListBox_ = named(new QListWidget(this), "DirectoryListBox");
    directoryLabel_->setBuddy(directoryListBox_);
    driveLabel_ = named(new QLabel(this), "DriveLabel");
    driveComboBox_ = named(new QComboBox(this), "DriveComboBox");
    driveLabel_->setBuddy(driveComboBox_);
    descriptionLabel_ = named(new QLabel(this), "DescriptionLabel");
    descriptionMemo_ = named(new QPlainTextEdit(this), "DescriptionMemo");
    descriptionMemo_->setTabChangesFocus(true);
    descriptionMemo_->setFixedHeight(descriptionMemo_->fontMetrics().lineSpacing() * 6 + 8);
    descriptionMemo_->installEventFilter(this);
    descriptionLabel_->setBuddy(descriptionMemo_);
    dateLabel_ = named(new QLabel(this), "DateLabel");
    recentBtn_ = named(new QToolButton(this), "RecentBtn");
    recentBtn_->setArrowType(Qt::DownArrow);
    recentBtn_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    recentListBox_ = named(new QListWidget(this), "RecentListBox");
    recentListBox_->setWindowFlags(Qt::Popup);
    recentListBox_->installEventFilter(this);
    okBtn_ = named(new QPushButton(this), "OkBtn");
    okBtn_->setDefault(true);
    cancelBtn_ = named(new QPushButton(this), "CancelBtn");

    auto* left = new QVBoxLayout;
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(fileNameEdit_, 1);
    nameRow->addWidget(recentBtn_);
    left->addWidget(fileNameLabel_);
    left->addLayout(nameRow);
    left->addWidget(fileListBox_, 1);
    auto* middle = new QVBoxLayout;
    middle->addWidget(directoryLabel_);
    middle->addWidget(directoryPathLabel_);
    middle->addWidget(directoryListBox_, 1);
    middle->addWidget(driveLabel_);
    middle->addWidget(driveComboBox_);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(okBtn_);
    buttons->addWidget(cancelBtn_);
    buttons->addStretch();
    auto* top = new QHBoxLayout;
    top->addLayout(left, 1);
    top->addLayout(middle, 1);
    top->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(descriptionLabel_);
    layout->addWidget(descriptionMemo_);
    layout->addWidget(dateLabel_);
    resize(620, 460);

    connect(fileNameEdit_, &QLineEdit::textChanged, this, [this] { FileNameEditChange(); });
    connect(fileListBox_, &QListWidget::itemClicked, this, &TFileInfoDlg::FileClicked);
    connect(fileListBox_, &QListWidget::currentItemChanged, this,
            [this](QListWidgetItem* item) { FileClicked(item); });
    connect(fileListBox_, &QListWidget::itemDoubleClicked, this, [this] { accept(); });
    connect(directoryListBox_, &QListWidget::itemActivated, this,
            &TFileInfoDlg::DirectoryActivated);
    connect(driveComboBox_, &QComboBox::activated, this,
            [this](int index) { setDirectory(driveComboBox_->itemData(index).toString()); });
    connect(descriptionMemo_, &QPlainTextEdit::textChanged, this, [this] {
        if (settingMemo_) return;
        memoTyped_ = true;
        const QString text = descriptionMemo_->toPlainText();
        if (text.size() > MemoMaxChars) {
            QApplication::beep();
            descriptionMemo_->setPlainText(text.left(MemoMaxChars));
            descriptionMemo_->moveCursor(QTextCursor::End);
        }
    });
    connect(recentBtn_, &QToolButton::clicked, this, &TFileInfoDlg::RecentBtnClick);
    connect(recentListBox_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { RecentChosen(item, false); });
    connect(okBtn_, &QPushButton::clicked, this, &TFileInfoDlg::accept);
    connect(cancelBtn_, &QPushButton::clicked, this, &QDialog::reject);

    buildDrives();
    setMode(Mode::OpenProject);
    SetLanguageTexts();
}

void TFileInfoDlg::SetLanguageTexts() {
    setWindowTitle(qtr(titleOf(mode_)));
    fileNameLabel_->setText(qtr(apptexts::FileNameLabel));
    directoryLabel_->setText(qtr(apptexts::DirectoriesLabel));
    driveLabel_->setText(qtr(apptexts::DrivesLabel));
    descriptionLabel_->setText(qtr(apptexts::DescriptionLabel));
    recentBtn_->setText(qtr(apptexts::RecentFilesButton));
    okBtn_->setText(qtr(apptexts::Ok));
    cancelBtn_->setText(qtr(apptexts::Cancel));
}

void TFileInfoDlg::setMode(Mode mode) {
    mode_ = mode;
    QPalette palette = fileListBox_->palette();
    palette.setColor(QPalette::Text, mode == Mode::SaveProject ? GreyText
                                                               : QApplication::palette().color(QPalette::Text));
    fileListBox_->setPalette(palette);
    recentBtn_->setVisible(mode == Mode::OpenProject);
    updateMemoAccess();
    SetLanguageTexts();
}

void TFileInfoDlg::setMask(const QString& mask) {
    mask_ = mask;
    updateMemoAccess();
    fillFiles();
}

void TFileInfoDlg::updateMemoAccess() {
    const bool editable = mode_ == Mode::SaveProject && mask_.compare("*.hex", Qt::CaseInsensitive) != 0;
    descriptionMemo_->setReadOnly(!editable);
}

void TFileInfoDlg::setDirectory(const QString& directory) {
    const QDir dir(directory);
    if (!dir.exists()) return;
    directory_ = QDir::cleanPath(dir.absolutePath());
    fillDirectories();
    fillFiles();
    FileNameEditChange();
}

void TFileInfoDlg::setFileName(const QString& name) {
    if (fileNameEdit_->text() == name) FileNameEditChange();
    else fileNameEdit_->setText(name);
}

void TFileInfoDlg::setDescription(const QString& text) { setMemoText(text, false); }

void TFileInfoDlg::setRecentFiles(const std::vector<std::string>& files) { recent_ = files; }

void TFileInfoDlg::setFirmwareInspector(FirmwareInspector inspector) {
    firmwareInspector_ = std::move(inspector);
}

std::string TFileInfoDlg::description() const { return us(descriptionMemo_->toPlainText()); }

void TFileInfoDlg::buildDrives() {
    const bool drives = platformHasDrives();
    driveLabel_->setVisible(drives);
    driveComboBox_->setVisible(drives);
    if (!drives) return;
    for (const QFileInfo& drive : QDir::drives())
        driveComboBox_->addItem(QDir::toNativeSeparators(drive.absolutePath()), drive.absolutePath());
}

void TFileInfoDlg::fillDirectories() {
    directoryListBox_->clear();
    directoryPathLabel_->setText(QDir::toNativeSeparators(directory_));
    QStringList chain;
    for (QDir dir(directory_);; ) {
        chain.prepend(dir.absolutePath());
        if (dir.isRoot() || !dir.cdUp()) break;
    }
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    int depth = 0;
    for (const QString& path : chain) {
        const QString name = QDir(path).isRoot() ? QDir::toNativeSeparators(path) : QDir(path).dirName();
        auto* item = new QListWidgetItem(open, QString(depth * 2, ' ') + name, directoryListBox_);
        item->setData(Qt::UserRole, path);
        ++depth;
    }
    directoryListBox_->setCurrentRow(directoryListBox_->count() - 1);
    const QDir here(directory_);
    for (const QString& sub : here.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase)) {
        auto* item = new QListWidgetItem(closed, QString(depth * 2, ' ') + sub, directoryListBox_);
        item->setData(Qt::UserRole, here.filePath(sub));
    }
    const int drive = driveComboBox_->findData(QDir(chain.front()).absolutePath());
    if (drive >= 0) driveComboBox_->setCurrentIndex(drive);
}

void TFileInfoDlg::fillFiles() {
    const QSignalBlocker block(fileListBox_);
    fileListBox_->clear();
    const QDir dir(directory_);
    fileListBox_->addItems(dir.entryList({mask_}, QDir::Files, QDir::Name | QDir::IgnoreCase));
}

void TFileInfoDlg::DirectoryActivated(QListWidgetItem* item) {
    if (item) setDirectory(item->data(Qt::UserRole).toString());
}

void TFileInfoDlg::FileClicked(QListWidgetItem* item) {
    if (item) fileNameEdit_->setText(item->text());
}

void TFileInfoDlg::FileNameEditChange() {
    const QString text = fileNameEdit_->text().trimmed();
    fullName_ = text.isEmpty() ? QString() : QDir::cleanPath(QDir(directory_).absoluteFilePath(text));
    valid_ = false;
    lumSigma_ = false;
    dateLabel_->clear();
    if (mode_ != Mode::SaveProject) setMemoText(QString(), false);
    if (fullName_.isEmpty() || text.contains('*') || !QFileInfo(fullName_).isFile()) return;

    QFile file(fullName_);
    if (!file.open(QIODevice::ReadOnly)) {
        showError(kyr::tr(apptexts::FileOpenError));
        return;
    }
    file.close();
    dateLabel_->setText(QLocale().toString(QFileInfo(fullName_).lastModified(), QLocale::ShortFormat));
    const bool firmware = mode_ == Mode::FirmwareM || mode_ == Mode::FirmwareLum;
    if (firmware && mask_.compare("*.hex", Qt::CaseInsensitive) == 0) {
        const FirmwareCheck check =
            firmwareInspector_ ? firmwareInspector_(mode_, us(fullName_)) : FirmwareCheck{};
        setMemoText(qs(check.description), false);
        valid_ = check.valid;
        lumSigma_ = check.valid && check.lumSigma;
        return;
    }
    if (mode_ != Mode::SaveProject || !memoTyped_) showDescription(fullName_);
    valid_ = true;
}

void TFileInfoDlg::showDescription(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return;
    const QByteArray head = file.read(static_cast<qint64>(PreviewBytes));
    const DescriptionPreview preview = previewDescription(std::string_view(head.constData(), static_cast<std::size_t>(head.size())));
    switch (preview.kind) {
    case DescriptionPreview::Kind::NotKyr: setMemoText(qtr(apptexts::NotKyrFile), true); break;
    case DescriptionPreview::Kind::Description:
        setMemoText(qs(preview.text), mode_ == Mode::SaveProject);
        break;
    case DescriptionPreview::Kind::Nothing: setMemoText(QString(), false); break;
    }
}

void TFileInfoDlg::setMemoText(const QString& text, bool grey) {
    settingMemo_ = true;
    QPalette palette = descriptionMemo_->palette();
    palette.setColor(QPalette::Text, grey ? GreyText : QApplication::palette().color(QPalette::Text));
    descriptionMemo_->setPalette(palette);
    descriptionMemo_->setPlainText(text);
    settingMemo_ = false;
}

void TFileInfoDlg::RecentBtnClick() {
    recentListBox_->clear();
    for (const std::string& name : recent_) recentListBox_->addItem(qs(name));
    if (recentListBox_->count() == 0) {
        QApplication::beep();
        return;
    }
    const int rows = std::min(recentListBox_->count(), RecentVisibleLines);
    const int height = recentListBox_->sizeHintForRow(0) * rows + 2 * recentListBox_->frameWidth();
    recentListBox_->setFixedSize(std::max(fileNameEdit_->width() + recentBtn_->width(), 320), height);
    recentListBox_->move(fileNameEdit_->mapToGlobal(QPoint(0, fileNameEdit_->height())));
    recentListBox_->setCurrentRow(0);
    recentListBox_->show();
    recentListBox_->setFocus();
}

void TFileInfoDlg::RecentChosen(QListWidgetItem* item, bool confirm) {
    recentListBox_->hide();
    if (!item) return;
    const QFileInfo info(item->text());
    if (info.dir().exists()) setDirectory(info.absolutePath());
    fileNameEdit_->setText(info.fileName());
    fileNameEdit_->setFocus();
    if (confirm) accept();
}

bool TFileInfoDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    if (watched == descriptionMemo_ && enter) {
        if (descriptionMemo_->isReadOnly()) return false;
        if (descriptionMemo_->document()->blockCount() >= MemoMaxLines) {
            QApplication::beep();
            return true;
        }
        return false;
    }
    if (watched == descriptionMemo_ && key == Qt::Key_Escape) {
        reject();
        return true;
    }
    if (watched == recentListBox_ && enter) {
        RecentChosen(recentListBox_->currentItem(), true);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TFileInfoDlg::showEvent(QShowEvent* event) {
    SetLanguageTexts();
    memoTyped_ = false;
    fillDirectories();
    fillFiles();
    FileNameEditChange();
    fileNameEdit_->setFocus();
    fileNameEdit_->selectAll();
    QDialog::showEvent(event);
}

bool TFileInfoDlg::acceptSave() {
    const QString suffix = QFileInfo(fullName_).suffix().toUpper();
    if (suffix != "KYR" && suffix != "HEX") {
        dialogs().beep();
        showError(kyr::tr(apptexts::BadExtension));
        return false;
    }
    if (!QFileInfo::exists(fullName_)) return true;
    return askYesNo(MsgKind::Question, kyr::tr(texts::TitleConfirm),
                    kyr::tr(apptexts::OverwriteQuestion));
}

void TFileInfoDlg::accept() {
    FileNameEditChange();
    const QString text = fileNameEdit_->text().trimmed();
    if (text.isEmpty() || text.contains('*')) {
        dialogs().beep();
        return;
    }
    bool ok = false;
    switch (mode_) {
    case Mode::SaveProject: ok = acceptSave(); break;
    case Mode::OpenProject: ok = QFileInfo(fullName_).isFile(); break;
    case Mode::FirmwareM:
    case Mode::FirmwareLum: ok = valid_; break;
    }
    if (!ok) {
        if (mode_ != Mode::SaveProject) dialogs().beep();
        return;
    }
    QDialog::accept();
}

}  // namespace kyr

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>

#include "GuiTestSupport.h"
#include "RecordingDialog.h"
#include "app/DescriptionPreview.h"
#include "app/FileDlg.h"
#include "model/Texts.h"

namespace kyr {
namespace {

TEST(DescriptionPreviewTest, ShowsTheDescriptionSectionOnly) {
    using Kind = DescriptionPreview::Kind;
    struct Case {
        std::string head;
        Kind kind;
        std::string text;
    } cases[] = {
        {"[Descr]\r\nLine one\r\nLine two\r\n\r\n[Info]\r\n KYRB\r\n", Kind::Description,
         "Line one\nLine two"},
        {"\r\n\t  [DESCR]\r\n  indented\r\n[Info]\r\n", Kind::Description, "indented"},
        {"[Descr]\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n", Kind::Description, "1\n2\n3\n4\n5"},
        {"[Descr]\r\na [b]\r\n[Info]", Kind::Description, "a [b]"},
        {"[Descr]\r\n\x8a\xe9\r\n", Kind::Description, "Šé"},
        {"[Info]\r\n KYRB\r\n", Kind::Nothing, ""},
        {"[Description]\r\nx\r\n", Kind::Nothing, ""},
        {"Hello world", Kind::NotKyr, ""},
        {"", Kind::NotKyr, ""},
        {"   \r\n", Kind::NotKyr, ""},
    };
    for (const Case& c : cases) {
        const DescriptionPreview p = previewDescription(c.head);
        EXPECT_EQ(p.kind, c.kind) << c.head;
        EXPECT_EQ(p.text, c.text) << c.head;
    }
}

TEST(DescriptionPreviewTest, ReadsNoMoreThanTheFirst501Bytes) {
    std::string head = "[Descr]\r\n" + std::string(600, 'x');
    const DescriptionPreview p = previewDescription(head);
    EXPECT_EQ(p.text.size(), PreviewBytes - 9);
}

class FileDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::guiApp();
        setLanguage(LangEnglish);
        write("one.kyr", "[Descr]\r\nFirst project\r\n[Info]\r\n KYRB\r\n");
        write("two.KYR", "[Info]\r\n KYRB\r\n");
        write("plain.kyr", "just text");
        write("image.hex", ":00000001FF\r\n");
        QDir(dir.path()).mkdir("sub");
        dlg.setDirectory(dir.path());
    }
    void write(const char* name, const QByteArray& text) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    QLineEdit* nameEdit() { return test::findNamed<QLineEdit>(&dlg, "FileNameEdit"); }
    QPlainTextEdit* memo() { return test::findNamed<QPlainTextEdit>(&dlg, "DescriptionMemo"); }
    QStringList files() {
        QStringList names;
        auto* list = test::findNamed<QListWidget>(&dlg, "FileListBox");
        for (int i = 0; i < list->count(); ++i) names << list->item(i)->text();
        return names;
    }

    int appReady_ = (test::guiApp(), 0);  // the dialog below needs the application
    QTemporaryDir dir;
    test::RecordingDialog dialog;
    TFileInfoDlg dlg;
};

TEST_F(FileDialogTest, ListsTheFilesOfTheMaskAndTheDirectories) {
    EXPECT_EQ(files(), (QStringList{"one.kyr", "plain.kyr", "two.KYR"}));
    dlg.setMask("*.hex");
    EXPECT_EQ(files(), QStringList{"image.hex"});
    auto* dirs = test::findNamed<QListWidget>(&dlg, "DirectoryListBox");
    EXPECT_EQ(dirs->item(dirs->count() - 1)->text().trimmed(), "sub");
    EXPECT_FALSE(test::findNamed<QWidget>(&dlg, "DriveComboBox")->isVisibleTo(&dlg));
}

TEST_F(FileDialogTest, OpenModeShowsDescriptionAndDate) {
    dlg.setMode(TFileInfoDlg::Mode::OpenProject);
    EXPECT_EQ(dlg.windowTitle(), "Open KYR File");
    nameEdit()->setText("one.kyr");
    EXPECT_TRUE(dlg.isValid());
    EXPECT_EQ(memo()->toPlainText(), "First project");
    EXPECT_FALSE(test::findNamed<QLabel>(&dlg, "DateLabel")->text().isEmpty());
    EXPECT_TRUE(memo()->isReadOnly());
    nameEdit()->setText("plain.kyr");
    EXPECT_EQ(memo()->toPlainText(), "Probably not an KYR File");
    nameEdit()->setText("two.KYR");
    EXPECT_EQ(memo()->toPlainText(), "");
    nameEdit()->setText("none.kyr");
    EXPECT_FALSE(dlg.isValid());
    EXPECT_TRUE(test::findNamed<QLabel>(&dlg, "DateLabel")->text().isEmpty());
}

TEST_F(FileDialogTest, OkNeedsAnExistingFileInOpenModeAndNoMask) {
    dlg.setMode(TFileInfoDlg::Mode::OpenProject);
    nameEdit()->setText("*.kyr");
    dlg.accept();
    EXPECT_EQ(dialog.beeps, 1);
    nameEdit()->setText("missing.kyr");
    dlg.accept();
    EXPECT_EQ(dialog.beeps, 2);
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    nameEdit()->setText("one.kyr");
    dlg.accept();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.fullFileName(), dir.filePath("one.kyr"));
    EXPECT_TRUE(dialog.texts().empty());
}

TEST_F(FileDialogTest, SaveModeChecksExtensionAndOverwrite) {
    dlg.setMode(TFileInfoDlg::Mode::SaveProject);
    EXPECT_EQ(dlg.windowTitle(), "Save KYR File");
    EXPECT_FALSE(memo()->isReadOnly());
    struct Case {
        const char* name;
        std::vector<Answer> answers;
        bool accepted;
        std::vector<std::string> texts;
    } cases[] = {
        {"new.txt", {}, false, {"File must have the .KYR or .HEX extension"}},
        {"noext", {}, false, {"File must have the .KYR or .HEX extension"}},
        {"new.kyr", {}, true, {}},
        {"new.Hex", {}, true, {}},
        {"one.kyr", {Answer::No}, false, {"File with this name already exists: overwrite?"}},
        {"one.kyr", {Answer::Yes}, true, {"File with this name already exists: overwrite?"}},
    };
    for (const Case& c : cases) {
        dialog.clear();
        dialog.answers.assign(c.answers.begin(), c.answers.end());
        dlg.setResult(QDialog::Rejected);
        nameEdit()->setText(c.name);
        dlg.accept();
        EXPECT_EQ(dlg.result() == QDialog::Accepted, c.accepted) << c.name;
        EXPECT_EQ(dialog.texts(), c.texts) << c.name;
    }
    dlg.setMask("*.hex");
    EXPECT_TRUE(memo()->isReadOnly()) << "a HEX file has no description";
}

TEST_F(FileDialogTest, SaveModeKeepsWhatWasTypedInTheMemo) {
    dlg.setMode(TFileInfoDlg::Mode::SaveProject);
    dlg.setDescription("mine");
    nameEdit()->setText("new.kyr");
    EXPECT_EQ(memo()->toPlainText(), "mine");
    nameEdit()->setText("two.KYR");
    EXPECT_EQ(memo()->toPlainText(), "") << "an existing file shows its own description";
    memo()->setPlainText("typed");
    nameEdit()->setText("one.kyr");
    EXPECT_EQ(memo()->toPlainText(), "typed");
    EXPECT_EQ(dlg.description(), "typed");
}

TEST_F(FileDialogTest, FirmwareModesAskTheInspector) {
    dlg.setMode(TFileInfoDlg::Mode::FirmwareLum);
    dlg.setMask("*.hex");
    EXPECT_EQ(dlg.windowTitle(), "Open LUM Firmware");
    std::string asked;
    dlg.setFirmwareInspector([&](TFileInfoDlg::Mode mode, const std::string& path) {
        asked = path;
        EXPECT_EQ(mode, TFileInfoDlg::Mode::FirmwareLum);
        return TFileInfoDlg::FirmwareCheck{false, "Not a firmware file"};
    });
    nameEdit()->setText("image.hex");
    EXPECT_EQ(asked, dir.filePath("image.hex").toStdString());
    EXPECT_EQ(memo()->toPlainText(), "Not a firmware file");
    dlg.accept();
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_EQ(dialog.beeps, 1);
}

TEST_F(FileDialogTest, RecentFilesDropDownFillsTheName) {
    dlg.setMode(TFileInfoDlg::Mode::OpenProject);
    dlg.setRecentFiles({dir.filePath("one.kyr").toStdString(), "/elsewhere/x.kyr"});
    auto* button = test::findNamed<QToolButton>(&dlg, "RecentBtn");
    button->click();
    auto* recent = test::findNamed<QListWidget>(&dlg, "RecentListBox");
    ASSERT_EQ(recent->count(), 2);
    emit recent->itemClicked(recent->item(0));
    EXPECT_EQ(nameEdit()->text(), "one.kyr");
    EXPECT_TRUE(dlg.isValid());
    EXPECT_FALSE(recent->isVisible());
}

}  // namespace
}  // namespace kyr

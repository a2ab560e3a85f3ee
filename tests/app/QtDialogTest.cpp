#include <gtest/gtest.h>

#include <QPushButton>

#include "GuiTestSupport.h"
#include "model/Texts.h"
#include "qt/QtDialog.h"

namespace kyr {
namespace {

TEST(QtDialogTest, BoxesCarryTitleTextIconAndButtons) {
    test::guiApp();
    setLanguage(LangEnglish);
    QtDialog dialog;
    struct Case {
        MsgKind kind;
        QMessageBox::Icon icon;
    } cases[] = {{MsgKind::Error, QMessageBox::Warning},
                 {MsgKind::Warning, QMessageBox::Warning},
                 {MsgKind::Information, QMessageBox::Information},
                 {MsgKind::Question, QMessageBox::Question}};
    for (const Case& c : cases) {
        auto box = dialog.makeBox(c.kind, "ERROR", "File Open Error", Buttons::Ok);
        EXPECT_EQ(box->icon(), c.icon);
        EXPECT_EQ(box->windowTitle(), "ERROR");
        EXPECT_EQ(box->text(), "File Open Error");
    }
    auto yesNoCancel = dialog.makeBox(MsgKind::Question, "KYR", "Save?", Buttons::YesNoCancel);
    EXPECT_NE(yesNoCancel->button(QMessageBox::Yes), nullptr);
    EXPECT_NE(yesNoCancel->button(QMessageBox::No), nullptr);
    EXPECT_NE(yesNoCancel->button(QMessageBox::Cancel), nullptr);

    setLanguage(LangGerman);
    auto german = dialog.makeBox(MsgKind::Question, "KYR", "?", Buttons::YesNoCancel);
    EXPECT_EQ(german->button(QMessageBox::Cancel)->text(), "Abbrechen");
    EXPECT_EQ(german->button(QMessageBox::Yes)->text(), "&Ja");
    setLanguage(LangEnglish);
}

TEST(QtDialogTest, InstallsItselfForItsLifetime) {
    test::guiApp();
    UserDialog* before = &dialogs();
    {
        QtDialog dialog;
        EXPECT_EQ(&dialogs(), &dialog);
    }
    EXPECT_EQ(&dialogs(), before);
}

}  // namespace
}  // namespace kyr

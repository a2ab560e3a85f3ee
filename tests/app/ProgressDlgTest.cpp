#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "GuiTestSupport.h"
#include "app/Progress.h"
#include "model/Texts.h"

namespace kyr {
namespace {

class ProgressDlgTest : public ::testing::Test {
protected:
    void SetUp() override { setLanguage(LangEnglish); }
    void TearDown() override { setLanguage(LangEnglish); }

    TPieGauge* gauge() { return test::findNamed<TPieGauge>(&dlg, "PieGauge"); }

    QApplication& app = test::guiApp();  // before the dialog
    TProgressDlg dlg;
};

TEST_F(ProgressDlgTest, ShowsTitleLabelAndPercentage) {
    dlg.SetTitle("Download to KYR");
    dlg.SetLabel("Screens");
    dlg.SetPercent(42);
    EXPECT_EQ(dlg.windowTitle(), "Download to KYR");
    auto* label = test::findNamed<QLabel>(&dlg, "PhaseLabel");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), "Screens");
    EXPECT_TRUE(label->alignment() & Qt::AlignHCenter);
    ASSERT_NE(gauge(), nullptr);
    EXPECT_EQ(gauge()->text(), "42 %");
    dlg.SetPercent(250);
    EXPECT_EQ(gauge()->percent(), 100);
    dlg.SetPercent(-3);
    EXPECT_EQ(gauge()->percent(), 0);
}

TEST_F(ProgressDlgTest, GaugePaintsInBothColours) {
    dlg.resize(300, 260);
    dlg.SetPercent(60);
    for (const TGaugeColor color : {TGaugeColor::Green, TGaugeColor::Black}) {
        dlg.SetGaugeColor(color);
        EXPECT_EQ(gauge()->color(), color);
        const QImage image = gauge()->grab().toImage();
        ASSERT_FALSE(image.isNull());
        // At three o'clock, well inside the filled part and clear of the percentage.
        const int side = std::min(image.width(), image.height());
        const QColor filled =
            image.pixelColor(image.width() / 2 + side * 2 / 5, image.height() / 2);
        if (color == TGaugeColor::Black)
            EXPECT_EQ(filled, QColor(Qt::black));
        else
            EXPECT_GT(filled.green(), filled.red() + 60);
    }
}

TEST_F(ProgressDlgTest, EveryCloseReturnsTheGaugeToZeroAndGreen) {
    for (const TModalResult result : {TModalResult::Ok, TModalResult::Abort}) {
        dlg.open();
        dlg.SetPercent(70);
        dlg.SetGaugeColor(TGaugeColor::Black);
        dlg.Close(result);
        EXPECT_FALSE(dlg.isVisible());
        EXPECT_EQ(dlg.result(), TProgressDlg::resultCode(result));
        EXPECT_EQ(gauge()->percent(), 0);
        EXPECT_EQ(gauge()->color(), TGaugeColor::Green);
    }
    EXPECT_EQ(TProgressDlg::resultCode(TModalResult::Ok), QDialog::Accepted);
    EXPECT_EQ(TProgressDlg::resultCode(TModalResult::Abort), TProgressDlg::AbortResult);
}

TEST_F(ProgressDlgTest, CancelClosesWithCancelAndAbortsTheJob) {
    int cancels = 0;
    dlg.setCancelHandler([&] { ++cancels; });
    dlg.open();
    dlg.SetPercent(30);
    test::findNamed<QPushButton>(&dlg, "CancelBtn")->click();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_EQ(cancels, 1);
    EXPECT_EQ(gauge()->percent(), 0);

    dlg.open();
    dlg.Close(TModalResult::Ok);
    EXPECT_EQ(cancels, 1) << "only Cancel aborts the job";
}

TEST_F(ProgressDlgTest, CancelButtonFollowsTheLanguage) {
    EXPECT_EQ(test::findNamed<QPushButton>(&dlg, "CancelBtn")->text(), "Cancel");
    setLanguage(LangGerman);
    dlg.SetLanguageTexts();
    EXPECT_EQ(test::findNamed<QPushButton>(&dlg, "CancelBtn")->text(), "Abbrechen");
    setLanguage(LangCzech);
    dlg.SetLanguageTexts();
    EXPECT_EQ(test::findNamed<QPushButton>(&dlg, "CancelBtn")->text(), "Zrušit");
}

}  // namespace
}  // namespace kyr

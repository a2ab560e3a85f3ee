// The firmware commands of the File menu: the file dialog in its firmware modes, then the
// firmware job against the simulated terminal's BOOT loaders.
#include <gtest/gtest.h>

#include <QAction>
#include <QFile>

#include "TerminalTestSupport.h"
#include "app/FileDlg.h"
#include "app/Progress.h"
#include "image/HexRecord.h"

namespace kyr {
namespace {

using test::TerminalRig;

std::string hexRecords(std::uint16_t start, int count, int length) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        Bytes data(static_cast<std::size_t>(length));
        for (int k = 0; k < length; ++k) data[k] = static_cast<std::uint8_t>(i * length + k);
        text += formatHexRecord(static_cast<std::uint16_t>(start + i * length), 0, data) + "\r\n";
    }
    return text;
}

std::string kyrSeriesMFirmware() {
    return formatHexRecord(0, 4, Bytes{0x00, 0x01}) + "\r\n" + hexRecords(0, 16, 16) +
           ":00000001FF\r\nKYR Mini firmware V3.01\r\n";
}

std::string lumFirmware(const std::string& model) {
    return hexRecords(0x100, 4, 24) + ":00000001FF\r\n" + model + " V4.02 Protocols: 0,6,46\r\n";
}

class FirmwareCommandsTest : public ::testing::Test {
protected:
    void SetUp() override { setLanguage(LangEnglish); }

    // A rig whose file dialog takes `name` (written with `text`) and presses OK.
    std::unique_ptr<TerminalRig> rig(const Settings& settings, const char* name,
                                     const std::string& text) {
        auto r = std::make_unique<TerminalRig>(settings);
        const QString path = r->dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.data(), static_cast<qint64>(text.size()));
        file.close();
        TerminalRig* raw = r.get();
        raw->onModal = [this, raw, path](QDialog& d) {
            TFileInfoDlg& files = raw->main->fileDlg();
            if (&d != &files) {
                d.open();
                return -1;
            }
            mask = files.mask();
            mode = files.mode();
            title = files.windowTitle();
            files.setFileName(path);
            valid = files.isValid();
            sigma = files.lumSigma();
            files.accept();
            return files.result();
        };
        return r;
    }
    static void trigger(const TerminalRig& r, const char* name) {
        test::findNamed<QAction>(r.main.get(), name)->trigger();
    }

    QString mask;
    QString title;
    TFileInfoDlg::Mode mode = TFileInfoDlg::Mode::OpenProject;
    bool valid = false;
    bool sigma = false;
};

TEST_F(FirmwareCommandsTest, KyrSeriesMUpdateFromTheMenu) {
    auto r = rig(test::simSettings("sim:2"), "mini.hex", kyrSeriesMFirmware());
    trigger(*r, "FirmwareMItem");
    EXPECT_EQ(mask, "*.hex");
    EXPECT_EQ(mode, TFileInfoDlg::Mode::FirmwareM);
    EXPECT_EQ(title, "Open KYR Firmware");
    EXPECT_TRUE(valid);
    EXPECT_EQ(r->main->fileDlg().mask(), "*.kyr") << "the mask returns after the dialog";
    ASSERT_EQ(r->shown, (std::vector<std::string>{"FileInfoDlg", "ProgressDlg"}));
    EXPECT_EQ(r->terminal().progressDlg().windowTitle(), "Firmware Download to KYR");
    ASSERT_TRUE(r->runJob());
    EXPECT_EQ(r->dialog.texts(), std::vector<std::string>{"Program was successfully transferred."});
    EXPECT_EQ(r->terminal().firmwareJob().Result(), TFirmwareResult::Success);
    const auto& boot = r->terminal().simTerminals().existing(2)->terminal().kyrBoot();
    EXPECT_TRUE(boot.programmingEnded());
    EXPECT_EQ(boot.flashByte(1, 0x0011), 0x11);
    EXPECT_FALSE(r->kom().IsPortOpen());
}

TEST_F(FirmwareCommandsTest, OnlyARecognisedFirmwareFileIsAccepted) {
    struct Case {
        const char* command;
        std::string text;
        TFileInfoDlg::Mode mode;
    };
    for (const Case& c :
         {Case{"FirmwareMItem", lumFirmware("LUM Sigma"), TFileInfoDlg::Mode::FirmwareM},
          Case{"FirmwareLumItem", kyrSeriesMFirmware(), TFileInfoDlg::Mode::FirmwareLum},
          Case{"FirmwareLumItem", ":00000001FF\r\nsomething else\r\n",
               TFileInfoDlg::Mode::FirmwareLum}}) {
        SCOPED_TRACE(c.command);
        auto r = rig(test::simSettings("sim:2"), "other.hex", c.text);
        trigger(*r, c.command);
        EXPECT_EQ(mode, c.mode);
        EXPECT_FALSE(valid);
        EXPECT_EQ(r->shown, std::vector<std::string>{"FileInfoDlg"});
        EXPECT_EQ(r->comm().Phase(), jpIdle);
        EXPECT_FALSE(r->kom().IsPortOpen());
    }
}

TEST_F(FirmwareCommandsTest, LumUpdateRemembersSigmaAndRunsThroughTheMessagePump) {
    auto r = rig(test::simSettings("sim:4", true), "sigma.hex", lumFirmware("LUM Sigma"));
    trigger(*r, "FirmwareLumItem");
    EXPECT_EQ(title, "Open LUM Firmware");
    EXPECT_TRUE(valid);
    EXPECT_TRUE(sigma);
    ASSERT_TRUE(r->runJob());
    EXPECT_EQ(r->dialog.texts(), std::vector<std::string>{"Program was successfully transferred."});
    EXPECT_TRUE(r->terminal().simTerminals().existing(4)->terminal().lumBoot().started());
}

TEST_F(FirmwareCommandsTest, LumqFileIsNotSigma) {
    auto r = rig(test::simSettings("sim:5", true), "q1.hex", lumFirmware("LUMQ1"));
    trigger(*r, "FirmwareLumItem");
    EXPECT_TRUE(valid);
    EXPECT_FALSE(sigma);
    ASSERT_TRUE(r->runJob());
    EXPECT_EQ(r->dialog.texts(), std::vector<std::string>{"Program was successfully transferred."});
}

}  // namespace
}  // namespace kyr

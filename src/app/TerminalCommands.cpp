#include "app/TerminalCommands.h"

#include <QCoreApplication>
#include <QDialog>
#include <QTimer>

#include "app/FileDlg.h"
#include "app/FileForm.h"
#include "app/KyrClockForm.h"
#include "app/KyrInfoForm.h"
#include "app/MainForm.h"
#include "app/Progress.h"
#include "model/DataClass.h"
#include "model/UserDialog.h"
#include "qt/QtSerialPort.h"
#include "qt/QtText.h"

namespace kyr {

namespace {

// The first type of each link family, played by "sim:" when no project says otherwise.
constexpr int FirstKyrType = 0;
constexpr int FirstLumType = 4;

TFirmwareSeries seriesOf(TFileInfoDlg::Mode mode) {
    return mode == TFileInfoDlg::Mode::FirmwareLum ? TFirmwareSeries::Lum
                                                   : TFirmwareSeries::KyrSeriesM;
}

}  // namespace

TTerminalCommands::TTerminalCommands(TMainMDIForm& mainForm)
    : mainForm_(mainForm), dataModule_([this](const std::string& name) { return MakePort(name); }) {
    modalRunner_ = [](QDialog& dialog) { return dialog.exec(); };
    portFactory_ = [this](const std::string& name) -> std::unique_ptr<SerialPort> {
        if (auto simulated = simTerminals_.makePort(name)) return simulated;
        return std::make_unique<QtSerialPort>();
    };
    simTerminals_.setDefaultType([this] { return SimDefaultType(); });

    progressDlg_ = std::make_unique<TProgressDlg>(&mainForm_);
    comm_ = std::make_unique<TKyrComm>(dataModule_.Kom(), *progressDlg_);
    firmware_ = std::make_unique<TFirmwareJob>(*comm_);
    // The LUM loader's polls wait with the window system still answering.
    firmware_->SetMessagePump([] { QCoreApplication::processEvents(); });
    progressDlg_->setCancelHandler([this] { comm_->CancelByUser(); });
    infoForm_ = std::make_unique<TKyrInfoForm>(dataModule_.Kom(), &mainForm_);
    clockForm_ = std::make_unique<TKyrClockForm>(dataModule_.Kom(), &mainForm_);

    mainForm_.fileDlg().setFirmwareInspector([](TFileInfoDlg::Mode mode, const std::string& path) {
        const TFirmwareDescription d = DescribeFirmwareFile(path, seriesOf(mode));
        return TFileInfoDlg::FirmwareCheck{d.recognised, d.text, d.lumSigma};
    });

    komTimer_ = new QTimer(this);
    komTimer_->setObjectName("KomTimer");
    komTimer_->setInterval(KomInterval);
    connect(komTimer_, &QTimer::timeout, this, &TTerminalCommands::KomTimerTimer);
    komTimer_->start();
    commTimer_ = new QTimer(this);
    commTimer_->setObjectName("CommTimer");
    commTimer_->setInterval(CommInterval);
    connect(commTimer_, &QTimer::timeout, this, &TTerminalCommands::CommTimerTimer);
    commTimer_->start();
}

TTerminalCommands::~TTerminalCommands() {
    komTimer_->stop();
    commTimer_->stop();
    // The dialogs and jobs hold the link; they go before it.
    clockForm_.reset();
    infoForm_.reset();
    firmware_.reset();
    comm_.reset();
    progressDlg_.reset();
    dataModule_.Kom().ClosePort();
}

void TTerminalCommands::SetLinkSettings(const Settings& settings) {
    comPort_ = settings.comPort;
    ascii_ = settings.ascii;
    kom().SetSettings(TLinkSettings{settings.ascii, settings.comDelay, settings.portName});
}

std::unique_ptr<SerialPort> TTerminalCommands::MakePort(const std::string& deviceName) {
    return portFactory_ ? portFactory_(deviceName) : nullptr;
}

int TTerminalCommands::SimDefaultType() const {
    if (TKyrFileForm* form = mainForm_.activeProjectWindow()) return form->project().TermType();
    return ascii_ ? FirstLumType : FirstKyrType;
}

int TTerminalCommands::runModal(QDialog& dialog) { return modalRunner_(dialog); }

void TTerminalCommands::SetLanguageTexts() {
    progressDlg_->SetLanguageTexts();
    infoForm_->SetLanguageTexts();
    clockForm_->SetLanguageTexts();
}

// ---- the job dispatcher and the idle pass ----------------------------------------------------

void TTerminalCommands::CommTimerTimer() { comm_->JobStep(); }

void TTerminalCommands::IdlePass() {
    if (infoForm_->isVisible()) infoForm_->Refresh();
    if (clockForm_->isVisible()) clockForm_->Refresh();
    clockForm_->IdlePass();
    TJobEnd end = comm_->IdlePass();
    if (end.uploaded) mainForm_.CreateProjectWindow(std::move(end.uploaded));
}

bool TTerminalCommands::PrepareForDialog() {
    if (comm_->Phase() == jpFailed || comm_->Phase() == jpFinished) IdlePass();
    if (comm_->Phase() != jpIdle) {
        dialogs().beep();
        return false;
    }
    clockForm_->KeepPort();
    return true;
}

// ---- info and clock --------------------------------------------------------------------------

void TTerminalCommands::KyrInfoItemClick() {
    if (!PrepareForDialog() || !OpenPortOrReport(kom(), comPort_)) return;
    infoForm_->SetLanguageTexts();
    infoForm_->Open();
    runModal(*infoForm_);
}

void TTerminalCommands::KyrClockItemClick() {
    if (!PrepareForDialog() || !OpenPortOrReport(kom(), comPort_)) return;
    clockForm_->SetLanguageTexts();
    clockForm_->Open();
    runModal(*clockForm_);
}

// ---- transfer jobs ---------------------------------------------------------------------------

void TTerminalCommands::RunJob() {
    progressDlg_->SetLanguageTexts();
    runModal(*progressDlg_);
}

void TTerminalCommands::StartOnActiveProject(bool verify) {
    if (comm_->Phase() != jpIdle) {
        dialogs().beep();
        return;
    }
    clockForm_->KeepPort();
    TKyrFileForm* form = mainForm_.activeProjectWindow();
    if (form && !form->StoreAll()) return;
    TKyrData* project = form ? &form->project() : nullptr;
    const bool started =
        verify ? comm_->StartVerify(project, comPort_) : comm_->StartDownload(project, comPort_);
    if (started) RunJob();
}

void TTerminalCommands::KyrDownloadItemClick() { StartOnActiveProject(false); }

void TTerminalCommands::KyrVerifyItemClick() { StartOnActiveProject(true); }

void TTerminalCommands::KyrUploadItemClick() {
    if (comm_->Phase() != jpIdle) {
        dialogs().beep();
        return;
    }
    if (!mainForm_.CheckWindowLimit()) return;
    clockForm_->KeepPort();
    if (!comm_->StartUpload(TKyrData::ForUpload(uploadCount_), comPort_)) return;
    ++uploadCount_;
    RunJob();
}

// ---- firmware --------------------------------------------------------------------------------

void TTerminalCommands::FirmwareClick(TFirmwareSeries series) {
    if (comm_->Phase() != jpIdle) {
        dialogs().beep();
        return;
    }
    TFileInfoDlg& dlg = mainForm_.fileDlg();
    dlg.setMode(series == TFirmwareSeries::Lum ? TFileInfoDlg::Mode::FirmwareLum
                                               : TFileInfoDlg::Mode::FirmwareM);
    dlg.setMask("*.hex");
    dlg.setFileName("*.hex");
    const int chosen = runModal(dlg);
    dlg.setMask("*.kyr");
    if (chosen != QDialog::Accepted || !dlg.isValid()) return;
    clockForm_->KeepPort();
    if (firmware_->Start(series, dlg.fullFileName().toStdString(), comPort_)) RunJob();
}

void TTerminalCommands::FirmwareMItemClick() { FirmwareClick(TFirmwareSeries::KyrSeriesM); }

void TTerminalCommands::FirmwareLumItemClick() { FirmwareClick(TFirmwareSeries::Lum); }

}  // namespace kyr

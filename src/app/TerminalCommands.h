#pragma once

#include <QObject>
#include <functional>
#include <memory>

#include "link/CommDataModule.h"
#include "link/FirmwareFile.h"
#include "link/FirmwareJob.h"
#include "link/KyrComm.h"
#include "qt/Settings.h"
#include "sim/SimTerminalPool.h"

class QDialog;
class QTimer;

namespace kyr {

class TKyrClockForm;
class TKyrInfoForm;
class TMainMDIForm;
class TProgressDlg;

// The main window's terminal side: the communication data module with its link engine and
// KomTimer, the job dispatcher's CommTimer, the transfer and firmware jobs, the progress,
// info and clock dialogs, and the simulated terminals behind the "sim:" device names.
class TTerminalCommands : public QObject {
    Q_OBJECT
public:
    static constexpr int KomInterval = 50;
    static constexpr int CommInterval = 50;

    // How a modal dialog is shown; exec() unless a test puts another way in.
    using ModalRunner = std::function<int(QDialog&)>;

    explicit TTerminalCommands(TMainMDIForm& mainForm);
    ~TTerminalCommands() override;

    // The link settings of kyr.ini (ascii, comDelay, comPort, portName).
    void SetLinkSettings(const Settings& settings);
    // The port for a device name: the simulated terminals for "sim:" names, otherwise the
    // PC's serial port. Replacing it takes effect when the link next makes a port.
    void SetPortFactory(TPortFactory factory) { portFactory_ = std::move(factory); }
    void SetModalRunner(ModalRunner runner) { modalRunner_ = std::move(runner); }

    // The commands of the KYR and File menus.
    void KyrInfoItemClick();
    void KyrClockItemClick();
    void KyrUploadItemClick();
    void KyrVerifyItemClick();
    void KyrDownloadItemClick();
    void FirmwareMItemClick();
    void FirmwareLumItemClick();

    // The timers' handlers.
    void KomTimerTimer() { dataModule_.KomTimerTimer(); }
    void CommTimerTimer();
    // The application's idle pass: refreshes the visible info or clock dialog and ends a
    // finished or failed job (port closed, an uploaded project opened in a new window).
    void IdlePass();

    void SetLanguageTexts();

    TCommDataModule& dataModule() { return dataModule_; }
    TMKom& kom() { return dataModule_.Kom(); }
    TKyrComm& comm() { return *comm_; }
    TFirmwareJob& firmwareJob() { return *firmware_; }
    sim::SimTerminalPool& simTerminals() { return simTerminals_; }
    TProgressDlg& progressDlg() const { return *progressDlg_; }
    TKyrInfoForm& infoForm() const { return *infoForm_; }
    TKyrClockForm& clockForm() const { return *clockForm_; }
    QTimer* komTimer() const { return komTimer_; }
    QTimer* commTimer() const { return commTimer_; }
    // The type "sim:" plays: the active project's, else the first type of the link's family.
    int SimDefaultType() const;

private:
    std::unique_ptr<SerialPort> MakePort(const std::string& deviceName);
    int runModal(QDialog& dialog);
    // A job may still wait for its idle pass: it is tidied up before a dialog takes the port.
    bool PrepareForDialog();
    void StartOnActiveProject(bool verify);
    void FirmwareClick(TFirmwareSeries series);
    void RunJob();

    TMainMDIForm& mainForm_;
    int comPort_ = 1;
    bool ascii_ = true;
    int uploadCount_ = 0;
    ModalRunner modalRunner_;
    TPortFactory portFactory_;

    // Declared first, gone last: the link's port may reach a simulated terminal.
    sim::SimTerminalPool simTerminals_;
    TCommDataModule dataModule_;
    std::unique_ptr<TProgressDlg> progressDlg_;
    std::unique_ptr<TKyrComm> comm_;
    std::unique_ptr<TFirmwareJob> firmware_;
    std::unique_ptr<TKyrInfoForm> infoForm_;
    std::unique_ptr<TKyrClockForm> clockForm_;
    QTimer* komTimer_;
    QTimer* commTimer_;
};

}  // namespace kyr

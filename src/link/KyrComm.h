#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "link/Comm.h"
#include "link/JobLink.h"
#include "link/JobState.h"
#include "link/LinkStep.h"
#include "link/ProgressView.h"
#include "link/ScreenTransfer.h"
#include "link/TerminalLists.h"
#include "link/Timeout.h"
#include "model/Texts.h"
#include "model/UserDialog.h"

namespace kyr {

class TKyrData;

// What a finished job leaves for the idle pass.
struct TJobEnd {
    bool ended = false;    // a job had ended and has now been tidied up
    bool success = false;  // it ended in phase 2
    // After a successful upload: the new project, for a project window. Null otherwise.
    std::unique_ptr<TKyrData> uploaded;
};

// How the last job came out, for the command line's exit status.
struct TJobOutcome {
    bool success = false;
    bool partial = false;
    bool cancelled = false;
    bool identical = true;  // verify: no difference found
};

// The transfer jobs (download, upload, verify) and the job machinery the firmware job shares:
// one job at a time, stepped by JobStep on every 50 ms job tick, shown by a progress view.
class TKyrComm {
public:
    // Sub-step results of partial transfers.
    enum TResultCode : std::uint8_t {
        rcErrors = 0,
        rcBadScreenNumber = 1,
        rcBadCharSet = 2,
        rcUnknownFormat = 3,
    };

    TKyrComm(TMKom& kom, TProgressView& progress);
    TKyrComm(const TKyrComm&) = delete;
    TKyrComm& operator=(const TKyrComm&) = delete;
    ~TKyrComm();

    void SetProgressView(TProgressView& progress) { progress_ = &progress; }
    TMKom& Kom() { return *kom_; }

    // --- starting (refused with a beep while a job has not been tidied up) ------------------
    // True when the job runs: the caller then shows the progress view modally.
    bool StartDownload(TKyrData* project, int comPort);
    bool StartVerify(TKyrData* project, int comPort);
    // `fresh` is the new, empty project the upload fills.
    bool StartUpload(std::unique_ptr<TKyrData> fresh, int comPort);

    // --- running ----------------------------------------------------------------------------
    // One job tick: nothing while the port is closed or a job's message box is open.
    void JobStep();
    // The progress view was closed with Cancel.
    void CancelByUser();
    // The application's idle pass: after a job ended (phase 1 or 2) closes the port, hands
    // over the uploaded project (or discards it) and returns to phase 0.
    TJobEnd IdlePass();

    TJobPhase Phase() const { return phase_; }
    const TJobFlags& Flags() const { return flags_; }
    bool Running() const { return flags_.Any(); }
    const TJobOutcome& Outcome() const { return outcome_; }

    // --- what the job learnt ----------------------------------------------------------------
    const TTerminalStatus& Terminal() const { return terminal_; }
    const TFirmwareVersion& Firmware() const { return firmware_; }
    const TToolVersions& ToolVersions() const { return toolVersions_; }
    std::uint32_t FreeBefore() const { return freeBefore_; }
    std::uint32_t FreeAfter() const { return freeAfter_; }
    // The memory the last download occupied, and its share of the useable memory.
    std::uint32_t Used() const { return used_; }
    int UsedPercent() const { return usedPercent_; }
    bool Partial() const { return partial_; }
    std::uint8_t ResultCode() const { return resultCode_; }
    bool ProgramFlash() const { return flash_; }
    // Request and reply bytes of the completed requests of the current or last job.
    std::uint64_t PayloadBytes() const { return link_.PayloadBytes(); }
    TTimeout& Timeout() { return timeout_; }

    // --- for the firmware job ---------------------------------------------------------------
    // Starts a job: refused with a beep unless the phase is 0; opens the port; resets the
    // time-out, result and message state; sets the flag, title, gauge and `phase`.
    bool BeginJob(TJobFlags flags, const Text3& title, int comPort, TJobPhase phase);
    // The firmware job's tick, called by JobStep while the firmware flag is set.
    void SetFirmwareStep(std::function<void()> step) { firmwareStep_ = std::move(step); }
    // Closes an open firmware file when a job is aborted.
    void SetFirmwareClose(std::function<void()> close) { firmwareClose_ = std::move(close); }
    void SetPhase(TJobPhase phase) { phase_ = phase; }
    void SetPercent(int percent);
    // A job's error box ("ERROR"), then the job ends in phase 1.
    void EndWithError(std::string_view text);
    // The job ends in phase 2 (the result message is the caller's).
    void EndSuccess();
    // The job ends in phase 1 without a further message.
    void EndFailed();
    // Shows a job's message box; JobStep does nothing meanwhile.
    void ShowMessage(MsgKind kind, std::string_view title, std::string_view text);
    Answer AskOkCancel(std::string_view text);

private:
    using Handler = void (TKyrComm::*)();
    struct PhaseHandlers {
        Handler start;
        Handler step;
    };
    static const std::array<PhaseHandlers, jpLumScreens + 1>& phaseTable();

    void GoTo(TJobPhase phase);
    void TimeoutAbort();
    bool StartTransfer(TJobFlags flags, const Text3& title, int comPort);
    bool StartOnProject(TKyrData* project, TJobFlags flags, const Text3& title, int comPort);
    void ShowResult(bool download);
    void SetPartial(std::uint8_t code);

    // Phases shared by the three jobs (KyrComm.cpp).
    void StartStatus();
    void StepStatus();
    void StartVersion();
    void StepVersion();
    void StartToolVersion();
    void StepToolVersion();
    bool StatusRefusesDownload();
    bool StatusRefusesUpload();
    void AfterCompatibility();

    // Download, KYR family (DownloadKyr.cpp).
    void StartClear();
    void StepClear();
    void StartMemorySize();
    void StepMemorySize();
    void StartSetupWrite();
    void StepSetupWrite();
    void StartCommWrite();
    void StepCommWrite();
    void StartExdDownload();
    void StepExdDownload();
    bool ExdWriteNext();
    bool ExdRemoveNext();
    void StartScreenDownload();
    void StepScreenDownload();
    void ScreenDownloadNext();
    void ScreenDeleteNext();
    bool ScreenWritten();
    void StartMemorySizeEnd();
    void StepMemorySizeEnd();

    // Download, LUM family (DownloadLum.cpp).
    void StartLumStart();
    void StepLumStart();
    void StartLumStructure();
    void StepLumStructure();
    void StartLumProtocols();
    void StepLumProtocols();
    void StartLumSetup();
    void StepLumSetup();
    void StartLumComm();
    void StepLumComm();
    void StartLumScreens();
    void StepLumScreens();
    void StartLumBlock();

    // Upload and verify (UploadVerify.cpp).
    void StartSetupRead();
    void StepSetupRead();
    void StartCommRead();
    void StepCommRead();
    void StartExdUpload();
    void StepExdUpload();
    void StartScreenUpload();
    void StepScreenUpload();
    void ScreenUploadNext();
    bool Different(std::string_view text);
    void FinishUpload();
    void FinishVerify();

    void NoStart() {}
    void NoStep() {}

    TMKom* kom_;
    TProgressView* progress_;
    TTimeout timeout_;
    TJobLink link_;

    // --- job state ---
    TJobFlags flags_;
    TJobPhase phase_ = jpIdle;
    int messagePending_ = 0;
    TJobOutcome outcome_;
    TKyrData* project_ = nullptr;             // download, verify: the active project
    std::unique_ptr<TKyrData> uploaded_;      // upload: the project being filled
    std::function<void()> firmwareStep_;
    std::function<void()> firmwareClose_;

    TTerminalStatus terminal_;
    TFirmwareVersion firmware_;
    TToolVersions toolVersions_;
    bool flash_ = false;
    std::uint32_t freeBefore_ = 0;
    std::uint32_t freeAfter_ = 0;
    std::uint32_t used_ = 0;  // bytes of the download, for the result message
    int usedPercent_ = 0;
    bool partial_ = false;
    std::uint8_t resultCode_ = rcErrors;

    // Requests, one status each.
    TLinkStep request_;
    bool clearSent_ = false;

    // EXD tables.
    enum class ExdStage { Reading, Writing, Sending, Removing, RemoveSending, Done };
    ExdStage exdStage_ = ExdStage::Done;
    TExdListReader exdReader_;
    int exdIndex_ = 0;
    std::size_t exdRemoved_ = 0;
    std::size_t exdRemoveAt_ = 0;

    // Screens.
    enum class ScreenStage { List, Next, Compare, Write, Delete, DeleteWrite, Done };
    ScreenStage screenStage_ = ScreenStage::Done;
    TScreenListReader screenList_;
    TScreenReader screenReader_;
    TScreenWriter screenWriter_;
    int screenIndex_ = 0;
    int screenNumber_ = 0;
    Bytes screenImage_;
    std::size_t deleteAt_ = 0;
    std::size_t deleted_ = 0;

    // LUM memory structure and screen buffer.
    std::array<std::uint16_t, 5> lumStructure_{};
    Bytes lumBuffer_;
    std::size_t lumOffset_ = 0;
    std::size_t lumBlock_ = 0;
};

// The LUM screen buffer's capacity.
inline constexpr std::size_t LumScreenBuffer = 24000;

}  // namespace kyr

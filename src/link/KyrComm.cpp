// The job machinery: starting, the dispatcher, ending, Cancel, the idle pass, and the phases
// every transfer job begins with (status, version, tool version).
#include "link/KyrComm.h"

#include <algorithm>

#include "link/CommDataModule.h"
#include "link/JobTexts.h"
#include "model/DataClass.h"
#include "model/UserDialog.h"
#include "model/Version.h"

namespace kyr {

TKyrComm::TKyrComm(TMKom& kom, TProgressView& progress)
    : kom_(&kom), progress_(&progress), link_(kom, timeout_) {
    timeout_.SetAbortAction([this] { TimeoutAbort(); });
}

TKyrComm::~TKyrComm() = default;

const std::array<TKyrComm::PhaseHandlers, jpLumScreens + 1>& TKyrComm::phaseTable() {
    static const std::array<PhaseHandlers, jpLumScreens + 1> table{{
        {&TKyrComm::NoStart, &TKyrComm::NoStep},  // 0
        {&TKyrComm::NoStart, &TKyrComm::NoStep},  // 1
        {&TKyrComm::NoStart, &TKyrComm::NoStep},  // 2
        {&TKyrComm::StartStatus, &TKyrComm::StepStatus},
        {&TKyrComm::StartVersion, &TKyrComm::StepVersion},
        {&TKyrComm::StartToolVersion, &TKyrComm::StepToolVersion},
        {&TKyrComm::StartClear, &TKyrComm::StepClear},
        {&TKyrComm::StartMemorySize, &TKyrComm::StepMemorySize},
        {&TKyrComm::StartSetupWrite, &TKyrComm::StepSetupWrite},  // 8, swapped for reading
        {&TKyrComm::StartCommWrite, &TKyrComm::StepCommWrite},    // 9, swapped for reading
        {&TKyrComm::StartExdDownload, &TKyrComm::StepExdDownload},
        {&TKyrComm::StartScreenDownload, &TKyrComm::StepScreenDownload},
        {&TKyrComm::StartMemorySizeEnd, &TKyrComm::StepMemorySizeEnd},
        {&TKyrComm::StartLumStart, &TKyrComm::StepLumStart},
        {&TKyrComm::StartLumStructure, &TKyrComm::StepLumStructure},
        {&TKyrComm::StartLumProtocols, &TKyrComm::StepLumProtocols},
        {&TKyrComm::StartLumSetup, &TKyrComm::StepLumSetup},
        {&TKyrComm::StartLumComm, &TKyrComm::StepLumComm},
        {&TKyrComm::StartLumScreens, &TKyrComm::StepLumScreens},
    }};
    return table;
}

void TKyrComm::GoTo(TJobPhase phase) {
    phase_ = phase;
    if (!isTransferPhase(phase)) return;
    const bool reading = flags_.upload || flags_.verify;
    switch (phase) {
        case jpSetup: reading ? StartSetupRead() : StartSetupWrite(); return;
        case jpCommTable: reading ? StartCommRead() : StartCommWrite(); return;
        case jpExdTables: reading ? StartExdUpload() : StartExdDownload(); return;
        case jpScreens: reading ? StartScreenUpload() : StartScreenDownload(); return;
        default: (this->*phaseTable()[phase].start)();
    }
}

// ---- starting -------------------------------------------------------------------------------

bool TKyrComm::BeginJob(TJobFlags flags, const Text3& title, int comPort, TJobPhase phase) {
    if (phase_ != jpIdle) {
        dialogs().beep();
        return false;
    }
    if (!OpenPortOrReport(*kom_, comPort)) return false;
    timeout_.Reset();
    link_.ResetPayload();
    flags_ = flags;
    progress_->SetTitle(tr(title));
    progress_->SetGaugeColor(TGaugeColor::Green);
    progress_->SetPercent(0);
    partial_ = false;
    resultCode_ = rcErrors;
    messagePending_ = 0;
    outcome_ = {};
    GoTo(phase);
    return true;
}

bool TKyrComm::StartTransfer(TJobFlags flags, const Text3& title, int comPort) {
    terminal_ = {};
    firmware_ = {};
    toolVersions_ = {};
    flash_ = false;
    freeBefore_ = freeAfter_ = used_ = 0;
    usedPercent_ = 0;
    return BeginJob(flags, title, comPort, jpStatus);
}

// Download and verify work on the active project; it must be there before anything starts.
bool TKyrComm::StartOnProject(TKyrData* project, TJobFlags flags, const Text3& title,
                              int comPort) {
    if (phase_ != jpIdle) {
        dialogs().beep();
        return false;
    }
    if (project == nullptr) {
        showError(tr(texts::NoKyrDataSelected));
        return false;
    }
    project_ = project;
    if (StartTransfer(flags, title, comPort)) return true;
    project_ = nullptr;
    return false;
}

bool TKyrComm::StartDownload(TKyrData* project, int comPort) {
    TJobFlags flags;
    flags.download = true;
    return StartOnProject(project, flags, texts::JobTitleDownload, comPort);
}

bool TKyrComm::StartVerify(TKyrData* project, int comPort) {
    TJobFlags flags;
    flags.verify = true;
    return StartOnProject(project, flags, texts::JobTitleVerify, comPort);
}

bool TKyrComm::StartUpload(std::unique_ptr<TKyrData> fresh, int comPort) {
    if (phase_ != jpIdle) {
        dialogs().beep();
        return false;
    }
    if (!fresh) return false;
    uploaded_ = std::move(fresh);
    project_ = uploaded_.get();
    TJobFlags flags;
    flags.upload = true;
    if (StartTransfer(flags, texts::JobTitleUpload, comPort)) return true;
    uploaded_.reset();
    project_ = nullptr;
    return false;
}

// ---- running --------------------------------------------------------------------------------

void TKyrComm::JobStep() {
    if (!kom_->IsPortOpen() || messagePending_ != 0) return;
    if (flags_.firmware) {
        if (const Text3* label = PhaseLabelText(phase_, false)) progress_->SetLabel(tr(*label));
        if (firmwareStep_) firmwareStep_();
        return;
    }
    if (!(flags_.upload || flags_.download || flags_.verify) || !isTransferPhase(phase_)) return;
    progress_->SetLabel(PhaseLabel(phase_, flash_));
    const bool reading = flags_.upload || flags_.verify;
    switch (phase_) {
        case jpSetup: reading ? StepSetupRead() : StepSetupWrite(); return;
        case jpCommTable: reading ? StepCommRead() : StepCommWrite(); return;
        case jpExdTables: reading ? StepExdUpload() : StepExdDownload(); return;
        case jpScreens: reading ? StepScreenUpload() : StepScreenDownload(); return;
        default: (this->*phaseTable()[phase_].step)();
    }
}

void TKyrComm::SetPercent(int percent) { progress_->SetPercent(std::clamp(percent, 0, 100)); }

void TKyrComm::ShowMessage(MsgKind kind, std::string_view title, std::string_view text) {
    ++messagePending_;
    dialogs().message(kind, title, text);
    --messagePending_;
}

Answer TKyrComm::AskOkCancel(std::string_view text) {
    ++messagePending_;
    const Answer a =
        dialogs().question(MsgKind::Error, tr(texts::TitleError), text, Buttons::OkCancel);
    --messagePending_;
    return a;
}

// ---- ending ---------------------------------------------------------------------------------

void TKyrComm::EndFailed() {
    flags_.Clear();
    phase_ = jpFailed;
    outcome_.success = false;
    progress_->Close(TModalResult::Abort);
}

void TKyrComm::EndWithError(std::string_view text) {
    ShowMessage(MsgKind::Error, tr(texts::TitleError), text);
    EndFailed();
}

void TKyrComm::EndSuccess() {
    flags_.Clear();
    phase_ = jpFinished;
    outcome_.success = true;
    outcome_.partial = partial_;
    progress_->Close(TModalResult::Ok);
}

void TKyrComm::TimeoutAbort() {
    flags_.Clear();
    if (firmwareClose_) firmwareClose_();
    phase_ = jpFailed;
    outcome_.success = false;
    ShowMessage(MsgKind::Error, tr(texts::TitleError), tr(texts::TransmissionFailed));
    progress_->Close(TModalResult::Abort);
}

void TKyrComm::CancelByUser() {
    if (!flags_.Any()) return;
    const bool verify = flags_.verify;
    flags_.Clear();
    if (firmwareClose_) firmwareClose_();
    phase_ = jpFailed;
    outcome_.success = false;
    outcome_.cancelled = true;
    ShowMessage(MsgKind::Error, tr(texts::TitleError),
                tr(verify ? texts::VerificationAborted : texts::TransmissionAborted));
    progress_->SetPercent(0);
    progress_->SetGaugeColor(TGaugeColor::Green);
}

TJobEnd TKyrComm::IdlePass() {
    TJobEnd end;
    if (phase_ != jpFailed && phase_ != jpFinished) return end;
    end.ended = true;
    end.success = phase_ == jpFinished;
    kom_->ClosePort();
    if (end.success && uploaded_) end.uploaded = std::move(uploaded_);
    uploaded_.reset();
    project_ = nullptr;
    phase_ = jpIdle;
    return end;
}

void TKyrComm::SetPartial(std::uint8_t code) {
    partial_ = true;
    resultCode_ = code;
}

void TKyrComm::ShowResult(bool download) {
    const std::string_view title = tr(texts::TitleDone);
    if (partial_) {
        const Text3* text = &texts::PartialErrors;
        if (resultCode_ == rcBadScreenNumber) text = &texts::PartialBadNumber;
        if (resultCode_ == rcBadCharSet) text = &texts::PartialBadCharset;
        if (resultCode_ == rcUnknownFormat) text = &texts::PartialUnknownFormat;
        ShowMessage(MsgKind::Warning, title, tr(*text));
        return;
    }
    std::string text(tr(texts::TransferSuccess));
    if (download) {
        text += '\n';
        text += tr(texts::Occupied);
        text += std::to_string(used_);
        text += tr(texts::BytesIe);
        text += std::to_string(usedPercent_);
        text += tr(texts::PercentOfMemory);
    }
    ShowMessage(MsgKind::Information, title, text);
}

// ---- phase 3: status ------------------------------------------------------------------------

void TKyrComm::StartStatus() {
    const std::uint8_t request[] = {0xB0};
    request_.Start(request, 3);
}

bool TKyrComm::StatusRefusesDownload() {
    if (!terminal_.Known()) {
        EndWithError(tr(texts::UnknownKyrType));
        return true;
    }
    if (terminal_.selector == SelectorMem &&
        (!terminal_.AuxWriteEnabled() || terminal_.EpromFitted())) {
        EndWithError(tr(texts::AuxMemoryNotWriteable));
        return true;
    }
    if (terminal_.type != project_->TermType()) {
        EndWithError(tr(texts::TypeMismatch));
        return true;
    }
    return false;
}

bool TKyrComm::StatusRefusesUpload() {
    if (flags_.upload) project_->SetTermType(terminal_.type);
    if (!terminal_.Known()) {
        EndWithError(tr(texts::UnknownKyrType));
        return true;
    }
    if (terminal_.IsLum()) {
        EndWithError(tr(texts::UploadNotSupported));
        return true;
    }
    if (terminal_.NoValidData()) {
        EndWithError(tr(texts::NoValidData));
        return true;
    }
    return false;
}

void TKyrComm::StepStatus() {
    if (!link_.Await(request_)) return;
    terminal_ = DecodeStatus(request_.Reply(), kom_->Settings().ascii);
    flash_ = ProgramIsFlash(project_->TermFamily(), terminal_);
    const bool refused = flags_.download ? StatusRefusesDownload() : StatusRefusesUpload();
    if (!refused) GoTo(jpVersion);
}

// ---- phase 4: firmware version --------------------------------------------------------------

void TKyrComm::StartVersion() {
    const std::uint8_t request[] = {0xAC};
    request_.Start(request, link::VariableReply);
}

void TKyrComm::StepVersion() {
    if (!link_.Await(request_)) return;
    firmware_ = DecodeVersion(request_.Reply());
    if (firmware_.level == TFirmwareVersion::Unknown) {
        GoTo(jpToolVersion);
        return;
    }
    if (!flags_.download) {
        GoTo(jpSetup);
        return;
    }
    const int required = project_->RequiredFirmware();
    if (required > firmware_.level) {
        EndWithError(std::string(tr(texts::OldFirmware)) + FormatVersion(required));
        return;
    }
    GoTo(jpClear);
}

// ---- phase 5: minimum tool versions ---------------------------------------------------------

void TKyrComm::StartToolVersion() {
    const std::uint8_t request[] = {0xB9};
    request_.Start(request, link::VariableReply);
}

void TKyrComm::StepToolVersion() {
    if (!link_.Await(request_)) return;
    // A reply too short for both numbers names no requirement.
    toolVersions_ = DecodeToolVersions(request_.Reply(), terminal_.IsLum()).value_or(TToolVersions{});
    const int needed = flags_.download ? toolVersions_.download : toolVersions_.uploadVerify;
    if (needed > ProgramVersion) {
        EndWithError(std::string(tr(texts::OldTool)) + FormatVersion(needed));
        return;
    }
    GoTo(flags_.download ? jpClear : jpSetup);
}

}  // namespace kyr

// The KYR Series M firmware update: BOOT version, switch to BOOT, communication test,
// erase, data frames, the description frame and the end of programming.
#include <algorithm>

#include "link/FirmwareJob.h"
#include "link/JobTexts.h"
#include "model/UserDialog.h"

namespace kyr {

namespace {

constexpr TJobPhase jpCommTest = static_cast<TJobPhase>(19);
constexpr TJobPhase jpBootSwitch = static_cast<TJobPhase>(21);
constexpr TJobPhase jpErase = static_cast<TJobPhase>(22);
constexpr TJobPhase jpEraseWait = static_cast<TJobPhase>(23);
constexpr TJobPhase jpProgram = static_cast<TJobPhase>(24);

constexpr std::uint8_t FlashWriteError = 0xFF;
constexpr std::uint8_t DescriptionPage = 7;
constexpr std::uint16_t DescriptionAddress = 0xFFC0;

}  // namespace

void TFirmwareJob::StepBootVersion() {
    if (link_.Await(bootVersion_)) GoTo(jpBootSwitch);
}

void TFirmwareJob::StepBootSwitch() {
    if (bootSwitch_.Status() == rsPending) {
        dialogs().beep();
    } else {
        const std::uint8_t request[] = {link::CmdBootSwitch, 0x01};
        bootSwitch_.Start(request, link::AckReply);
        bootSwitch_.Send(comm_->Kom());
    }
    GoTo(jpCommTest);
}

void TFirmwareJob::StepCommTest() {
    if (link_.Await(commTest_)) GoTo(jpErase);
}

void TFirmwareJob::StepErase() {
    erase_.Send(comm_->Kom());
    GoTo(jpEraseWait);
}

void TFirmwareJob::StepEraseWait() {
    // The erase may keep the loader silent for a while: waiting does not count, but an
    // erase that every link attempt failed to reach counts, so a dead line ends the job.
    if (erase_.Status() == rsFailed) comm_->Timeout().Tick();
    if (!Running()) return;
    if (!link_.AwaitUncounted(erase_)) return;
    frameSent_ = false;
    GoTo(jpProgram);
}

void TFirmwareJob::SendFrame(const Bytes& request) {
    frame_.Start(request, 1);
    frame_.Send(comm_->Kom());
    frameSent_ = true;
}

// The verdict on the frame last sent; true when the next one may go.
bool TFirmwareJob::FrameAnswered() {
    if (!frameSent_) return true;
    if (frame_.Status() == rsFailed) {
        Fail(tr(texts::TransmissionFailed));
        return false;
    }
    if (frame_.Status() == rsDone && !frame_.Reply().empty() &&
        frame_.Reply()[0] == FlashWriteError) {
        Fail(tr(texts::ErrorWritingFlash));
        return false;
    }
    return link_.Await(frame_);
}

void TFirmwareJob::StepProgram() {
    if (finishing_) {
        StepFinish();
        return;
    }
    if (!FrameAnswered()) return;
    TFirmwareFrame frame;
    switch (frames_.Next(frame)) {
        case TFirmwareFrameBuilder::TStatus::Frame:
            SendFrame(frame.Request());
            comm_->SetPercent(frames_.Percent());
            return;
        case TFirmwareFrameBuilder::TStatus::BadLine:
            CloseFile();
            result_ = TFirmwareResult::Partial;
            comm_->ShowMessage(MsgKind::Warning, tr(texts::TitleDone), tr(texts::PartialErrors));
            comm_->EndFailed();
            return;
        case TFirmwareFrameBuilder::TStatus::End: QueueFinish(); return;
    }
}

void TFirmwareJob::QueueFinish() {
    const std::string& text = description_.kyrDescription;
    TFirmwareFrame description;
    description.page = DescriptionPage;
    description.address = DescriptionAddress;
    description.data.assign(text.begin(),
                            text.begin() + static_cast<std::ptrdiff_t>(
                                               std::min(text.size(), DescriptionFrameText)));
    description.data.push_back(0);
    CloseFile();
    SendFrame(description.Request());
    const std::uint8_t end[] = {0xAA};
    endProgramming_.Start(end, link::AckReply);
    endProgramming_.Send(comm_->Kom());
    finishing_ = true;
}

// The description frame and the end of programming are answered before the job reports
// success, so the port is not closed under them.
void TFirmwareJob::StepFinish() {
    if (!FrameAnswered()) return;
    frameSent_ = false;
    if (!link_.Await(endProgramming_)) return;
    Succeed();
}

}  // namespace kyr

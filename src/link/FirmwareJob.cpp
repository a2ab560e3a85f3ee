// The firmware job: starting, the dispatcher with its busy flag, ending.
#include "link/FirmwareJob.h"

#include <fstream>
#include <iterator>

#include "image/HexTexts.h"
#include "link/FirmwareTexts.h"
#include "link/JobTexts.h"
#include "model/UserDialog.h"

namespace kyr {

namespace {

constexpr TJobPhase jpCommTest = static_cast<TJobPhase>(19);
constexpr TJobPhase jpBootVersion = static_cast<TJobPhase>(20);
constexpr TJobPhase jpBootSwitch = static_cast<TJobPhase>(21);
constexpr TJobPhase jpErase = static_cast<TJobPhase>(22);
constexpr TJobPhase jpEraseWait = static_cast<TJobPhase>(23);
constexpr TJobPhase jpProgram = static_cast<TJobPhase>(24);
constexpr TJobPhase jpLumBoot = static_cast<TJobPhase>(25);
constexpr TJobPhase jpLumErase = static_cast<TJobPhase>(26);
constexpr TJobPhase jpLumProgram = static_cast<TJobPhase>(27);

// Clears the busy flag however the step ends.
struct BusyGuard {
    explicit BusyGuard(bool& flag) : flag_(flag) { flag_ = true; }
    ~BusyGuard() { flag_ = false; }
    bool& flag_;
};

}  // namespace

TFirmwareJob::TFirmwareJob(TKyrComm& comm)
    : comm_(&comm), link_(comm.Kom(), comm.Timeout()) {
    comm_->SetFirmwareStep([this] { FirmwareStep(); });
    comm_->SetFirmwareClose([this] { CloseFile(); });
}

TFirmwareJob::~TFirmwareJob() {
    comm_->SetFirmwareStep({});
    comm_->SetFirmwareClose({});
}

bool TFirmwareJob::Start(TFirmwareSeries series, const std::filesystem::path& file,
                         int comPort) {
    if (comm_->Phase() != jpIdle) {
        dialogs().beep();
        return false;
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        showError(std::string(tr(texts::CannotOpenHexFile)) + file.string());
        return false;
    }
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return StartText(series, text, comPort);
}

bool TFirmwareJob::StartText(TFirmwareSeries series, std::string_view fileText, int comPort) {
    if (comm_->Phase() != jpIdle) {
        dialogs().beep();
        return false;
    }
    TFirmwareDescription description = DescribeFirmware(fileText, series);
    if (!description.recognised) {
        showError(description.text);
        return false;
    }
    FirmwareImage image;
    // The LUM loader erases its flash before the first record: a file that cannot be read
    // whole is refused before anything is sent.
    if (series == TFirmwareSeries::Lum && !readHexText(fileText, image).ok()) return false;

    result_ = TFirmwareResult::None;
    started_ = false;
    TJobFlags flags;
    flags.firmware = true;
    const TJobPhase first = series == TFirmwareSeries::KyrSeriesM ? jpBootVersion : jpLumBoot;
    if (!comm_->BeginJob(flags, texts::JobTitleFirmware, comPort, first)) return false;
    series_ = series;
    description_ = std::move(description);
    image_ = std::move(image);
    frames_ = TFirmwareFrameBuilder(SplitLines(fileText));
    fileOpen_ = true;
    started_ = true;
    frameSent_ = finishing_ = false;
    link_.ResetPayload();
    GoTo(first);
    return true;
}

void TFirmwareJob::CloseFile() {
    frames_ = TFirmwareFrameBuilder();
    image_ = FirmwareImage();
    fileOpen_ = false;
}

void TFirmwareJob::GoTo(TJobPhase phase) {
    comm_->SetPhase(phase);
    comm_->Timeout().Reset();
    switch (static_cast<int>(phase)) {
        case jpBootVersion: {
            const std::uint8_t request[] = {0xA8};
            bootVersion_.Start(request, 5);
            return;
        }
        case jpCommTest: {
            const std::uint8_t request[] = {0xB0};
            commTest_.Start(request, 2);
            return;
        }
        case jpErase: {
            const std::uint8_t request[] = {0xB1, 0x01, 0xFE, 0x5A, 0xA6};
            erase_.Start(request, link::AckReply);
            return;
        }
        default: return;
    }
}

void TFirmwareJob::FirmwareStep() {
    if (busy_ || !Running()) return;
    const BusyGuard guard(busy_);
    switch (static_cast<int>(comm_->Phase())) {
        case jpBootVersion: StepBootVersion(); return;
        case jpBootSwitch: StepBootSwitch(); return;
        case jpCommTest: StepCommTest(); return;
        case jpErase: StepErase(); return;
        case jpEraseWait: StepEraseWait(); return;
        case jpProgram: StepProgram(); return;
        case jpLumBoot: StepLumBoot(); return;
        case jpLumErase: StepLumErase(); return;
        case jpLumProgram: StepLumProgram(); return;
        default: return;
    }
}

void TFirmwareJob::Fail(std::string_view text) {
    CloseFile();
    result_ = TFirmwareResult::Failed;
    comm_->EndWithError(text);
}

void TFirmwareJob::Succeed() {
    CloseFile();
    result_ = TFirmwareResult::Success;
    comm_->SetPercent(100);
    comm_->ShowMessage(MsgKind::Information, tr(texts::TitleDone), tr(texts::TransferSuccess));
    comm_->EndSuccess();
}

TFirmwareResult TFirmwareJob::Result() const {
    if (result_ != TFirmwareResult::None || !started_ || Running()) return result_;
    // Ended by Cancel or by the job's time-out.
    return comm_->Outcome().cancelled ? TFirmwareResult::Cancelled : TFirmwareResult::Failed;
}

}  // namespace kyr

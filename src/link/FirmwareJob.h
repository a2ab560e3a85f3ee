#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "image/FirmwareImage.h"
#include "link/FirmwareFile.h"
#include "link/FirmwareFrames.h"
#include "link/JobLink.h"
#include "link/KyrComm.h"
#include "link/LinkStep.h"

namespace kyr {

// How the last firmware job came out.
enum class TFirmwareResult { None, Success, Partial, Failed, Cancelled };

// The firmware job: replaces a terminal's firmware from an Intel HEX file, as phases 19..27
// of the job machinery. KYR Series M goes over the link protocol to its BOOT loader; LUM
// talks to its BOOT loader character by character with echo checking.
class TFirmwareJob {
public:
    // Polls of the LUM echo check: the erase, and each data record.
    static constexpr int ErasePolls = 400;
    static constexpr int RecordPolls = 100;
    static constexpr std::size_t DescriptionFrameText = 60;

    explicit TFirmwareJob(TKyrComm& comm);
    ~TFirmwareJob();
    TFirmwareJob(const TFirmwareJob&) = delete;
    TFirmwareJob& operator=(const TFirmwareJob&) = delete;

    // Starts the update from `file`: refused with a beep while a job has not been tidied up,
    // with a message for a file that cannot be read or is not a firmware file of `series`
    // (LUM: or whose records are not sound). True when the job runs.
    bool Start(TFirmwareSeries series, const std::filesystem::path& file, int comPort);
    bool StartText(TFirmwareSeries series, std::string_view fileText, int comPort);

    // The firmware dispatcher, called by the job tick while the firmware flag is set. A
    // tick that arrives while a step is still running (the pump lets timers fire) is skipped.
    void FirmwareStep();
    bool Busy() const { return busy_; }

    // Lets pending window messages be processed between the LUM loader's polls.
    void SetMessagePump(std::function<void()> pump) { pump_ = std::move(pump); }

    TFirmwareResult Result() const;
    const TFirmwareDescription& Description() const { return description_; }

private:
    void GoTo(TJobPhase phase);
    void CloseFile();
    bool Running() const { return comm_->Flags().firmware; }
    void Fail(std::string_view text);
    void Succeed();

    // KYR Series M (FirmwareKyrM.cpp).
    void StepBootVersion();
    void StepBootSwitch();
    void StepCommTest();
    void StepErase();
    void StepEraseWait();
    void StepProgram();
    bool FrameAnswered();
    void SendFrame(const Bytes& request);
    void QueueFinish();
    void StepFinish();

    // LUM (FirmwareLum.cpp).
    void StepLumBoot();
    void StepLumErase();
    void StepLumProgram();
    bool Synchronise();
    bool SendLine(std::string_view line, int polls);
    bool EchoLine(std::string_view line, int polls);
    void WriteText(std::string_view text);
    void Pump();

    TKyrComm* comm_;
    TJobLink link_;
    std::function<void()> pump_;
    bool busy_ = false;
    TFirmwareResult result_ = TFirmwareResult::None;

    TFirmwareSeries series_ = TFirmwareSeries::KyrSeriesM;
    TFirmwareDescription description_;
    TFirmwareFrameBuilder frames_;
    FirmwareImage image_;
    bool fileOpen_ = false;
    bool started_ = false;

    TLinkStep bootVersion_;
    TLinkStep bootSwitch_;
    TLinkStep commTest_;
    TLinkStep erase_;
    TLinkStep frame_;
    TLinkStep endProgramming_;
    bool frameSent_ = false;
    bool finishing_ = false;
};

}  // namespace kyr

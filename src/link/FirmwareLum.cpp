// The LUM firmware update: the BOOT loader dialogue on the bare line, with "U"
// synchronisation, the status check of the model, the erase and the records with echo check.
#include <array>

#include "image/BootBlocks.h"
#include "image/HexRecord.h"
#include "link/FirmwareJob.h"
#include "link/FirmwareTexts.h"
#include "link/JobTexts.h"

namespace kyr {

namespace {

constexpr TJobPhase jpLumErase = static_cast<TJobPhase>(26);
constexpr TJobPhase jpLumProgram = static_cast<TJobPhase>(27);

constexpr int SyncAttempts = 21;
constexpr std::size_t SyncRead = 11;
constexpr std::size_t StatusRead = 13;
constexpr std::size_t EchoBuffer = 301;
constexpr char SyncChar = 'U';
constexpr char RecordAccepted = '.';
constexpr std::string_view StatusRequest = "*01B094EA\r";
constexpr std::string_view BootSwitchRequest = "*01C97B54\r";

int hexDigit(std::uint8_t c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// LUM models by T AND 0x3F; LUM Sigma is model 0.
constexpr std::uint8_t LumModels = 6;
constexpr std::uint8_t LumSigmaModel = 0;

}  // namespace

void TFirmwareJob::Pump() {
    if (pump_) pump_();
}

void TFirmwareJob::WriteText(std::string_view text) {
    const Bytes bytes(text.begin(), text.end());
    comm_->Kom().WriteBytes(bytes);
}

bool TFirmwareJob::Synchronise() {
    TMKom& kom = comm_->Kom();
    std::array<std::uint8_t, SyncRead> buf{};
    for (int i = 0; i < SyncAttempts && Running(); ++i) {
        const std::uint8_t u[] = {static_cast<std::uint8_t>(SyncChar)};
        kom.WriteBytes(u);
        kom.Sleep(200);
        const int n = kom.ReadAvailable(buf);
        Pump();
        if (n > 0 && buf[0] == SyncChar) {
            kom.Sleep(200);
            kom.ReadAvailable(buf);
            return true;
        }
    }
    return false;
}

void TFirmwareJob::StepLumBoot() {
    TMKom& kom = comm_->Kom();
    kom.SetParityNone();
    kom.Sleep(50);
    if (Synchronise()) {
        GoTo(jpLumErase);
        return;
    }
    if (!Running()) return;
    kom.SetParitySpace();
    kom.Sleep(50);
    WriteText(StatusRequest);
    kom.Sleep(100);
    std::array<std::uint8_t, StatusRead> reply{};
    const int n = kom.ReadAvailable(reply);
    if (n < 1 || reply[0] != '*') {
        Fail(tr(texts::LumTransmissionFailed));
        return;
    }
    bool known = false;
    bool sigma = false;
    if (n >= 3 && hexDigit(reply[1]) >= 0 && hexDigit(reply[2]) >= 0) {
        const int t = hexDigit(reply[1]) * 16 + hexDigit(reply[2]);
        const int model = t & 0x3F;
        known = (t & 0xC0) != 0 && model < LumModels;
        sigma = model == LumSigmaModel;
    }
    if (!known || sigma != description_.lumSigma) {
        Fail(tr(texts::FirmwareTypeMismatch));
        return;
    }
    WriteText(BootSwitchRequest);
    kom.Sleep(50);
    kom.SetParityNone();
    kom.Sleep(50);
    if (Synchronise()) {
        GoTo(jpLumErase);
        return;
    }
    if (Running()) Fail(tr(texts::BootSwitchFailed));
}

bool TFirmwareJob::EchoLine(std::string_view line, int polls) {
    TMKom& kom = comm_->Kom();
    std::array<std::uint8_t, EchoBuffer> buf{};
    kom.ReadAvailable(buf);
    WriteText(line);
    const std::size_t len = line.size();
    std::size_t got = 0;
    for (int poll = 0; poll < polls && got < len + 2 && got < buf.size(); ++poll) {
        kom.Sleep(50);
        const int n = kom.ReadAvailable(std::span<std::uint8_t>(buf).subspan(got));
        if (n > 0) got += static_cast<std::size_t>(n);
        Pump();
        if (!Running()) return false;
    }
    if (got < len + 1) return false;
    return buf[len] == RecordAccepted || (got > len + 1 && buf[len + 1] == RecordAccepted);
}

bool TFirmwareJob::SendLine(std::string_view line, int polls) {
    if (EchoLine(line, polls)) return true;
    return Running() && EchoLine(line, polls);
}

void TFirmwareJob::StepLumErase() {
    if (SendLine(BootEraseFlashRecord, ErasePolls)) {
        GoTo(jpLumProgram);
        return;
    }
    if (Running()) Fail(tr(texts::LumTransmissionFailed));
}

void TFirmwareJob::StepLumProgram() {
    const std::int32_t highest = image_.highestUsed();
    BootBlocker blocker(image_);
    while (auto record = blocker.next()) {
        comm_->SetPercent(bootGauge(record->address, highest));
        if (SendLine(record->text, RecordPolls)) continue;
        // Cancel ends the job for the person at once; the records stop with it.
        if (Running()) Fail(tr(texts::LumTransmissionFailed));
        return;
    }
    WriteText(bootStartFirmwareFrame());
    Succeed();
}

}  // namespace kyr

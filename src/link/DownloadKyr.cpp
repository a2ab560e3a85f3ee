// Download to a KYR family terminal: memory clear and size, setup, communication table, EXD
// tables and screens, each compared with what the terminal holds before it is written.
#include <algorithm>

#include "link/JobImages.h"
#include "link/JobTexts.h"
#include "link/KyrComm.h"
#include "model/DataClass.h"

namespace kyr {

// ---- phase 6: clear -------------------------------------------------------------------------

void TKyrComm::StartClear() { clearSent_ = false; }

void TKyrComm::StepClear() {
    if (terminal_.IsLum()) {
        GoTo(jpLumStart);
        return;
    }
    if (!clearSent_) {
        const std::uint8_t request[] = {0xC4, terminal_.selector};
        request_.Start(request, link::AckReply);
        clearSent_ = true;
    }
    // A flash erase keeps the terminal silent for a while: only its first tick counts.
    const bool counted = !flash_ || timeout_.IsZero();
    if (!(counted ? link_.Await(request_) : link_.AwaitUncounted(request_))) return;
    GoTo(jpMemorySize);
}

// ---- phase 7: free memory -------------------------------------------------------------------

void TKyrComm::StartMemorySize() {
    const std::uint8_t request[] = {0xB6};
    request_.Start(request, 18);
}

void TKyrComm::StepMemorySize() {
    if (!link_.Await(request_)) return;
    const auto reply = request_.Reply();
    if (flash_ && reply[0] != 0) {
        EndWithError(tr(texts::CannotEraseFlash));
        return;
    }
    freeBefore_ = FreeMemory(reply, terminal_);
    GoTo(jpSetup);
}

// ---- phase 8: setup -------------------------------------------------------------------------

void TKyrComm::StartSetupWrite() {
    Bytes request(1 + TSetup::Size);
    request[0] = 0xBD;
    project_->GetSetupImage(std::span<std::uint8_t, TSetup::Size>(request.data() + 1, TSetup::Size));
    request_.Start(request, link::AckReply);
}

void TKyrComm::StepSetupWrite() {
    if (!link_.Await(request_)) return;
    GoTo(project_->PlcFamily() == 0 ? jpMemorySizeEnd : jpCommTable);
}

// ---- phase 9: communication table -----------------------------------------------------------

namespace {

// The command and length of the communication table of a KYR terminal: KYR Grand 32 bytes;
// KYRB and KYRC from level 255 the long form of 24 bytes; otherwise 20 bytes.
struct CommForm {
    std::uint8_t command;
    std::size_t size;
};
CommForm commForm(std::uint8_t type, int level, bool write) {
    if (type == 3) return {static_cast<std::uint8_t>(write ? 0xB8 : 0xB7), 32};
    if (type <= 1 && level >= 255) return {static_cast<std::uint8_t>(write ? 0xC8 : 0xC7), 24};
    return {static_cast<std::uint8_t>(write ? 0xB8 : 0xB7), 20};
}

}  // namespace

void TKyrComm::StartCommWrite() {
    const CommForm form = commForm(terminal_.type, firmware_.level, true);
    std::array<std::uint8_t, TCommTable::Size> image{};
    project_->GetCommImage(image);
    Bytes request{form.command};
    request.insert(request.end(), image.begin(), image.begin() + static_cast<std::ptrdiff_t>(form.size));
    request_.Start(request, link::AckReply);
}

void TKyrComm::StepCommWrite() {
    if (!link_.Await(request_)) return;
    GoTo(jpExdTables);
}

// ---- phase 10: EXD tables -------------------------------------------------------------------

void TKyrComm::StartExdDownload() {
    exdIndex_ = 0;
    exdRemoved_ = 0;
    exdRemoveAt_ = 0;
    // KYR Mini has no EXD tables.
    if (terminal_.type == 2) {
        exdStage_ = ExdStage::Done;
        return;
    }
    exdStage_ = ExdStage::Reading;
    exdReader_.Start(terminal_.selector);
}

bool TKyrComm::ExdWriteNext() {
    auto& records = exdReader_.Records();
    while (exdIndex_ < project_->ExdCount()) {
        Bytes request(TExdTab::ImageSlotSize);
        project_->ExdTableImage(exdIndex_, request);
        request[0] = 0xC2;
        const std::uint8_t number = request[1];
        bool same = false;
        // Every record of that number is dealt with, so none is removed afterwards.
        for (TExdRecord& r : records) {
            if (r.number != number) continue;
            r.number = TExdRecord::Unused;
            same = same || std::equal(request.begin() + 1, request.end(), r.bytes.begin() + 1);
        }
        if (!same) {
            request_.Start(request, link::AckReply);
            return true;
        }
        ++exdIndex_;
    }
    return false;
}

bool TKyrComm::ExdRemoveNext() {
    auto& records = exdReader_.Records();
    while (exdRemoveAt_ < records.size() && records[exdRemoveAt_].number == TExdRecord::Unused)
        ++exdRemoveAt_;
    if (exdRemoveAt_ >= records.size()) return false;
    Bytes request(TExdTab::ImageSlotSize);
    project_->NewExdTableImage(records[exdRemoveAt_].number, request);
    request[0] = 0xC2;
    request_.Start(request, link::AckReply);
    return true;
}

void TKyrComm::StepExdDownload() {
    const int tables = project_->ExdCount();
    switch (exdStage_) {
        case ExdStage::Reading: {
            const TPartResult r = exdReader_.Step(link_);
            SetPercent(exdReader_.Percent());
            if (r != TPartResult::Done) return;
            exdStage_ = ExdStage::Writing;
            [[fallthrough]];
        }
        case ExdStage::Writing:
            if (ExdWriteNext()) {
                exdStage_ = ExdStage::Sending;
                return;
            }
            exdStage_ = ExdStage::Removing;
            [[fallthrough]];
        case ExdStage::Removing:
            if (ExdRemoveNext()) {
                exdStage_ = ExdStage::RemoveSending;
                return;
            }
            exdStage_ = ExdStage::Done;
            [[fallthrough]];
        case ExdStage::Done:
            GoTo(jpScreens);
            return;
        case ExdStage::Sending:
            if (!link_.Await(request_)) return;
            ++exdIndex_;
            SetPercent(tables > 0 ? exdIndex_ * 100 / tables : 100);
            exdStage_ = ExdStage::Writing;
            return;
        case ExdStage::RemoveSending: {
            if (!link_.Await(request_)) return;
            auto& records = exdReader_.Records();
            records[exdRemoveAt_].number = TExdRecord::Unused;
            ++exdRemoved_;
            SetPercent(static_cast<int>(exdRemoved_ * 100 / records.size()));
            exdStage_ = ExdStage::Removing;
            return;
        }
    }
}

// ---- phase 11: screens ----------------------------------------------------------------------

void TKyrComm::StartScreenDownload() {
    screenIndex_ = 0;
    deleteAt_ = 0;
    deleted_ = 0;
    screenStage_ = ScreenStage::List;
    screenList_.Start(firmware_.level, terminal_.selector);
}

// Picks the next project screen: skipped, compared with the terminal's, or written.
void TKyrComm::ScreenDownloadNext() {
    const int level = firmware_.level;
    while (screenIndex_ < project_->ScreenCount()) {
        TKyrScreen& screen = project_->Screen(screenIndex_);
        screenNumber_ = screen.Number();
        if (level < 218 && screenNumber_ > 199) {
            ShowMessage(MsgKind::Error, tr(texts::TitleError),
                        std::string(tr(texts::BadScreenNumber)) + std::to_string(screenNumber_));
            if (!flags_.download) return;  // cancelled meanwhile
            SetPartial(rcBadScreenNumber);
            ++screenIndex_;
            continue;
        }
        const int listed = screenList_.Find(screenNumber_);
        if (listed >= 0) screenList_.Numbers()[static_cast<std::size_t>(listed)] = TScreenListReader::Dealt;
        TScreenImage image = BuildScreenImage(screen, level, firmware_.extended);
        if (!image.ok()) {
            SetPartial(static_cast<std::uint8_t>(image.problem));
            ++screenIndex_;
            continue;
        }
        screenImage_ = std::move(image.bytes);
        if (listed >= 0) {
            screenReader_.Start(screenNumber_, level, terminal_.selector, project_->TermFamily(),
                                screenImage_);
            screenReader_.SendNow(link_);
            screenStage_ = ScreenStage::Compare;
        } else {
            screenWriter_.Start(screenImage_, terminal_.selector, project_->TermFamily());
            screenWriter_.SendNow(link_);
            screenStage_ = ScreenStage::Write;
        }
        return;
    }
    screenStage_ = ScreenStage::Delete;
    progress_->SetGaugeColor(TGaugeColor::Black);
    ScreenDeleteNext();
}

// Overwrites the next terminal screen the project lacks with an empty screen.
void TKyrComm::ScreenDeleteNext() {
    auto& numbers = screenList_.Numbers();
    if (!numbers.empty()) SetPercent(static_cast<int>(deleted_ * 100 / numbers.size()));
    while (deleteAt_ < numbers.size() && numbers[deleteAt_] == TScreenListReader::Dealt) ++deleteAt_;
    if (deleteAt_ >= numbers.size()) {
        progress_->SetGaugeColor(TGaugeColor::Green);
        SetPercent(100);
        GoTo(jpMemorySizeEnd);
        return;
    }
    screenNumber_ = numbers[deleteAt_];
    screenWriter_.Start(EmptyScreenImage(screenNumber_, firmware_.level), terminal_.selector,
                        project_->TermFamily());
    screenWriter_.SendNow(link_);
    screenStage_ = ScreenStage::DeleteWrite;
}

// After a screen was written: reports a refused close; false when the job ended.
bool TKyrComm::ScreenWritten() {
    const std::uint8_t code = screenWriter_.CloseCode();
    if (code == 0) return true;
    const std::string number = std::to_string(screenNumber_);
    std::string text;
    if (code == 2)
        text = " " + number + std::string(tr(texts::ScreenExists));
    else if (code == 3)
        text = std::string(tr(texts::ScreenWord)) + number + std::string(tr(texts::HasBadFormat));
    else
        text = tr(texts::UnknownCloseError);
    ShowMessage(MsgKind::Error, tr(texts::TitleError), text);
    if (!flags_.download) return false;  // cancelled meanwhile
    partial_ = true;
    // A KYR Mini cannot go on after a refused screen.
    if (project_->TermType() == 2) {
        EndFailed();
        return false;
    }
    return true;
}

void TKyrComm::StepScreenDownload() {
    switch (screenStage_) {
        case ScreenStage::List:
            if (screenList_.Step(link_) != TPartResult::Done) return;
            screenStage_ = ScreenStage::Next;
            ScreenDownloadNext();
            return;
        case ScreenStage::Next:
            ScreenDownloadNext();
            return;
        case ScreenStage::Compare: {
            const TPartResult r = screenReader_.Step(link_);
            if (r == TPartResult::Busy) return;
            if (r == TPartResult::Done && !screenReader_.Differs()) {
                ++screenIndex_;
                SetPercent(screenIndex_ * 100 / std::max(1, project_->ScreenCount()));
                ScreenDownloadNext();
                return;
            }
            screenWriter_.Start(screenImage_, terminal_.selector, project_->TermFamily());
            screenWriter_.SendNow(link_);
            screenStage_ = ScreenStage::Write;
            return;
        }
        case ScreenStage::Write: {
            const auto r = screenWriter_.Step(link_);
            const int count = std::max(1, project_->ScreenCount());
            const std::size_t size = std::max<std::size_t>(1, screenWriter_.Size());
            SetPercent(static_cast<int>(
                (static_cast<std::size_t>(screenIndex_) * 100 + screenWriter_.BytesSent() * 100 / size) /
                static_cast<std::size_t>(count)));
            if (r == TScreenWriter::Result::Busy) return;
            if (r == TScreenWriter::Result::NoSpace) {
                EndWithError(tr(texts::NoSpaceForScreen));
                return;
            }
            if (!ScreenWritten()) return;
            ++screenIndex_;
            ScreenDownloadNext();
            return;
        }
        case ScreenStage::Delete:
            ScreenDeleteNext();
            return;
        case ScreenStage::DeleteWrite: {
            const auto r = screenWriter_.Step(link_);
            if (r == TScreenWriter::Result::Busy) return;
            if (r == TScreenWriter::Result::NoSpace) {
                EndWithError(tr(texts::NoSpaceForScreen));
                return;
            }
            if (!ScreenWritten()) return;
            screenList_.Numbers()[deleteAt_] = TScreenListReader::Dealt;
            ++deleted_;
            ScreenDeleteNext();
            return;
        }
        case ScreenStage::Done:
            return;
    }
}

// ---- phase 12: free memory after the download -----------------------------------------------

void TKyrComm::StartMemorySizeEnd() {
    const std::uint8_t request[] = {0xB6};
    request_.Start(request, 18);
}

void TKyrComm::StepMemorySizeEnd() {
    if (!link_.Await(request_)) return;
    const auto reply = request_.Reply();
    if (flash_ && reply[0] != 0) {
        EndWithError(tr(texts::ErrorWritingFlash));
        return;
    }
    freeAfter_ = FreeMemory(reply, terminal_);
    // A terminal that reports more room after the download than before used none.
    used_ = freeBefore_ > freeAfter_ ? freeBefore_ - freeAfter_ : 0;
    usedPercent_ = freeBefore_ == 0
                       ? 0
                       : static_cast<int>((static_cast<std::uint64_t>(used_) * 100 + freeBefore_ / 2) /
                                          freeBefore_);
    ShowResult(true);
    EndSuccess();
}

}  // namespace kyr

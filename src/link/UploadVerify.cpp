// Upload (terminal into a new project) and verify (terminal against the project): setup,
// communication table, EXD tables and screens, read with the same requests.
#include <algorithm>

#include "link/JobImages.h"
#include "link/JobTexts.h"
#include "link/KyrComm.h"
#include "model/DataClass.h"

namespace kyr {

namespace {

struct CommRead {
    std::uint8_t command;
    std::size_t size;
};
CommRead commRead(std::uint8_t type, int level) {
    if (type == 3) return {0xB7, 32};
    if (type <= 1 && level >= 255) return {0xC7, 24};
    return {0xB7, 20};
}

}  // namespace

// A difference found by verify: OK goes on, Cancel ends the job. False when it ended.
bool TKyrComm::Different(std::string_view text) {
    outcome_.identical = false;
    if (AskOkCancel(text) == Answer::Ok && flags_.verify) return true;
    if (flags_.Any()) EndFailed();
    return false;
}

// ---- phase 8: setup -------------------------------------------------------------------------

void TKyrComm::StartSetupRead() {
    const std::uint8_t request[] = {0xBC};
    request_.Start(request, static_cast<int>(TSetup::Size));
}

void TKyrComm::StepSetupRead() {
    if (!link_.Await(request_)) return;
    const auto reply = request_.Reply().first<TSetup::Size>();
    if (flags_.upload) {
        project_->SetSetupImage(reply);
        if (project_->PlcFamily() == 0) {
            FinishUpload();
            return;
        }
        GoTo(jpCommTable);
        return;
    }
    std::array<std::uint8_t, TSetup::Size> mine{};
    project_->GetSetupImage(mine);
    if (!std::equal(mine.begin(), mine.end(), reply.begin()) &&
        !Different(tr(texts::SetupDifferent)))
        return;
    // Without a protocol on either side there is nothing more to compare.
    if (reply[TSetup::ProtocolAt] == 0 && project_->Setup().Protocol() == 0) {
        FinishVerify();
        return;
    }
    GoTo(jpCommTable);
}

// ---- phase 9: communication table -----------------------------------------------------------

void TKyrComm::StartCommRead() {
    const CommRead form = commRead(terminal_.type, firmware_.level);
    const std::uint8_t request[] = {form.command};
    request_.Start(request, static_cast<int>(form.size));
}

void TKyrComm::StepCommRead() {
    if (!link_.Await(request_)) return;
    const auto reply = request_.Reply();
    std::array<std::uint8_t, TCommTable::Size> image{};
    project_->GetCommImage(image);
    if (flags_.upload) {
        std::copy(reply.begin(), reply.end(), image.begin());
        project_->SetCommImage(image);
    } else if (!std::equal(reply.begin(), reply.end(), image.begin()) &&
               !Different(tr(texts::ControlTableDifferent))) {
        return;
    }
    GoTo(jpExdTables);
}

// ---- phase 10: EXD tables -------------------------------------------------------------------

void TKyrComm::StartExdUpload() {
    if (terminal_.type == 2) {
        exdStage_ = ExdStage::Done;
        return;
    }
    exdStage_ = ExdStage::Reading;
    exdReader_.Start(terminal_.selector);
}

void TKyrComm::StepExdUpload() {
    if (exdStage_ == ExdStage::Done) {
        GoTo(jpScreens);
        return;
    }
    const TPartResult r = exdReader_.Step(link_);
    SetPercent(exdReader_.Percent());
    if (r == TPartResult::Busy) return;
    if (r == TPartResult::Listed) {
        if (!flags_.verify) return;
        const auto& listed = exdReader_.Listed();
        const bool sameList =
            static_cast<int>(listed.size()) == project_->ExdCount() &&
            std::all_of(listed.begin(), listed.end(),
                        [&](std::uint8_t n) { return project_->IndexOfExdTable(n) >= 0; });
        if (!sameList) Different(tr(texts::ExdListDifferent));
        return;
    }
    for (std::size_t i = 0; i < exdReader_.Records().size(); ++i) {
        const TExdRecord& record = exdReader_.Records()[i];
        if (flags_.upload) {
            if (record.number != TExdRecord::Unused) project_->AddExdTableFromImage(record.bytes);
            continue;
        }
        const std::uint8_t number = exdReader_.Listed()[i];
        const int index = project_->IndexOfExdTable(number);
        if (index < 0) continue;  // reported with the list
        Bytes mine(TExdTab::ImageSlotSize);
        project_->ExdTableImage(index, mine);
        const bool same = record.number != TExdRecord::Unused &&
                          std::equal(mine.begin() + 1, mine.end(), record.bytes.begin() + 1);
        if (!same && !Different(std::string(tr(texts::ExdTableWord)) + std::to_string(number) +
                                std::string(tr(texts::IsDifferent))))
            return;
    }
    exdStage_ = ExdStage::Done;
    GoTo(jpScreens);
}

// ---- phase 11: screens ----------------------------------------------------------------------

void TKyrComm::StartScreenUpload() {
    screenIndex_ = 0;
    screenStage_ = ScreenStage::List;
    screenList_.Start(firmware_.level, terminal_.selector);
}

// Starts reading (upload) or comparing (verify) the next listed screen.
void TKyrComm::ScreenUploadNext() {
    const auto& numbers = screenList_.Numbers();
    const int level = firmware_.level;
    while (static_cast<std::size_t>(screenIndex_) < numbers.size()) {
        screenNumber_ = numbers[static_cast<std::size_t>(screenIndex_)];
        SetPercent(static_cast<int>(screenIndex_ * 100 / numbers.size()));
        if (flags_.upload) {
            screenReader_.Start(screenNumber_, level, terminal_.selector, project_->TermFamily());
            screenReader_.SendNow(link_);
            screenStage_ = ScreenStage::Compare;
            return;
        }
        const int index = project_->IndexOfScreen(screenNumber_);
        if (index < 0) {  // reported with the list
            ++screenIndex_;
            continue;
        }
        TScreenImage image = BuildScreenImage(project_->Screen(index), level, firmware_.extended);
        if (!image.ok()) {
            if (!Different(std::string(tr(texts::ScreenWord)) + std::to_string(screenNumber_) +
                           std::string(tr(texts::IsDifferent))))
                return;
            ++screenIndex_;
            continue;
        }
        screenReader_.Start(screenNumber_, level, terminal_.selector, project_->TermFamily(),
                            std::move(image.bytes));
        screenReader_.SendNow(link_);
        screenStage_ = ScreenStage::Compare;
        return;
    }
    SetPercent(100);
    if (flags_.upload)
        FinishUpload();
    else
        FinishVerify();
}

void TKyrComm::StepScreenUpload() {
    if (screenStage_ == ScreenStage::List) {
        if (screenList_.Step(link_) != TPartResult::Done) return;
        screenStage_ = ScreenStage::Next;
        if (flags_.verify) {
            const auto& numbers = screenList_.Numbers();
            const bool sameList =
                static_cast<int>(numbers.size()) == project_->ScreenCount() &&
                std::all_of(numbers.begin(), numbers.end(),
                            [&](std::int32_t n) { return project_->IndexOfScreen(n) >= 0; });
            if (!sameList && !Different(tr(texts::ScreenListDifferent))) return;
        }
        ScreenUploadNext();
        return;
    }
    const TPartResult r = screenReader_.Step(link_);
    if (r == TPartResult::Busy) return;
    if (r == TPartResult::Failed) {
        EndWithError(tr(texts::TransmissionFailed));
        return;
    }
    if (flags_.upload) {
        const Bytes& record = screenReader_.Record();
        // Records of ten bytes or less hold no screen (an empty screen deletes one).
        if (record.size() > 10 && !AddScreenFromImage(*project_, record, firmware_.level)) {
            ShowMessage(MsgKind::Error, tr(texts::TitleError),
                        std::string(tr(texts::ScreenWord)) + std::to_string(screenNumber_) +
                            std::string(tr(texts::HasUnknownFormat)));
            if (!flags_.upload) return;  // cancelled meanwhile
            SetPartial(rcUnknownFormat);
        }
    } else if (screenReader_.Differs() &&
               !Different(std::string(tr(texts::ScreenWord)) + std::to_string(screenNumber_) +
                          std::string(tr(texts::IsDifferent)))) {
        return;
    }
    ++screenIndex_;
    ScreenUploadNext();
}

// ---- ends -----------------------------------------------------------------------------------

void TKyrComm::FinishUpload() {
    SetPercent(100);
    ShowResult(false);
    EndSuccess();
}

void TKyrComm::FinishVerify() {
    SetPercent(100);
    const std::string title = project_->DisplayName();
    if (outcome_.identical)
        ShowMessage(MsgKind::Information, title, tr(texts::ProgramIdentical));
    else
        ShowMessage(MsgKind::Warning, title, tr(texts::ProgramNotIdentical));
    EndSuccess();
}

}  // namespace kyr

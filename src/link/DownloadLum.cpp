// Download to a LUM family terminal: memory structure, protocol test, setup and table
// blocks with their check sums, and the screens as one buffer.
#include <algorithm>

#include "link/JobImages.h"
#include "link/JobTexts.h"
#include "link/KyrComm.h"
#include "model/DataClass.h"

namespace kyr {

namespace {

// LUM screens end below this address.
constexpr std::uint32_t LumMemoryTop = 0xFE00;
constexpr std::uint32_t LumUseableTop = 0xFDFF;
constexpr std::uint16_t BlockSeed = 0x1234;

enum LumWord { lwFirst = 0, lwSetup = 1, lwComm = 2, lwScreens = 3, lwProtocols = 4 };

// 0xA5: count + 1, address low byte first, the data.
Bytes lumWrite(std::uint16_t address, std::span<const std::uint8_t> data) {
    Bytes out{0xA5, static_cast<std::uint8_t>(data.size() + 1),
              static_cast<std::uint8_t>(address & 0xFF), static_cast<std::uint8_t>(address >> 8)};
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

// A block followed by its check sum, low byte first.
Bytes withCheckSum(std::span<const std::uint8_t> block) {
    std::uint16_t sum = BlockSeed;
    for (std::uint8_t b : block) sum = static_cast<std::uint16_t>(sum + b);
    Bytes out(block.begin(), block.end());
    out.push_back(static_cast<std::uint8_t>(sum & 0xFF));
    out.push_back(static_cast<std::uint8_t>(sum >> 8));
    return out;
}

}  // namespace

// ---- phases 13 and 14: memory structure -----------------------------------------------------

void TKyrComm::StartLumStart() {}

void TKyrComm::StepLumStart() { GoTo(jpLumStructure); }

void TKyrComm::StartLumStructure() {
    const std::uint8_t request[] = {0xB6};
    request_.Start(request, link::VariableReply);
}

void TKyrComm::StepLumStructure() {
    if (!link_.Await(request_)) return;
    const auto reply = request_.Reply();
    if (reply.size() < 1 + 2 * lumStructure_.size()) {
        EndWithError(tr(texts::TransmissionFailed));
        return;
    }
    for (std::size_t i = 0; i < lumStructure_.size(); ++i)
        lumStructure_[i] = bytes::u16le(reply, 1 + 2 * i);
    GoTo(jpLumProtocols);
}

// ---- phase 15: protocol compatibility -------------------------------------------------------

void TKyrComm::StartLumProtocols() {
    const std::uint16_t param = lumStructure_[lwProtocols];
    const std::uint8_t request[] = {0xA2, 0x31, static_cast<std::uint8_t>(param & 0xFF),
                                    static_cast<std::uint8_t>(param >> 8)};
    request_.Start(request, 50);
}

void TKyrComm::StepLumProtocols() {
    if (!link_.Await(request_)) return;
    const auto reply = request_.Reply();
    const auto end = std::find_if(reply.begin(), reply.end(), [](std::uint8_t b) { return b >= 0x80; });
    const std::uint8_t wanted = project_->Setup().Protocol();
    if (std::find(reply.begin(), end, wanted) == end) {
        EndWithError(tr(texts::ProtocolMissing));
        return;
    }
    GoTo(jpLumSetup);
}

// ---- phases 16 and 17: setup and communication table ----------------------------------------

void TKyrComm::StartLumSetup() {
    std::array<std::uint8_t, TSetup::Size> setup{};
    project_->GetSetupImage(setup);
    request_.Start(lumWrite(lumStructure_[lwSetup], withCheckSum(setup)), link::AckReply);
}

void TKyrComm::StepLumSetup() {
    if (!link_.Await(request_)) return;
    GoTo(jpLumCommTable);
}

void TKyrComm::StartLumComm() {
    std::array<std::uint8_t, TCommTable::Size> image{};
    project_->GetCommImage(image);
    const auto table = std::span<const std::uint8_t>(image).first(16);
    request_.Start(lumWrite(lumStructure_[lwComm], withCheckSum(table)), link::AckReply);
}

void TKyrComm::StepLumComm() {
    if (!link_.Await(request_)) return;
    GoTo(jpLumScreens);
}

// ---- phase 18: screens ----------------------------------------------------------------------

void TKyrComm::StartLumScreens() {
    const std::uint32_t start = lumStructure_[lwScreens];
    const std::size_t room =
        start >= LumMemoryTop ? 0 : std::min<std::size_t>(LumMemoryTop - start, LumScreenBuffer);
    lumBuffer_.clear();
    lumOffset_ = 0;
    for (const auto& screen : project_->Screens()) {
        TScreenImage image = BuildScreenImage(*screen, 218, firmware_.extended);
        if (!image.ok()) {
            SetPartial(static_cast<std::uint8_t>(image.problem));
            continue;
        }
        // The two zero bytes that end the screens must fit behind the last one.
        if (lumBuffer_.size() + image.bytes.size() + 2 > room) {
            EndWithError(tr(texts::NoSpaceForScreen));
            return;
        }
        lumBuffer_.insert(lumBuffer_.end(), image.bytes.begin(), image.bytes.end());
    }
    if (lumBuffer_.size() + 2 > room) {
        EndWithError(tr(texts::NoSpaceForScreen));
        return;
    }
    lumBuffer_.push_back(0);
    lumBuffer_.push_back(0);
    StartLumBlock();
}

void TKyrComm::StartLumBlock() {
    lumBlock_ = std::min(MaxBlock, lumBuffer_.size() - lumOffset_);
    const auto address = static_cast<std::uint16_t>(lumStructure_[lwScreens] + lumOffset_);
    request_.Start(lumWrite(address, std::span<const std::uint8_t>(lumBuffer_).subspan(lumOffset_, lumBlock_)),
                   link::AckReply);
}

void TKyrComm::StepLumScreens() {
    // Here a block that fails after all the link's retries ends the job.
    if (request_.Status() == rsFailed) {
        EndWithError(tr(texts::TransmissionFailed));
        return;
    }
    if (!link_.Await(request_)) return;
    lumOffset_ += lumBlock_;
    SetPercent(static_cast<int>(lumOffset_ * 100 / lumBuffer_.size()));
    if (lumOffset_ < lumBuffer_.size()) {
        StartLumBlock();
        request_.Send(link_.Kom());
        return;
    }
    const std::uint32_t start = lumStructure_[lwScreens];
    used_ = static_cast<std::uint32_t>(lumBuffer_.size());
    usedPercent_ = start >= LumUseableTop ? 0 : static_cast<int>(used_ * 100 / (LumUseableTop - start));
    ShowResult(true);
    EndSuccess();
}

}  // namespace kyr

#include "link/KyrInfo.h"

#include <algorithm>
#include <cstdio>

#include "link/KyrInfoTexts.h"
#include "model/Charset.h"
#include "model/ProtocolList.h"

namespace kyr {

namespace {

constexpr std::uint8_t CmdStatus = 0xB0;
constexpr std::uint8_t CmdVersion = 0xAC;
constexpr std::uint8_t CmdReadBank = 0xBE;
constexpr std::uint8_t CmdBootVersion = 0xA8;
constexpr int StatusReplyLength = 3;
constexpr int BootReplyLength = 5;
constexpr std::uint8_t ProtocolListEnd = 255;
constexpr std::uint8_t DescriptionMarkerFirst = 'K';  // of "KYR"

const Bytes kStatusRequest{CmdStatus};
const Bytes kVersionRequest{CmdVersion};
const Bytes kBootRequest{CmdBootVersion};
const Bytes kDescriptionRequest{
    CmdReadBank, static_cast<std::uint8_t>(TKyrInfo::DescriptionLength - 1),
    TKyrInfo::DescriptionBank, static_cast<std::uint8_t>(TKyrInfo::DescriptionAddress >> 8),
    static_cast<std::uint8_t>(TKyrInfo::DescriptionAddress & 0xFF)};

std::string str(const Text3& text) { return std::string(tr(text)); }

// Terminal bytes up to the first zero (or the end), as UTF-8.
std::string textOf(std::span<const std::uint8_t> bytes) {
    const auto end = std::find(bytes.begin(), bytes.end(), std::uint8_t{0});
    return cp1250ToUtf8(std::string(bytes.begin(), end));
}

// A version reply: the length byte, the text ended by a zero, then family data.
struct VersionParts {
    std::span<const std::uint8_t> text;
    std::span<const std::uint8_t> after;  // what follows the text's zero byte
};

VersionParts splitVersion(const Bytes& reply) {
    if (reply.empty()) return {};
    const std::size_t length = std::min<std::size_t>(reply.size(), reply[0]);
    const std::span<const std::uint8_t> body =
        length > 1 ? std::span<const std::uint8_t>(reply).subspan(1, length - 1)
                   : std::span<const std::uint8_t>();
    const auto zero = std::find(body.begin(), body.end(), std::uint8_t{0});
    const std::size_t textLength = static_cast<std::size_t>(zero - body.begin());
    VersionParts parts{body.first(textLength), {}};
    if (textLength < body.size()) parts.after = body.subspan(textLength + 1);
    return parts;
}

// Six characters and a 16-bit number (low byte first) as "%0.4x-%s"; empty when the reply
// ends before them.
std::string identificationAt(std::span<const std::uint8_t> data, std::size_t at) {
    constexpr std::size_t Chars = 6;
    if (at + Chars + 2 > data.size()) return {};
    const std::uint16_t number = bytes::u16le(data, at + Chars);
    char hex[8];
    std::snprintf(hex, sizeof hex, "%04x", static_cast<unsigned>(number));
    return std::string(hex) + "-" + textOf(data.subspan(at, Chars));
}

std::string protocolLabel(std::uint8_t code) {
    const ProtocolEntry* entry = protocolByCode(code);
    return entry ? str(entry->name) : std::string("??????");
}

std::string lumModelName(std::uint8_t typeByte) {
    static constexpr std::array<const char*, 6> models{"LUM Sigma", "LUMQ1", "LUMQ2",
                                                       "LUMQ3",     "LUMQ4", "LUMQ1H"};
    const unsigned model = typeByte & 0x3Fu;
    return model < models.size() ? models[model] : "??????";
}

}  // namespace

TInfoFamily infoFamilyOf(std::uint8_t t, bool ascii) {
    if (!ascii && (t & 0xC0) < 0xC0 && (t & 0x20) == 0) return TInfoFamily::KyrBC;
    if ((t & 0xA0) == 0x20 && (t & 0x1F) < 2) return TInfoFamily::MiniGrand;
    if (ascii || (t & 0xF0) == 0xC0) return TInfoFamily::Lum;
    return TInfoFamily::Unknown;
}

const Text3& infoGroupTitle(TInfoGroup group) {
    switch (group) {
        case TInfoGroup::AuxMemory:
            return texts::InfoAuxMemory;
        case TInfoGroup::ConfigSwitch:
            return texts::InfoConfigSwitch;
        case TInfoGroup::Type:
            return texts::InfoType;
        case TInfoGroup::FirmwareVersion:
            return texts::InfoFirmwareVersion;
        case TInfoGroup::BootVersion:
            return texts::InfoBootVersion;
        case TInfoGroup::Protocols:
            break;
    }
    return texts::InfoProtocols;
}

TKyrInfo::TKyrInfo(TMKom& kom) : kom_(kom) {}

void TKyrInfo::Open() {
    ClearAll();
    errTick_ = false;
    statusWatch_.ticks = 0;
    versionWatch_.ticks = 0;
    StartRequest(statusWatch_, kStatusRequest, StatusReplyLength);
    StartRequest(versionWatch_, kVersionRequest, link::VariableReply);
}

void TKyrInfo::Refresh() {
    RefreshVersion();
    RefreshStatus();
    if (miniGrandRunning_) RefreshMiniGrand();
    errTick_ = false;
}

void TKyrInfo::StartRequest(Watch& watch, std::span<const std::uint8_t> request, int replyLength) {
    watch.step.Start(request, replyLength);
    watch.step.Send(kom_);
}

bool TKyrInfo::Arrived(Watch& watch) {
    if (!watch.step.Step(kom_)) return false;
    watch.ticks = 0;
    return true;
}

bool TKyrInfo::CountTick(Watch& watch, int limit) {
    if (errTick_ && watch.ticks <= limit) ++watch.ticks;
    return watch.ticks > limit;
}

void TKyrInfo::RefreshVersion() {
    if (Arrived(versionWatch_)) {
        const auto reply = versionWatch_.step.Reply();
        versionReply_ = Bytes(reply.begin(), reply.end());
        StartRequest(versionWatch_, kVersionRequest, link::VariableReply);
        return;
    }
    if (CountTick(versionWatch_, StatusTicks)) versionReply_.reset();
}

void TKyrInfo::RefreshStatus() {
    if (!Arrived(statusWatch_)) {
        if (CountTick(statusWatch_, StatusTicks)) ClearAll();
        return;
    }
    const auto reply = statusWatch_.step.Reply();
    std::array<std::uint8_t, 3> status{};
    std::copy_n(reply.begin(), std::min<std::size_t>(reply.size(), status.size()), status.begin());
    status_ = status;
    StartRequest(statusWatch_, kStatusRequest, StatusReplyLength);

    const bool miniGrand = Family() == TInfoFamily::MiniGrand;
    if (miniGrand == miniGrandRunning_) return;
    miniGrandRunning_ = miniGrand;
    description_.reset();
    boot_.reset();
    descriptionGaveUp_ = false;
    bootGaveUp_ = false;
    if (!miniGrand) return;
    descriptionWatch_.ticks = 0;
    bootWatch_.ticks = 0;
    StartRequest(descriptionWatch_, kDescriptionRequest, DescriptionLength);
    StartRequest(bootWatch_, kBootRequest, BootReplyLength);
}

void TKyrInfo::RefreshMiniGrand() {
    if (Arrived(descriptionWatch_)) {
        const auto reply = descriptionWatch_.step.Reply();
        description_ = Bytes(reply.begin(), reply.end());
        descriptionGaveUp_ = false;
        StartRequest(descriptionWatch_, kDescriptionRequest, DescriptionLength);
    } else if (CountTick(descriptionWatch_, MiniGrandTicks)) {
        description_.reset();
        descriptionGaveUp_ = true;
    }

    if (Arrived(bootWatch_)) {
        const auto reply = bootWatch_.step.Reply();
        if (!reply.empty()) boot_ = reply[0];
        bootGaveUp_ = false;
        StartRequest(bootWatch_, kBootRequest, BootReplyLength);
    } else if (CountTick(bootWatch_, MiniGrandTicks)) {
        boot_.reset();
        bootGaveUp_ = true;
    }
}

void TKyrInfo::ClearAll() {
    versionReply_.reset();
    status_.reset();
    description_.reset();
    boot_.reset();
    descriptionGaveUp_ = false;
    bootGaveUp_ = false;
    miniGrandRunning_ = false;
}

std::optional<TInfoFamily> TKyrInfo::Family() const {
    if (!status_) return std::nullopt;
    return infoFamilyOf((*status_)[0], kom_.Settings().ascii);
}

bool TKyrInfo::Complete() const {
    if (!status_) return false;
    if (!versionReply_ && versionWatch_.ticks <= StatusTicks) return false;
    if (Family() != TInfoFamily::MiniGrand) return true;
    return (description_ || descriptionGaveUp_) && (boot_ || bootGaveUp_);
}

TKyrInfoView TKyrInfo::View() const {
    TKyrInfoView view;
    if (versionReply_) view.firmwareVersion = textOf(splitVersion(*versionReply_).text);
    const auto family = Family();
    if (!family) return view;
    switch (*family) {
        case TInfoFamily::KyrBC:
            ViewKyrBC(view);
            break;
        case TInfoFamily::MiniGrand:
            ViewMiniGrand(view);
            break;
        case TInfoFamily::Lum:
            ViewLum(view);
            break;
        case TInfoFamily::Unknown:
            view.type = "??????????";
            break;
    }
    return view;
}

void TKyrInfo::ViewKyrBC(TKyrInfoView& view) const {
    const auto [t, m, f] = *status_;
    const bool t220 = (t & 0x80) != 0;
    view.type = t220 ? "KYR-T220" : "KYR-T240(E)";
    const bool eprom = t220 ? (3 - (t & 0x03)) == 0 : (7 - (t & 0x07)) <= 1;
    view.memoryType =
        str(t220 ? texts::MemTypesT220[3 - (t & 0x03)] : texts::MemTypesT240[7 - (t & 0x07)]);
    if ((f & 0x01) == 0)
        view.memoryWrite = str(texts::MemNotPresent);
    else if (!eprom)
        view.memoryWrite = str((t & 0x08) ? texts::WriteEnabled : texts::WriteDisabled);
    view.programMode = str((m & 0x01) ? texts::ProgramModeDisabled : texts::ProgramModeEnabled);
    if (t220)
        view.bridgeMode = str((m & 0x02) ? texts::BridgeModeDisabled : texts::BridgeModeEnabled);
    const char* where = (m & 0x20) ? " RAM/MEM" : (m & 0x10) ? " MEM" : " RAM";
    view.userProgram = str(texts::UserProgramIn) + where;
    view.memoryGroup = true;
    view.switchGroup = true;
}

void TKyrInfo::ViewMiniGrand(TKyrInfoView& view) const {
    const std::uint8_t t = (*status_)[0];
    // Bit 6 adds " L" to a KYR Grand only.
    view.type = (t & 0x1F) == 1 ? ((t & 0x40) ? "KYR Grand L" : "KYR Grand") : "KYR Mini";
    if (versionReply_)
        view.identification = identificationAt(splitVersion(*versionReply_).after, 0);
    if (description_ && !description_->empty() && (*description_)[0] == DescriptionMarkerFirst) {
        const std::span<const std::uint8_t> text(*description_);
        view.description =
            textOf(text.first(std::min<std::size_t>(text.size(), DescriptionLength)));
    }
    view.descriptionGroup = !descriptionGaveUp_;
    if (boot_) {
        view.boot = "BOOT V" + std::to_string(*boot_ >> 4) + "." + std::to_string(*boot_ & 0x0F);
        view.bootGroup = true;
    }
}

void TKyrInfo::ViewLum(TKyrInfoView& view) const {
    view.type = lumModelName((*status_)[0]);
    view.protocolGroup = true;
    if (!versionReply_) return;
    const auto after = splitVersion(*versionReply_).after;
    std::size_t i = 0;
    for (; i < view.protocols.size() && i < after.size() && after[i] != ProtocolListEnd; ++i)
        view.protocols[i] = protocolLabel(after[i]);
    view.identification = identificationAt(after, i + 1);
}

}  // namespace kyr

#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "link/Comm.h"
#include "link/LinkStep.h"
#include "model/Texts.h"

namespace kyr {

// How a status reply's type byte is read.
enum class TInfoFamily : std::uint8_t {
    KyrBC,      // KYR-T240(E) / KYR-T220
    MiniGrand,  // KYR Mini / KYR Grand
    Lum,        // LUM Sigma and the LUMQ models
    Unknown,
};
TInfoFamily infoFamilyOf(std::uint8_t typeByte, bool ascii);

// The groups of the information view, for their titles.
enum class TInfoGroup : std::uint8_t {
    AuxMemory,
    ConfigSwitch,
    Type,
    FirmwareVersion,
    BootVersion,
    Protocols
};
const Text3& infoGroupTitle(TInfoGroup group);

// What the terminal information shows: label texts (UTF-8, current language; empty when
// there is nothing to show) and which of the optional groups are visible. The type and
// firmware-version groups are always shown.
struct TKyrInfoView {
    static constexpr int ProtocolLabels = 10;

    std::string type;
    std::string firmwareVersion;
    std::string identification;  // "%0.4x-%s": firmware number and its six characters
    std::string description;     // KYR Mini/Grand: the firmware description in the terminal
    std::string boot;            // "BOOT V1.2"
    std::string memoryType;
    std::string memoryWrite;
    std::string programMode;
    std::string bridgeMode;  // KYR-T220 only
    std::string userProgram;
    std::array<std::string, ProtocolLabels> protocols;

    bool memoryGroup = false;
    bool switchGroup = false;
    bool descriptionGroup = false;
    bool bootGroup = false;
    bool protocolGroup = false;
};

// The terminal information as the info dialog and the command line show it. The status and
// version requests are repeated as their replies arrive; for a KYR Mini/Grand the firmware
// description and BOOT version are read as well. A 100 ms timer calls ErrCntTimer; every
// Refresh with the flag raised counts one tick for each request still without a reply, and
// labels are cleared when too many ticks have passed.
class TKyrInfo {
public:
    // More counted ticks than these without a reply clear the labels.
    static constexpr int StatusTicks = 15;
    static constexpr int MiniGrandTicks = 10;
    // The firmware description in a KYR Mini/Grand.
    static constexpr std::uint8_t DescriptionBank = 7;
    static constexpr std::uint16_t DescriptionAddress = 0xFFC0;
    static constexpr int DescriptionLength = 60;

    explicit TKyrInfo(TMKom& kom);

    // Clears everything and starts the status and version requests.
    void Open();
    // The 100 ms timer: raises the flag the next Refresh counts.
    void ErrCntTimer() { errTick_ = true; }
    // One pass: takes the replies that arrived, asks again, counts and clears.
    void Refresh();

    TKyrInfoView View() const;
    // True once the status has answered, the version has answered or given up and, for a
    // KYR Mini/Grand, the description and BOOT version have answered or given up.
    bool Complete() const;
    // True when the status is known (it answered within its ticks).
    bool HasStatus() const { return status_.has_value(); }
    // True while the status has stayed without a reply for more than its ticks.
    bool StatusGaveUp() const { return statusWatch_.ticks > StatusTicks; }
    std::optional<TInfoFamily> Family() const;

private:
    struct Watch {
        TLinkStep step;
        int ticks = 0;
    };
    void StartRequest(Watch& watch, std::span<const std::uint8_t> request, int replyLength);
    bool Arrived(Watch& watch);
    bool CountTick(Watch& watch, int limit);
    void RefreshVersion();
    void RefreshStatus();
    void RefreshMiniGrand();
    void ClearAll();

    void ViewKyrBC(TKyrInfoView& view) const;
    void ViewMiniGrand(TKyrInfoView& view) const;
    void ViewLum(TKyrInfoView& view) const;

    TMKom& kom_;
    Watch versionWatch_;
    Watch statusWatch_;
    Watch descriptionWatch_;
    Watch bootWatch_;
    bool errTick_ = false;
    bool miniGrandRunning_ = false;

    std::optional<Bytes> versionReply_;  // the length byte first
    std::optional<std::array<std::uint8_t, 3>> status_;
    std::optional<Bytes> description_;
    std::optional<std::uint8_t> boot_;
    bool descriptionGaveUp_ = false;
    bool bootGaveUp_ = false;
};

}  // namespace kyr

#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/ProtocolList.h"
#include "model/Texts.h"

namespace kyr {

// The rules that hang off the protocol list (ProtocolList.h; the list position is what the
// protocol box shows, the code is what the project stores in its Protocol byte): grouping
// by PLC maker for the vendor lists, MultiMaster codes, default line settings, terminal
// address ranges, and the other protocol- and type-dependent rules of the Setup page.

inline constexpr int ProtocolListSize = 47;
inline constexpr int VendorGroupTotal = 17;  // groups 0..16
inline constexpr int LumQOnlyGroup = 16;     // "7seg...", offered on types 5..9 only
inline constexpr int A1SPosition = 18;       // "Mitsubishi A1S": never chosen, only loaded
inline constexpr int A1SProtocol = 28;
inline constexpr int ExdCompatiblePosition = 46;

// The line-setting texts of the setup bytes, in index order.
inline constexpr std::string_view BaudTexts[] = {"57600 Bd", "19200 Bd", "9600 Bd",
                                                 "4800 Bd",  "2400 Bd",  "1200 Bd"};
inline constexpr std::string_view ParityTexts[] = {"E,7,2", "E,7,1", "O,7,2", "O,7,1",
                                                   "N,8,2", "N,8,1", "E,8,1", "O,8,1"};

namespace texts {
inline constexpr Text3 PortAll{"Vše", "Alle", "All"};
}  // namespace texts

// The protocol code at a list position; -1 outside 0..46.
int protocolCodeAt(int position);
// The list position of a protocol code; -1 for a code that is not in the list.
int protocolPositionOf(int code);
// The name shown at a list position, in the current language for positions 0 and 45; "" outside.
std::string_view protocolNameAt(int position);

// The 17 MultiMaster codes that the KYR-T220 (type 1) cannot use, in their table order. The
// same table decides the terminal address range 0..7.
std::span<const std::uint8_t> multiMasterCodes();
bool isMultiMasterCode(int code);

// Line settings the "Default" button proposes; none for code 0 ("Character Terminal").
struct LineDefaults {
    std::uint8_t baudIndex;
    std::uint8_t parityIndex;
};
LineDefaults protocolLineDefaults(int code);

// The terminal's own address box for a protocol.
struct AddressRule {
    bool enabled;
    int digits;   // edit width
    int maximum;  // range 0..maximum; 0 when disabled
};
AddressRule terminalAddressRule(int code);
// The address kept under `rule`: clamped to the maximum, 0 when the box is disabled.
int clampTerminalAddress(const AddressRule& rule, int address);

// Vendor groups: the group's shown name and the list positions it offers, in group order.
// Group 8 does not list "Mitsubishi A1S". `groupCount` is the number of groups offered on a
// terminal type (16, or 17 on types 5..9).
int vendorGroupCount(int termType);
std::string_view vendorGroupName(int group);
std::vector<int> vendorGroupPositions(int group);
// The group that lists a position (the first such group); -1 for position 46 and outside.
int vendorGroupOf(int position);

// One step of the keyboard in the protocol box: the position the selection moves to when it
// has just stepped to `selected` from the project's protocol at `currentPosition`. On a
// type-1 terminal MultiMaster entries are skipped, and "Mitsubishi A1S" always is.
int stepProtocolSelection(int termType, int currentPosition, int selected);

// The LanguageEx byte the Setup page stores: the system language in bits 0-1 and the
// protocol's option in bits 2-7 (Max Address for DH485, the station or serial-interface option
// of families 9 and 20).
std::uint8_t composeLanguageEx(int protocol, int language, int maxAddress, bool hitachiStation,
                               bool modSerialInterface);

// The PLC port list by terminal type (texts in the current language).
std::vector<std::string> portList(int termType);

// Which of the page's output options are available ("Switch OFF at Error", the two EXD
// display boxes) for a family, terminal type and I/O board.
struct OutputRules {
    bool switchOffEnabled;  // otherwise cleared and disabled
    bool exdEnabled;
    bool exdCleared;
};
OutputRules outputRules(int family, int termType, int ioBoard);

}  // namespace kyr

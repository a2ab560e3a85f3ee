#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "model/Texts.h"

namespace kyr {

// The fixed list of PLC protocols in the order the setup page offers them, each with the
// protocol code a project stores. Two entries are language texts; the others are the
// makers' protocol names and read the same in every language.
struct ProtocolEntry {
    Text3 name;
    std::uint8_t code;
};

std::span<const ProtocolEntry> protocolList();

// Protocol codes with a language text of their own.
inline constexpr std::uint8_t ProtocolCharacterTerminal = 0;
inline constexpr std::uint8_t ProtocolDigitalSignals = 45;
inline constexpr std::uint8_t ProtocolExdCompatible = 46;

// The list entry of protocol `code`, nullptr for a code outside 0..46.
const ProtocolEntry* protocolByCode(int code);

namespace texts {
inline constexpr Text3 CharacterTerminal{"Znakový terminál", "Zeichenterminal",
                                         "Character Terminal"};
inline constexpr Text3 DigitalSignals24V{"3 digitální signály 24V", "3 Digitalsignale 24V",
                                         "3 Digital Signals 24V"};
}  // namespace texts

}  // namespace kyr

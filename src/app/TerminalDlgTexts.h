#pragma once

#include "model/Texts.h"

// Labels of the terminal dialogs (info, clock, progress) and of the port choice.
namespace kyr::apptexts {

inline constexpr Text3 KyrInfoTitle{"Informace o KYR", "KYR-Info", "KYR Info"};
inline constexpr Text3 KyrInfoDescription{"Popis firmwaru", "Firmware-Beschreibung",
                                          "Firmware Description"};
inline constexpr Text3 ClockTime{"Čas", "Zeit", "Time"};
inline constexpr Text3 ClockDate{"Datum", "Datum", "Date"};
inline constexpr Text3 ClockDay{"Den", "Tag", "Day"};

// The settings dialog's device choice.
inline constexpr Text3 PortDevice{"Zařízení", "Gerät", "Device"};
inline constexpr Text3 PortDeviceHint{
    "Prázdné: sériový port podle čísla; sim: vestavěný simulovaný terminál",
    "Leer: serielle Schnittstelle nach Nummer; sim: eingebautes simuliertes Terminal",
    "Empty: the serial port by number; sim: the built-in simulated terminal"};
inline constexpr Text3 PortBySerialNumber{"(sériový port podle čísla)",
                                          "(serielle Schnittstelle nach Nummer)",
                                          "(serial port by number)"};
inline constexpr Text3 PortSimulated{"sim: (simulovaný terminál)", "sim: (simuliertes Terminal)",
                                     "sim: (simulated terminal)"};

}  // namespace kyr::apptexts

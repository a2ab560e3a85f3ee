#pragma once

#include "model/Texts.h"

namespace kyr::texts {

// Messages of the firmware update.
inline constexpr Text3 NotKyrSeriesMFirmware{"Není soubor firmwaru pro KYR řady M",
                                             "Keine Firmware-Datei für KYR Serie M",
                                             "Not a firmware file for KYR Series M"};
inline constexpr Text3 NotLumFirmware{"Není soubor firmwaru pro LUM",
                                      "Keine Firmware-Datei für LUM",
                                      "Not a firmware file for LUM"};
// The LUM BOOT dialogue's failure (without the full stop of the link's message).
inline constexpr Text3 LumTransmissionFailed{"Přenos programu selhal",
                                             "Programmübertragung fehlgeschlagen",
                                             "Program transmission failed"};
inline constexpr Text3 FirmwareTypeMismatch{
    "Typ firmwaru neodpovídá typu terminálu",
    "Der Firmwaretyp passt nicht zum Terminaltyp",
    "The firmware type doesn't fit to the Terminal type"};
inline constexpr Text3 BootSwitchFailed{
    "Nepodařilo se přepnout terminál z programovacího režimu do režimu BOOT",
    "Das Terminal konnte nicht vom Programmiermodus in den BOOT-Modus umgeschaltet werden",
    "Didn't succeed to switch terminal from Programming to BOOT mode"};

}  // namespace kyr::texts

#pragma once

#include "model/Texts.h"

namespace kyr::texts {

// Messages of the Intel HEX reader.
inline constexpr Text3 BadHexRecord{"Chybný HEX záznam", "Fehlerhafter HEX-Datensatz",
                                    "Bad  HEX record"};
inline constexpr Text3 BadHexChecksum{"Chybný kontrolní součet", "Falsche Prüfsumme",
                                      "Bad checksum"};
inline constexpr Text3 HexAddressOutOfRange{
    "Adresa HEX záznamu leží mimo paměť firmwaru",
    "Adresse des HEX-Datensatzes liegt außerhalb des Firmware-Speichers",
    "HEX record address lies outside the firmware memory"};
inline constexpr Text3 CannotOpenHexFile{
    "Nelze otevřít HEX soubor ", "HEX-Datei kann nicht geöffnet werden: ", "Cannot open HEX file "};

}  // namespace kyr::texts

#pragma once

#include "model/Texts.h"

namespace kyr::texts {

// Messages of writing the EPROM HEX file.
inline constexpr Text3 NotEnoughSpaceForScreens{"Nedostatek místa pro obrazovky",
                                                "Nicht genug Platz für Bildschirme",
                                                "Not enough space for screens"};
inline constexpr Text3 NotEnoughSpaceForExdTables{"Nedostatek místa pro tabulky EXD",
                                                  "Nicht genug Platz für EXD-Tabellen",
                                                  "Not enough space for EXD tables"};
inline constexpr Text3 HexGeneratedPartially{"HEX soubor byl vytvořen jen částečně",
                                             "HEX-Datei wurde nur teilweise erstellt",
                                             "HEX File was generated only partially"};
// Followed by the file name and, in parentheses, the reason the system gives.
inline constexpr Text3 CannotWriteHexFile{
    "Nelze zapsat HEX soubor ",
    "HEX-Datei kann nicht geschrieben werden: ", "Cannot write HEX file "};

}  // namespace kyr::texts

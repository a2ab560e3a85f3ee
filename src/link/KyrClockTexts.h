#pragma once

#include <array>

#include "model/Texts.h"

namespace kyr::texts {

inline constexpr Text3 KyrClock{"Hodiny KYR", "KYR-Uhr", "KYR Clock"};
inline constexpr Text3 PcClock{"Hodiny PC", "PC-Uhr", "PC Clock"};
inline constexpr Text3 PcToKyr{"PC->&KYR", "PC->&KYR", "PC->&KYR"};

// Short day names, 0 = Sunday.
inline constexpr std::array<Text3, 7> DayNames{{
    {"Ne", "So", "Sun"},
    {"Po", "Mo", "Mon"},
    {"Út", "Di", "Tue"},
    {"St", "Mi", "Wed"},
    {"Čt", "Do", "Thu"},
    {"Pá", "Fr", "Fri"},
    {"So", "Sa", "Sat"},
}};

}  // namespace kyr::texts

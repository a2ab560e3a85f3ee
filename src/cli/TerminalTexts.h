#pragma once

#include "model/Texts.h"

namespace kyr::cli::texts {

using kyr::Text3;

inline constexpr Text3 NoAnswer{"Terminál neodpovídá.", "Das Terminal antwortet nicht.",
                                "The terminal does not answer."};
inline constexpr Text3 ClockNotSet{"Hodiny terminálu se nepodařilo nastavit.",
                                   "Die Uhr des Terminals konnte nicht gestellt werden.",
                                   "The terminal's clock could not be set."};

}  // namespace kyr::cli::texts

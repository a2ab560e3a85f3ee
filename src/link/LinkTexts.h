#pragma once

#include "model/Texts.h"

namespace kyr::texts {

// Followed by the port number.
inline constexpr Text3 CannotOpenPort{
    "Nelze otevřít sériový port ",
    "Serielle Schnittstelle kann nicht geöffnet werden: ", "Cannot open serial port "};

}  // namespace kyr::texts

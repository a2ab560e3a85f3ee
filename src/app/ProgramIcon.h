#pragma once

#include <QIcon>

namespace kyr {

// The program's window icon: a text operator terminal with its two-row display and keys, the
// same picture as packaging/kyr2.svg, drawn at 16, 24, 32, 48, 64 and 128 pixels so that it
// needs no image plug-in.
QIcon programIcon();

}  // namespace kyr

#pragma once

#include <QIcon>

#include "app/Commands.h"

namespace kyr {

// The glyph of a tool bar command, drawn at 24 × 24 pixels.
QIcon toolIcon(Cmd cmd);

}  // namespace kyr

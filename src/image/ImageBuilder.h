#pragma once

#include "image/EpromLayout.h"
#include "image/EpromWriter.h"

namespace kyr {

class TKyrData;

// The whole EPROM image of the project for `settings`. Building screen records brings each
// screen's image text and links up to date.
EpromImage BuildEpromImage(TKyrData& data, const EpromSettings& settings);

}  // namespace kyr

#pragma once

#include "cli/CliTypes.h"

namespace kyr::cli {

// firmware --series m|lum FILE.hex --port NAME [--binary|--ascii] [--com-delay MS]: replaces
// the terminal's firmware from FILE.hex with a progress line. KYR Series M terminals talk the
// binary link, so that series uses it unless --ascii is given. Exit status 0 done, 1 refused,
// failed or cancelled, 3 transferred only partially.
int RunFirmware(CommandContext& context);

}  // namespace kyr::cli

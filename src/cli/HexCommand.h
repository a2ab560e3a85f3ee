#pragma once

#include "cli/CliTypes.h"

namespace kyr::cli {

// hex FILE.kyr OUT.hex [--eprom 64|128] [--firmware 217|218]: reads the project and writes
// its EPROM image as an Intel HEX file (defaults 128 KB and format 218; --system gives the
// system-mode image). Partial when the reading dropped something or the image lacks screens,
// EXD tables or a screen record.
int RunHex(CommandContext& context);

}  // namespace kyr::cli

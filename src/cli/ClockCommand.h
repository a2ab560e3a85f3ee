#pragma once

#include "cli/CliTypes.h"
#include "link/KyrClock.h"

namespace kyr::cli {

// clock --port NAME [--set-from-pc] [--binary|--ascii] [--com-delay MS]: prints the
// terminal's clock and the PC's; --set-from-pc first sets the terminal to the PC's time.
int RunClock(CommandContext& context);

// The PC's local date and time now.
TPcTime PcTimeNow();

}  // namespace kyr::cli

#pragma once

#include "cli/CliTypes.h"

namespace kyr::cli {

// new --type N OUT.kyr: a new project of terminal type N saved as OUT.
int RunNew(CommandContext& context);
// check FILE.kyr: reads the project; every reader message is a line on standard error, a
// summary of what was read goes to standard output. Partial when something was dropped.
int RunCheck(CommandContext& context);
// save FILE.kyr OUT.kyr: reads the project and saves it under OUT (Save As, keeping its
// description). Partial when the reading dropped something.
int RunSave(CommandContext& context);

}  // namespace kyr::cli

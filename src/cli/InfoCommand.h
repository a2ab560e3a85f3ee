#pragma once

#include <iosfwd>

#include "cli/CliTypes.h"
#include "link/KyrInfo.h"

namespace kyr::cli {

// info --port NAME [--binary|--ascii] [--com-delay MS]: reads the terminal's description
// once and prints it, a group title and its labels per line. Fails when the terminal does
// not answer.
int RunInfo(CommandContext& context);

// The description as the command prints it.
void PrintInfo(const TKyrInfoView& view, std::ostream& out);

}  // namespace kyr::cli

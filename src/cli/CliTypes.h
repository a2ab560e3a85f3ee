#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace kyr::cli {

class CliDialog;

// Exit statuses of kyr2cli.
enum ExitStatus : int {
    ExitDone = 0,
    ExitFailed = 1,  // failed or refused: not loaded, job error, a question answered No
    ExitBadCommandLine = 2,
    ExitPartial = 3,  // done, but only partly (items dropped, a partial HEX file ...)
};

// The arguments after the command name, and where the command's own text output goes.
struct CommandContext {
    std::vector<std::string> args;
    std::ostream& out;
    CliDialog& dialog;
};

}  // namespace kyr::cli

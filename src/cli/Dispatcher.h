#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace kyr::cli {

// The whole command line after the program name: global options, the command and its
// arguments. Returns the exit status; `out` takes the commands' own output, `err` the
// message lines.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace kyr::cli

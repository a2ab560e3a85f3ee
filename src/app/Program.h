#pragma once

namespace kyr {

// The program from start to end: settings and the command line, the terminal fonts, the
// main window and the message loop. Returns the process exit status.
int runProgram(int argc, char** argv);

}  // namespace kyr

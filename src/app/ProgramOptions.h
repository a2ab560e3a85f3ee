#pragma once

#include <QStringList>

namespace kyr {

// What the command line asks for: system mode ("SYS" as the only parameter, any letter
// case) or one or two project files to open.
struct ProgramOptions {
    bool systemMode = false;
    QStringList files;
};

// `arguments` without the program's own name. More than two parameters open nothing.
ProgramOptions parseCommandLine(const QStringList& arguments);

}  // namespace kyr

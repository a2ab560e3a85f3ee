#include "app/ProgramOptions.h"

namespace kyr {

ProgramOptions parseCommandLine(const QStringList& arguments) {
    ProgramOptions options;
    if (arguments.size() == 1 && arguments.front().compare("SYS", Qt::CaseInsensitive) == 0) {
        options.systemMode = true;
        return options;
    }
    if (arguments.size() <= 2) options.files = arguments;
    return options;
}

}  // namespace kyr

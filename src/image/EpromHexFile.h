#pragma once

#include <string_view>

#include "image/EpromLayout.h"
#include "image/EpromWriter.h"

namespace kyr {

class TKyrData;

enum class HexFileStatus {
    Written,      // the file holds the whole project
    Incomplete,   // written, but screens or EXD tables were left out or a record failed
    NotWritten,   // no file name, or the project window kept its pending edits
    WriteFailed,  // the file could not be written; an existing file is unchanged
};

// Writes a built image as the file `fileName` and tells the user what it lacks: the warnings
// "Not enough space for EXD tables" and "Not enough space for screens", then the error
// "HEX File was generated only partially". A write failure is shown as an error and nothing
// else is; no half-written file is left under the name.
HexFileStatus WriteEpromImage(const EpromImage& image, std::string_view fileName);

// Builds the project's EPROM image and writes it as an Intel HEX file. A project shown in a
// window first has the window store its pending edits; when it refuses, nothing is written.
// An empty file name writes nothing. The project itself is not changed: neither its origin
// nor its modified flags.
HexFileStatus WriteHexFile(TKyrData& data, std::string_view fileName,
                           const EpromSettings& settings);

}  // namespace kyr

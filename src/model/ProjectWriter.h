#pragma once

#include <string>
#include <string_view>

namespace kyr {

class TKyrData;

// The project's whole file text, exactly as a save writes it (lines ended by CR LF).
std::string ProjectFileText(TKyrData& data);

// Save (empty `newName`) and Save As. Asks the project window to store its pages, asks the
// older-version question when the file would no longer open in the program that wrote it,
// writes the text to a temporary file beside the target and only then moves the old file to
// its ".bak" name and the new one into place. Any failure is reported; the original file,
// its backup, the project's name and its modified flags are then left as they were.
// Returns true when the project was saved.
bool SaveProject(TKyrData& data, std::string_view newName, std::string_view newDescription);

// The description as it is saved: line ends at the end removed, an LF after every CR that
// has none, a blank before a "[" that starts a line (so the line cannot pass for a section
// header), at most 255 characters.
std::string SavedDescription(std::string_view description);

// `fileName` with the extension after the last dot of its last component replaced by
// ".bak"; a name without a dot gets ".bak" appended.
std::string BackupName(std::string_view fileName);

}  // namespace kyr

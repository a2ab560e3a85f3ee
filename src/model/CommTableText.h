#pragma once

#include <string>
#include <string_view>

#include "model/TextTokens.h"

namespace kyr {

class TKyrData;

// The [Tables] section of the project text: one line per communication row, " NAME System
// Space Begin" with the six-character name.

// Rows written: 0..4 for a type-0 project whose I/O board is not 4 (its INP row stays in the
// project but is not written), 0..LastCommRow otherwise.
int CommRowsWritten(const TKyrData& data);

// Appends the "[Tables]" line and the rows, each line ended by CR LF.
void WriteCommTableSection(const TKyrData& data, std::string& out);

// Reads a section that starts at its "[Tables]" header line (lines end with CR). Every row
// first gets System -1 and Space 20, Begin kept; then each line sets the row it names among
// rows 0..LastCommRow (any case). An unknown name shows "Bad Comm Table Name: " and the line
// is skipped. A missing or non-integer number fills `fault` and returns false: the caller
// reports it and stops reading the file. Values keep their low 8 (System, Space) or 16
// (Begin) bits.
bool ReadCommTableSection(TKyrData& data, std::string_view section, TextFault& fault);

}  // namespace kyr

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/TextNumbers.h"

namespace kyr {

// Lines and tokens of project-text sections, shared by the section readers. Integers are
// converted as TextNumbers.h says.

// `text` without leading blanks.
std::string_view trimLeadingBlanks(std::string_view text);

// The lines of a section buffer, split at CR (the CR is not part of a line; an LF that
// followed a CR stays at the start of the next line). A buffer that ends with CR has no
// empty line after it.
std::vector<std::string_view> sectionLines(std::string_view section);

// Where a section's number token did not convert: the line within the section (0 is the
// header line) and the token as written (empty when the number was missing). The project
// reader names the file and its own line number when it reports this.
struct TextFault {
    int line = 0;
    std::string token;
};

// Walks the values of one line: each value is the next run of non-blanks. When the line has
// no further value the last one is given again (the cursor stays on it), so a line short of
// values repeats its last value.
class TokenCursor {
public:
    explicit TokenCursor(std::string_view line) : rest_(line) {}

    // The next value; "" only when the line had no value at all.
    std::string_view Next();
    // The next value, or "" when the line has no further value (nothing is repeated).
    std::string_view Take();
    // The next value as an integer; nullopt when it does not convert (see LastToken).
    std::optional<std::int32_t> NextInt();
    std::string_view LastToken() const { return last_; }

private:
    std::string_view rest_;
    std::string_view last_;
};

}  // namespace kyr

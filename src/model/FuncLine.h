#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kyr {

class TFunc;
class TKyrData;

// Where the function-line reader pulls the continuation lines of a field from (the string
// lines of a TXS field, the second text of a two-text BIT field): the screen-block reader of
// a file, the clipboard text, a test. Lines come without their line end.
class TFuncLineSource {
public:
    virtual ~TFuncLineSource() = default;
    // The next line, std::nullopt at the end of the input.
    virtual std::optional<std::string> NextLine() = 0;
};

// A line source over lines held in memory.
class TFuncLineList final : public TFuncLineSource {
public:
    TFuncLineList() = default;
    explicit TFuncLineList(std::vector<std::string> lines) : lines_(std::move(lines)) {}
    std::optional<std::string> NextLine() override;
    // Lines not taken yet.
    std::size_t Remaining() const { return lines_.size() - next_; }

private:
    std::vector<std::string> lines_;
    std::size_t next_ = 0;
};

// Reads one field from its function line. `line` starts at the keyword (the line's leading
// blank already skipped) and holds PC code-page bytes; it ends at its CR, if any.
// `convMode` is the screen's character-set value (flags bits 2-3, 0..3) and selects the
// conversion of quoted strings to terminal codes. Continuation lines are taken from `more`.
// Every failure is reported to the user (warning boxes, the "ERROR" box for a value that
// does not convert) and sets the returned function's error flag; the caller drops such a
// function. After a successful read the TXS check runs, and its failure also sets the flag.
std::unique_ptr<TFunc> ReadFuncLine(TKyrData& data, std::string_view line, int convMode,
                                    TFuncLineSource& more);
// The same for a line without continuation lines.
std::unique_ptr<TFunc> ReadFuncLine(TKyrData& data, std::string_view line, int convMode);

// The text form of `func`, each line ending with CR LF, strings converted to the PC code page
// of `convMode` (the screen's character-set value).
std::string WriteFuncLine(const TFunc& func, int convMode);
void AppendFuncLine(std::string& dest, const TFunc& func, int convMode);

}  // namespace kyr

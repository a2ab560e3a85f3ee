#pragma once

#include <iosfwd>

#include "model/UserDialog.h"

namespace kyr {

// Every box becomes one line: "error: TEXT", "warning: TEXT", "information: TEXT" or
// "question: TEXT [yes]" / "question: TEXT [no]". Questions get the configured answer; an
// input box gets its proposed value when questions are answered yes, and is cancelled otherwise.
class ConsoleDialog final : public UserDialog {
public:
    ConsoleDialog(std::ostream& out, bool answerYes);

    void message(MsgKind kind, std::string_view title, std::string_view text) override;
    Answer question(MsgKind kind, std::string_view title, std::string_view text,
                    Buttons buttons) override;
    std::optional<std::string> inputBox(std::string_view title, std::string_view prompt,
                                        std::string_view initial) override;
    void beep() override;

private:
    std::ostream& out_;
    bool answerYes_;
};

}  // namespace kyr

#pragma once

#include <iosfwd>

#include "model/ConsoleDialog.h"

namespace kyr::cli {

// The command line's dialogs: one line per box on standard error, questions answered by
// --yes, and a count of the message boxes so that a command can tell a clean run from one
// that dropped items on the way.
class CliDialog final : public UserDialog {
public:
    CliDialog(std::ostream& err, bool answerYes);
    ~CliDialog() override;
    CliDialog(const CliDialog&) = delete;
    CliDialog& operator=(const CliDialog&) = delete;

    void message(MsgKind kind, std::string_view title, std::string_view text) override;
    Answer question(MsgKind kind, std::string_view title, std::string_view text,
                    Buttons buttons) override;
    std::optional<std::string> inputBox(std::string_view title, std::string_view prompt,
                                        std::string_view initial) override;
    void beep() override;

    int MessageCount() const { return messages_; }

private:
    ConsoleDialog console_;
    int messages_ = 0;
    UserDialog* previous_;
};

}  // namespace kyr::cli

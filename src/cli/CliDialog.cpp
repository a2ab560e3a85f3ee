#include "cli/CliDialog.h"

namespace kyr::cli {

CliDialog::CliDialog(std::ostream& err, bool answerYes)
    : console_(err, answerYes), previous_(setDialogs(this)) {}

CliDialog::~CliDialog() { setDialogs(previous_); }

void CliDialog::message(MsgKind kind, std::string_view title, std::string_view text) {
    ++messages_;
    console_.message(kind, title, text);
}

Answer CliDialog::question(MsgKind kind, std::string_view title, std::string_view text,
                           Buttons buttons) {
    return console_.question(kind, title, text, buttons);
}

std::optional<std::string> CliDialog::inputBox(std::string_view title, std::string_view prompt,
                                               std::string_view initial) {
    return console_.inputBox(title, prompt, initial);
}

void CliDialog::beep() { console_.beep(); }

}  // namespace kyr::cli

#include "model/ConsoleDialog.h"

#include <ostream>

namespace kyr {

namespace {

const char* prefixOf(MsgKind kind) {
    switch (kind) {
    case MsgKind::Error: return "error: ";
    case MsgKind::Warning: return "warning: ";
    case MsgKind::Information: return "information: ";
    case MsgKind::Question: return "question: ";
    }
    return "error: ";
}

// Multi-line texts stay on one line so that every box is exactly one line of output.
void writeOneLine(std::ostream& out, std::string_view text) {
    for (char c : text) {
        if (c == '\r') continue;
        out << (c == '\n' ? ' ' : c);
    }
}

}  // namespace

ConsoleDialog::ConsoleDialog(std::ostream& out, bool answerYes) : out_(out), answerYes_(answerYes) {}

void ConsoleDialog::message(MsgKind kind, std::string_view, std::string_view text) {
    out_ << prefixOf(kind);
    writeOneLine(out_, text);
    out_ << '\n' << std::flush;
}

Answer ConsoleDialog::question(MsgKind, std::string_view, std::string_view text, Buttons buttons) {
    out_ << "question: ";
    writeOneLine(out_, text);
    out_ << (answerYes_ ? " [yes]" : " [no]") << '\n' << std::flush;
    const bool okButtons = buttons == Buttons::Ok || buttons == Buttons::OkCancel;
    if (answerYes_) return okButtons ? Answer::Ok : Answer::Yes;
    if (buttons == Buttons::Ok) return Answer::Ok;
    return okButtons ? Answer::Cancel : Answer::No;
}

std::optional<std::string> ConsoleDialog::inputBox(std::string_view, std::string_view prompt,
                                                   std::string_view initial) {
    out_ << "question: ";
    writeOneLine(out_, prompt);
    out_ << ' ' << initial << (answerYes_ ? " [yes]" : " [no]") << '\n' << std::flush;
    if (!answerYes_) return std::nullopt;
    return std::string(initial);
}

void ConsoleDialog::beep() { out_ << '\a' << std::flush; }

}  // namespace kyr

#include "model/UserDialog.h"

#include <iostream>

#include "model/ConsoleDialog.h"
#include "model/Texts.h"

namespace kyr {

namespace {

UserDialog& defaultDialog() {
    static ConsoleDialog console(std::cerr, false);
    return console;
}

UserDialog* current = nullptr;

}  // namespace

UserDialog& dialogs() { return current ? *current : defaultDialog(); }

UserDialog* setDialogs(UserDialog* dialog) {
    UserDialog* previous = current;
    current = dialog;
    return previous;
}

void showError(std::string_view text) { dialogs().message(MsgKind::Error, tr(texts::TitleError), text); }

void showWarning(std::string_view title, std::string_view text) {
    dialogs().message(MsgKind::Warning, title, text);
}

void showInformation(std::string_view title, std::string_view text) {
    dialogs().message(MsgKind::Information, title, text);
}

bool askYesNo(MsgKind kind, std::string_view title, std::string_view text) {
    return dialogs().question(kind, title, text, Buttons::YesNo) == Answer::Yes;
}

}  // namespace kyr

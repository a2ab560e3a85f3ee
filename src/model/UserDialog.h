#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kyr {

// What the system tells a person, independent of the window system. The model, image and
// link layers report through this interface only; the desktop program, the command line
// and the tests each install their own implementation.
enum class MsgKind { Error, Warning, Information, Question };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };

class UserDialog {
public:
    virtual ~UserDialog() = default;

    // A modal box with one OK button. Texts are UTF-8.
    virtual void message(MsgKind kind, std::string_view title, std::string_view text) = 0;
    // A modal box with a choice of buttons; returns the button pressed.
    virtual Answer question(MsgKind kind, std::string_view title, std::string_view text,
                            Buttons buttons) = 0;
    // A one-line input box; std::nullopt when cancelled.
    virtual std::optional<std::string> inputBox(std::string_view title, std::string_view prompt,
                                                std::string_view initial) = 0;
    // The refusal of a bad keyboard entry.
    virtual void beep() = 0;
};

// The process-wide dialog implementation. Until one is installed, messages go to standard
// error in the command line's form and every question is answered No (or Cancel).
UserDialog& dialogs();
// Installs `dialog` (not owned) and returns the one it replaces; nullptr restores the default.
UserDialog* setDialogs(UserDialog* dialog);

// Shortcuts for the boxes the system shows most, titled in the current language.
void showError(std::string_view text);                        // "ERROR", exclamation icon
void showWarning(std::string_view title, std::string_view text);
void showInformation(std::string_view title, std::string_view text);
bool askYesNo(MsgKind kind, std::string_view title, std::string_view text);

}  // namespace kyr

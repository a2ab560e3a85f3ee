#pragma once

#include <QMessageBox>
#include <QPointer>
#include <memory>

#include "model/UserDialog.h"

class QWidget;

namespace kyr {

// The desktop program's user dialogs: modal message boxes, input boxes and the system beep.
// Boxes are parented to the window set with setParentWindow (the main window), so they stay
// on top of it.
class QtDialog final : public UserDialog {
public:
    QtDialog();
    ~QtDialog() override;
    QtDialog(const QtDialog&) = delete;
    QtDialog& operator=(const QtDialog&) = delete;

    void setParentWindow(QWidget* parent);

    void message(MsgKind kind, std::string_view title, std::string_view text) override;
    Answer question(MsgKind kind, std::string_view title, std::string_view text,
                    Buttons buttons) override;
    std::optional<std::string> inputBox(std::string_view title, std::string_view prompt,
                                        std::string_view initial) override;
    void beep() override;

    // The box message() and question() show, not yet shown.
    std::unique_ptr<QMessageBox> makeBox(MsgKind kind, std::string_view title,
                                         std::string_view text, Buttons buttons) const;

    static QMessageBox::Icon iconFor(MsgKind kind);

private:
    QPointer<QWidget> parent_;
    UserDialog* previous_;
};

}  // namespace kyr

#pragma once

#include <optional>

class QMenu;

#include "app/Commands.h"

namespace kyr {

// What the main window needs of each of its child windows (project windows, multi-screen
// views, screen editors, function lists): its kind for the command states, its project, its
// edit commands, relabelling and the blink tick.
class MdiChild {
public:
    virtual ~MdiChild() = default;

    virtual ChildKind childKind() const = 0;
    // Puts the texts of the current language on the window.
    virtual void SetLanguageTexts() = 0;

    // The project the window shows, if any.
    virtual std::optional<ProjectSummary> projectSummary() const { return std::nullopt; }
    // The notebook page in front (project windows), -1 otherwise.
    virtual int pageIndex() const { return -1; }

    // Sets the window's own edit commands and reports which of cut, copy and paste apply.
    virtual EditState UpdateMenus() { return {}; }
    // A tool bar command for the window (cut, copy, paste, insert and delete commands).
    virtual void runCommand(Cmd) {}

    // The window's own menu, merged into the main menu while the window is active.
    virtual QMenu* editMenu() const { return nullptr; }

    // The blink phase of the screen editors, toggled every 500 ms.
    virtual void setBlinkPhase(bool) {}
};

}  // namespace kyr

#pragma once

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace kyr::test {

// The one application object of the GUI tests (offscreen platform, set by CTest).
inline QApplication& guiApp() {
    static int argc = 1;
    static char name[] = "app_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *app;
}

// The widget of `type` named `name` below `root`; nullptr when none.
template <typename W>
W* findNamed(const QObject* root, const char* name) {
    return root->findChild<W*>(QString::fromLatin1(name));
}

// Runs `action` on the modal dialog that the next call opens, as soon as it is shown.
// The dialog is looked for on each pass of the event loop, a bounded number of times.
inline void whenModal(std::function<void(QWidget*)> action, int passes = 100) {
    QTimer::singleShot(0, [action, passes] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            action(modal);
            return;
        }
        if (passes > 0) whenModal(action, passes - 1);
    });
}

}  // namespace kyr::test

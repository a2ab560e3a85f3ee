#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace kyr {

// The program from start to end: settings and the command line, the terminal fonts, the
// main window and the message loop. Returns the process exit status.
int runProgram(int argc, char** argv);

// Where and how one run of the program starts, inside an existing application object.
struct ProgramStart {
    QStringList arguments;  // the command line without the program's own name
    QString settingsPath;   // kyr.ini
    QString fontFolder;     // where kyrfont.fon and kyrfontr.fon lie
    // Told of the main window as soon as it exists, and of nullptr before it goes.
    std::function<void(QWidget*)> mainWindowChanged;
    // The message loop (QApplication::exec when empty); its result is the exit status.
    std::function<int()> loop;
};

// Settings, the command line, the fonts (a font that cannot be read ends the run with its
// message and status 1, before any window exists), the main window, the loop; the fonts are
// given up when the loop has ended.
int runMainWindow(const ProgramStart& start);

}  // namespace kyr

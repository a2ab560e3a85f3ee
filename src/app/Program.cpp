#include "app/Program.h"

#include <QApplication>
#include <exception>

#include "app/MainForm.h"
#include "app/ProgramIcon.h"
#include "app/ProgramOptions.h"
#include "app/TerminalFonts.h"
#include "model/Texts.h"
#include "qt/QtDialog.h"
#include "qt/QtText.h"
#include "qt/Settings.h"

namespace kyr {

int runMainWindow(const ProgramStart& start) {
    SettingsFile iniFile(start.settingsPath);
    Settings settings = iniFile.read();
    setLanguage(settings.language);
    ProgramOptions options = parseCommandLine(start.arguments);

    TerminalFonts fonts(start.fontFolder);
    if (!fonts.registerFonts()) return 1;

    QApplication::setApplicationDisplayName(QString());
    TMainMDIForm mainForm(std::move(iniFile), std::move(settings), std::move(options));
    if (start.mainWindowChanged) start.mainWindowChanged(&mainForm);
    mainForm.show();
    const int status = start.loop ? start.loop() : QApplication::exec();
    if (start.mainWindowChanged) start.mainWindowChanged(nullptr);
    return status;
}

int runProgram(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("KYR2");
    QApplication::setOrganizationName("KYR2");
    QApplication::setWindowIcon(programIcon());
    QtDialog dialog;
    try {
        ProgramStart start;
        start.arguments = app.arguments().mid(1);
        start.settingsPath = SettingsFile::defaultPath();
        start.fontFolder = QCoreApplication::applicationDirPath();
        start.mainWindowChanged = [&dialog](QWidget* window) { dialog.setParentWindow(window); };
        return runMainWindow(start);
    } catch (const std::exception& e) {
        showError(e.what());
    } catch (...) {
        showError("Internal error");
    }
    return 1;
}

}  // namespace kyr

#include "app/Program.h"

#include <QApplication>
#include <exception>

#include "app/MainForm.h"
#include "app/ProgramOptions.h"
#include "app/TerminalFonts.h"
#include "model/Texts.h"
#include "qt/QtDialog.h"
#include "qt/QtText.h"
#include "qt/Settings.h"

namespace kyr {

namespace {

int runMainWindow(QApplication& app, QtDialog& dialog) {
    SettingsFile iniFile(SettingsFile::defaultPath());
    Settings settings = iniFile.read();
    setLanguage(settings.language);
    ProgramOptions options = parseCommandLine(app.arguments().mid(1));

    TerminalFonts fonts(QCoreApplication::applicationDirPath());
    if (!fonts.registerFonts()) return 1;

    QApplication::setApplicationDisplayName(QString());
    TMainMDIForm mainForm(std::move(iniFile), std::move(settings), std::move(options));
    dialog.setParentWindow(&mainForm);
    mainForm.show();
    const int status = QApplication::exec();
    dialog.setParentWindow(nullptr);
    return status;
}

}  // namespace

int runProgram(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("KYR2");
    QApplication::setOrganizationName("KYR2");
    QtDialog dialog;
    try {
        return runMainWindow(app, dialog);
    } catch (const std::exception& e) {
        showError(e.what());
    } catch (...) {
        showError("Internal error");
    }
    return 1;
}

}  // namespace kyr

// Draws the README's pictures of the desktop program: the main window with an example project
// on each page of its project window. Run it on any Qt platform (offscreen works):
//   kyr2shots EXAMPLE.kyr OUTDIR
#include <QApplication>
#include <QDir>
#include <QMdiSubWindow>
#include <QPixmap>
#include <QTabBar>
#include <QTemporaryDir>
#include <cstdio>
#include <iostream>

#include "app/FileForm.h"
#include "app/MainForm.h"
#include "model/ConsoleDialog.h"
#include "model/DataClass.h"
#include "model/Texts.h"

namespace {

using kyr::TKyrFileForm;

bool save(kyr::TMainMDIForm& window, const QDir& folder, const char* name) {
    QApplication::processEvents();
    window.AppIdle();
    const QString path = folder.filePath(name);
    if (window.grab().save(path)) return true;
    std::fprintf(stderr, "kyr2shots: cannot write %s\n", qPrintable(path));
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: kyr2shots EXAMPLE.kyr OUTDIR\n");
        return 2;
    }
    kyr::ConsoleDialog console(std::cerr, false);
    kyr::setDialogs(&console);
    kyr::setLanguage(kyr::LangEnglish);

    const QTemporaryDir settingsFolder;
    kyr::TMainMDIForm main(kyr::SettingsFile(settingsFolder.filePath("kyr.ini")), kyr::Settings{},
                           kyr::ProgramOptions{});
    main.resize(1000, 680);
    main.show();
    TKyrFileForm* form = main.OpenProjectFile(QString::fromLocal8Bit(argv[1]));
    if (form == nullptr) return 1;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(form->parentWidget())) sub->showMaximized();

    auto* tabs = form->findChild<QTabBar*>("TabSet");
    if (tabs == nullptr) return 1;
    const QDir folder(QString::fromLocal8Bit(argv[2]));
    const struct {
        TKyrFileForm::Page page;
        const char* file;
    } shots[] = {
        {TKyrFileForm::PageScreens, "screens.png"},
        {TKyrFileForm::PageComm, "comm-tables.png"},
        {TKyrFileForm::PageSetup, "setup.png"},
    };
    bool ok = true;
    for (const auto& shot : shots) {
        tabs->setCurrentIndex(shot.page);
        ok = save(main, folder, shot.file) && ok;
    }
    form->project().ClearModified();
    kyr::setDialogs(nullptr);
    return ok ? 0 : 1;
}

// Draws the README's pictures of the desktop program: the main window with an example project
// on its Comm Tables and Setup pages, the progress dialog of a download to the built-in
// simulated terminal and KYR Info. Run it on any Qt platform (offscreen works):
//   kyr2shots EXAMPLE.kyr OUTDIR
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPixmap>
#include <QTabBar>
#include <QTemporaryDir>
#include <cstdio>
#include <iostream>

#include "app/FileForm.h"
#include "app/MainForm.h"
#include "app/Progress.h"
#include "app/TerminalCommands.h"
#include "model/ConsoleDialog.h"
#include "model/DataClass.h"
#include "model/Texts.h"

namespace {

using kyr::TKyrFileForm;

// The main window, with `dialog` drawn over its centre as the window system would show it.
QImage picture(kyr::TMainMDIForm& window, QWidget* dialog) {
    QApplication::processEvents();
    window.AppIdle();
    QImage image = window.grab().toImage();
    if (dialog != nullptr) {
        // The window system's frame is not part of a grab: a plain title bar stands for it.
        const QPixmap top = dialog->grab();
        constexpr int TitleHeight = 24;
        QPainter painter(&image);
        const QPoint at((image.width() - top.width()) / 2, (image.height() - top.height()) / 3);
        const QRect title(at.x(), at.y() - TitleHeight, top.width(), TitleHeight);
        painter.fillRect(title.united(QRect(at, top.size())).adjusted(-1, -1, 1, 1), Qt::darkGray);
        painter.fillRect(title, QColor(0x2a, 0x5d, 0x9f));
        painter.setPen(Qt::white);
        painter.drawText(title, Qt::AlignCenter, dialog->windowTitle());
        painter.drawPixmap(at, top);
    }
    return image;
}

bool save(const QImage& image, const QDir& folder, const char* name) {
    const QString path = folder.filePath(name);
    if (image.save(path)) return true;
    std::fprintf(stderr, "kyr2shots: cannot write %s\n", qPrintable(path));
    return false;
}

// Runs the terminal dialog's timers by hand until `ready`, then draws the picture and closes
// the dialog as Cancel would.
template <typename Ready>
void snapshotWhile(kyr::TMainMDIForm& main, QDialog& dialog, Ready ready, QImage& out) {
    kyr::TTerminalCommands& terminal = main.terminal();
    dialog.show();
    for (int tick = 0; tick < 2000 && !ready(); ++tick) {
        terminal.KomTimerTimer();
        terminal.CommTimerTimer();
        terminal.IdlePass();
        QApplication::processEvents();
    }
    out = picture(main, &dialog);
    dialog.reject();
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
    kyr::Settings settings;
    settings.ascii = false;  // the example is a KYR terminal: binary link
    settings.portName = "sim:";
    kyr::TMainMDIForm main(kyr::SettingsFile(settingsFolder.filePath("kyr.ini")), settings,
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
        {TKyrFileForm::PageComm, "comm-tables.png"},
        {TKyrFileForm::PageSetup, "setup.png"},
    };
    bool ok = true;
    for (const auto& shot : shots) {
        tabs->setCurrentIndex(shot.page);
        ok = save(picture(main, nullptr), folder, shot.file) && ok;
    }

    tabs->setCurrentIndex(TKyrFileForm::PageScreens);
    kyr::TTerminalCommands& terminal = main.terminal();
    QImage progress;
    terminal.SetModalRunner([&](QDialog& dialog) {
        snapshotWhile(
            main, dialog,
            [&] {
                const kyr::TProgressDlg& dlg = terminal.progressDlg();
                return dlg.phaseLabel()->text() == "Screens" && dlg.gauge()->percent() >= 40 &&
                       dlg.gauge()->percent() <= 60;
            },
            progress);
        return 0;
    });
    terminal.KyrDownloadItemClick();
    ok = save(progress, folder, "progress.png") && ok;

    QImage info;
    int ticks = 0;
    terminal.SetModalRunner([&](QDialog& dialog) {
        snapshotWhile(
            main, dialog, [&] { return ++ticks > 60; }, info);
        return 0;
    });
    terminal.KyrInfoItemClick();
    ok = save(info, folder, "info.png") && ok;
    form->project().ClearModified();
    kyr::setDialogs(nullptr);
    return ok ? 0 : 1;
}

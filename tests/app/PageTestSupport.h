#pragma once

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWidget>
#include <memory>
#include <string>

#include "GuiTestSupport.h"
#include "RecordingDialog.h"
#include "app/CommPage.h"
#include "app/SetupPage.h"
#include "model/DataClass.h"
#include "model/Texts.h"

namespace kyr::test {

// A window that hosts the two pages on one project, wired as the project window wires them.
struct PageHost {
    explicit PageHost(int type, int protocol = 0, int ioBoard = 0) {
        guiApp();
        setLanguage(LangEnglish);
        project = TKyrData::NewProject(0, static_cast<std::uint8_t>(type));
        project->Setup().SetProtocol(static_cast<std::uint8_t>(protocol));
        project->Setup().SetIoBoard(static_cast<std::uint8_t>(ioBoard));
        window = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(window.get());
        comm = new TCommPage(window.get());
        setup = new TSetupPage(window.get());
        layout->addWidget(comm);
        layout->addWidget(setup);
        comm->setProject(project.get());
        setup->setProject(project.get());
        QObject::connect(setup, &TSetupPage::protocolChanged, comm, [this] {
            ++protocolChanges;
            comm->UpdateSystemTitle();
            for (int row = 0; row < 8; ++row) comm->RefreshCommLine(row);
        });
    }

    // Shows the window active, so that focus moves send their events.
    void showActive() {
        window->show();
        QApplication::setActiveWindow(window.get());
        QApplication::processEvents();
    }

    template <typename W>
    W* w(const char* name, int line = 0) const {
        const std::string full = line > 0 ? std::string(name) + std::to_string(line) : name;
        W* found = findNamed<W>(window.get(), full.c_str());
        EXPECT_NE(found, nullptr) << full;
        return found;
    }
    QLineEdit* edit(const char* name, int line) const { return w<QLineEdit>(name, line); }
    QCheckBox* check(int line) const { return w<QCheckBox>("TabCheckBox", line); }
    QComboBox* space(int line) const { return w<QComboBox>("SpaceComboBox", line); }

    RecordingDialog dialog;
    std::unique_ptr<TKyrData> project;
    std::unique_ptr<QWidget> window;
    TCommPage* comm = nullptr;
    TSetupPage* setup = nullptr;
    int protocolChanges = 0;
};

inline void pressKey(QWidget* target, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(target, &release);
}

}  // namespace kyr::test

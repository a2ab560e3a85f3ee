#pragma once

#include <QDialog>
#include <QSettings>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "GuiTestSupport.h"
#include "RecordingDialog.h"
#include "app/MainForm.h"
#include "app/TerminalCommands.h"
#include "model/Texts.h"
#include "qt/Settings.h"

namespace kyr::test {

// The binary link to "sim:" (the active project's type), or to another device.
inline Settings simSettings(const std::string& portName = "sim:", bool ascii = false) {
    Settings s;
    s.ascii = ascii;
    s.portName = portName;
    return s;
}

// A main window whose terminal commands reach the simulated terminals on a manual clock, with
// modal dialogs shown without a nested event loop: the test drives the timers by hand.
class TerminalRig {
public:
    static constexpr int Tick = 50;

    explicit TerminalRig(Settings settings = simSettings()) {
        guiApp();
        main = std::make_unique<TMainMDIForm>(SettingsFile(dir.filePath("kyr.ini")),
                                              std::move(settings), ProgramOptions{});
        terminal().simTerminals().setClockKind(sim::SimClock::Kind::Manual);
        // The timers stay still: every tick is the test's.
        terminal().komTimer()->stop();
        terminal().commTimer()->stop();
        terminal().SetModalRunner([this](QDialog& d) {
            shown.push_back(d.objectName().toStdString());
            if (onModal) return onModal(d);
            d.open();
            return -1;
        });
    }

    TTerminalCommands& terminal() const { return main->terminal(); }
    TKyrComm& comm() const { return terminal().comm(); }
    TMKom& kom() const { return terminal().kom(); }

    // One 50 ms tick of both timers, and the idle pass that follows them.
    void tick() {
        terminal().KomTimerTimer();
        terminal().simTerminals().advance(Tick);
        terminal().CommTimerTimer();
        main->AppIdle();
    }
    void ticks(int n) {
        for (int i = 0; i < n; ++i) tick();
    }
    // Ticks until `done` holds; false when the bound is reached first.
    bool tickUntil(const std::function<bool()>& done, int maxTicks = 20000) {
        for (int i = 0; i < maxTicks; ++i) {
            if (done()) return true;
            tick();
        }
        return done();
    }
    // Ticks until the job has ended and its idle pass has tidied up.
    bool runJob(int maxTicks = 20000) {
        return tickUntil([this] { return comm().Phase() == jpIdle; }, maxTicks);
    }

    std::string lastText() const {
        const auto t = dialog.texts();
        return t.empty() ? std::string() : t.back();
    }

    QTemporaryDir dir;
    RecordingDialog dialog;
    std::unique_ptr<TMainMDIForm> main;
    std::vector<std::string> shown;  // objectNames of the modal dialogs, in order
    std::function<int(QDialog&)> onModal;
};

inline std::string examplePath(const char* name) {
    return std::string(KYR_EXAMPLES_DIR) + "/" + name;
}

}  // namespace kyr::test

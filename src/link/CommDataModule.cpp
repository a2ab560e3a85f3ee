#include "link/CommDataModule.h"

#include <string>

#include "link/LinkTexts.h"
#include "model/UserDialog.h"

namespace kyr {

TCommDataModule::TCommDataModule(TPortFactory factory, TLinkSettings settings)
    : kom_(std::move(factory), std::move(settings)) {}

TCommDataModule::~TCommDataModule() { kom_.FlushRequests(); }

void TCommDataModule::KomTimerTimer() {
    if (busy_) return;
    busy_ = true;
    struct Clear {
        bool& flag;
        ~Clear() { flag = false; }
    } clear{busy_};
    kom_.KomStep();
}

bool OpenPortOrReport(TMKom& kom, int comPort) {
    if (kom.IsPortOpen()) return true;
    if (kom.OpenPort(comPort)) return true;
    std::string text(tr(texts::CannotOpenPort));
    text += std::to_string(comPort);
    // Off Windows, or with a portName setting, the number alone does not say what was tried.
    if (kom.DeviceName() != "COM" + std::to_string(comPort)) text += " (" + kom.DeviceName() + ")";
    showError(text);
    return false;
}

}  // namespace kyr

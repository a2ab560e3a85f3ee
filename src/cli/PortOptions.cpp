#include "cli/PortOptions.h"

#include <cctype>
#include <string_view>

#include "link/LinkTexts.h"
#include "model/TextNumbers.h"
#include "model/UserDialog.h"
#include "qt/QtSerialPort.h"
#include "sim/SimPort.h"

namespace kyr::cli {

namespace {

constexpr int MaxComDelay = 1000;
constexpr int FirstKyrType = 0;
constexpr int FirstLumType = 4;

bool isSimName(const std::string& name) {
    static constexpr std::string_view Prefix = "sim:";
    if (name.size() < Prefix.size()) return false;
    for (std::size_t i = 0; i < Prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(name[i])) != Prefix[i]) return false;
    return true;
}

}  // namespace

bool ParsePortOptions(const std::vector<std::string>& args, PortOptions& options,
                      std::vector<std::string>& rest) {
    bool havePort = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--port") {
            if (havePort || i + 1 >= args.size() || args[i + 1].empty()) return false;
            options.port = args[++i];
            havePort = true;
        } else if (a == "--binary") {
            options.ascii = false;
        } else if (a == "--ascii") {
            options.ascii = true;
        } else if (a == "--com-delay") {
            const auto ms = i + 1 < args.size() ? ParseInteger(args[i + 1]) : std::nullopt;
            if (!ms || *ms < 0 || *ms > MaxComDelay) return false;
            options.comDelay = *ms;
            ++i;
        } else {
            rest.push_back(a);
        }
    }
    return havePort;
}

int DefaultSimType(bool ascii) { return ascii ? FirstLumType : FirstKyrType; }

TPortFactory MakePortFactory(int simDefaultType) {
    return [simDefaultType](const std::string& name) -> std::unique_ptr<SerialPort> {
        if (!isSimName(name)) return std::make_unique<QtSerialPort>();
        // A manual clock: the simulated terminal's time moves with the ticks waited.
        return sim::makeSimPort(name, simDefaultType, sim::SimClock::Kind::Manual);
    };
}

PortSession::PortSession(const PortOptions& options)
    : PortSession(options, DefaultSimType(options.ascii)) {}

PortSession::PortSession(const PortOptions& options, int simDefaultType)
    : kom_(MakePortFactory(simDefaultType),
           TLinkSettings{options.ascii, options.comDelay, options.port}) {}

PortSession::~PortSession() { kom_.ClosePort(); }

bool PortSession::Open() {
    if (kom_.OpenPort(1)) return true;
    showError(std::string(tr(texts::CannotOpenPort)) + kom_.DeviceName());
    return false;
}

void PortSession::Tick() {
    kom_.KomStep();
    kom_.Sleep(TickMs);
}

}  // namespace kyr::cli

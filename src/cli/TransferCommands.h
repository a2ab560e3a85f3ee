#pragma once

#include <functional>
#include <memory>
#include <string>

#include "cli/CliTypes.h"
#include "link/SerialPort.h"

namespace kyr::cli {

// download FILE.kyr --port NAME [--binary|--ascii] [--com-delay MS]
int RunDownload(CommandContext& context);
// verify FILE.kyr --port NAME [...]
int RunVerify(CommandContext& context);
// upload OUT.kyr --port NAME [...]: saves the uploaded project as OUT.
int RunUpload(CommandContext& context);

// The port for a device name: the simulated terminal for "sim:" / "sim:N" (playing
// `projectType` for "sim:"), the PC's serial port otherwise.
std::unique_ptr<SerialPort> MakePort(const std::string& deviceName, int projectType);

// How a transfer steps its job: the 50 ms timer of the command line, or a test's hand.
struct TransferClock {
    // Waits for the next tick; returns the milliseconds since the transfer started.
    std::function<double()> nextTick;
    std::function<std::unique_ptr<SerialPort>(const std::string&, int)> makePort = MakePort;
    // True when the user asked to stop (Ctrl-C).
    std::function<bool()> cancelRequested;
};
// Replaces the real-time clock and port factory of the three commands (nullptr restores them).
void SetTransferClock(const TransferClock* clock);

}  // namespace kyr::cli

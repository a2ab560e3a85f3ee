#pragma once

#include "link/Comm.h"

namespace kyr {

// Owns the one link engine. The window system's 50 ms timer calls KomTimerTimer.
class TCommDataModule {
public:
    explicit TCommDataModule(TPortFactory factory, TLinkSettings settings = {});
    ~TCommDataModule();
    TCommDataModule(const TCommDataModule&) = delete;
    TCommDataModule& operator=(const TCommDataModule&) = delete;

    TMKom& Kom() { return kom_; }

    // One link step; a tick that arrives while the previous one is still running (a message
    // box inside a callback lets timers fire) is skipped.
    void KomTimerTimer();
    bool Busy() const { return busy_; }

private:
    TMKom kom_;
    bool busy_ = false;
};

// Opens port comPort unless it is open already; when it stays closed, shows "Cannot open
// serial port " with the port number (and the device tried) and returns false.
bool OpenPortOrReport(TMKom& kom, int comPort);

}  // namespace kyr

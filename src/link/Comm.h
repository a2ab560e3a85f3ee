#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "link/LinkFrame.h"
#include "link/LinkTypes.h"
#include "link/SerialPort.h"

namespace kyr {

// What a caller shares with the link for one kind of request: its status byte and the buffer
// the reply is copied into. The caller keeps it; the link holds a share while the request is
// queued or on the line, so a caller that goes away early leaves nothing dangling.
struct TRequestBox {
    TReqStatus status = rsIdle;
    // On success: the reply's bytes without CRC (the length byte first for a variable
    // reply; empty for an acknowledge).
    Bytes reply;
};
using TRequestBoxPtr = std::shared_ptr<TRequestBox>;

// Called when a request ends, with success or for good, with the argument it was queued with.
using TLinkCallback = std::function<void(std::uint32_t argument)>;

// One slot of the request ring.
struct TLinkRequest {
    std::uint8_t address = 0;  // 0: no address byte is sent
    TRequestBoxPtr box;
    Bytes request;         // command byte first
    int replyLength = -1;  // 0 acknowledge, 255 variable, -1 empty slot
    TLinkCallback callback;
    std::uint32_t callbackArg = 0;

    bool empty() const { return replyLength < 0; }
};

// The link settings of kyr.ini that the engine uses.
struct TLinkSettings {
    bool ascii = true;                     // ASCII frames (LUM family), else binary (KYR)
    int comDelay = link::DefaultComDelay;  // ms between the address character and the rest
    std::string portName;                  // names the device instead of comPort when set
};

// Makes the port object for a device name; called when the device changes.
using TPortFactory = std::function<std::unique_ptr<SerialPort>(const std::string& deviceName)>;

// The link engine: the serial port, a ring of queued requests and the exchange on the line.
// KomStep runs one 50 ms tick of it.
class TMKom {
public:
    static constexpr int QueueSize = 20;

    explicit TMKom(TPortFactory factory, TLinkSettings settings = {});
    ~TMKom();
    TMKom(const TMKom&) = delete;
    TMKom& operator=(const TMKom&) = delete;

    void SetSettings(TLinkSettings settings) { settings_ = std::move(settings); }
    const TLinkSettings& Settings() const { return settings_; }

    // Opens the device of port number n (or of the portName setting); true when open.
    bool OpenPort(int n);
    // Fails every queued request and the one on the line, then closes the port.
    void ClosePort();
    // Closes the port without touching the queue and opens port n again.
    bool ReopenPort(int n);
    bool IsPortOpen() const;
    // The device name the last OpenPort tried.
    const std::string& DeviceName() const { return deviceName_; }

    // Direct port access for the BOOT loader dialogue, outside the queue.
    int ReadAvailable(std::span<std::uint8_t> buffer);
    bool WriteBytes(std::span<const std::uint8_t> data);
    bool SetParityNone();
    bool SetParitySpace();
    void Sleep(int milliseconds);

    // Queues a request of 1..254 bytes expecting replyLength bytes (0 acknowledge, 255
    // variable). Sets box->status to rsPending, or to rsFailed (port closed, bad lengths) or
    // rsQueueFull, calling the callback at once in those cases. Returns the status set.
    TReqStatus SendRequest(std::uint8_t address, const TRequestBoxPtr& box, TLinkCallback callback,
                           std::uint32_t callbackArg, int replyLength,
                           std::span<const std::uint8_t> request);
    // One tick of the link: receive, time out, deliver or retry, start the next request.
    void KomStep();
    // Fails every request, queued or on the line: status rsFailed, callback called.
    void FlushRequests();

    TLinkState State() const { return state_; }
    bool ReopenFlag() const { return reopen_; }
    void SetReopenFlag(bool on) { reopen_ = on; }
    int QueuedCount() const;
    bool RequestActive() const { return active_; }

private:
    void StartNext();
    void SendFrame();
    void SendBinary();
    void SendAscii();
    void Receive();
    void ReceiveBinary();
    void ReceiveAscii();
    void Deliver();
    void Retry();
    void FailCurrent();
    void DiscardInput();

    TPortFactory factory_;
    TLinkSettings settings_;
    std::unique_ptr<SerialPort> port_;
    std::string deviceName_;
    int portNumber_ = 1;

    std::array<TLinkRequest, QueueSize> queue_{};
    int readIndex_ = 0;
    int writeIndex_ = 0;

    TLinkRequest current_;
    bool active_ = false;  // current_ is on the line or waiting for a resend
    bool sentAscii_ = false;
    Bytes transmit_;  // request bytes and CRC

    TLinkState state_ = lsIdle;
    int timeout_ = 0;
    int retries_ = 0;
    bool reopen_ = true;  // set at start, cleared by every successful exchange

    link::BinaryReplyDecoder binary_;
    link::AsciiReplyDecoder ascii_;
};

}  // namespace kyr

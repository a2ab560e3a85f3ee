#include "link/Comm.h"

#include <utility>

#include "link/PortName.h"

namespace kyr {

namespace {

// More characters than the line carries in one tick; a flooding port cannot hold a step.
constexpr int MaxAsciiCharsPerStep = 2048;

void setStatus(const TRequestBoxPtr& box, TReqStatus status) {
    if (box) box->status = status;
}

// Ends a request for good: its status, then its callback.
void finish(TLinkRequest& request, TReqStatus status) {
    setStatus(request.box, status);
    if (request.callback) request.callback(request.callbackArg);
}

}  // namespace

TMKom::TMKom(TPortFactory factory, TLinkSettings settings)
    : factory_(std::move(factory)), settings_(std::move(settings)) {}

TMKom::~TMKom() {
    if (port_) port_->close();
}

bool TMKom::OpenPort(int n) {
    portNumber_ = n;
    const std::string name = portDeviceName(n, settings_.portName);
    if (port_ && port_->isOpen()) port_->close();
    if (!port_ || name != deviceName_) {
        port_.reset();
        if (factory_) port_ = factory_(name);
    }
    deviceName_ = name;
    return port_ && port_->open(name);
}

void TMKom::ClosePort() {
    FlushRequests();
    if (port_) port_->close();
}

bool TMKom::ReopenPort(int n) {
    if (port_) port_->close();
    return OpenPort(n);
}

bool TMKom::IsPortOpen() const { return port_ && port_->isOpen(); }

int TMKom::ReadAvailable(std::span<std::uint8_t> buffer) {
    return IsPortOpen() ? port_->readAvailable(buffer) : -1;
}

bool TMKom::WriteBytes(std::span<const std::uint8_t> data) {
    return IsPortOpen() && port_->writeBytes(data);
}

bool TMKom::SetParityNone() { return IsPortOpen() && port_->setParity(SerialPort::Parity::None); }

bool TMKom::SetParitySpace() { return IsPortOpen() && port_->setParity(SerialPort::Parity::Space); }

void TMKom::Sleep(int milliseconds) {
    if (port_) port_->sleep(milliseconds);
}

TReqStatus TMKom::SendRequest(std::uint8_t address, const TRequestBoxPtr& box,
                              TLinkCallback callback, std::uint32_t callbackArg, int replyLength,
                              std::span<const std::uint8_t> request) {
    TLinkRequest entry{
        address,    box, Bytes(request.begin(), request.end()), replyLength, std::move(callback),
        callbackArg};
    const bool lengthsOk = !request.empty() &&
                           request.size() <= static_cast<std::size_t>(link::MaxRequestLength) &&
                           replyLength >= 0 && replyLength <= link::MaxReplyLength;
    if (!IsPortOpen() || !lengthsOk) {
        finish(entry, rsFailed);
        return rsFailed;
    }
    TLinkRequest& slot = queue_[static_cast<std::size_t>(writeIndex_)];
    if (!slot.empty()) {
        finish(entry, rsQueueFull);
        return rsQueueFull;
    }
    slot = std::move(entry);
    writeIndex_ = (writeIndex_ + 1) % QueueSize;
    setStatus(box, rsPending);
    if (!active_ && state_ != lsSending && state_ != lsReceiving && state_ != lsAwaitStart)
        StartNext();
    return rsPending;
}

void TMKom::KomStep() {
    if (state_ == lsReceiving || state_ == lsAwaitStart) Receive();
    const bool onLine = state_ == lsSending || state_ == lsReceiving || state_ == lsAwaitStart;
    if (timeout_ == 0 && onLine)
        state_ = lsError;
    else if (timeout_ != 0)
        --timeout_;
    if (state_ == lsDone)
        Deliver();
    else if (state_ == lsError && active_ && retries_ != 0)
        Retry();
    // A request still waiting for its resend keeps the line.
    if (!active_ && (state_ == lsIdle || state_ == lsError)) StartNext();
}

void TMKom::FlushRequests() {
    state_ = lsError;
    std::vector<TLinkRequest> failed;
    if (active_) {
        failed.push_back(std::move(current_));
        current_ = {};
        active_ = false;
        retries_ = 0;
    }
    for (int i = readIndex_; !queue_[static_cast<std::size_t>(i)].empty();
         i = (i + 1) % QueueSize) {
        failed.push_back(std::move(queue_[static_cast<std::size_t>(i)]));
        queue_[static_cast<std::size_t>(i)] = {};
    }
    readIndex_ = 0;
    writeIndex_ = 0;
    // Callbacks run last, on a clean ring, so that one that queues again finds it consistent.
    for (auto& request : failed) finish(request, rsFailed);
}

int TMKom::QueuedCount() const {
    int n = 0;
    for (const auto& slot : queue_)
        if (!slot.empty()) ++n;
    return n;
}

void TMKom::StartNext() {
    TLinkRequest& slot = queue_[static_cast<std::size_t>(readIndex_)];
    if (slot.empty()) return;
    current_ = std::move(slot);
    slot = {};
    readIndex_ = (readIndex_ + 1) % QueueSize;
    active_ = true;
    transmit_ = link::withCrc(current_.address, current_.request);
    retries_ =
        current_.request.front() == link::CmdBootSwitch ? link::BootSwitchSends : link::Sends;
    SendFrame();
}

void TMKom::SendFrame() {
    state_ = lsSending;
    if (!IsPortOpen()) {
        timeout_ = 0;  // nothing sent: the next tick fails the attempt
        return;
    }
    sentAscii_ = settings_.ascii;
    if (sentAscii_)
        SendAscii();
    else
        SendBinary();
}

void TMKom::DiscardInput() {
    std::array<std::uint8_t, 256> junk{};
    port_->readAvailable(junk);
}

void TMKom::SendBinary() {
    DiscardInput();
    binary_.reset(current_.replyLength);
    const bool addressed = current_.address != 0;
    port_->setParity(SerialPort::Parity::Mark);
    port_->transmitChar(addressed ? current_.address : transmit_.front());
    port_->sleep(settings_.comDelay);
    port_->setParity(SerialPort::Parity::Space);
    const std::span<const std::uint8_t> rest =
        addressed ? std::span<const std::uint8_t>(transmit_)
                  : std::span<const std::uint8_t>(transmit_).subspan(1);
    if (!port_->writeBytes(rest)) {
        state_ = lsError;
        return;
    }
    state_ = lsReceiving;
    timeout_ = link::binaryTimeoutTicks(current_.replyLength);
}

void TMKom::SendAscii() {
    DiscardInput();
    ascii_.reset(current_.replyLength);
    const std::string frame = link::asciiFrame(current_.address, transmit_);
    const Bytes data(frame.begin(), frame.end());
    if (!port_->writeBytes(data)) {
        state_ = lsError;
        return;
    }
    state_ = lsAwaitStart;
    timeout_ = link::asciiTimeoutTicks(current_.replyLength);
}

void TMKom::Receive() {
    if (!IsPortOpen()) return;
    if (sentAscii_)
        ReceiveAscii();
    else
        ReceiveBinary();
}

void TMKom::ReceiveBinary() {
    std::array<std::uint8_t, link::MaxReplyLength + 2> chunk{};
    const int n = port_->readAvailable(std::span<std::uint8_t>(chunk).first(binary_.room()));
    if (n <= 0) return;
    switch (binary_.feed(std::span<const std::uint8_t>(chunk).first(static_cast<std::size_t>(n)))) {
        case link::ReplyProgress::Done:
            state_ = lsDone;
            break;
        case link::ReplyProgress::Bad:
            state_ = lsError;
            break;
        case link::ReplyProgress::More:
            break;
    }
}

void TMKom::ReceiveAscii() {
    for (int i = 0; i < MaxAsciiCharsPerStep; ++i) {
        std::uint8_t c = 0;
        if (port_->readAvailable(std::span<std::uint8_t>(&c, 1)) != 1) return;
        const link::ReplyProgress progress = ascii_.feed(c);
        if (ascii_.started()) state_ = lsReceiving;
        if (progress == link::ReplyProgress::Done) {
            state_ = lsDone;
            return;
        }
        if (progress == link::ReplyProgress::Bad) {
            state_ = lsError;
            return;
        }
    }
}

void TMKom::Deliver() {
    const auto reply = sentAscii_ ? ascii_.reply() : binary_.reply();
    TLinkRequest done = std::move(current_);
    current_ = {};
    active_ = false;
    state_ = lsIdle;
    reopen_ = false;
    if (done.box) done.box->reply.assign(reply.begin(), reply.end());
    finish(done, rsDone);
}

void TMKom::Retry() {
    if (reopen_) ReopenPort(portNumber_);
    reopen_ = false;
    if (--retries_ == 0) {
        FailCurrent();
        return;
    }
    SendFrame();
}

void TMKom::FailCurrent() {
    TLinkRequest failed = std::move(current_);
    current_ = {};
    active_ = false;
    finish(failed, rsFailed);
}

}  // namespace kyr

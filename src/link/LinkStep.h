#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "link/Comm.h"

namespace kyr {

// One kind of request as a job issues it: its own status byte (rsIdle until first sent),
// its request bytes and its reply, sent to the terminal address without a callback.
//
// A job's step function calls Start() when the step begins and Step() on every job tick:
// rsDone reports completion, rsPending waits, and any other status (rsIdle, rsQueueFull,
// rsFailed) sends the request again. Only the job's time-out ends a request that keeps failing.
class TLinkStep {
public:
    TLinkStep();
    // Each kind of request has a status of its own: copies would share it.
    TLinkStep(const TLinkStep&) = delete;
    TLinkStep& operator=(const TLinkStep&) = delete;

    // Marks the request rsIdle and sets its bytes and the reply it expects.
    void Start(std::span<const std::uint8_t> request, int replyLength);
    // One job tick: true once the reply is there.
    bool Step(TMKom& kom);
    // Sends the prepared request now, whatever its status (steps that send on start).
    TReqStatus Send(TMKom& kom);

    TReqStatus Status() const { return box_->status; }
    // The reply of the last successful exchange (see TRequestBox).
    std::span<const std::uint8_t> Reply() const { return box_->reply; }
    // The request bytes, for steps that adjust them between sends.
    Bytes& Request() { return request_; }
    const Bytes& Request() const { return request_; }
    int ReplyLength() const { return replyLength_; }

private:
    TRequestBoxPtr box_;
    Bytes request_;
    int replyLength_ = link::AckReply;
};

}  // namespace kyr

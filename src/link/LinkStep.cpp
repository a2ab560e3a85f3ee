#include "link/LinkStep.h"

namespace kyr {

TLinkStep::TLinkStep() : box_(std::make_shared<TRequestBox>()) {}

void TLinkStep::Start(std::span<const std::uint8_t> request, int replyLength) {
    // A fresh box: a reply still owed to an earlier request cannot land in this one.
    box_ = std::make_shared<TRequestBox>();
    request_.assign(request.begin(), request.end());
    replyLength_ = replyLength;
}

bool TLinkStep::Step(TMKom& kom) {
    switch (box_->status) {
        case rsDone:
            return true;
        case rsPending:
            return false;
        default:
            Send(kom);
            return false;
    }
}

TReqStatus TLinkStep::Send(TMKom& kom) {
    return kom.SendRequest(link::TerminalAddress, box_, {}, 0, replyLength_, request_);
}

}  // namespace kyr

#include "PtyServer.h"

#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace kyr::sim {

namespace {

// A line quiet for this long ends whatever partial frame came before.
constexpr std::int64_t IdleResetMs = 300;
// Start bit, 8 data bits, the parity bit and a stop bit.
constexpr std::int64_t BitsPerChar = 11;

}  // namespace

PtyServer::~PtyServer() {
    if (master_ >= 0) ::close(master_);
    if (slave_ >= 0) ::close(slave_);
}

bool PtyServer::open(std::string& error) {
    char name[256] = {};
    if (::openpty(&master_, &slave_, name, nullptr, nullptr) != 0) {
        error = std::string("cannot open a pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    termios raw{};
    if (::tcgetattr(slave_, &raw) == 0) {
        ::cfmakeraw(&raw);
        ::tcsetattr(slave_, TCSANOW, &raw);
    }
    // The slave end stays open here too, so that a client closing it does not end the line.
    path_ = name;
    return true;
}

void PtyServer::collect() {
    const std::int64_t now = clock_.nowMs();
    for (Emission& e : terminal_.takeOutput()) {
        std::int64_t due = now + e.delayMs;
        if (baud_ > 0) {
            // A reply is there when its last character has crossed the line.
            const std::int64_t startUs = std::max(due * 1000, lineFreeUs_);
            lineFreeUs_ = startUs + static_cast<std::int64_t>(e.bytes.size()) * BitsPerChar *
                                        1'000'000 / baud_;
            due = (lineFreeUs_ + 999) / 1000;
        }
        auto at = std::upper_bound(pending_.begin(), pending_.end(), due,
                                   [](std::int64_t d, const Pending& p) { return d < p.dueMs; });
        pending_.insert(at, Pending{due, std::move(e.bytes)});
    }
}

bool PtyServer::sendDue() {
    const std::int64_t now = clock_.nowMs();
    while (!pending_.empty() && pending_.front().dueMs <= now) {
        const Bytes& b = pending_.front().bytes;
        std::size_t done = 0;
        while (done < b.size()) {
            const ssize_t n = ::write(master_, b.data() + done, b.size() - done);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0 && errno == EAGAIN) break;
            if (n < 0) return false;
            done += static_cast<std::size_t>(n);
        }
        pending_.erase(pending_.begin());
    }
    return true;
}

bool PtyServer::serve(int timeoutMs) {
    if (!pending_.empty()) {
        const std::int64_t wait = pending_.front().dueMs - clock_.nowMs();
        timeoutMs = static_cast<int>(std::clamp<std::int64_t>(wait, 0, timeoutMs));
    }
    pollfd fd{master_, POLLIN, 0};
    const int ready = ::poll(&fd, 1, timeoutMs);
    if (ready < 0 && errno != EINTR) return false;
    const std::int64_t now = clock_.nowMs();
    if (ready > 0 && (fd.revents & POLLIN)) {
        std::uint8_t buf[512];
        const ssize_t n = ::read(master_, buf, sizeof buf);
        if (n > 0) {
            if (now - lastInputMs_ > IdleResetMs) terminal_.resetLink();
            terminal_.receive(std::span<const std::uint8_t>(buf, static_cast<std::size_t>(n)),
                              CharKind::Unknown, now);
            lastInputMs_ = now;
        }
    }
    collect();
    return sendDue();
}

}  // namespace kyr::sim

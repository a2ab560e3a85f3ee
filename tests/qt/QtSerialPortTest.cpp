#include <fcntl.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QThread>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "QtCoreEnvironment.h"
#include "RecordingDialog.h"
#include "link/Comm.h"
#include "link/Crc16.h"
#include "model/Bytes.h"
#include "qt/QtSerialPort.h"

namespace kyr {
namespace {

const auto* const environment = test::AddQtCoreEnvironment();

// A pseudo-terminal: the port under test opens the device, the test plays the far end.
class PtyTest : public ::testing::Test {
protected:
    void SetUp() override {
        char name[128] = {};
        ASSERT_EQ(openpty(&master_, &slave_, name, nullptr, nullptr), 0);
        device_ = name;
        termios raw{};
        tcgetattr(master_, &raw);
        cfmakeraw(&raw);
        tcsetattr(master_, TCSANOW, &raw);
        fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    }
    void TearDown() override {
        port.close();
        if (slave_ >= 0) ::close(slave_);
        if (master_ >= 0) ::close(master_);
    }

    // What the far end has received, waiting at most two seconds for `count` bytes.
    Bytes farEndReads(std::size_t count) {
        Bytes got;
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (got.size() < count && std::chrono::steady_clock::now() < until) {
            std::uint8_t buf[256];
            const ssize_t n = ::read(master_, buf, sizeof buf);
            if (n > 0)
                got.insert(got.end(), buf, buf + n);
            else
                QThread::msleep(2);
        }
        return got;
    }
    // What the port reads, waiting at most two seconds for `count` bytes.
    Bytes portReads(std::size_t count) {
        Bytes got;
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (got.size() < count && std::chrono::steady_clock::now() < until) {
            std::uint8_t buf[256];
            const int n = port.readAvailable(buf);
            if (n > 0)
                got.insert(got.end(), buf, buf + n);
            else
                QThread::msleep(2);
        }
        return got;
    }
    void farEndWrites(const std::string& text) {
        ASSERT_EQ(::write(master_, text.data(), text.size()), static_cast<ssize_t>(text.size()));
    }

    test::RecordingDialog dialog;
    QtSerialPort port;
    std::string device_;
    int master_ = -1;
    int slave_ = -1;
};

TEST_F(PtyTest, OpensWithTheLineSettingsAndWithoutABeep) {
    ASSERT_TRUE(port.open(device_));
    EXPECT_TRUE(port.isOpen());
    EXPECT_EQ(dialog.beeps, 0);
    termios line{};
    ASSERT_EQ(tcgetattr(slave_, &line), 0);
    EXPECT_EQ(cfgetospeed(&line), B57600);
    EXPECT_EQ(line.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_TRUE(line.c_cflag & CSTOPB);
    EXPECT_FALSE(line.c_cflag & CRTSCTS);
    EXPECT_FALSE(line.c_iflag & (IXON | IXOFF));
}

TEST_F(PtyTest, ParitySwitchesAreAccepted) {
    // A pseudo-terminal keeps no parity bits, so only the answers can be checked here.
    ASSERT_TRUE(port.open(device_));
    for (auto parity :
         {SerialPort::Parity::None, SerialPort::Parity::Mark, SerialPort::Parity::Space})
        EXPECT_TRUE(port.setParity(parity));
    EXPECT_EQ(dialog.beeps, 0);
}

TEST_F(PtyTest, FrameGoesOutAndReplyComesIn) {
    ASSERT_TRUE(port.open(device_));
    EXPECT_TRUE(port.transmitChar(0x01));
    const Bytes rest{0xB0, 0x94, 0xEA};
    EXPECT_TRUE(port.writeBytes(rest));
    EXPECT_EQ(farEndReads(4), (Bytes{0x01, 0xB0, 0x94, 0xEA}));
    farEndWrites("*06\r");
    const Bytes got = portReads(4);
    EXPECT_EQ(std::string(got.begin(), got.end()), "*06\r");
}

TEST_F(PtyTest, ReadReturnsAtOnceWhenNothingCame) {
    ASSERT_TRUE(port.open(device_));
    std::uint8_t buf[16];
    EXPECT_EQ(port.readAvailable(buf), 0);
}

TEST_F(PtyTest, ClosedOrMissingPort) {
    std::uint8_t buf[4];
    EXPECT_EQ(port.readAvailable(buf), -1);
    EXPECT_FALSE(port.writeBytes(Bytes{1}));
    EXPECT_FALSE(port.transmitChar(1));
    EXPECT_FALSE(port.open("/dev/kyr-no-such-port"));
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(dialog.beeps, 0);
}

// The link engine over the real port layer: a status request in each encoding; the far end
// answers every whole frame it receives.
TEST_F(PtyTest, StatusRequestThroughTheLinkEngine) {
    Bytes reply{0x21, 0x05, 0x80};
    const std::uint16_t crc = Crc16::instance().compute(reply);
    reply.push_back(static_cast<std::uint8_t>(crc >> 8));
    reply.push_back(static_cast<std::uint8_t>(crc & 0xFF));
    std::string asciiReply = "*";
    for (std::uint8_t b : reply) {
        char hex[3];
        std::snprintf(hex, sizeof hex, "%02X", b);
        asciiReply += hex;
    }
    asciiReply += "\r";

    for (const bool ascii : {false, true}) {
        TMKom kom([](const std::string&) { return std::make_unique<QtSerialPort>(); },
                  {ascii, 1, device_});
        ASSERT_TRUE(kom.OpenPort(1));
        kom.SetReopenFlag(false);
        auto box = std::make_shared<TRequestBox>();
        ASSERT_EQ(kom.SendRequest(1, box, {}, 0, 3, Bytes{0xB0}), rsPending);
        const Bytes expected = ascii ? Bytes{'*', '0', '1', 'B', '0', '9', '4', 'E', 'A', '\r'}
                                     : Bytes{0x01, 0xB0, 0x94, 0xEA};
        Bytes received;
        int frames = 0;
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (box->status == rsPending && std::chrono::steady_clock::now() < until) {
            std::uint8_t buf[64];
            const ssize_t n = ::read(master_, buf, sizeof buf);
            if (n > 0) received.insert(received.end(), buf, buf + n);
            if (received.size() >= expected.size()) {
                EXPECT_EQ(Bytes(received.begin(), received.begin() + expected.size()), expected);
                received.erase(received.begin(), received.begin() + expected.size());
                ++frames;
                farEndWrites(ascii ? asciiReply : std::string(reply.begin(), reply.end()));
            }
            QThread::msleep(5);
            kom.KomStep();
        }
        EXPECT_EQ(box->status, rsDone) << (ascii ? "ascii" : "binary");
        EXPECT_GE(frames, 1);
        EXPECT_EQ(box->reply, (Bytes{0x21, 0x05, 0x80}));
        kom.ClosePort();
    }
}

}  // namespace
}  // namespace kyr

// The simulator as a program: kyr2sim on a pseudo-terminal, reached through the Qt serial
// port and the link engine, as the desktop program reaches a terminal. These tests wait on
// the wall clock, each with a generous limit.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QThread>
#include <chrono>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "QtCoreEnvironment.h"
#include "RecordingDialog.h"
#include "link/Comm.h"
#include "qt/QtSerialPort.h"

extern char** environ;

namespace kyr {
namespace {

const auto* const environment = test::AddQtCoreEnvironment();

// kyr2sim started with its arguments; its first output line is the device path.
class Kyr2sim {
public:
    explicit Kyr2sim(std::vector<std::string> args) {
        int out[2];
        if (pipe(out) != 0) return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        args.insert(args.begin(), KYR2SIM_PATH);
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        if (posix_spawn(&pid_, KYR2SIM_PATH, &actions, nullptr, argv.data(), environ) != 0)
            pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        output_ = out[0];
        readDevice(output_);
    }
    ~Kyr2sim() { stop(); }

    const std::string& device() const { return device_; }

    // SIGTERM and the exit status.
    int stop() {
        if (pid_ > 0) ::kill(pid_, SIGTERM);
        return wait();
    }
    // The exit status of a program that ends by itself.
    int wait() {
        if (pid_ <= 0) return -1;
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = -1;
        // Kept open until the end, so that the program can write all it has to say.
        ::close(output_);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    void readDevice(int fd) {
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        char c = 0;
        while (std::chrono::steady_clock::now() < until) {
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, 100) <= 0) continue;
            if (::read(fd, &c, 1) != 1 || c == '\n') return;
            device_.push_back(c);
        }
    }

    pid_t pid_ = -1;
    int output_ = -1;
    std::string device_;
};

// One request through the engine on the Qt port, ticking every 50 ms of real time.
TReqStatus exchange(TMKom& kom, const TRequestBoxPtr& box, const Bytes& request, int replyLength) {
    kom.SendRequest(1, box, nullptr, 0, replyLength, request);
    for (int tick = 0; tick < 400 && box->status == rsPending; ++tick) {
        QThread::msleep(50);
        kom.KomStep();
    }
    return box->status;
}

TEST(Kyr2simEndToEnd, StatusRequestInEachEncoding) {
    test::RecordingDialog dialogs;
    struct Case {
        int type;
        bool ascii;
        Bytes status;
    };
    const Case cases[] = {
        {0, false, {0x0A, 0x10, 0x81}},  // KYR-T240(E), binary frames
        {4, true, {0xC0, 0x00, 0x80}},   // LUM Sigma, ASCII frames
    };
    for (const Case& c : cases) {
        Kyr2sim sim({"--type", std::to_string(c.type)});
        ASSERT_FALSE(sim.device().empty()) << "kyr2sim printed no device";
        TMKom kom([](const std::string&) { return std::make_unique<QtSerialPort>(); },
                  TLinkSettings{c.ascii, 10, sim.device()});
        ASSERT_TRUE(kom.OpenPort(1)) << sim.device();
        auto box = std::make_shared<TRequestBox>();
        EXPECT_EQ(exchange(kom, box, {0xB0}, 3), rsDone) << "type " << c.type;
        EXPECT_EQ(box->reply, c.status);
        kom.ClosePort();
        EXPECT_EQ(sim.stop(), 0);
    }
}

TEST(Kyr2simEndToEnd, KeepsWhatWasWrittenAndDumpsItOnExit) {
    test::RecordingDialog dialogs;
    const std::string state = ::testing::TempDir() + "kyr2sim_state.json";
    std::remove(state.c_str());
    Kyr2sim sim({"--type", "1", "--firmware", "2.18", "--state", state, "--fault", "drop:2"});
    ASSERT_FALSE(sim.device().empty());
    TMKom kom([](const std::string&) { return std::make_unique<QtSerialPort>(); },
              TLinkSettings{false, 10, sim.device()});
    ASSERT_TRUE(kom.OpenPort(1));
    auto setup = std::make_shared<TRequestBox>();
    // The first two replies are dropped; the engine's retries get through.
    EXPECT_EQ(exchange(kom, setup, {0xBD, 0, 4, 3, 7, 5, 1, 2, 29, 4, 1}, 0), rsDone);
    auto back = std::make_shared<TRequestBox>();
    EXPECT_EQ(exchange(kom, back, {0xBC}, 10), rsDone);
    EXPECT_EQ(back->reply, (Bytes{0, 4, 3, 7, 5, 1, 2, 29, 4, 1}));
    kom.ClosePort();
    EXPECT_EQ(sim.stop(), 0);

    std::ifstream in(state);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_NE(text.str().find("\"setup\": \"00 04 03 07 05 01 02 1D 04 01\""), std::string::npos)
        << text.str();
    EXPECT_NE(text.str().find("\"firmware\": \"KYR V2.18\""), std::string::npos);
}

TEST(Kyr2simEndToEnd, HelpAndBadArguments) {
    Kyr2sim help({"--help"});
    EXPECT_EQ(help.device().rfind("usage: kyr2sim --type N", 0), 0u) << help.device();
    EXPECT_EQ(help.wait(), 0);
    for (std::vector<std::string> bad : {std::vector<std::string>{"--type", "12"},
                                         {"--type", "1", "--memory", "ram128"},
                                         {"--type", "0", "--fault", "melt"},
                                         {"--type", "0", "--baud", "fast"},
                                         {"--type", "0", "--baud", "110"},
                                         {"--firmware", "2.18"}}) {
        Kyr2sim sim(bad);
        EXPECT_EQ(sim.device(), "");
        EXPECT_EQ(sim.wait(), 2);
    }
}

}  // namespace
}  // namespace kyr

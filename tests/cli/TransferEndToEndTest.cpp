// kyr2cli against kyr2sim on a pseudo-terminal: the real serial port, real time.
#include <gtest/gtest.h>

#ifdef KYR2SIM_PATH

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

// kyr2sim started on a pseudo-terminal; stopped and waited for on destruction.
class SimProcess {
public:
    explicit SimProcess(const std::string& type) {
        int out[2];
        if (::pipe(out) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(out[1], STDOUT_FILENO);
            ::close(out[0]);
            ::close(out[1]);
            ::execl(KYR2SIM_PATH, KYR2SIM_PATH, "--type", type.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(out[1]);
        // The first line is the device path.
        char c;
        while (::read(out[0], &c, 1) == 1 && c != '\n') device_.push_back(c);
        ::close(out[0]);
    }
    ~SimProcess() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGTERM);
        int status = 0;
        ::waitpid(pid_, &status, 0);
    }
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    const std::string& Device() const { return device_; }

private:
    pid_t pid_ = -1;
    std::string device_;
};

struct CliRun {
    int status = -1;
    std::string out;
};

CliRun runCli(const std::vector<std::string>& args) {
    std::string command = std::string("'") + KYR2CLI_PATH + "'";
    for (const auto& a : args) command += " '" + a + "'";
    command += " 2>&1";
    CliRun r;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return r;
    char buf[256];
    while (std::fgets(buf, sizeof buf, pipe)) r.out += buf;
    const int status = ::pclose(pipe);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

TEST(TransferEndToEnd, DownloadUploadVerifyThroughKyr2sim) {
    SimProcess sim("0");
    ASSERT_FALSE(sim.Device().empty());
    const std::string project = std::string(KYR_EXAMPLES_DIR) + "/boiler-t240e.kyr";
    const auto uploaded = std::filesystem::temp_directory_path() / "kyr_e2e_upload.kyr";
    std::filesystem::remove(uploaded);

    const CliRun down = runCli({"download", project, "--port", sim.Device(), "--binary"});
    EXPECT_EQ(down.status, 0) << down.out;
    EXPECT_NE(down.out.find("information: Program was successfully transferred. Occupied "),
              std::string::npos)
        << down.out;

    const CliRun up = runCli({"upload", uploaded.string(), "--port", sim.Device(), "--binary"});
    EXPECT_EQ(up.status, 0) << up.out;
    EXPECT_TRUE(std::filesystem::exists(uploaded));

    const CliRun verify = runCli({"verify", project, "--port", sim.Device(), "--binary"});
    EXPECT_EQ(verify.status, 0) << verify.out;
    EXPECT_NE(verify.out.find("information: Program in KYR is identical."), std::string::npos)
        << verify.out;
    const CliRun again = runCli({"verify", uploaded.string(), "--port", sim.Device(), "--binary"});
    EXPECT_EQ(again.status, 0) << again.out;
    std::filesystem::remove(uploaded);
}

}  // namespace

#endif

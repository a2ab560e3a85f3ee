#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/CliTypes.h"
#include "cli/Dispatcher.h"
#include "cli/ProgressLine.h"
#include "cli/TransferCommands.h"
#include "model/DataClass.h"
#include "sim/SimPort.h"

namespace kyr::cli {
namespace {

// The link's port in front of a simulated terminal that the test keeps across commands.
class SharedSimPort final : public SerialPort {
public:
    explicit SharedSimPort(sim::SimPort& port) : port_(&port) {}
    bool open(const std::string& name) override { return port_->open(name); }
    void close() override { port_->close(); }
    bool isOpen() const override { return port_->isOpen(); }
    int readAvailable(std::span<std::uint8_t> b) override { return port_->readAvailable(b); }
    bool writeBytes(std::span<const std::uint8_t> d) override { return port_->writeBytes(d); }
    bool transmitChar(std::uint8_t c) override { return port_->transmitChar(c); }
    bool setParity(Parity p) override { return port_->setParity(p); }
    void sleep(int ms) override { port_->sleep(ms); }

private:
    sim::SimPort* port_;
};

// Runs the transfer commands on a hand-stepped clock against one simulated terminal.
class CliTransfer : public ::testing::Test {
protected:
    explicit CliTransfer(int type = 0) : terminal(sim::SimConfig::forType(type)) {
        clock.nextTick = [this] {
            terminal.advance(50);
            elapsed += 50;
            return elapsed;
        };
        clock.makePort = [this](const std::string&, int) {
            return std::make_unique<SharedSimPort>(terminal);
        };
        clock.cancelRequested = [this] { return cancelAt >= 0 && elapsed >= cancelAt; };
        SetTransferClock(&clock);
        folder = std::filesystem::temp_directory_path() /
                 ("kyr_cli_transfer_" +
                  std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    ~CliTransfer() override {
        SetTransferClock(nullptr);
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }

    struct Result {
        int status;
        std::string out;
        std::string err;
    };
    Result run(std::vector<std::string> args) {
        std::ostringstream out;
        std::ostringstream err;
        const int status = cli::Run(args, out, err);
        return {status, out.str(), err.str()};
    }
    std::string example(const std::string& name) const {
        return std::string(KYR_EXAMPLES_DIR) + "/" + name;
    }
    std::string file(const std::string& name) const { return (folder / name).string(); }

    sim::SimPort terminal;
    TransferClock clock;
    double elapsed = 0;
    double cancelAt = -1;
    std::filesystem::path folder;
};

std::string firstLine(const std::string& s) { return s.substr(0, s.find('\n')); }

TEST_F(CliTransfer, DownloadUploadVerifyOfAnExample) {
    const std::string project = example("boiler-t240e.kyr");
    const Result down = run({"download", project, "--port", "sim:", "--binary"});
    EXPECT_EQ(down.status, ExitDone) << down.err;
    EXPECT_EQ(firstLine(down.err).rfind("information: Program was successfully transferred. Occupied ", 0),
              0u)
        << down.err;
    EXPECT_EQ(down.out.rfind("Elapsed ", 0), 0u) << down.out;
    EXPECT_NE(down.out.find(" payload bytes, "), std::string::npos);

    const std::string uploaded = file("up.kyr");
    const Result up = run({"upload", uploaded, "--port", "sim:", "--binary"});
    EXPECT_EQ(up.status, ExitDone) << up.err;
    EXPECT_EQ(up.err, "information: Program was successfully transferred.\n");
    ASSERT_TRUE(std::filesystem::exists(uploaded));

    const Result same = run({"verify", project, "--port", "sim:", "--binary"});
    EXPECT_EQ(same.status, ExitDone) << same.err;
    EXPECT_EQ(same.err, "information: Program in KYR is identical.\n");
    const Result again = run({"verify", uploaded, "--port", "sim:", "--binary"});
    EXPECT_EQ(again.status, ExitDone) << again.err;
    EXPECT_EQ(again.err, "information: Program in KYR is identical.\n");
}

TEST_F(CliTransfer, DifferencesAndFailuresGiveStatusOne) {
    const Result upload = run({"upload", file("none.kyr"), "--port", "sim:", "--binary"});
    EXPECT_EQ(upload.status, ExitFailed);
    EXPECT_EQ(upload.err, "error: No valid data in KYR\n");
    EXPECT_FALSE(std::filesystem::exists(file("none.kyr")));

    ASSERT_EQ(run({"download", example("boiler-t240e.kyr"), "--port", "sim:", "--binary"}).status,
              ExitDone);
    const std::string other = file("other.kyr");
    ASSERT_EQ(run({"new", "--type", "0", other}).status, ExitDone);
    // The first difference is answered No and stops the verify.
    const Result verify = run({"verify", other, "--port", "sim:", "--binary"});
    EXPECT_EQ(verify.status, ExitFailed);
    EXPECT_EQ(verify.err, "question: Setup is different [no]\n");
    const Result all = run({"--yes", "verify", other, "--port", "sim:", "--binary"});
    EXPECT_EQ(all.status, ExitFailed);
    EXPECT_NE(all.err.find("warning: Program in KYR is not identical.\n"), std::string::npos)
        << all.err;

    const Result wrongType = run({"download", example("pump-grand-cyrillic.kyr"), "--port", "sim:", "--binary"});
    EXPECT_EQ(wrongType.status, ExitFailed);
    EXPECT_EQ(wrongType.err, "error: Type of connected KYR terminal doesn't match with the file type\n");
}

TEST_F(CliTransfer, InterruptCancelsTheJob) {
    cancelAt = 100;
    const Result down = run({"download", example("boiler-t240e.kyr"), "--port", "sim:", "--binary"});
    EXPECT_EQ(down.status, ExitFailed);
    EXPECT_EQ(down.err, "error: Program transmission aborted by user\n");
}

TEST_F(CliTransfer, BadArgumentsGiveStatusTwo) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"download", "x.kyr"}, {"upload", "--port", "sim:"},
          {"verify", "x.kyr", "--port", "sim:", "--com-delay", "soon"},
          {"download", "x.kyr", "--port", "sim:", "--frob"}}) {
        const Result r = run(args);
        EXPECT_EQ(r.status, ExitBadCommandLine) << args[0];
        EXPECT_EQ(r.err.rfind("error: Wrong arguments for the command " + args[0], 0), 0u) << r.err;
    }
}

TEST(CliProgressLine, RedrawsInPlaceAndEndsBeforeMessages) {
    std::ostringstream err;
    ProgressLine line(err, true);
    line.SetTitle("Download to KYR");
    line.SetLabel("Reading KYR Status");
    line.SetPercent(0);
    line.SetLabel("Screens");
    line.SetPercent(50);
    line.Interrupt();
    line.Close(TModalResult::Ok);
    EXPECT_EQ(err.str(),
              "Download to KYR\n\rReading KYR Status 0 %\rScreens 0 %           \rScreens 50 %\n");

    std::ostringstream quiet;
    ProgressLine notTerminal(quiet, false);
    notTerminal.SetTitle("Download to KYR");
    notTerminal.SetLabel("Screens");
    notTerminal.SetPercent(10);
    notTerminal.Close(TModalResult::Ok);
    EXPECT_EQ(quiet.str(), "");
}

}  // namespace
}  // namespace kyr::cli

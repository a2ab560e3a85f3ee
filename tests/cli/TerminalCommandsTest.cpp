#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/CliTypes.h"
#include "cli/Dispatcher.h"
#include "cli/PortOptions.h"

namespace kyr::cli {
namespace {

struct Result {
    int status;
    std::string out;
    std::string err;
};

Result run(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = Run(args, out, err);
    return {status, out.str(), err.str()};
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(TerminalCommands, InfoOfSimulatedKyrT240) {
    const auto r = run({"info", "--port", "sim:0", "--binary"});
    ASSERT_EQ(r.status, ExitDone) << r.err;
    EXPECT_TRUE(contains(r.out, "Type: KYR-T240(E)\n")) << r.out;
    EXPECT_TRUE(contains(r.out, "Firmware Version: ")) << r.out;
    EXPECT_TRUE(contains(r.out, "Auxiliary Memory MEM: ")) << r.out;
    EXPECT_TRUE(contains(r.out, "Configuration Switch: Program Mode ")) << r.out;
    EXPECT_FALSE(contains(r.out, "Bridge Mode")) << r.out;
    EXPECT_EQ(r.err, "");
}

TEST(TerminalCommands, InfoOfSimulatedKyrT220ShowsTheBridgeLine) {
    const auto r = run({"info", "--port", "sim:1", "--binary"});
    ASSERT_EQ(r.status, ExitDone) << r.err;
    EXPECT_TRUE(contains(r.out, "Type: KYR-T220\n")) << r.out;
    EXPECT_TRUE(contains(r.out, "Bridge Mode ")) << r.out;
}

TEST(TerminalCommands, InfoOfSimulatedKyrGrand) {
    const auto r = run({"info", "--port", "sim:3", "--binary"});
    ASSERT_EQ(r.status, ExitDone) << r.err;
    EXPECT_TRUE(contains(r.out, "Type: KYR Grand")) << r.out;
    EXPECT_FALSE(contains(r.out, "Auxiliary Memory MEM")) << r.out;
}

TEST(TerminalCommands, InfoOfSimulatedLumInGerman) {
    const auto r = run({"--language", "de", "info", "--port", "sim:5"});
    ASSERT_EQ(r.status, ExitDone) << r.err;
    EXPECT_TRUE(contains(r.out, "Typ: LUMQ1\n")) << r.out;
    EXPECT_TRUE(contains(r.out, "Unterstützte Protokolle: ")) << r.out;
}

TEST(TerminalCommands, SilentTerminalFails) {
    // A KYR terminal does not understand ASCII frames.
    const auto r = run({"info", "--port", "sim:0", "--ascii"});
    EXPECT_EQ(r.status, ExitFailed);
    EXPECT_EQ(r.err, "error: The terminal does not answer.\n");
    EXPECT_EQ(r.out, "");
}

TEST(TerminalCommands, PortThatCannotBeOpened) {
    for (const std::string port : {"/dev/kyr-no-such-port", "sim:x"}) {
        const auto r = run({"info", "--port", port});
        EXPECT_EQ(r.status, ExitFailed);
        EXPECT_EQ(r.err, "error: Cannot open serial port " + port + "\n");
    }
}

TEST(TerminalCommands, ClockReadsAndSets) {
    auto r = run({"clock", "--port", "sim:2", "--binary"});
    ASSERT_EQ(r.status, ExitDone) << r.err;
    EXPECT_TRUE(r.out.starts_with("KYR Clock: ")) << r.out;
    EXPECT_TRUE(contains(r.out, "\nPC Clock: ")) << r.out;
    r = run({"clock", "--port", "sim:4", "--set-from-pc"});
    ASSERT_EQ(r.status, ExitDone) << r.err;
    EXPECT_TRUE(r.out.starts_with("KYR Clock: ")) << r.out;
}

TEST(TerminalCommands, ClockOfASilentTerminalFails) {
    const auto r = run({"clock", "--port", "sim:4", "--binary", "--set-from-pc"});
    EXPECT_EQ(r.status, ExitFailed);
    EXPECT_EQ(r.err, "error: The terminal does not answer.\n");
}

TEST(TerminalCommands, BadCommandLines) {
    const std::vector<std::vector<std::string>> cases{
        {"info"},
        {"info", "--port"},
        {"info", "--port", "sim:0", "--port", "sim:1"},
        {"info", "--port", "sim:0", "extra"},
        {"info", "--port", "sim:0", "--com-delay", "x"},
        {"info", "--port", "sim:0", "--com-delay", "-1"},
        {"clock", "--port", "sim:0", "--set"},
        {"clock", "--binary"},
    };
    for (const auto& args : cases) {
        const auto r = run(args);
        EXPECT_EQ(r.status, ExitBadCommandLine) << args.size();
        EXPECT_TRUE(contains(r.err, "usage: kyr2cli " + args[0])) << r.err;
    }
}

TEST(TerminalCommands, PortOptions) {
    PortOptions options;
    std::vector<std::string> rest;
    ASSERT_TRUE(ParsePortOptions({"--binary", "--port", "/dev/ttyUSB0", "--com-delay", "25", "x"},
                                 options, rest));
    EXPECT_EQ(options.port, "/dev/ttyUSB0");
    EXPECT_FALSE(options.ascii);
    EXPECT_EQ(options.comDelay, 25);
    EXPECT_EQ(rest, std::vector<std::string>{"x"});
    EXPECT_EQ(DefaultSimType(true), 4);
    EXPECT_EQ(DefaultSimType(false), 0);
}

}  // namespace
}  // namespace kyr::cli

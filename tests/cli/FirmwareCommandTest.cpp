// kyr2cli firmware against the built-in simulated terminal's BOOT loaders.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "cli/CliTypes.h"
#include "cli/Dispatcher.h"
#include "image/HexRecord.h"

namespace kyr::cli {
namespace {

namespace fs = std::filesystem;

std::string record(std::uint16_t address, std::uint8_t type, const Bytes& data) {
    return formatHexRecord(address, type, data) + "\r\n";
}

std::string dataRecords(std::uint16_t address, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        Bytes data(16);
        for (std::size_t k = 0; k < data.size(); ++k)
            data[k] = static_cast<std::uint8_t>(i * 16 + static_cast<int>(k));
        text += record(static_cast<std::uint16_t>(address + i * 16), 0, data);
    }
    return text;
}

const std::string KyrPage1 = record(0, 4, {0x00, 0x01});
const std::string KyrTail = ":00000001FF\r\nKYR Mini firmware V3.01\r\n";
std::string lumTail(const std::string& model) {
    return ":00000001FF\r\n" + model + " V4.02 Protocols: 0,6,46\r\n";
}

class FirmwareCommand : public ::testing::Test {
protected:
    std::string write(const std::string& name, const std::string& text) const {
        const std::string path = (dir_ / name).string();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    struct Result {
        int status;
        std::string err;
    };
    static Result run(const std::vector<std::string>& args) {
        std::ostringstream out;
        std::ostringstream err;
        const int status = cli::Run(args, out, err);
        EXPECT_EQ(out.str(), "");
        return {status, err.str()};
    }

    test::TempFolder temp_{"kyr-cli-fw"};
    const fs::path dir_ = temp_.path();
};

TEST_F(FirmwareCommand, UpdatesAndReportsEachOutcome) {
    std::string badLine = dataRecords(0, 2);
    badLine[12] = badLine[12] == '0' ? '1' : '0';  // a data digit: the record sum breaks
    struct Case {
        const char* name;
        std::string series;
        std::string port;
        std::string file;
        int status;
        std::string err;
    };
    const std::vector<Case> cases{
        {"KYR Series M", "m", "sim:2", KyrPage1 + dataRecords(0, 20) + KyrTail, ExitDone,
         "information: Program was successfully transferred.\n"},
        {"LUM Sigma", "lum", "sim:", dataRecords(0x0100, 6) + lumTail("LUM Sigma"), ExitDone,
         "information: Program was successfully transferred.\n"},
        {"LUMQ2 file on a LUMQ2", "lum", "sim:7", dataRecords(0x0100, 6) + lumTail("LUMQ2"),
         ExitDone, "information: Program was successfully transferred.\n"},
        {"LUM Sigma file on a LUMQ1", "lum", "sim:5", dataRecords(0x0100, 6) + lumTail("LUM Sigma"),
         ExitFailed, "error: The firmware type doesn't fit to the Terminal type\n"},
        {"bad HEX line", "m", "sim:", KyrPage1 + badLine + KyrTail, ExitPartial,
         "warning: Program was transferred only partially due to errors\n"},
        {"not a firmware file", "m", "sim:2", KyrPage1 + dataRecords(0, 2), ExitFailed,
         "error: Not a firmware file for KYR Series M\n"},
        {"KYR file for LUM", "lum", "sim:4", KyrPage1 + dataRecords(0, 2) + KyrTail, ExitFailed,
         "error: Not a firmware file for LUM\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = write("fw.hex", c.file);
        const Result r = run({"firmware", "--series", c.series, file, "--port", c.port});
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.err, c.err);
    }
}

TEST_F(FirmwareCommand, PortAndFileThatCannotBeOpened) {
    const std::string file = write("fw.hex", KyrPage1 + dataRecords(0, 2) + KyrTail);
    Result r = run({"firmware", "--series", "m", file, "--port", "/dev/kyr-no-such-port"});
    EXPECT_EQ(r.status, ExitFailed);
    EXPECT_EQ(r.err, "error: Cannot open serial port 1 (/dev/kyr-no-such-port)\n");

    const std::string missing = (dir_ / "missing.hex").string();
    r = run({"firmware", "--series", "m", missing, "--port", "sim:2"});
    EXPECT_EQ(r.status, ExitFailed);
    EXPECT_NE(r.err.find(missing), std::string::npos) << r.err;
}

TEST_F(FirmwareCommand, BadCommandLines) {
    const std::vector<std::vector<std::string>> cases{
        {"firmware", "fw.hex", "--port", "sim:2"},
        {"firmware", "--series", "x", "fw.hex", "--port", "sim:2"},
        {"firmware", "--series", "m", "--port", "sim:2"},
        {"firmware", "--series", "m", "fw.hex"},
        {"firmware", "--series", "m", "--series", "lum", "fw.hex", "--port", "sim:2"},
        {"firmware", "--series", "m", "fw.hex", "other.hex", "--port", "sim:2"},
    };
    for (const auto& args : cases) {
        const Result r = run(args);
        EXPECT_EQ(r.status, ExitBadCommandLine) << args.size();
        EXPECT_NE(r.err.find("usage: kyr2cli firmware"), std::string::npos) << r.err;
    }
}

}  // namespace
}  // namespace kyr::cli

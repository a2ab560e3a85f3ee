// Firmware file descriptions for the file dialog, and the KYR Series M frames.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "image/HexRecord.h"
#include "link/FirmwareFile.h"
#include "link/FirmwareFrames.h"
#include "model/Texts.h"

namespace kyr {
namespace {

TEST(FirmwareFile, Descriptions) {
    setLanguage(LangEnglish);
    const std::string data = std::string(400, 'x') + "\r\n:00000001FF\r\n";
    struct Case {
        std::string tail;
        TFirmwareSeries series;
        bool recognised;
        bool sigma;
        std::string text;
    };
    const std::vector<Case> cases = {
        {"KYR Mini V3.01\r\n", TFirmwareSeries::KyrSeriesM, true, false, "KYR Mini V3.01\r\n"},
        {"LUM Sigma V4.02\r\n", TFirmwareSeries::KyrSeriesM, false, false,
         "Not a firmware file for KYR Series M"},
        {"LUM Sigma V4.02 Protocols: 0, 6,45,46\r\n", TFirmwareSeries::Lum, true, true,
         "LUM Sigma V4.02\nCharacter Terminal\nMitsubishi FX0,FX0S,FX0N,FX2N,FX\n"
         "3 Digital Signals 24V\nEXD Compatible Protocol"},
        {"LUMQ2 V1.00\r\nProtocols: 1\r\n", TFirmwareSeries::Lum, true, false, "LUMQ2 V1.00"},
        {"KYR Mini V3.01\r\n", TFirmwareSeries::Lum, false, false, "Not a firmware file for LUM"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tail);
        const TFirmwareDescription d = DescribeFirmware(data + c.tail, c.series);
        EXPECT_EQ(d.recognised, c.recognised);
        EXPECT_EQ(d.lumSigma, c.sigma);
        EXPECT_EQ(d.text, c.text);
    }
    // A marker before the last 250 bytes does not count.
    EXPECT_FALSE(
        DescribeFirmware("KYR" + std::string(300, 'x'), TFirmwareSeries::KyrSeriesM).recognised);
}

TEST(FirmwareFrames, LongRecordsNeverPassTheRequestLimit) {
    std::vector<std::string> lines = {formatHexRecord(0, 4, Bytes{0x00, 0x01})};
    for (int i = 0; i < 4; ++i)
        lines.push_back(formatHexRecord(static_cast<std::uint16_t>(i * 200), 0, Bytes(200, i)));
    lines.push_back(formatHexRecord(800, 0, Bytes(255, 9)));
    TFirmwareFrameBuilder builder(lines);
    TFirmwareFrame frame;
    std::size_t total = 0;
    std::uint32_t next = 0;
    while (builder.Next(frame) == TFirmwareFrameBuilder::TStatus::Frame) {
        EXPECT_LE(frame.Request().size(), 254u);
        EXPECT_EQ(frame.address, next);
        next = frame.address + static_cast<std::uint32_t>(frame.data.size());
        total += frame.data.size();
    }
    EXPECT_EQ(total, 4u * 200 + 255);
    EXPECT_EQ(builder.Percent(), 100);
}

}  // namespace
}  // namespace kyr

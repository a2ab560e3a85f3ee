#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "RecordingDialog.h"
#include "image/FirmwareImage.h"
#include "image/HexTexts.h"

namespace kyr {
namespace {

struct LanguageGuard {
    std::uint8_t saved = language();
    ~LanguageGuard() { setLanguage(saved); }
};

TEST(FirmwareRead, DataRecordsFillTheImageAndItsUsedMap) {
    test::RecordingDialog rec;
    FirmwareImage image;
    const std::string text =
        "LUM Sigma description line\r\n"
        ":03001000010203E7\r\n"
        "\r\n"
        ":02001300AABB86\n"
        ":00000001FF\r\n";
    const auto result = readHexText(text, image);
    EXPECT_TRUE(result.ok());
    EXPECT_TRUE(rec.entries.empty());
    EXPECT_FALSE(image.used(0x000F));
    for (std::size_t a = 0x10; a <= 0x14; ++a) EXPECT_TRUE(image.used(a)) << a;
    EXPECT_FALSE(image.used(0x0015));
    EXPECT_EQ(image.at(0x10), 0x01);
    EXPECT_EQ(image.at(0x12), 0x03);
    EXPECT_EQ(image.at(0x14), 0xBB);
    EXPECT_EQ(image.highestUsed(), 0x14);
}

TEST(FirmwareRead, ReadingEndsAtTheFirstNonDataRecordOrControlZ) {
    struct Case {
        const char* name;
        std::string text;
    };
    const std::vector<Case> cases{
        {"end of file record", ":0100000011EE\r\n:00000001FF\r\n:0100010022DC\r\n"},
        {"segment record", ":0100000011EE\r\n:020000021000EC\r\n:0100010022DC\r\n"},
        {"control Z", ":0100000011EE\r\n\x1A:0100010022DC\r\n"},
        {"control Z before garbage", ":0100000011EE\r\n\x1A garbage :zz\r\n"},
        {"end of text without newline", ":0100000011EE"},
    };
    for (const auto& c : cases) {
        test::RecordingDialog rec;
        FirmwareImage image;
        EXPECT_TRUE(readHexText(c.text, image).ok()) << c.name;
        EXPECT_TRUE(rec.entries.empty()) << c.name;
        EXPECT_TRUE(image.used(0)) << c.name;
        EXPECT_EQ(image.at(0), 0x11) << c.name;
        EXPECT_FALSE(image.used(1)) << c.name;
    }
}

TEST(FirmwareRead, FaultsStopTheReadingWithTheirMessage) {
    struct Case {
        std::string badLine;
        HexReadStatus status;
        std::string message;
    };
    const std::vector<Case> cases{
        {":03001000010203", HexReadStatus::BadRecord, "Bad  HEX record"},
        {":0", HexReadStatus::BadRecord, "Bad  HEX record"},
        {":0300100001020ZE7", HexReadStatus::BadRecord, "Bad  HEX record"},
        {":03001000010203E8", HexReadStatus::BadChecksum, "Bad checksum"},
        {":00000001FE", HexReadStatus::BadChecksum, "Bad checksum"},
        {":02FFF700AABBA3", HexReadStatus::OutOfRange,
         "HEX record address lies outside the firmware memory"},
    };
    for (const auto& c : cases) {
        test::RecordingDialog rec;
        FirmwareImage image;
        const std::string text = ":0100000011EE\r\n" + c.badLine + "\r\n:0100010022DC\r\n";
        const auto result = readHexText(text, image);
        EXPECT_EQ(result.status, c.status) << c.badLine;
        EXPECT_EQ(result.line, 2u) << c.badLine;
        ASSERT_EQ(rec.entries.size(), 1u) << c.badLine;
        EXPECT_EQ(rec.entries[0].kind, MsgKind::Error);
        EXPECT_EQ(rec.entries[0].title, "ERROR");
        EXPECT_EQ(rec.entries[0].text, c.message);
        EXPECT_TRUE(image.used(0));
        EXPECT_FALSE(image.used(1)) << "reading went on after " << c.badLine;
        EXPECT_FALSE(image.used(0xFFF7));
    }
}

TEST(FirmwareRead, LastBytesOfTheImageAreWritable) {
    test::RecordingDialog rec;
    FirmwareImage image;
    EXPECT_TRUE(readHexText(":01FFF700AA5F\r\n", image).ok());
    EXPECT_TRUE(image.used(0xFFF7));
    EXPECT_EQ(image.highestUsed(), 0xFFF7);
}

TEST(FirmwareRead, MessagesFollowTheLanguage) {
    LanguageGuard guard;
    setLanguage(LangGerman);
    test::RecordingDialog rec;
    FirmwareImage image;
    EXPECT_FALSE(readHexText(":0100000011EF\r\n", image).ok());
    ASSERT_EQ(rec.entries.size(), 1u);
    EXPECT_EQ(rec.entries[0].title, "FEHLER");
    EXPECT_EQ(rec.entries[0].text, tr(texts::BadHexChecksum, LangGerman));
}

TEST(FirmwareRead, StreamAndMissingFile) {
    test::RecordingDialog rec;
    FirmwareImage image;
    std::istringstream in(":0100000011EE\r\n:00000001FF\r\n");
    EXPECT_TRUE(readHexFile(in, image).ok());
    EXPECT_TRUE(image.used(0));

    const auto missing = std::filesystem::temp_directory_path() / "kyr-no-such-firmware.hex";
    EXPECT_EQ(readHexFile(missing, image).status, HexReadStatus::CannotOpen);
    ASSERT_EQ(rec.entries.size(), 1u);
    EXPECT_NE(rec.entries[0].text.find("kyr-no-such-firmware.hex"), std::string::npos);
}

TEST(FirmwareRead, EmptyImageHasNoHighestAddress) {
    const FirmwareImage image;
    EXPECT_EQ(image.highestUsed(), -1);
}

}  // namespace
}  // namespace kyr

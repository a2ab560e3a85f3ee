#include <gtest/gtest.h>

#include <string>

#include "link/Crc16.h"
#include "sim/FrameParser.h"

namespace kyr::sim {
namespace {

Bytes withCrc(Bytes frame) {
    const std::uint16_t crc = Crc16::instance().compute(frame);
    frame.push_back(static_cast<std::uint8_t>(crc >> 8));
    frame.push_back(static_cast<std::uint8_t>(crc & 0xFF));
    return frame;
}

void feedBinary(BinaryFrameParser& p, const Bytes& frame, bool withParity) {
    for (std::size_t i = 0; i < frame.size(); ++i) {
        const CharKind kind = !withParity ? CharKind::Unknown
                              : i == 0    ? CharKind::Address
                                          : CharKind::Data;
        p.feed(frame[i], kind);
    }
}

void feedText(AsciiFrameParser& p, const std::string& text) {
    for (char c : text) p.feed(static_cast<std::uint8_t>(c));
}

TEST(BinaryFrameParser, FramesByCommandSizeWithAndWithoutParity) {
    // Fixed sizes, the two sizes of 0xB8 and 0xB4, and a count-byte size (0xA4).
    const std::vector<Bytes> requests = {
        {0xB0},
        {0xC4, 0x01},
        Bytes(1 + 20, 0xB8),
        Bytes(1 + 32, 0xB8),
        {0xB4, 0x05, 0x01},
        {0xB4, 0x01, 0x2C, 0x10},
        {0xA4, 0x04, 0x40, 0x00, 0x11, 0x22, 0x33},
    };
    for (bool parity : {true, false}) {
        for (const Bytes& request : requests) {
            BinaryFrameParser p(1);
            Bytes frame{0x01};
            frame.insert(frame.end(), request.begin(), request.end());
            feedBinary(p, withCrc(frame), parity);
            const auto f = p.next();
            ASSERT_TRUE(f) << "command " << int(request[0]) << " parity " << parity;
            EXPECT_EQ(f->address, 1);
            EXPECT_EQ(f->request, request);
            EXPECT_FALSE(p.next());
        }
    }
}

TEST(BinaryFrameParser, DropsBadFramesAndFindsTheNextOne) {
    BinaryFrameParser p(1);
    Bytes bad = withCrc({0x01, 0xB0});
    bad.back() ^= 0xFF;
    feedBinary(p, bad, true);
    EXPECT_FALSE(p.next());
    EXPECT_EQ(p.badFrames(), 1);

    // Without parity: noise, a broken frame and a good one in one stream.
    BinaryFrameParser q(1);
    Bytes stream = {0x55, 0x00};
    stream.insert(stream.end(), bad.begin(), bad.end());
    const Bytes good = withCrc({0x01, 0xBC});
    stream.insert(stream.end(), good.begin(), good.end());
    feedBinary(q, stream, false);
    const auto f = q.next();
    ASSERT_TRUE(f);
    EXPECT_EQ(f->request, Bytes{0xBC});
}

TEST(BinaryFrameParser, IgnoresOtherAddressesAndUnknownCommands) {
    BinaryFrameParser p(1);
    feedBinary(p, withCrc({0x02, 0xB0}), true);
    EXPECT_FALSE(p.next());
    feedBinary(p, withCrc({0x01, 0x77}), true);
    EXPECT_FALSE(p.next());
    EXPECT_EQ(p.badFrames(), 1);
    // A new address character ends whatever came before.
    p.feed(0x01, CharKind::Address);
    p.feed(0xB0, CharKind::Data);
    feedBinary(p, withCrc({0x01, 0xB0}), true);
    EXPECT_TRUE(p.next());
}

TEST(AsciiFrameParser, StatusExampleNoiseAndBadFrames) {
    AsciiFrameParser p;
    feedText(p, "*01B094EA\r");
    auto f = p.next();
    ASSERT_TRUE(f);
    EXPECT_EQ(f->address, 1);
    EXPECT_EQ(f->request, Bytes{0xB0});

    // Noise before, a restart with "*", lower-case digits.
    feedText(p, "xx*12*01b094ea\r");
    f = p.next();
    ASSERT_TRUE(f);
    EXPECT_EQ(f->request, Bytes{0xB0});

    for (const char* bad : {"*01B094EB\r", "*01B094E\r", "*01B0G4EA\r", "*\r"}) {
        feedText(p, bad);
        EXPECT_FALSE(p.next()) << bad;
    }
    EXPECT_EQ(p.badFrames(), 4);

    // A frame far longer than any request is dropped, not stored without end.
    feedText(p, "*" + std::string(2000, '0') + "\r");
    EXPECT_FALSE(p.next());
}

}  // namespace
}  // namespace kyr::sim

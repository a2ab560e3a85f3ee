#include <gtest/gtest.h>

#include <string>

#include "link/Crc16.h"
#include "link/LinkFrame.h"

namespace kyr::link {
namespace {

Bytes withReplyCrc(Bytes reply) {
    const std::uint16_t crc = Crc16::instance().compute(reply);
    reply.push_back(static_cast<std::uint8_t>(crc >> 8));
    reply.push_back(static_cast<std::uint8_t>(crc & 0xFF));
    return reply;
}

TEST(LinkFrame, RequestFramesOfTheCommandTable) {
    const Bytes status{0xB0};
    EXPECT_EQ(withCrc(1, status), (Bytes{0xB0, 0x94, 0xEA}));
    EXPECT_EQ(asciiFrame(1, withCrc(1, status)), "*01B094EA\r");
    const Bytes lumBoot{0xC9};
    EXPECT_EQ(asciiFrame(1, withCrc(1, lumBoot)), "*01C97B54\r");
}

TEST(LinkFrame, AddressZeroIsLeftOutOfCrcAndFrame) {
    const Bytes request{0xB0, 0x12};
    const Bytes framed = withCrc(0, request);
    const std::uint16_t crc = Crc16::instance().compute(request);
    EXPECT_EQ(framed, (Bytes{0xB0, 0x12, static_cast<std::uint8_t>(crc >> 8),
                             static_cast<std::uint8_t>(crc & 0xFF)}));
    EXPECT_EQ(asciiFrame(0, Bytes{0xAB, 0x0F}), "*AB0F\r");
}

TEST(LinkFrame, TimeoutTicksByReplyLength) {
    struct Case {
        int length, binary, ascii;
    };
    for (const Case c : {Case{0, 4, 4}, Case{3, 4, 4}, Case{19, 4, 4}, Case{20, 4, 5},
                         Case{40, 5, 6}, Case{128, 7, 10}, Case{255, 10, 16}}) {
        EXPECT_EQ(binaryTimeoutTicks(c.length), c.binary) << c.length;
        EXPECT_EQ(asciiTimeoutTicks(c.length), c.ascii) << c.length;
    }
}

TEST(LinkFrame, HexDigitsOfEitherCase) {
    const std::string digits = "0123456789ABCDEF";
    const std::string lower = "0123456789abcdef";
    for (std::size_t i = 0; i < 16; ++i) {
        EXPECT_EQ(hexDigitValue(static_cast<std::uint8_t>(digits[i])), i);
        EXPECT_EQ(hexDigitValue(static_cast<std::uint8_t>(lower[i])), i);
    }
}

TEST(BinaryReplyDecoder, FixedReplyInPieces) {
    const Bytes whole = withReplyCrc({0x21, 0x05, 0x80});
    BinaryReplyDecoder d;
    d.reset(3);
    EXPECT_EQ(d.room(), 5u);
    EXPECT_EQ(d.feed(std::span(whole).first(1)), ReplyProgress::More);
    EXPECT_EQ(d.room(), 4u);
    EXPECT_EQ(d.feed(std::span(whole).subspan(1, 3)), ReplyProgress::More);
    EXPECT_EQ(d.feed(std::span(whole).subspan(4)), ReplyProgress::Done);
    EXPECT_EQ(Bytes(d.reply().begin(), d.reply().end()), (Bytes{0x21, 0x05, 0x80}));
}

TEST(BinaryReplyDecoder, VariableReplyCompleteAfterLengthPlusCrc) {
    const Bytes whole = withReplyCrc({0x03, 0x41, 0x42});
    ASSERT_EQ(whole.size(), 5u);
    BinaryReplyDecoder d;
    d.reset(VariableReply);
    EXPECT_EQ(d.room(), 257u);
    EXPECT_EQ(d.feed(std::span(whole).first(2)), ReplyProgress::More);
    EXPECT_EQ(d.room(), 3u);
    EXPECT_EQ(d.feed(std::span(whole).subspan(2)), ReplyProgress::Done);
    EXPECT_EQ(Bytes(d.reply().begin(), d.reply().end()), (Bytes{0x03, 0x41, 0x42}));
}

TEST(BinaryReplyDecoder, BadReplies) {
    struct Case {
        const char* what;
        int expected;
        Bytes bytes;
        ReplyProgress result;
    };
    Bytes corrupt = withReplyCrc({0x01, 0x02, 0x03});
    corrupt[1] ^= 0x40;
    const Case cases[] = {
        {"acknowledge", AckReply, {0x06}, ReplyProgress::Done},
        {"negative acknowledge", AckReply, {0x15}, ReplyProgress::Bad},
        {"corrupted byte", 3, corrupt, ReplyProgress::Bad},
        {"length byte shorter than what came", VariableReply, withReplyCrc({0x01, 0x07}),
         ReplyProgress::Bad},
        {"more than room", 1, {0x01, 0x02, 0x03, 0x04}, ReplyProgress::Bad},
    };
    for (const Case& c : cases) {
        BinaryReplyDecoder d;
        d.reset(c.expected);
        EXPECT_EQ(d.feed(c.bytes), c.result) << c.what;
    }
}

ReplyProgress feedText(AsciiReplyDecoder& d, const std::string& text) {
    ReplyProgress p = ReplyProgress::More;
    for (char c : text) p = d.feed(static_cast<std::uint8_t>(c));
    return p;
}

std::string asciiReply(const Bytes& reply) { return asciiFrame(0, withReplyCrc(reply)); }

TEST(AsciiReplyDecoder, TakesTheReplyFromTheLastStart) {
    AsciiReplyDecoder d;
    d.reset(3);
    EXPECT_EQ(feedText(d, "\x13noise\r*0A"), ReplyProgress::More);
    EXPECT_TRUE(d.started());
    EXPECT_EQ(feedText(d, asciiReply({0x21, 0x05, 0x80})), ReplyProgress::Done);
    EXPECT_EQ(Bytes(d.reply().begin(), d.reply().end()), (Bytes{0x21, 0x05, 0x80}));
}

TEST(AsciiReplyDecoder, CharactersBeforeTheStartAreIgnored) {
    AsciiReplyDecoder d;
    d.reset(AckReply);
    EXPECT_EQ(feedText(d, "06\r"), ReplyProgress::More);
    EXPECT_FALSE(d.started());
    EXPECT_EQ(feedText(d, "*06\r"), ReplyProgress::Done);
}

TEST(AsciiReplyDecoder, Replies) {
    std::string lower = asciiReply({0xAB, 0xCD});
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    std::string corrupt = asciiReply({0x01, 0x02});
    corrupt[2] = '7';
    struct Case {
        const char* what;
        int expected;
        std::string text;
        ReplyProgress result;
    };
    const Case cases[] = {
        {"acknowledge", AckReply, "*06\r", ReplyProgress::Done},
        {"wrong acknowledge", AckReply, "*15\r", ReplyProgress::Bad},
        {"lower-case digits", 2, lower, ReplyProgress::Done},
        {"variable", VariableReply, asciiReply({0x03, 0x10, 0x20}), ReplyProgress::Done},
        {"variable, nothing", VariableReply, "*\r", ReplyProgress::Bad},
        {"corrupted", 2, corrupt, ReplyProgress::Bad},
        {"too short", 3, asciiReply({0x01, 0x02}), ReplyProgress::Bad},
        {"overlong", 3, "*" + std::string(600, '0') + "\r", ReplyProgress::Bad},
    };
    for (const Case& c : cases) {
        AsciiReplyDecoder d;
        d.reset(c.expected);
        EXPECT_EQ(feedText(d, c.text), c.result) << c.what;
    }
}

TEST(AsciiReplyDecoder, LongestVariableReply) {
    Bytes reply(255, 0x5A);
    reply[0] = 255;
    AsciiReplyDecoder d;
    d.reset(VariableReply);
    EXPECT_EQ(feedText(d, asciiReply(reply)), ReplyProgress::Done);
    EXPECT_EQ(d.reply().size(), 255u);
}

}  // namespace
}  // namespace kyr::link

#include <gtest/gtest.h>

#include "model/TextTokens.h"

namespace kyr {
namespace {

TEST(TextTokens, IntegerTokens) {
    const struct {
        const char* token;
        std::optional<std::int32_t> value;
    } cases[] = {
        {"0", 0},
        {"-1", -1},
        {"+17", 17},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"2147483648", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"$ff", 255},
        {"$FFFFFFFF", -1},
        {"$80000000", INT32_MIN},
        {"$100000000", std::nullopt},
        {"$", std::nullopt},
        {"-$1", std::nullopt},
        {"", std::nullopt},
        {"-", std::nullopt},
        {"1x", std::nullopt},
        {" 1", std::nullopt},
        {"0x10", std::nullopt},
        {"1.0", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(parseInt(c.token), c.value) << c.token;
}

TEST(TextTokens, ConversionWithDefault) {
    EXPECT_EQ(intOrDefault("  12", -1), 12);
    EXPECT_EQ(intOrDefault(" $04", -1), 4);
    EXPECT_EQ(intOrDefault(" $04 ", -1), -1);  // nothing may follow the number
    EXPECT_EQ(intOrDefault("\t4", -1), -1);    // tabs are not skipped
    EXPECT_EQ(intOrDefault("", -1), -1);
    EXPECT_EQ(intOrDefault("   ", 7), 7);
}

TEST(TextTokens, CursorRepeatsTheLastValue) {
    TokenCursor c("  1\t$2 ");
    EXPECT_EQ(c.Next(), "1");
    EXPECT_EQ(c.Next(), "$2");
    EXPECT_EQ(c.Next(), "$2");
    EXPECT_EQ(c.Take(), "");
    EXPECT_EQ(TokenCursor("").Next(), "");
    EXPECT_EQ(TokenCursor("\n\t ").NextInt(), std::nullopt);
}

TEST(TextTokens, SectionLinesSplitAtCr) {
    using V = std::vector<std::string_view>;
    EXPECT_EQ(sectionLines("a\rb\r"), (V{"a", "b"}));
    EXPECT_EQ(sectionLines("a\r\nb"), (V{"a", "\nb"}));
    EXPECT_EQ(sectionLines("a\r\r"), (V{"a", ""}));
    EXPECT_EQ(sectionLines(""), V{});
}

}  // namespace
}  // namespace kyr

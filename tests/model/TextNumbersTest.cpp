#include <gtest/gtest.h>

#include "model/TextNumbers.h"

namespace kyr {
namespace {

TEST(TextNumbers, IntegersAsTheProjectTextWritesThem) {
    const struct {
        const char* token;
        std::optional<std::int32_t> value;
    } cases[] = {
        {"0", 0},
        {"260", 260},
        {"-1", -1},
        {"+7", 7},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"2147483648", std::nullopt},
        {"$0C", 12},
        {"$ff", 255},
        {"$FFFFFFFF", -1},
        {"$100000000", std::nullopt},
        {"$", std::nullopt},
        {"-$5", std::nullopt},
        {"", std::nullopt},
        {"-", std::nullopt},
        {"2.60", std::nullopt},
        {"12a", std::nullopt},
        {" 5", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseInteger(c.token), c.value) << c.token;
}

TEST(TextNumbers, DefaultTakesLeadingSpacesOnly) {
    EXPECT_EQ(IntegerOr("  $04", -1), 4);
    EXPECT_EQ(IntegerOr("$04 ", -1), -1);
    EXPECT_EQ(IntegerOr("\t4", -1), -1);
    EXPECT_EQ(IntegerOr("   ", -1), -1);
    EXPECT_EQ(IntegerOr("0017", -1), 17);
}

TEST(TextNumbers, TokensSkipBlanksAndLineEnds) {
    const std::string_view text = " KYRB\r\n\t VER  260\r";
    std::size_t pos = 0;
    EXPECT_EQ(NextToken(text, pos), "KYRB");
    EXPECT_EQ(NextToken(text, pos), "VER");
    EXPECT_EQ(NextToken(text, pos), "260");
    EXPECT_EQ(NextToken(text, pos), "");
    EXPECT_EQ(pos, text.size());
}

}  // namespace
}  // namespace kyr

#include <gtest/gtest.h>

#include "model/TextTokens.h"

namespace kyr {
namespace {

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

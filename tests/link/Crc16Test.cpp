#include <gtest/gtest.h>

#include <string_view>

#include "link/Crc16.h"

namespace kyr {
namespace {

TEST(Crc16, CheckValueAndFrameExamples) {
    const std::string_view check = "123456789";
    const auto* p = reinterpret_cast<const std::uint8_t*>(check.data());
    EXPECT_EQ(Crc16::instance().compute({p, check.size()}), 0x31C3);
    // Address 1 and the status command 0xB0 give the CRC sent as "94EA".
    const std::uint8_t status[] = {0x01, 0xB0};
    EXPECT_EQ(Crc16::instance().compute(status), 0x94EA);
    const std::uint8_t lumProtocols[] = {0x01, 0xC9};
    EXPECT_EQ(Crc16::instance().compute(lumProtocols), 0x7B54);
}

}  // namespace
}  // namespace kyr

#pragma once

// Reads the HEX text the EPROM writer produced back into bytes by absolute address, for the
// image tests.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "image/HexRecord.h"

namespace kyr::test {

inline std::vector<std::string> hexLines(const std::string& text) {
    std::vector<std::string> out;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t end = text.find("\r\n", pos);
        EXPECT_NE(end, std::string::npos) << "line without CR LF";
        if (end == std::string::npos) break;
        out.push_back(text.substr(pos, end - pos));
        pos = end + 2;
    }
    return out;
}

// Every data byte by its address, segment records applied; a byte written twice fails the
// test, as no two blocks of an image may overlap.
struct HexBytes {
    std::map<std::uint32_t, std::uint8_t> bytes;
    bool sawEndOfFile = false;

    bool has(std::uint32_t a) const { return bytes.count(a) != 0; }
    std::uint8_t at(std::uint32_t a) const { return bytes.at(a); }
    Bytes run(std::uint32_t a, std::size_t n) const {
        Bytes out;
        for (std::size_t i = 0; i < n; ++i) {
            const auto it = bytes.find(a + static_cast<std::uint32_t>(i));
            if (it == bytes.end()) return out;
            out.push_back(it->second);
        }
        return out;
    }
};

inline HexBytes loadHex(const std::string& text) {
    HexBytes out;
    std::uint32_t base = 0;
    for (const auto& line : hexLines(text)) {
        EXPECT_FALSE(out.sawEndOfFile) << "line after the end of file: " << line;
        const auto parsed = parseHexRecord(line);
        EXPECT_EQ(parsed.status, HexParseStatus::Ok) << line;
        const auto& r = parsed.record;
        if (r.type == HexEndOfFile) {
            out.sawEndOfFile = true;
        } else if (r.type == HexExtendedSegment) {
            base = static_cast<std::uint32_t>((r.data.at(0) << 8) | r.data.at(1)) << 4;
        } else {
            for (std::size_t i = 0; i < r.data.size(); ++i) {
                const std::uint32_t a = base + r.address + static_cast<std::uint32_t>(i);
                EXPECT_FALSE(out.has(a)) << "byte written twice at 0x" << std::hex << a;
                out.bytes[a] = r.data[i];
            }
        }
    }
    return out;
}

}  // namespace kyr::test

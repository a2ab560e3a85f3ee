#include <gtest/gtest.h>

#include "SimWire.h"

namespace kyr::sim {
namespace {

using test::Ack;
using test::emptyScreenRecord;
using test::screenRecord;
using test::SimWire;

Bytes cat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(SimSetup, WriteThenRead) {
    SimWire wire(0);
    EXPECT_EQ(wire.ask({0xBC}), (Bytes{2, 5, 1, 1, 1, 2, 0xFF, 0, 0, 0}));
    const Bytes setup = {0, 4, 3, 7, 5, 1, 2, 29, 4, 1};
    EXPECT_EQ(wire.ask(cat({0xBD}, setup)), Ack);
    EXPECT_EQ(wire.ask({0xBC}), setup);
    EXPECT_EQ(wire.terminal().setup(), setup);
}

TEST(SimCommTable, SizesByTypeAndLevel) {
    Bytes table(32);
    for (std::size_t i = 0; i < table.size(); ++i) table[i] = static_cast<std::uint8_t>(i + 1);
    const Bytes first20(table.begin(), table.begin() + 20);
    const Bytes first24(table.begin(), table.begin() + 24);

    SimWire t240(0);  // level 257: short and long forms
    EXPECT_EQ(t240.ask(cat({0xC8}, first24)), Ack);
    EXPECT_EQ(t240.ask({0xB7}), first20);
    EXPECT_EQ(t240.ask({0xC7}), first24);

    SimConfig old = SimConfig::forType(1);
    old.firmware = "2.18";
    SimWire t220(old);  // below 2.55 the long form is unknown
    EXPECT_FALSE(t220.ask({0xC7}));
    EXPECT_EQ(t220.ask(cat({0xB8}, first20)), Ack);
    EXPECT_EQ(t220.ask({0xB7}), first20);

    SimWire grand(3);
    EXPECT_EQ(grand.ask(cat({0xB8}, table)), Ack);
    EXPECT_EQ(grand.ask({0xB7}), table);
    EXPECT_FALSE(grand.ask({0xC7}));  // KYRB/KYRC only
}

Bytes exdRows(std::uint8_t seed) {
    Bytes rows(64, 0xFF);
    rows[0] = 1;
    rows[1] = 3;
    rows[2] = 0x12;
    rows[3] = seed;
    return rows;
}

TEST(SimExdTables, ListWriteReadRemove) {
    SimWire wire(0);
    EXPECT_EQ(wire.ask({0xB2, 0x01}), Bytes{1});
    EXPECT_EQ(wire.ask(cat({0xC2, 7}, exdRows(1))), Ack);
    EXPECT_EQ(wire.ask(cat({0xC2, 2}, exdRows(2))), Ack);
    EXPECT_EQ(wire.ask({0xB2, 0x01}), (Bytes{3, 2, 7}));

    const auto table = wire.ask({0xC1, 7});
    ASSERT_TRUE(table);
    EXPECT_EQ(*table, cat({66, 7}, exdRows(1)));
    EXPECT_EQ(wire.ask({0xC1, 9}), Bytes{1});  // no such table

    // The empty table of a number removes that table; numbers above 20 are refused.
    EXPECT_EQ(wire.ask(cat({0xC2, 7}, Bytes(64, 0xFF))), Ack);
    EXPECT_EQ(wire.ask({0xB2, 0x01}), (Bytes{2, 2}));
    EXPECT_FALSE(wire.ask(cat({0xC2, 21}, exdRows(1))));
}

// Writes one screen the way a download does: allocate, blocks of at most 128 bytes with the
// bank and address mapping of the terminal family, close. Returns the close reply byte.
std::optional<std::uint8_t> writeScreen(SimWire& wire, std::uint8_t selector, const Bytes& image,
                                        int family) {
    const std::uint16_t size = static_cast<std::uint16_t>(image.size() + (family == 0 ? 2 : 0));
    const auto room = wire.ask({0xB3, selector, static_cast<std::uint8_t>(size >> 8),
                                static_cast<std::uint8_t>(size & 0xFF)});
    if (!room || room->size() != 4 || (*room)[2] == 0xFF) return std::nullopt;
    const std::uint16_t address = bytes::u16be(*room, 0);
    const std::uint8_t bank = (*room)[2];
    for (std::size_t off = 0; off < image.size(); off += 128) {
        const std::size_t n = std::min<std::size_t>(128, image.size() - off);
        Bytes request;
        std::uint32_t at = address + off;
        if (bank == 0) {
            request = {0xA4, static_cast<std::uint8_t>(n + 1)};
        } else {
            std::uint8_t bankByte = bank;
            if (family == 0) {
                bankByte = static_cast<std::uint8_t>((bank - 1) / 4);
                at = at - 0x8000 + ((bank - 1) % 4) * 0x4000;
            }
            request = {0xBF, static_cast<std::uint8_t>(n + 1), bankByte};
        }
        request.push_back(static_cast<std::uint8_t>(at >> 8));
        request.push_back(static_cast<std::uint8_t>(at & 0xFF));
        request.insert(request.end(), image.begin() + static_cast<std::ptrdiff_t>(off),
                       image.begin() + static_cast<std::ptrdiff_t>(off + n));
        if (wire.ask(request) != Ack) return std::nullopt;
    }
    const auto closed = wire.ask({0xB5, 0x00});
    if (!closed || closed->size() != 1) return std::nullopt;
    return (*closed)[0];
}

// Reads a screen back the way an upload does.
std::optional<Bytes> readScreen(SimWire& wire, std::uint16_t number, std::uint8_t selector,
                                int family) {
    const auto where = wire.ask({0xB4, static_cast<std::uint8_t>(number >> 8),
                                 static_cast<std::uint8_t>(number & 0xFF), selector});
    if (!where || where->size() != 5) return std::nullopt;
    const std::uint16_t address = bytes::u16be(*where, 0);
    const std::uint16_t length = bytes::u16be(*where, 2);
    const std::uint8_t bank = (*where)[4];
    if (length == 0) return std::nullopt;
    Bytes out;
    for (std::size_t off = 0; off < length; off += 128) {
        const std::size_t n = std::min<std::size_t>(128, length - off);
        std::uint32_t at = address + off;
        Bytes request;
        if (bank == 0) {
            request = {0xA1, static_cast<std::uint8_t>(n - 1)};
        } else {
            std::uint8_t bankByte = bank;
            if (family == 0) {
                bankByte = static_cast<std::uint8_t>((bank - 1) / 4);
                at = at - 0x8000 + ((bank - 1) % 4) * 0x4000;
            }
            request = {0xBE, static_cast<std::uint8_t>(n - 1), bankByte};
        }
        request.push_back(static_cast<std::uint8_t>(at >> 8));
        request.push_back(static_cast<std::uint8_t>(at & 0xFF));
        const auto block = wire.ask(request);
        if (!block || block->size() != n) return std::nullopt;
        out.insert(out.end(), block->begin(), block->end());
    }
    return out;
}

TEST(SimScreens, WrittenInBlocksReadBackThroughEveryMemory) {
    struct Case {
        int type;
        ProgramPlace place;
        std::uint8_t selector;
    };
    const Case cases[] = {
        {0, ProgramPlace::Ram, 0},  {0, ProgramPlace::Mem, 1},  {1, ProgramPlace::RamAndMem, 3},
        {2, ProgramPlace::Mem, 16}, {3, ProgramPlace::Mem, 16},
    };
    const Bytes big = screenRecord(300, std::string(160, 'A') + std::string(90, 'z'));  // 3 blocks
    const Bytes small = screenRecord(5, "Hello");
    for (const Case& c : cases) {
        SimConfig config = SimConfig::forType(c.type);
        config.programIn = c.place;
        SimWire wire(config);
        const int family = config.family();
        EXPECT_EQ(writeScreen(wire, c.selector, big, family), 0) << "type " << c.type;
        EXPECT_EQ(writeScreen(wire, c.selector, small, family), 0);
        EXPECT_EQ(readScreen(wire, 300, c.selector, family), big);
        EXPECT_EQ(readScreen(wire, 5, c.selector, family), small);
        EXPECT_EQ(wire.terminal().screenRecord(300), big);
        EXPECT_EQ(wire.ask({0xC5, c.selector}), (Bytes{5, 0x00, 0x05, 0x01, 0x2C}));
    }
}

TEST(SimScreens, BankMappingOfTheKyrT240) {
    // When the first MEM page is full the allocator moves on to the second, which the block
    // commands reach at segment 0, address 0x4000.
    SimWire wire(0);
    for (int i = 0; i < 200; ++i) {
        const auto room = wire.ask({0xB3, 0x01, 0x01, 0x08});
        ASSERT_TRUE(room);
        if ((*room)[2] == 1) continue;
        EXPECT_EQ((*room)[2], 2);
        EXPECT_EQ(bytes::u16be(*room, 0), 0x8000);
        EXPECT_EQ(wire.ask({0xBF, 3, 0x00, 0x40, 0x00, 0xAB, 0xCD}), Ack);
        EXPECT_EQ(wire.ask({0xBE, 1, 0x00, 0x40, 0x00}), (Bytes{0xAB, 0xCD}));
        return;
    }
    FAIL() << "page 2 never allocated";
}

TEST(SimScreens, ListsOf120NumbersArePaged) {
    for (int count : {119, 120, 121, 250}) {
        SimWire wire(3);
        for (int n = 0; n < count; ++n)
            ASSERT_TRUE(wire.terminal().storeScreen(
                screenRecord(static_cast<std::uint16_t>(1000 + n), "ab")));
        std::vector<std::uint16_t> numbers;
        auto part = wire.ask({0xC5, 16});
        int requests = 1;
        for (;;) {
            ASSERT_TRUE(part);
            const std::size_t n = ((*part)[0] - 1u) / 2;
            for (std::size_t i = 0; i < n; ++i) numbers.push_back(bytes::u16be(*part, 1 + 2 * i));
            if (n < 120) break;
            part = wire.ask({0xC6, 16});
            ++requests;
        }
        ASSERT_EQ(numbers.size(), static_cast<std::size_t>(count));
        EXPECT_EQ(numbers.front(), 1000);
        EXPECT_EQ(numbers.back(), 1000 + count - 1);
        EXPECT_EQ(requests, count / 120 + 1) << count;
    }
}

TEST(SimScreens, EightBitListBelowFormat218) {
    SimConfig config = SimConfig::forType(0);
    config.firmware = "2.17";
    SimWire wire(config);
    ASSERT_TRUE(wire.terminal().storeScreen(screenRecord(199, "x", false)));
    ASSERT_TRUE(wire.terminal().storeScreen(screenRecord(3, "y", false)));
    EXPECT_EQ(wire.ask({0xB1, 0x01}), (Bytes{3, 3, 199}));
    EXPECT_FALSE(wire.ask({0xC5, 0x01}));  // the 16-bit list came with 2.18
    const auto where = wire.ask({0xB4, 199, 0x01});
    ASSERT_TRUE(where);
    EXPECT_EQ(bytes::u16be(*where, 2), screenRecord(199, "x", false).size());
}

TEST(SimScreens, CloseErrorsReplaceAndDelete) {
    SimWire wire(0);
    const std::uint8_t sel = 1;
    EXPECT_EQ(writeScreen(wire, sel, screenRecord(7, "first"), 0), 0);
    EXPECT_EQ(wire.ask({0xC5, sel}), (Bytes{3, 0, 7}));

    // After the list is read, a screen of a listed number replaces it once.
    EXPECT_EQ(writeScreen(wire, sel, screenRecord(7, "second"), 0), 0);
    EXPECT_EQ(wire.terminal().screenRecord(7), screenRecord(7, "second"));
    // A second screen with that number in the same download is refused.
    EXPECT_EQ(writeScreen(wire, sel, screenRecord(7, "third"), 0), 2);
    EXPECT_EQ(wire.terminal().screenRecord(7), screenRecord(7, "second"));

    // A record the terminal cannot read: character set 2, a function of kind 9, a length
    // beyond the room.
    Bytes charset = screenRecord(8, "abc");
    charset[5] = 0x08;
    EXPECT_EQ(writeScreen(wire, sel, charset, 0), 3);
    Bytes kind = screenRecord(8, "abc");
    kind.insert(kind.end() - 3, {0x00, 0x03, 0x09});
    bytes::setU16be(kind, 0, static_cast<std::uint16_t>(kind.size()));
    EXPECT_EQ(writeScreen(wire, sel, kind, 0), 3);
    Bytes longer = screenRecord(8, "abc");
    bytes::setU16be(longer, 0, 200);
    EXPECT_EQ(writeScreen(wire, sel, longer, 0), 3);
    EXPECT_FALSE(wire.terminal().screenRecord(8));

    // The empty record of a number deletes that screen; closing without room is 0xFF.
    EXPECT_EQ(wire.ask({0xC5, sel}), (Bytes{3, 0, 7}));
    EXPECT_EQ(writeScreen(wire, sel, emptyScreenRecord(7), 0), 0);
    EXPECT_EQ(wire.ask({0xC5, sel}), Bytes{1});
    EXPECT_EQ(wire.ask({0xB4, 0, 7, sel}), Bytes(5, 0));
    EXPECT_EQ(wire.ask({0xB5, 0x00}), Bytes{0xFF});
}

TEST(SimMemory, FreeWordsAllocationAndNoRoom) {
    SimConfig config = SimConfig::forType(1);  // KYR-T220, 32 KB RAM as MEM
    SimWire wire(config);
    auto free = wire.ask({0xB6});
    ASSERT_TRUE(free);
    ASSERT_EQ(free->size(), 18u);
    const std::uint16_t page1 = bytes::u16be(*free, 2);
    const std::uint16_t page2 = bytes::u16be(*free, 4);
    EXPECT_EQ(page1, 0x4000 - 0x400 - 2);
    EXPECT_EQ(page2, 0x4000 - 2);
    EXPECT_EQ(bytes::u16be(*free, 6), 0);  // pages 3..8 are not fitted

    EXPECT_EQ(writeScreen(wire, 1, screenRecord(1, std::string(98, 'q')), 0), 0);
    free = wire.ask({0xB6});
    EXPECT_EQ(bytes::u16be(*free, 2), page1 - (108 + 2));

    // More than a page asks for room that no page has.
    EXPECT_EQ(wire.ask({0xB3, 1, 0x40, 0x00}), (Bytes{0, 0, 0xFF, 0}));

    // The memory clear empties the program.
    EXPECT_EQ(wire.ask({0xC4, 1}), Ack);
    EXPECT_EQ(bytes::u16be(*wire.ask({0xB6}), 2), page1);
    EXPECT_EQ(wire.ask({0xC5, 1}), Bytes{1});
}

TEST(SimMemory, FlashReportsWhetherItErased) {
    SimConfig config = SimConfig::forType(2);
    SimWire mini(config);
    EXPECT_EQ(mini.ask({0xC4, 16}), Ack);
    EXPECT_EQ((*mini.ask({0xB6}))[0], 0);

    config.flashFault = true;
    SimWire broken(config);
    ASSERT_TRUE(broken.terminal().storeScreen(screenRecord(4, "kept")));
    EXPECT_EQ(broken.ask({0xC4, 16}), Ack);
    EXPECT_NE((*broken.ask({0xB6}))[0], 0);
    EXPECT_TRUE(broken.terminal().screenRecord(4));
}

TEST(SimMemory, SlowFlashEraseKeepsTheTerminalBusy) {
    SimConfig config = SimConfig::forType(3);
    config.flashEraseMs = 1500;
    SimWire grand(config);
    grand.send({0xC4, 16});
    EXPECT_EQ(grand.readAll(), Bytes{});
    grand.port.advance(1000);
    EXPECT_EQ(grand.ask({0xB0}), std::nullopt);  // not heard while erasing
    grand.port.advance(500);
    EXPECT_EQ(grand.readAll(), Ack);
    EXPECT_TRUE(grand.ask({0xB0}));
}

TEST(SimMemory, ReadOnlyAndUnmappedMemory) {
    SimConfig config = SimConfig::forType(0);
    config.auxMemory = AuxMemory::Eprom64k;
    SimWire eprom(config);
    EXPECT_EQ(eprom.ask({0xB3, 1, 0x00, 0x20}), (Bytes{0, 0, 0xFF, 0}));
    EXPECT_FALSE(eprom.ask({0xBF, 2, 0x00, 0x04, 0x00, 0x11}));
    // RAM outside the user area is not written; reads beyond MEM give 0xFF.
    SimWire ram(0);
    EXPECT_FALSE(ram.ask({0xA4, 2, 0x00, 0x10, 0x11}));
    EXPECT_EQ(ram.ask({0xBE, 1, 0x05, 0x00, 0x00}), (Bytes{0xFF, 0xFF}));
    // More than 128 bytes in one block is not a request the terminal takes.
    EXPECT_FALSE(ram.ask({0xA1, 200, 0x40, 0x00}));
}

TEST(SimMemory, FirmwareDescriptionOfKyrSeriesM) {
    SimWire mini(2);
    const auto text = mini.ask({0xBE, 59, 7, 0xFF, 0xC0});
    ASSERT_TRUE(text);
    ASSERT_EQ(text->size(), 60u);
    EXPECT_EQ(std::string(text->begin(), text->begin() + 3), "KYR");
}

}  // namespace
}  // namespace kyr::sim

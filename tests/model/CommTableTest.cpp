#include <gtest/gtest.h>

#include <array>
#include <string>

#include "RecordingDialog.h"
#include "model/CommTableText.h"
#include "model/DataClass.h"
#include "model/Texts.h"

namespace kyr {
namespace {

using test::RecordingDialog;

std::unique_ptr<TKyrData> project(std::uint8_t type, std::uint8_t ioBoard = 0) {
    auto d = TKyrData::NewProject(0, type);
    d->Setup().SetIoBoard(ioBoard);
    return d;
}

// Types 0..9 with the rows they accept on reading (all names, any case).
TEST(CommTableText, AcceptedNamesFollowTheType) {
    RecordingDialog dialog;
    const char* names[] = {"BEEP", "scrn", "Kbd", "DATTIM", "i/o", "INP", "OUT", "CAN"};
    for (std::uint8_t type = 0; type < 10; ++type) {
        auto d = project(type);
        std::string section = "[Tables]\r";
        for (const char* n : names) section += std::string(" ") + n + " 1 2 3\r";
        dialog.clear();
        TextFault fault;
        ASSERT_TRUE(ReadCommTableSection(*d, section, fault));
        const int last = d->LastCommRow();
        std::vector<std::string> expected;
        for (int row = 0; row < TCommTable::RowCount; ++row) {
            if (row <= last) {
                EXPECT_EQ(d->CommTable().System(row), 1) << int(type) << " " << row;
                EXPECT_EQ(d->CommTable().Begin(row), 3);
            } else {
                EXPECT_EQ(d->CommTable().System(row), -1);
                EXPECT_EQ(d->CommTable().Space(row), 20);
                expected.push_back(std::string("Bad Comm Table Name: ") + names[row]);
            }
        }
        EXPECT_EQ(dialog.texts(), expected) << int(type);
    }
}

TEST(CommTableText, ReadingResetsRowsButKeepsBegin) {
    RecordingDialog dialog;
    auto d = project(3);
    for (int row = 0; row < 8; ++row) d->CommTable().SetRow(row, 0, 0, 1000 + row);
    TextFault fault;
    ASSERT_TRUE(ReadCommTableSection(*d, "[Tables]\r\r\n scrn 3 5 100\r\n\r", fault));
    EXPECT_EQ(d->CommTable().System(1), 3);
    EXPECT_EQ(d->CommTable().Space(1), 5);
    EXPECT_EQ(d->CommTable().Begin(1), 100);
    EXPECT_EQ(d->CommTable().System(0), -1);
    EXPECT_EQ(d->CommTable().Space(0), 20);
    EXPECT_EQ(d->CommTable().Begin(0), 1000);
    EXPECT_EQ(d->CommTable().Begin(7), 1007);
    EXPECT_TRUE(dialog.entries.empty());
}

TEST(CommTableText, ValuesKeepTheirLowBits) {
    auto d = project(0);
    TextFault fault;
    ASSERT_TRUE(ReadCommTableSection(*d, "[Tables]\r BEEP 254 $1FF 65537\r KBD -2 -1 -1\r", fault));
    EXPECT_EQ(d->CommTable().System(0), -2);
    EXPECT_EQ(d->CommTable().Space(0), 0xFF);
    EXPECT_EQ(d->CommTable().Begin(0), 1);
    EXPECT_EQ(d->CommTable().System(2), -2);
    EXPECT_EQ(d->CommTable().Begin(2), 0xFFFF);
}

TEST(CommTableText, UnknownNameSkipsTheLineOnly) {
    RecordingDialog dialog;
    auto d = project(0);
    TextFault fault;
    ASSERT_TRUE(ReadCommTableSection(*d, "[Tables]\r CAN 1 2 3\r BEEPER x\r BEEP 0 21 4\r", fault));
    const std::vector<std::string> expected{"Bad Comm Table Name: CAN",
                                            "Bad Comm Table Name: BEEPER"};
    EXPECT_EQ(dialog.texts(), expected);
    EXPECT_EQ(dialog.entries[0].kind, MsgKind::Warning);
    EXPECT_EQ(d->CommTable().Space(0), 21);
}

TEST(CommTableText, MissingOrBadNumberIsAFault) {
    const struct {
        const char* section;
        int line;
        const char* token;
    } cases[] = {
        {"[Tables]\r BEEP 1 2\r", 1, ""},
        {"[Tables]\r BEEP\r SCRN 1 2 3\r", 1, ""},
        {"[Tables]\r BEEP 1 2 3\r KBD 1 two 3\r", 2, "two"},
        {"[Tables]\r\r\n DATTIM 1 2 3,5\r", 2, "3,5"},
        {"[Tables]\r BEEP 4294967296 0 0\r", 1, "4294967296"},
    };
    for (const auto& c : cases) {
        RecordingDialog dialog;
        auto d = project(3);
        TextFault fault;
        EXPECT_FALSE(ReadCommTableSection(*d, c.section, fault)) << c.section;
        EXPECT_EQ(fault.line, c.line) << c.section;
        EXPECT_EQ(fault.token, c.token) << c.section;
        EXPECT_TRUE(dialog.entries.empty());
    }
}

TEST(CommTableText, WrittenRowsFollowTypeAndIoBoard) {
    const struct {
        std::uint8_t type, ioBoard;
        int rows;
    } cases[] = {{0, 0, 5}, {0, 4, 6}, {0, 1, 5}, {1, 0, 6},
                 {2, 0, 5}, {3, 0, 8}, {4, 0, 4}, {9, 4, 4}};
    for (const auto& c : cases) {
        auto d = project(c.type, c.ioBoard);
        EXPECT_EQ(CommRowsWritten(*d), c.rows) << int(c.type) << "/" << int(c.ioBoard);
        std::string out;
        WriteCommTableSection(*d, out);
        EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), c.rows + 1);
    }
}

TEST(CommTableText, WritesSixCharacterNamesAndSignedSystem) {
    auto d = project(0, 4);
    d->CommTable().SetRow(1, TCommTable::SystemTerminal, 21, 65535);
    d->CommTable().SetRow(5, 3, 2, 1);
    std::string out;
    WriteCommTableSection(*d, out);
    EXPECT_EQ(out,
              "[Tables]\r\n"
              " BEEP   -1 20 0\r\n"
              " SCRN   -2 21 65535\r\n"
              " KBD    -1 20 0\r\n"
              " DATTIM -1 20 0\r\n"
              " I/O    -1 20 0\r\n"
              " INP    3 2 1\r\n");

    // Without I/O board 4 the INP row is not written but stays in the project, and reading
    // the file back accepts it for type 0 in any case.
    d->Setup().SetIoBoard(0);
    out.clear();
    WriteCommTableSection(*d, out);
    EXPECT_EQ(out.find("INP"), std::string::npos);
    EXPECT_EQ(d->CommTable().System(5), 3);
}

TEST(CommTableText, WriteThenReadRoundTrips) {
    auto d = project(3);
    for (int row = 0; row < 8; ++row)
        d->CommTable().SetRow(row, static_cast<std::int8_t>(row * 37 - 2), row * 30,
                              row * 8000 + 1);
    std::string text;
    WriteCommTableSection(*d, text);
    auto e = project(3);
    TextFault fault;
    ASSERT_TRUE(ReadCommTableSection(*e, text, fault));
    EXPECT_EQ(e->CommTable(), d->CommTable());
}

TEST(CommTableImage, BeginByteOrderFollowsTheFamily) {
    const struct {
        std::uint8_t type;
        std::uint8_t hi, lo;
    } cases[] = {{0, 0x12, 0x34}, {1, 0x12, 0x34}, {2, 0x12, 0x34},
                 {3, 0x12, 0x34}, {4, 0x34, 0x12}, {7, 0x34, 0x12}};
    for (const auto& c : cases) {
        auto d = project(c.type);
        d->CommTable().SetRow(1, 2, 3, 0x1234);
        const TCommTable before = d->CommTable();
        std::array<std::uint8_t, TCommTable::Size> image{};
        d->GetCommImage(image);
        EXPECT_EQ(image[4], 2);
        EXPECT_EQ(image[5], 3);
        EXPECT_EQ(image[6], c.hi) << int(c.type);
        EXPECT_EQ(image[7], c.lo) << int(c.type);
        EXPECT_EQ(image[0], 0xFF);
        EXPECT_EQ(image[1], 20);
        EXPECT_EQ(d->CommTable(), before);

        // What the terminal gives back becomes the same table.
        auto up = project(c.type);
        up->CommTable() = TCommTable();
        up->SetCommImage(image);
        EXPECT_EQ(up->CommTable(), before) << int(c.type);
    }
}

TEST(CommTableRows, NamesAndLabels) {
    EXPECT_EQ(commRowInfo(0).label, "BEEPER");
    EXPECT_EQ(commRowInfo(5).label, "IN");
    EXPECT_EQ(commRowInfo(3).shownLength, 4);
    EXPECT_EQ(commRowInfo(2).shownLength, 2);
    EXPECT_EQ(commRowByName("i/o"), 4);
    EXPECT_EQ(commRowByName("DATTIM"), 3);
    EXPECT_EQ(commRowByName("BEEP  "), -1);
    EXPECT_EQ(commRowByName(""), -1);
    EXPECT_EQ(commRowByName("INPUT"), -1);
}

}  // namespace
}  // namespace kyr

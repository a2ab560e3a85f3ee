#include <gtest/gtest.h>

#include <array>
#include <string>

#include "RecordingDialog.h"
#include "model/DataClass.h"
#include "model/ExdTab.h"
#include "model/Texts.h"

namespace kyr {
namespace {

using test::RecordingDialog;

const std::string ignored = "Error in EXD Table data; bad Table will be ignored";

struct ExdFixture : ::testing::Test {
    void SetUp() override {
        savedLanguage = language();
        setLanguage(LangEnglish);
    }
    void TearDown() override { setLanguage(savedLanguage); }

    std::unique_ptr<TExdTab> read(const std::string& section, TextFault* fault = nullptr) {
        return TExdTab::ReadSection(*data, section, fault);
    }

    std::uint8_t savedLanguage = 0;
    std::unique_ptr<TKyrData> data = TKyrData::NewProject(0, 0);
    RecordingDialog dialog;
};

TEST_F(ExdFixture, NewTableHasEveryRowEmpty) {
    const TExdTab t(*data);
    EXPECT_EQ(t.Number(), 0);
    EXPECT_EQ(t.Name(), "");
    EXPECT_EQ(t.LastUsedRow(), -1);
    for (int row = 0; row < TExdTab::RowCount; ++row) {
        EXPECT_EQ(t.System(row), -1);
        EXPECT_FALSE(t.RowUsed(row));
    }
    std::string out;
    t.WriteSection(out);
    EXPECT_EQ(out, "[EXD0] \r\n");
}

TEST_F(ExdFixture, ReadsHeaderNameAndRows) {
    // Section as the project reader builds it (lines ended by CR), and as the clipboard
    // gives it (CR LF, the LF left at the start of the next line).
    for (const std::string eol : {"\r", "\r\n"}) {
        const auto t = read("[EXD7]  \tboiler room" + eol + " 3 21 100" + eol + eol + " -1 0 0" +
                            eol + "$7F $41 $FFFF" + eol);
        ASSERT_FALSE(t->Error());
        EXPECT_EQ(t->Number(), 7);
        EXPECT_EQ(t->Name(), "boiler room");
        EXPECT_EQ(t->System(0), 3);
        EXPECT_EQ(t->Space(0), 21);
        EXPECT_EQ(t->Address(0), 100);
        EXPECT_FALSE(t->RowUsed(1));
        EXPECT_EQ(t->System(2), 127);
        EXPECT_EQ(t->Space(2), 0x41);
        EXPECT_EQ(t->Address(2), 0xFFFF);
        EXPECT_EQ(t->LastUsedRow(), 2);
    }
    EXPECT_TRUE(dialog.entries.empty());
}

TEST_F(ExdFixture, ShortRowRepeatsItsLastValue) {
    const auto t = read("[EXD1]\r 5\r 2 9\r");
    ASSERT_FALSE(t->Error());
    EXPECT_EQ(t->System(0), 5);
    EXPECT_EQ(t->Space(0), 5);
    EXPECT_EQ(t->Address(0), 5);
    EXPECT_EQ(t->System(1), 2);
    EXPECT_EQ(t->Space(1), 9);
    EXPECT_EQ(t->Address(1), 9);
}

TEST_F(ExdFixture, ValuesKeepTheirLowBits) {
    const auto t = read("[EXD1]\r 511 256 70000\r -2 -1 -1\r");
    ASSERT_FALSE(t->Error());
    EXPECT_EQ(t->System(0), -1);
    EXPECT_EQ(t->Space(0), 0);
    EXPECT_EQ(t->Address(0), 70000 & 0xFFFF);
    EXPECT_EQ(t->System(1), -2);
    EXPECT_EQ(t->Space(1), 255);
    EXPECT_EQ(t->Address(1), 0xFFFF);
}

TEST_F(ExdFixture, BadNumbersQuoteTheHeaderUpToItsBracket) {
    const struct {
        const char* section;
        const char* quoted;
    } cases[] = {
        {"[EXD21] too far\r", "[EXD21]"},
        {"[EXD-1]\r", "[EXD-1]"},
        {"[exdx] name\r 1 2 3\r", "[exdx]"},
        {"[EXD]\r", "[EXD]"},
        {"[EXD\t5]\r", "[EXD\t5]"},
        {"[EXD5 ]\r", "[EXD5 ]"},
        {"[EXD5", "[EXD5"},
        {"[EX", "[EX"},
    };
    for (const auto& c : cases) {
        dialog.clear();
        const auto t = read(c.section);
        EXPECT_TRUE(t->Error()) << c.section;
        const std::vector<std::string> expected{
            std::string("Comm Table: Bad EXD table number: ") + c.quoted, ignored};
        EXPECT_EQ(dialog.texts(), expected) << c.section;
        ASSERT_EQ(dialog.entries.size(), 2u);
        EXPECT_EQ(dialog.entries[0].kind, MsgKind::Warning);
        EXPECT_EQ(dialog.entries[1].kind, MsgKind::Error);
        EXPECT_EQ(dialog.entries[1].title, "ERROR");
    }
}

TEST_F(ExdFixture, NumberLimitsAndLeadingSpaces) {
    for (const char* ok : {"[EXD0]", "[EXD20]", "[EXD  3]", "[EXD$0A]"}) {
        EXPECT_FALSE(read(ok)->Error()) << ok;
    }
    EXPECT_EQ(read("[EXD$0A]")->Number(), 10);
    EXPECT_TRUE(dialog.entries.empty());
}

TEST_F(ExdFixture, SeventeenRowsAreTooMany) {
    std::string section = "[EXD4] many\r";
    for (int i = 0; i < 17; ++i) section += " 1 2 " + std::to_string(i) + "\r";
    const auto t = read(section);
    EXPECT_TRUE(t->Error());
    const std::vector<std::string> expected{"EXD Table [EXD4]: too many lines", ignored};
    EXPECT_EQ(dialog.texts(), expected);

    // Sixteen are fine, and blank lines do not count.
    dialog.clear();
    section = "[EXD4]\r";
    for (int i = 0; i < 16; ++i) section += " 1 2 " + std::to_string(i) + "\r\r\n";
    EXPECT_FALSE(read(section)->Error());
    EXPECT_TRUE(dialog.entries.empty());
}

TEST_F(ExdFixture, BadNumberAndTooManyLinesBothShowBeforeTheErrorBox) {
    std::string section = "[EXD99]\r";
    for (int i = 0; i < 17; ++i) section += " 0 0 0\r";
    read(section);
    const std::vector<std::string> expected{"Comm Table: Bad EXD table number: [EXD99]",
                                            "EXD Table [EXD99]: too many lines", ignored};
    EXPECT_EQ(dialog.texts(), expected);
}

TEST_F(ExdFixture, RowTokenThatIsNotANumberIsAFaultForTheCaller) {
    const struct {
        const char* section;
        int line;
        const char* token;
    } cases[] = {
        {"[EXD1]\r 1 2 3\r 1 x 3\r", 2, "x"},
        {"[EXD1]\r 1 2 3\r\n 1 2 3.5\r", 2, "3.5"},
        {"[EXD1]\r 99999999999 1 1\r", 1, "99999999999"},
        {"[EXD1]\r $123456789 1 1\r", 1, "$123456789"},
        {"[EXD1]\r \"1\" 1 1\r", 1, "\"1\""},
    };
    for (const auto& c : cases) {
        dialog.clear();
        TextFault fault;
        const auto t = read(c.section, &fault);
        EXPECT_TRUE(t->Error()) << c.section;
        EXPECT_EQ(fault.line, c.line) << c.section;
        EXPECT_EQ(fault.token, c.token) << c.section;
        EXPECT_TRUE(dialog.entries.empty()) << c.section;
    }
    // Without a caller to report it the reader says it itself.
    read("[EXD1]\r 1 x 3\r");
    const std::vector<std::string> expected{"EXD Table [EXD1]: bad number x", ignored};
    EXPECT_EQ(dialog.texts(), expected);
}

TEST_F(ExdFixture, MessagesInTheUserInterfaceLanguage) {
    setLanguage(LangCzech);
    read("[EXD30]\r");
    setLanguage(LangGerman);
    read("[EXD30]\r");
    const std::vector<std::string> expected{
        "Komunikační tabulka: Chybné číslo tabulky EXD: [EXD30]",
        "Chyba v datech tabulky EXD; chybná tabulka bude vynechána",
        "Kommunikationstabelle: Falsche EXD-Tabellennummer: [EXD30]",
        "Fehler in den Daten der EXD-Tabelle; fehlerhafte Tabelle wird ignoriert"};
    EXPECT_EQ(dialog.texts(), expected);
    EXPECT_EQ(dialog.entries[1].title, "CHYBA");
    EXPECT_EQ(dialog.entries[3].title, "FEHLER");
}

TEST_F(ExdFixture, WritesRowsUpToTheLastUsedOne) {
    TExdTab t(*data);
    t.SetNumber(12);
    t.SetName("hall");
    t.SetRow(5, 2, 0x45, 300);
    std::string out;
    t.WriteSection(out);
    std::string expected = "[EXD12] hall\r\n";
    for (int i = 0; i < 5; ++i) expected += " -1 0 0\r\n";
    expected += " 2 69 300\r\n";
    EXPECT_EQ(out, expected);

    // An empty row before the last used one keeps what it holds.
    t.SetRow(1, -2, 7, 8);
    out.clear();
    t.WriteSection(out);
    EXPECT_NE(out.find(" -2 7 8\r\n"), std::string::npos);
}

TEST_F(ExdFixture, WriteThenReadGivesTheSameTable) {
    TExdTab t(*data);
    t.SetNumber(20);
    t.SetName("a \xE8 b");  // PC code-page bytes stay as they are
    t.SetRow(0, 0, 20, 0);
    t.SetRow(3, 127, 0xC5, 65535);
    t.SetRow(15, 1, 1, 1);
    std::string text;
    t.WriteSection(text);
    // The project reader hands over lines ended by CR only.
    std::string section;
    for (char c : text)
        if (c != '\n') section += c;
    const auto back = read(section);
    ASSERT_FALSE(back->Error());
    EXPECT_EQ(back->Number(), 20);
    EXPECT_EQ(back->Name(), t.Name());
    for (int row = 0; row < TExdTab::RowCount; ++row) {
        EXPECT_EQ(back->System(row), t.System(row)) << row;
        EXPECT_EQ(back->Space(row), t.Space(row)) << row;
        EXPECT_EQ(back->Address(row), t.Address(row)) << row;
    }
    std::string again;
    back->WriteSection(again);
    EXPECT_EQ(again, text);
}

TEST_F(ExdFixture, NastySectionsDoNotCrash) {
    const std::string longLine(255, '9');
    const std::string cases[] = {"",
                                 "[",
                                 "[EXD",
                                 "]",
                                 "[EXD1]\r\r\r\r",
                                 "[EXD1]" + longLine,
                                 "[EXD1]\r" + longLine,
                                 "[EXD1]\r$\r",
                                 "[EXD1]\r-\r",
                                 "[EXD1]\r+\r",
                                 std::string("[EXD1]\r\0\r", 10),
                                 "[EXD" + longLine + "]"};
    for (const auto& c : cases) {
        TextFault fault;
        read(c, &fault);
        read(c);
    }
    SUCCEED();
}

TEST_F(ExdFixture, ImageRecordIsSixtyFiveBytesFromTheSecondByte) {
    TExdTab t(*data);
    t.SetNumber(3);
    t.SetRow(0, 1, 0x14, 0x1234);
    t.SetRow(15, 0, 0x80, 0xABCD);
    std::array<std::uint8_t, 70> slot;
    slot.fill(0xEE);
    EXPECT_EQ(t.PutToImage(slot), 65);
    EXPECT_EQ(slot[0], 0xEE);  // the caller's byte
    EXPECT_EQ(slot[1], 3);
    const std::array<std::uint8_t, 4> row0{1, 0x14, 0x12, 0x34};
    EXPECT_TRUE(std::equal(row0.begin(), row0.end(), slot.begin() + 2));
    const std::array<std::uint8_t, 4> row1{0xFF, 0, 0, 0};
    EXPECT_TRUE(std::equal(row1.begin(), row1.end(), slot.begin() + 6));
    const std::array<std::uint8_t, 4> row15{0, 0x80, 0xAB, 0xCD};
    EXPECT_TRUE(std::equal(row15.begin(), row15.end(), slot.begin() + 62));
    EXPECT_EQ(slot[66], 0xEE);

    const auto back = TExdTab::FromImage(*data, slot);
    ASSERT_FALSE(back->Error());
    EXPECT_EQ(back->Number(), 3);
    EXPECT_EQ(back->Address(0), 0x1234);
    EXPECT_EQ(back->Space(15), 0x80);
    EXPECT_EQ(back->Address(15), 0xABCD);
    EXPECT_EQ(back->LastUsedRow(), 15);
    EXPECT_EQ(back->Name(), "");

    // Byte order does not depend on the terminal family.
    auto lum = TKyrData::NewProject(0, 6);
    TExdTab l(*lum);
    l.SetRow(0, 1, 0x14, 0x1234);
    std::array<std::uint8_t, 66> lumSlot{};
    l.PutToImage(lumSlot);
    EXPECT_EQ(lumSlot[4], 0x12);
    EXPECT_EQ(lumSlot[5], 0x34);
}

TEST_F(ExdFixture, ShortImageBuffersAreRefused) {
    TExdTab t(*data);
    std::array<std::uint8_t, 65> small{};
    EXPECT_EQ(t.PutToImage(small), 0);
    EXPECT_TRUE(std::all_of(small.begin(), small.end(), [](auto b) { return b == 0; }));
    EXPECT_TRUE(TExdTab::FromImage(*data, small)->Error());
}

TEST_F(ExdFixture, ProjectImageOperations) {
    data->AddExdTable(4, 0).SetRow(0, 1, 2, 0x0102);
    data->AddExdTable(9, 1);
    std::array<std::uint8_t, 66> slot{};
    EXPECT_EQ(data->ExdTableImage(0, slot), 65);
    EXPECT_EQ(slot[1], 4);
    EXPECT_EQ(slot[4], 0x01);
    EXPECT_EQ(slot[5], 0x02);

    slot.fill(0x55);
    EXPECT_EQ(data->ExdTableImage(2, slot), 2);
    EXPECT_EQ(data->ExdTableImage(7, slot), 7);
    EXPECT_TRUE(std::all_of(slot.begin(), slot.end(), [](auto b) { return b == 0x55; }));

    EXPECT_EQ(data->NewExdTableImage(17, slot), 65);
    EXPECT_EQ(slot[0], 0x55);
    EXPECT_EQ(slot[1], 17);
    for (int row = 0; row < TExdTab::RowCount; ++row) {
        EXPECT_EQ(slot[2 + 4 * row], 0xFF);
        EXPECT_EQ(slot[3 + 4 * row], 0);
    }
    EXPECT_EQ(data->ExdCount(), 2);

    data->ClearModified();
    EXPECT_TRUE(data->AddExdTableFromImage(slot));
    EXPECT_EQ(data->ExdCount(), 3);
    EXPECT_EQ(data->ExdTable(2).Number(), 17);
    EXPECT_FALSE(data->AddExdTableFromImage(std::span(slot).first(10)));
    EXPECT_EQ(data->ExdCount(), 3);
    EXPECT_FALSE(data->IsModified());
}

}  // namespace
}  // namespace kyr

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/CommLines.h"
#include "model/PlcFamilies.h"
#include "model/Protocols.h"
#include "model/Texts.h"

namespace kyr {
namespace {

struct ProtocolRow {
    int position;
    std::string_view name;
    int code;
    int family;
    int group;
    bool multiMaster;
    std::string_view baud;
    std::string_view parity;
    int addressMax;  // -1: address box disabled
};

// The list as the protocol box offers it; position 0 and 45 are language texts (English).
const ProtocolRow kRows[] = {
    {0, "Character Terminal", 0, 0, 0, false, "", "", -1},
    {1, "Allen-Bradley DF1 BCC", 10, 7, 1, false, "19200 Bd", "N,8,1", 31},
    {2, "Allen-Bradley DF1 CRC", 11, 7, 1, false, "19200 Bd", "N,8,1", 31},
    {3, "Allen-Bradley DH485", 12, 7, 1, false, "19200 Bd", "E,8,1", 31},
    {4, "Zelvo NRX", 35, 16, 2, false, "9600 Bd", "N,8,2", -1},
    {5, "Fatek", 39, 19, 3, false, "9600 Bd", "E,7,1", -1},
    {6, "Fatek MultiMaster", 40, 19, 3, true, "9600 Bd", "E,7,1", 7},
    {7, "Festo FPC", 36, 17, 4, false, "9600 Bd", "N,8,1", -1},
    {8, "GE Fanuc SNP direct", 31, 15, 5, false, "19200 Bd", "O,8,1", -1},
    {9, "GE Fanuc SNP direct MultiMaster", 32, 15, 5, true, "19200 Bd", "O,8,1", 7},
    {10, "GE Fanuc SNP multidrop", 33, 15, 5, false, "19200 Bd", "O,8,1", -1},
    {11, "GE Fanuc SNP multidrop MultiMaster", 34, 15, 5, true, "19200 Bd", "O,8,1", 7},
    {12, "Hitachi EC", 9, 6, 6, false, "9600 Bd", "E,7,1", -1},
    {13, "Hitachi H", 15, 9, 6, false, "9600 Bd", "E,7,1", -1},
    {14, "Koyo K-sequence", 16, 10, 7, false, "9600 Bd", "O,8,1", -1},
    {15, "Koyo K-sequence MultiMaster", 17, 10, 7, true, "9600 Bd", "O,8,1", 7},
    {16, "Koyo DirectNET", 18, 10, 7, false, "9600 Bd", "O,8,1", -1},
    {17, "Koyo DirectNET MultiMaster", 19, 10, 7, true, "9600 Bd", "O,8,1", 7},
    {18, "Mitsubishi A1S", 28, 13, 8, false, "9600 Bd", "O,8,1", -1},
    {19, "Mitsubishi FX0,FX0S,FX0N,FX2N,FX", 6, 4, 8, false, "9600 Bd", "E,7,1", -1},
    {20, "Modicon Modbus ASCII", 24, 12, 9, false, "9600 Bd", "E,7,1", -1},
    {21, "Modicon Modbus ASCII MultiMaster", 25, 12, 9, true, "9600 Bd", "E,7,1", 7},
    {22, "Modicon Modbus RTU", 26, 12, 9, false, "9600 Bd", "E,8,1", -1},
    {23, "Modicon Modbus RTU MultiMaster", 27, 12, 9, true, "9600 Bd", "E,8,1", 7},
    {24, "Modicon TSX Modbus ASCII", 20, 11, 9, false, "9600 Bd", "E,7,1", -1},
    {25, "Modicon TSX Modbus ASCII MultiMaster", 21, 11, 9, true, "9600 Bd", "E,7,1", 7},
    {26, "Modicon TSX Modbus RTU", 22, 11, 9, false, "9600 Bd", "E,8,1", -1},
    {27, "Modicon TXS Modbus RTU MultiMaster", 23, 11, 9, true, "9600 Bd", "E,8,1", 7},
    {28, "Omron Host Link", 1, 2, 10, false, "9600 Bd", "E,7,2", -1},
    {29, "Omron Host Link MultiMaster", 2, 2, 10, true, "9600 Bd", "E,7,2", 7},
    {30, "Saia S-Bus Parity Master", 37, 18, 11, false, "9600 Bd", "N,8,2", -1},
    {31, "Saia S-Bus Parity MultiMaster", 38, 18, 11, true, "9600 Bd", "N,8,2", 7},
    {32, "Saia S-Bus Parity Slave", 3, 1, 11, false, "9600 Bd", "N,8,2", 255},
    {33, "Simatic S7-200 PPI", 29, 14, 12, false, "9600 Bd", "E,8,1", -1},
    {34, "Simatic S7-200 PPI MultiMaster", 30, 14, 12, true, "9600 Bd", "E,8,1", 7},
    {35, "Tecomat PC mode", 7, 5, 13, false, "9600 Bd", "E,8,1", -1},
    {36, "Tecomat PC mode MultiMaster", 8, 5, 13, true, "9600 Bd", "E,8,1", 7},
    {37, "Toshiba M, EX Computer Link", 4, 3, 14, false, "9600 Bd", "O,8,1", -1},
    {38, "Toshiba M, EX Computer Link MultiMaster", 5, 3, 14, true, "9600 Bd", "O,8,1", 7},
    {39, "Toshiba T Computer Link", 13, 8, 14, false, "9600 Bd", "O,8,1", -1},
    {40, "Toshiba T Computer Link MultiMaster", 14, 8, 14, true, "9600 Bd", "O,8,1", 7},
    {41, "Wago Modbus ASCII", 41, 20, 15, false, "9600 Bd", "E,7,1", -1},
    {42, "Wago Modbus ASCII MultiMaster", 42, 20, 15, true, "9600 Bd", "E,7,1", 7},
    {43, "Wago Modbus RTU", 43, 20, 15, false, "9600 Bd", "N,8,1", -1},
    {44, "Wago Modbus RTU MultiMaster", 44, 20, 15, true, "9600 Bd", "N,8,1", 7},
    {45, "3 Digital Signals 24V", 45, 21, 16, false, "", "", -1},
    {46, "EXD Compatible Protocol", 46, -1, -1, false, "9600 Bd", "E,8,1", -1},
};

class ProtocolsTest : public ::testing::Test {
protected:
    void SetUp() override { setLanguage(LangEnglish); }
    void TearDown() override { setLanguage(LangEnglish); }
};

TEST_F(ProtocolsTest, EveryListPositionHasItsNameCodeFamilyGroupDefaultsAndAddressRule) {
    ASSERT_EQ(std::size(kRows), static_cast<std::size_t>(ProtocolListSize));
    for (const auto& r : kRows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(protocolNameAt(r.position), r.name);
        EXPECT_EQ(protocolCodeAt(r.position), r.code);
        EXPECT_EQ(protocolPositionOf(r.code), r.position);
        EXPECT_EQ(plcFamilyOf(r.code), r.family);
        EXPECT_EQ(vendorGroupOf(r.position), r.group);
        EXPECT_EQ(isMultiMasterCode(r.code), r.multiMaster);
        if (!r.baud.empty()) {
            const LineDefaults d = protocolLineDefaults(r.code);
            EXPECT_EQ(BaudTexts[d.baudIndex], r.baud);
            EXPECT_EQ(ParityTexts[d.parityIndex], r.parity);
        }
        const AddressRule rule = terminalAddressRule(r.code);
        EXPECT_EQ(rule.enabled, r.addressMax >= 0);
        if (r.addressMax >= 0) {
            EXPECT_EQ(rule.maximum, r.addressMax);
        }
        // Every MultiMaster entry directly follows its plain variant, one code below.
        if (r.multiMaster) {
            EXPECT_EQ(protocolCodeAt(r.position - 1), r.code - 1);
        }
    }
    EXPECT_EQ(protocolCodeAt(-1), -1);
    EXPECT_EQ(protocolCodeAt(47), -1);
    EXPECT_EQ(protocolPositionOf(47), -1);
    EXPECT_EQ(protocolNameAt(47), "");
}

TEST_F(ProtocolsTest, LanguageTextsReplaceTheFirstAndTheDigitalSignalsEntry) {
    setLanguage(LangCzech);
    EXPECT_EQ(protocolNameAt(0), "Znakový terminál");
    EXPECT_EQ(protocolNameAt(45), "3 digitální signály 24V");
    EXPECT_EQ(vendorGroupName(0), "Znakový terminál");
    setLanguage(LangGerman);
    EXPECT_EQ(protocolNameAt(0), "Zeichenterminal");
    EXPECT_EQ(protocolNameAt(45), "3 Digitalsignale 24V");
    EXPECT_EQ(portList(4), std::vector<std::string>{"Alle"});
}

TEST_F(ProtocolsTest, MultiMasterTableKeepsItsOrder) {
    const std::vector<int> expected{2,  5,  8,  14, 17, 19, 25, 27, 21,
                                    23, 30, 32, 34, 38, 40, 42, 44};
    const auto codes = multiMasterCodes();
    EXPECT_EQ(std::vector<int>(codes.begin(), codes.end()), expected);
}

TEST_F(ProtocolsTest, VendorGroupsListTheirPositionsWithoutA1S) {
    EXPECT_EQ(vendorGroupCount(0), 16);
    EXPECT_EQ(vendorGroupCount(4), 16);
    EXPECT_EQ(vendorGroupCount(5), 17);
    EXPECT_EQ(vendorGroupCount(9), 17);
    EXPECT_EQ(vendorGroupName(8), "Mitsubishi...");
    EXPECT_EQ(vendorGroupName(5), "GE Fanuc ...");
    EXPECT_EQ(vendorGroupName(16), "7seg...");
    EXPECT_EQ(vendorGroupPositions(8), std::vector<int>{19});
    EXPECT_EQ(vendorGroupPositions(9), (std::vector<int>{20, 21, 22, 23, 24, 25, 26, 27}));
    EXPECT_EQ(vendorGroupPositions(0), std::vector<int>{0});
    EXPECT_TRUE(vendorGroupPositions(17).empty());
    EXPECT_TRUE(vendorGroupPositions(-1).empty());
}

TEST_F(ProtocolsTest, KeyboardSteppingSkipsA1SAndTypeOneMultiMaster) {
    struct Case {
        int type, current, selected, expected;
    };
    const Case cases[] = {
        {0, 17, 18, 19},  // down from Koyo DirectNET MultiMaster onto the FX entry
        {0, 19, 18, 17},  // up from FX onto Koyo DirectNET MultiMaster
        {1, 5, 6, 7},     // type 1: down from Fatek skips Fatek MultiMaster to Festo FPC
        {1, 7, 6, 5},     // and up from Festo FPC back to Fatek
        {1, 19, 18, 16},  // up from FX skips A1S and then Koyo DirectNET MultiMaster
        {0, 5, 6, 6},     // other types keep MultiMaster entries
        {1, 43, 44, 45},  // down from Wago Modbus RTU
        {0, 45, 46, 46},  // "EXD Compatible Protocol" is reached by stepping only
        {1, 0, 1, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.type << ": " << c.current << "->" << c.selected);
        EXPECT_EQ(stepProtocolSelection(c.type, c.current, c.selected), c.expected);
    }
}

TEST_F(ProtocolsTest, TerminalAddressIsClampedByTheProtocolRule) {
    EXPECT_EQ(clampTerminalAddress(terminalAddressRule(2), 200), 7);
    EXPECT_EQ(clampTerminalAddress(terminalAddressRule(1), 200), 0);
    EXPECT_EQ(clampTerminalAddress(terminalAddressRule(10), 200), 31);
    EXPECT_EQ(clampTerminalAddress(terminalAddressRule(3), 200), 200);
    EXPECT_EQ(terminalAddressRule(3).digits, 3);
    EXPECT_EQ(terminalAddressRule(12).digits, 2);
    EXPECT_EQ(terminalAddressRule(40).digits, 1);
}

TEST_F(ProtocolsTest, LanguageExCarriesTheProtocolOption) {
    EXPECT_EQ(composeLanguageEx(12, 2, 5, false, false), 22);
    EXPECT_EQ(composeLanguageEx(15, 2, 5, false, false), 2);
    EXPECT_EQ(composeLanguageEx(15, 2, 5, true, false), 6);
    EXPECT_EQ(composeLanguageEx(41, 1, 0, false, true), 5);
    EXPECT_EQ(composeLanguageEx(41, 1, 0, true, false), 1);  // station option is family 9's
    EXPECT_EQ(composeLanguageEx(9, 0, 31, true, true), 0);
    EXPECT_EQ(composeLanguageEx(12, 2, 31, false, false), 126);
}

TEST_F(ProtocolsTest, PortListDependsOnTheTerminalType) {
    using V = std::vector<std::string>;
    EXPECT_EQ(portList(0), (V{"RS-232C PRG", "RS-232C", "RS-422", "RS-485"}));
    EXPECT_EQ(portList(1), (V{"RS-232C PRG", "RS-232C-T"}));
    EXPECT_EQ(portList(2), (V{"RS-232C VT"}));
    EXPECT_EQ(portList(3), (V{"All", "RS-232C XT", "RS-422", "RS-485"}));
    for (int t = 4; t <= 9; ++t) EXPECT_EQ(portList(t), (V{"All"}));
}

TEST_F(ProtocolsTest, OutputRulesByBoardFamilyAndType) {
    struct Case {
        int family, type, board;
        bool switchOff, exdEnabled, exdCleared;
    };
    const Case cases[] = {
        {2, 0, 3, true, false, true},  // IOB-3: switch-off only
        {2, 0, 4, true, true, false},  // IOB-4: both
        {2, 0, 2, true, true, false},
        {2, 0, 1, false, false, true},
        {0, 0, 4, false, false, true},  // character terminal
        {2, 2, 2, false, false, true},  // KYR Mini never
        {2, 3, 2, true, true, false},
        {0, 3, 2, false, true, true},  // type 3 keeps the boxes enabled
    };
    for (const auto& c : cases) {
        const OutputRules r = outputRules(c.family, c.type, c.board);
        EXPECT_EQ(r.switchOffEnabled, c.switchOff);
        EXPECT_EQ(r.exdEnabled, c.exdEnabled);
        EXPECT_EQ(r.exdCleared, c.exdCleared);
    }
}

// ---- communication lines ----

TEST(CommLinesTest, IoBoardOneSwapsTheIoAndInputRows) {
    for (int line = 0; line < CommLineCount; ++line) {
        const int swapped = line == 4 ? 5 : line == 5 ? 4 : line;
        EXPECT_EQ(commLineRow(1, line), swapped);
        EXPECT_EQ(commLineRow(0, line), line);
        EXPECT_EQ(commLineRow(4, line), line);
    }
}

TEST(CommLinesTest, LabelsLengthsAndVisibilityByType) {
    EXPECT_EQ(commLineLabel(0, 4), "OUT");
    EXPECT_EQ(commLineLabel(1, 4), "I/O");
    EXPECT_EQ(commLineLabel(2, 4), "LEDs");
    EXPECT_EQ(commLineLabel(3, 4), "LEDs");
    EXPECT_EQ(commLineLabel(0, 0), "BEEPER");
    EXPECT_EQ(commLineLabel(3, 7), "CAN");
    EXPECT_EQ(commLineLength(3, 2), "3");
    EXPECT_EQ(commLineLength(0, 2), "2");
    EXPECT_EQ(commLineLength(0, 3), "4");
    EXPECT_TRUE(commLineVisible(0, 5));
    EXPECT_FALSE(commLineVisible(1, 5));
    EXPECT_FALSE(commLineVisible(0, 6));
    EXPECT_TRUE(commLineVisible(3, 7));
}

TEST(CommLinesTest, UsableLinesByTypeAndBoard) {
    struct Case {
        int type, board;
        std::string_view usable;  // one character per line
    };
    const Case cases[] = {
        {0, 0, "1111000-"}, {0, 1, "1111010-"}, {0, 2, "1111100-"}, {0, 3, "1111100-"},
        {0, 4, "1111110-"}, {1, 0, "1111000-"}, {1, 2, "1111100-"}, {2, 2, "0110100-"},
        {3, 2, "11111011"}, {4, 0, "0110000-"}, {7, 0, "0110000-"},
    };
    for (const auto& c : cases) {
        for (int line = 0; line < CommLineCount; ++line) {
            const bool expected = c.usable[static_cast<std::size_t>(line)] == '1';
            EXPECT_EQ(commLineUsable(c.type, c.board, line), expected)
                << "type " << c.type << " board " << c.board << " line " << line;
        }
    }
}

TEST(CommLinesTest, SystemTextHidesUnusedRowsAndStationlessProjects) {
    EXPECT_EQ(commSystemText(255, false), "");
    EXPECT_EQ(commSystemText(254, false), "");
    EXPECT_EQ(commSystemText(12, false), "12");
    EXPECT_EQ(commSystemText(12, true), "*");
    EXPECT_EQ(commSystemText(254, true), "");
}

TEST(CommLinesTest, BeginNotationsOfTheFamilies) {
    struct Case {
        int family, code;
        std::uint16_t stored;
        std::string_view text;
    };
    const Case cases[] = {
        {6, 0, 21, "25"},        {6, 3, 1044, "110"},  {9, 0, 0x1A2, "1A2"},
        {9, 5, 1234, "1234"},    {10, 0, 8, "10"},     {10, 1, 65535, "17777"},
        {16, 1, 0xBEEF, "BEEF"}, {16, 20, 300, "300"}, {2, 3, 1234, "1234"},
        {6, 20, 321, "321"},     {10, 20, 499, "499"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "family " << c.family << " code " << c.code);
        EXPECT_EQ(commBeginText(c.family, c.code, c.stored), c.text);
        EXPECT_EQ(commBeginValue(c.family, c.code, c.text), c.stored);
    }
    EXPECT_EQ(commBeginValue(6, 0, "16"), 0);   // X 16 is in no range
    EXPECT_EQ(commBeginValue(9, 0, "1.2"), 0);  // not a family-9 text
    EXPECT_EQ(commBeginValue(2, 0, "abc"), 0);
    EXPECT_EQ(commBeginValue(2, 0, ""), 0);
    EXPECT_EQ(commBeginValue(16, 0, "10000"), 0);  // kept modulo 65536
}

TEST(CommLinesTest, EntryChecks) {
    EXPECT_TRUE(beginEntryValid(2, 20, "499"));
    EXPECT_FALSE(beginEntryValid(2, 20, "500"));
    EXPECT_FALSE(beginEntryValid(7, 20, "500"));
    EXPECT_TRUE(beginEntryValid(7, 0, "255"));
    EXPECT_FALSE(beginEntryValid(7, 0, "256"));
    EXPECT_TRUE(beginEntryValid(6, 0, "25"));
    EXPECT_FALSE(beginEntryValid(6, 0, "16"));
    EXPECT_TRUE(beginEntryValid(9, 6, "1A05"));
    EXPECT_FALSE(beginEntryValid(9, 0, "1.2"));
    EXPECT_FALSE(beginEntryValid(10, 1, "20000"));
    EXPECT_TRUE(beginEntryValid(16, 0, "ffff"));
    EXPECT_FALSE(beginEntryValid(16, 0, "10000"));
    EXPECT_FALSE(beginEntryValid(16, 0, "xyz"));
    EXPECT_TRUE(beginEntryValid(2, 0, "65535"));
    EXPECT_FALSE(beginEntryValid(2, 0, "65536"));  // Begin is 16 bits
    EXPECT_FALSE(beginEntryValid(2, 0, "-1"));
    EXPECT_FALSE(beginEntryValid(2, 0, ""));
    EXPECT_TRUE(systemEntryValid(2, "31"));
    EXPECT_FALSE(systemEntryValid(2, "32"));
    EXPECT_TRUE(systemEntryValid(11, "247"));
    EXPECT_FALSE(systemEntryValid(2, ""));
    EXPECT_TRUE(selectorEntryValid("2"));
    EXPECT_FALSE(selectorEntryValid("3"));
    EXPECT_TRUE(fileNumberEntryValid("255"));
    EXPECT_FALSE(fileNumberEntryValid("256"));
    EXPECT_EQ(entryNumber(" 12 "), 12);
    EXPECT_EQ(entryNumber("99999999999"), -1);
}

}  // namespace
}  // namespace kyr

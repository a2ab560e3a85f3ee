#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "RecordingDialog.h"
#include "model/DataClass.h"
#include "model/Func.h"
#include "model/Texts.h"

namespace kyr {
namespace {

std::unique_ptr<TKyrData> project(std::uint8_t type, std::uint8_t protocol = 0) {
    auto d = TKyrData::NewProject(0, type);
    d->Setup().SetProtocol(protocol);
    return d;
}

std::string placeholder(const TFunc& f, std::size_t lineSize = 40, CharSet set = CharSet::Latin) {
    std::vector<std::uint8_t> line(lineSize, 0xEE);
    f.RenderPlaceholder(line, set);
    std::string out;
    for (auto c : line) out += c == 0 ? '_' : static_cast<char>(c);
    return out;
}

TEST(FuncDefaults, EachKindStartsWithItsDefaults) {
    auto d = project(0);
    const struct {
        int kind;
        int width;
        std::size_t imageSize;
        int firmware;
        std::string_view keyword;
        std::string_view name;
    } cases[] = {
        {TFunc::KindNum, 1, 16, 212, "NUM", "Number"},
        {TFunc::KindTxt, 0, 13, 212, "TXT", "Text"},
        {TFunc::KindTxs, 0, 16, 212, "TXS", "Selected Text"},
        {TFunc::KindBit, 0, 13, 212, "BUT", "Bit"},
        {TFunc::KindBar, 0, 23, 214, "BAR", "Bargraph"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        const TFunc f(*d, c.kind);
        EXPECT_FALSE(f.Error());
        EXPECT_EQ(f.Kind(), c.kind);
        EXPECT_EQ(f.Position(), 0);
        EXPECT_EQ(f.System(), 0);
        EXPECT_EQ(f.SourceSpace(), 20);
        EXPECT_EQ(f.OffsetSpace(), 21);
        EXPECT_FALSE(f.HasOffset());
        EXPECT_FALSE(f.HasBuffer());
        EXPECT_EQ(f.Width(), c.width);
        EXPECT_EQ(f.ImageSize(), c.imageSize);
        EXPECT_EQ(f.FirmwareLevel(), c.firmware);
        EXPECT_EQ(f.Keyword(), c.keyword);
        EXPECT_EQ(f.KindName(), c.name);
    }
    const TFunc num(*d, TFunc::KindNum);
    EXPECT_EQ(num.NumDigits(), 1);
    EXPECT_EQ(num.NumFlags(), 0x0910);
    EXPECT_EQ(num.Gain(), 1.0f);
    EXPECT_EQ(TFunc(*d, TFunc::KindTxt).TxtFlags(), 0x10);
    EXPECT_EQ(TFunc(*d, TFunc::KindTxs).TxsFlags(), 0x10);
    EXPECT_EQ(TFunc(*d, TFunc::KindBit).BitFlags(), 0x11);
    const TFunc bar(*d, TFunc::KindBar);
    EXPECT_EQ(bar.BarFlags(), 0x0010);
    EXPECT_EQ(bar.BarEmpty(), 0.0f);
    EXPECT_EQ(bar.BarFull(), 100.0f);
}

TEST(FuncDefaults, UnknownKindSetsTheErrorFlag) {
    auto d = project(0);
    EXPECT_TRUE(TFunc(*d, 5).Error());
    EXPECT_TRUE(TFunc(*d, 255).Error());
    EXPECT_EQ(TFunc(*d, 7).ImageSize(), 0u);
}

TEST(FuncNames, KeywordsAndKindNames) {
    EXPECT_EQ(TFunc::KindOfKeyword("num"), 0);
    EXPECT_EQ(TFunc::KindOfKeyword("Txt"), 1);
    EXPECT_EQ(TFunc::KindOfKeyword("TXS"), 2);
    EXPECT_EQ(TFunc::KindOfKeyword("bit"), 3);
    EXPECT_EQ(TFunc::KindOfKeyword("BUT"), 3);
    EXPECT_EQ(TFunc::KindOfKeyword("bar"), 4);
    EXPECT_EQ(TFunc::KindOfKeyword("NUMX"), -1);
    EXPECT_EQ(TFunc::KindOfKeyword(""), -1);
    EXPECT_EQ(TFunc::KeywordOf(3), "BUT");
    const std::uint8_t saved = language();
    setLanguage(LangGerman);
    EXPECT_EQ(TFunc::KindNameOf(0), "Zahl");
    setLanguage(LangCzech);
    EXPECT_EQ(TFunc::KindNameOf(4), "Sloupcový graf");
    setLanguage(saved);
    EXPECT_EQ(TFunc::KindNameOf(9), "");
}

TEST(FuncBuffer, OwnsACopyWithATrailingZero) {
    auto d = project(0);
    TFunc f(*d, TFunc::KindBit);
    f.SetBuffer(std::string_view("ABC"));
    EXPECT_EQ(f.BufferLength(), 3u);
    EXPECT_STREQ(f.BufferText(), "ABC");
    f.SetBuffer(std::string_view());
    EXPECT_FALSE(f.HasBuffer());
    EXPECT_EQ(f.BufferLength(), 0u);
    EXPECT_STREQ(f.BufferText(), "");
}

TEST(FuncBuffer, CloneIsIndependent) {
    auto d = project(0);
    TFunc f(*d, TFunc::KindBit);
    f.SetPosition(7);
    f.SetBuffer(std::string_view("ON"));
    auto copy = f.Clone();
    f.Buffer()[0] = 'X';
    f.SetPosition(1);
    EXPECT_EQ(copy->Position(), 7);
    EXPECT_STREQ(copy->BufferText(), "ON");
    EXPECT_EQ(copy->Kind(), TFunc::KindBit);
}

struct NumCase {
    std::uint8_t type;
    std::uint8_t digits;
    std::uint16_t flags;
    std::uint8_t format;
    int width;
    const char* placeholder;
};

TEST(FuncNum, WidthAndPlaceholder) {
    const std::uint16_t split = TFunc::NumSplit, sign = TFunc::NumShowSign, dec = TFunc::NumDecimal;
    const NumCase cases[] = {
        {0, 1, dec, 0, 1, "1"},
        {0, 12, dec, 0, 12, "123456789012"},
        {0, 0x52, split | sign | dec, 1, 10, "-12 345.67"},
        {0, 0x52, split | dec, 0, 8, "12345.67"},
        {0, 0x52, split | dec, 2, 8, "12345,67"},
        {0, 0x52, split | dec, 3, 9, "12 345,67"},
        {0, 0x47, split | dec, 1, 15, "1 234.567 890 1"},
        {0, 9, 0, 1, 11, "1 2345 6789"},                   // hexadecimal groups of four
        {0, 0x25, split, 1, 9, "12.3456 7"},               // fraction grouped from the left
        {5, 0x52, split | sign | dec, 1, 9, "-12 34567"},  // LUMQ: no decimal point
        {5, 0x32, split, 0, 5, "12345"},
        {0, 0, dec, 0, 0, "_"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.placeholder);
        auto d = project(c.type);
        TFunc f(*d, TFunc::KindNum);
        f.SetNumDigits(c.digits);
        f.SetNumFlags(c.flags);
        f.SetNumFormat(c.format);
        f.SetPosition(1);
        EXPECT_EQ(f.Width(), c.width);
        std::string expected = "_" + std::string(c.placeholder);
        if (c.width == 0) expected = "_";
        expected.resize(40, '_');
        EXPECT_EQ(placeholder(f), expected);
    }
}

TEST(FuncPlaceholder, OtherKinds) {
    auto d = project(0);
    TFunc txt(*d, TFunc::KindTxt);
    txt.SetTxtChars(3);
    txt.SetPosition(2);
    EXPECT_EQ(placeholder(txt, 6), "__$$$_");
    TFunc txs(*d, TFunc::KindTxs);
    txs.SetTxsStrLen(4);
    EXPECT_EQ(placeholder(txs, 6), "####__");

    TFunc sw(*d, TFunc::KindBit);
    sw.SetBitFlags(0x91);
    sw.SetBuffer(std::string_view("ON OFF"));
    EXPECT_EQ(sw.Width(), 3);
    EXPECT_EQ(sw.BufferLength(), 6u);
    EXPECT_EQ(sw.BitFirstText(), "ON ");
    EXPECT_EQ(sw.BitSecondText(), "OFF");
    EXPECT_EQ(placeholder(sw, 4), "OFF_");
    sw.SetBuffer(std::string_view("OFFON "));  // second slot ends in a blank: first shown
    EXPECT_EQ(placeholder(sw, 4), "OFF_");
    sw.SetBitFlags(0x11);
    sw.SetBuffer(std::string_view("GO"));
    EXPECT_EQ(placeholder(sw, 4), "GO__");

    TFunc bar(*d, TFunc::KindBar);
    bar.SetBarWidth(5);
    std::vector<std::uint8_t> line(6);
    bar.RenderPlaceholder(line, CharSet::Latin);
    EXPECT_EQ(line, (std::vector<std::uint8_t>{178, 178, 178, 177, 177, 0}));
    bar.RenderPlaceholder(line, CharSet::Cyrillic);
    EXPECT_EQ(line, (std::vector<std::uint8_t>{255, 255, 255, 245, 245, 0}));
    bar.SetBarWidth(4);
    bar.RenderPlaceholder(line, CharSet::Latin);
    EXPECT_EQ(line, (std::vector<std::uint8_t>{178, 178, 177, 177, 0, 0}));
}

TEST(FuncPlaceholder, NothingDrawnPastTheLine) {
    auto d = project(0);
    TFunc txt(*d, TFunc::KindTxt);
    txt.SetTxtChars(3);
    txt.SetPosition(3);
    EXPECT_EQ(placeholder(txt, 6), "___$$$");
    txt.SetPosition(4);
    EXPECT_EQ(placeholder(txt, 6), "______");
    EXPECT_EQ(placeholder(txt, 0), "");
}

TEST(FuncLayout, Covers) {
    auto d = project(0);
    TFunc txt(*d, TFunc::KindTxt);
    txt.SetTxtChars(3);
    txt.SetPosition(10);
    EXPECT_FALSE(txt.Covers(9));
    EXPECT_TRUE(txt.Covers(10));
    EXPECT_TRUE(txt.Covers(12));
    EXPECT_FALSE(txt.Covers(13));
    txt.SetTxtChars(0);
    EXPECT_FALSE(txt.Covers(10));
}

TEST(FuncFirmware, LampsSwitchesAndBarsNeed214) {
    auto d = project(0);
    TFunc bit(*d, TFunc::KindBit);
    const struct {
        std::uint8_t flags;
        int level;
    } cases[] = {{0x11, 212}, {0x90, 214}, {0x91, 214}, {0x10, 214}};
    for (const auto& c : cases) {
        bit.SetBitFlags(c.flags);
        EXPECT_EQ(bit.FirmwareLevel(), c.level) << int(c.flags);
    }
}

TEST(FuncEditMode, TextsForTheFunctionList) {
    auto d = project(0);
    const struct {
        int kind;
        std::uint16_t flags;
        const char* text;
    } cases[] = {
        {TFunc::KindNum, 0x0910, "No"},  {TFunc::KindNum, 0x0001, "Num"},
        {TFunc::KindNum, 0x0080, "Ud "}, {TFunc::KindNum, 0x0083, "Inst Ud Num"},
        {TFunc::KindNum, 0x0002, "No"},  {TFunc::KindTxt, 0x10, "No"},
        {TFunc::KindTxt, 0x11, "Yes"},   {TFunc::KindTxt, 0x13, "Inst "},
        {TFunc::KindTxs, 0x01, "Yes"},   {TFunc::KindBit, 0x11, "Yes"},
        {TFunc::KindBit, 0x80, "No"},    {TFunc::KindBar, 0xFFFF, ""},
    };
    for (const auto& c : cases) {
        TFunc f(*d, c.kind);
        switch (c.kind) {
            case TFunc::KindNum:
                f.SetNumFlags(c.flags);
                break;
            case TFunc::KindTxs:
                f.SetTxsFlags(static_cast<std::uint8_t>(c.flags));
                break;
            case TFunc::KindBar:
                f.SetBarFlags(c.flags);
                break;
            default:
                f.SetTxtFlags(static_cast<std::uint8_t>(c.flags));
                break;
        }
        EXPECT_EQ(f.EditModeText(), c.text) << c.kind << " " << c.flags;
    }
}

// A TXS with the given string numbers, string length 1.
std::unique_ptr<TFunc> txsWith(TKyrData& d, std::vector<std::uint16_t> numbers) {
    auto f = std::make_unique<TFunc>(d, TFunc::KindTxs);
    f->SetTxsStrLen(1);
    f->SetTxsCount(static_cast<std::uint16_t>(numbers.size()));
    f->AllocBuffer(f->TxsBufferLength());
    for (std::size_t i = 0; i < numbers.size(); ++i) f->SetTxsNumber(i, numbers[i]);
    return f;
}

TEST(FuncCheck, TxsNeedsStringsWithDistinctNumbers) {
    auto d = project(0);
    test::RecordingDialog rec;
    EXPECT_TRUE(txsWith(*d, {1, 2, 3})->Check());
    EXPECT_TRUE(rec.entries.empty());
    EXPECT_FALSE(txsWith(*d, {1, 2, 1})->Check());
    EXPECT_FALSE(txsWith(*d, {})->Check());
    ASSERT_EQ(rec.texts(), (std::vector<std::string>{"Duplicate string numbers in TXS function",
                                                     "TXS function contains no string"}));
    EXPECT_EQ(rec.entries[0].kind, MsgKind::Warning);
    EXPECT_TRUE(TFunc(*d, TFunc::KindNum).Check());
}

TEST(FuncAddressChecks, TerminalSpacesAndFamilies) {
    EXPECT_TRUE(TFunc::InternalRangeOk(5, -3, 100000));
    EXPECT_TRUE(TFunc::InternalRangeOk(20, 998, 2));
    EXPECT_FALSE(TFunc::InternalRangeOk(20, 999, 2));
    EXPECT_FALSE(TFunc::InternalRangeOk(20, -1, 1));
    EXPECT_TRUE(TFunc::InternalRangeOk(24, 6, 2));
    EXPECT_FALSE(TFunc::InternalRangeOk(24, 7, 2));
    EXPECT_FALSE(TFunc::InternalRangeOk(25, 3, 2));
    EXPECT_TRUE(TFunc::InternalRangeOk(30, 60000, 2));
    EXPECT_TRUE(TFunc::PlcFamilyAddressOk(7, 3, 250, 5));
    EXPECT_FALSE(TFunc::PlcFamilyAddressOk(7, 3, 251, 5));
    EXPECT_TRUE(TFunc::PlcFamilyAddressOk(7, 20, 900, 5));
    EXPECT_TRUE(TFunc::PlcFamilyAddressOk(12, 1, 0, 4));
    EXPECT_FALSE(TFunc::PlcFamilyAddressOk(12, 1, 1, 4));
    EXPECT_TRUE(TFunc::PlcFamilyAddressOk(2, 1, 60000, 4));
}

TEST(FuncBitSpaces, ByFamilyAndKind) {
    const struct {
        int family;
        int kind;
        std::uint8_t space;
        bool bit;
    } cases[] = {
        {9, 0, 5, false},  {9, 0, 6, true},   {10, 0, 0, false}, {10, 0, 1, true},
        {15, 0, 3, false}, {15, 3, 3, true},  {15, 3, 2, false}, {17, 0, 8, true},
        {17, 0, 7, false}, {18, 3, 3, true},  {18, 1, 5, false}, {19, 3, 1, true},
        {19, 0, 1, false}, {20, 0, 3, true},  {11, 0, 1, true},  {12, 2, 1, true},
        {12, 0, 0, false}, {9, 0, 20, false}, {2, 3, 3, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TFunc::IsBitSpace(c.family, c.kind, c.space), c.bit)
            << c.family << " " << c.kind << " " << int(c.space);
}

TEST(FuncDescription, SpacesAddressesAndUnits) {
    auto kyr = project(0, 0);
    TFunc num(*kyr, TFunc::KindNum);
    num.SetSourceAddr(12);
    num.SetSourceLength(2);
    EXPECT_EQ(num.Description(), "Number  KYR.##[12]  2w ");
    num.SetOffsetSpace(20);
    num.SetOffsetAddr(4);
    EXPECT_EQ(num.Description(), "Number  KYR.##[12+KYR.##[4]]  2w ");

    auto omron = project(0, 1);  // family 2: IO, LR, HR, DM; system numbers
    TFunc txs(*omron, TFunc::KindTxs);
    txs.SetSourceSpace(3);
    txs.SetSystem(4);
    txs.SetSourceAddr(100);
    txs.SetSourceLength(1);
    txs.SetTxsFlags(0x08);
    EXPECT_EQ(txs.Description(), "Selected Text  OMRON4.DM[100]  1b ");

    auto hitachi = project(0, 15);  // family 9, no station numbers by default
    TFunc bit(*hitachi, TFunc::KindBit);
    bit.SetSourceSpace(6);  // X, a bit space of the bit list
    bit.SetSourceAddr(0x1A0);
    bit.SetBitPosition(5);
    EXPECT_EQ(bit.Description(), "Bit  HITACHI.X[1A05] 1bit");
    TFunc word(*hitachi, TFunc::KindBit);
    word.SetSourceSpace(2);  // WR
    word.SetSourceAddr(0x1F);
    word.SetBitPosition(3);
    EXPECT_EQ(word.Description(), "Bit  HITACHI.WR[1F]  1w Bit3 ");

    auto ab = project(0, 10);  // family 7: file number and selector
    TFunc bar(*ab, TFunc::KindBar);
    bar.SetSourceSpace(4 | 0x80);  // T, selector 2
    bar.SetSystem(1);
    bar.SetSourceAddr(0x0405);
    bar.SetSourceLength(1);
    EXPECT_EQ(bar.Description(), "Bargraph  BRADLEY1.T4[5.2]  1w ");
}

// ---- memory image -----------------------------------------------------------------------------

struct ImageCase {
    const char* name;
    std::function<void(TFunc&)> build;
    int kind;
    std::uint8_t type;
    Bytes image;
};

void fillHead(TFunc& f) {
    f.SetPosition(5);
    f.SetSystem(2);
    f.SetSourceAddr(0x1234);
    f.SetOffsetAddr(0x0056);
}

std::vector<ImageCase> imageCases() {
    const auto num = [](TFunc& f) {
        fillHead(f);
        f.SetSourceLength(1);
        f.SetNumDigits(3);
    };
    const auto numMin = [num](TFunc& f) {
        num(f);
        f.SetMinValue(0.5f);
    };
    const auto txt = [](TFunc& f) {
        fillHead(f);
        f.SetTxtChars(7);
    };
    const auto txs = [](TFunc& f) {
        fillHead(f);
        f.SetSourceLength(1);
        f.SetTxsStrLen(2);
        f.SetTxsCount(2);
        f.SetBuffer(
            std::string_view("\x01\x00\x02\x01"
                             "ABCD",
                             8));
    };
    const auto bit = [](TFunc& f) {
        fillHead(f);
        f.SetBitPosition(3);
        f.SetBitFlags(0x91);
        f.SetBuffer(std::string_view("ON OFF"));
    };
    const auto bar = [](TFunc& f) {
        fillHead(f);
        f.SetSourceLength(1);
        f.SetBarWidth(8);
    };
    return {
        {"num BE",
         num,
         0,
         0,
         {0x00, 0x10, 0, 5, 2, 0x12, 0x34, 0x00, 0x56, 20, 21, 1, 3, 0, 0x10, 0x09}},
        {"num LE",
         num,
         0,
         4,
         {0x10, 0x00, 0, 5, 2, 0x34, 0x12, 0x56, 0x00, 20, 21, 1, 3, 0, 0x10, 0x09}},
        {"num min BE", numMin, 0, 2, {0x00, 0x20, 0, 5,    2,    0x12, 0x34, 0x00, 0x56, 20, 21,
                                      1,    3,    0, 0x10, 0x09, 0,    0,    0x80, 0x3F, 0,  0,
                                      0,    0,    0, 0,    0,    0x3F, 0,    0,    0,    0}},
        {"num LUMQ", num, 0, 7, {0x29, 0x00, 0, 5, 2,    0x34, 0x12, 0x56, 0x00, 20, 21, 1, 3, 0,
                                 0x10, 0x09, 0, 0, 0x80, 0x3F, 0,    0,    0,    0,  0,  0, 0, 0,
                                 0,    0,    0, 0, 0,    0,    0,    0,    0,    0,  0,  0, 0}},
        {"txt BE", txt, 1, 1, {0x00, 0x0D, 1, 5, 2, 0x12, 0x34, 0x00, 0x56, 20, 21, 7, 0x10}},
        {"txt LE", txt, 1, 9, {0x0D, 0x00, 1, 5, 2, 0x34, 0x12, 0x56, 0x00, 20, 21, 7, 0x10}},
        {"txs BE", txs, 2, 3, {0x00, 0x18, 2,    5,    2,    0x12, 0x34, 0x00, 0x56, 20,  21, 1, 2,
                               0x00, 0x02, 0x10, 0x00, 0x01, 0x01, 0x02, 'A',  'B',  'C', 'D'}},
        {"txs LE", txs, 2, 4, {0x18, 0x00, 2,    5,    2,    0x34, 0x12, 0x56, 0x00, 20,  21, 1, 2,
                               0x02, 0x00, 0x10, 0x01, 0x00, 0x02, 0x01, 'A',  'B',  'C', 'D'}},
        {"bit BE",
         bit,
         3,
         0,
         {0x00, 0x13, 3, 5, 2, 0x12, 0x34, 0x00, 0x56, 20, 21, 3, 0x91, 'O', 'N', ' ', 'O', 'F',
          'F'}},
        {"bit LE",
         bit,
         3,
         6,
         {0x13, 0x00, 3, 5, 2, 0x34, 0x12, 0x56, 0x00, 20, 21, 3, 0x91, 'O', 'N', ' ', 'O', 'F',
          'F'}},
        {"bar BE", bar, 4, 0, {0x00, 0x17, 4, 5, 2, 0x12, 0x34, 0x00, 0x56, 20,   21,  1,
                               8,    0,    0, 0, 0, 0,    0,    0xC8, 0x42, 0x10, 0x00}},
        {"bar LE", bar, 4, 5, {0x17, 0x00, 4, 5, 2, 0x34, 0x12, 0x56, 0x00, 20,   21,  1,
                               8,    0,    0, 0, 0, 0,    0,    0xC8, 0x42, 0x10, 0x00}},
    };
}

TEST(FuncImage, BytesInBothByteOrdersAndBack) {
    for (const auto& c : imageCases()) {
        SCOPED_TRACE(c.name);
        auto d = project(c.type);
        TFunc f(*d, c.kind);
        c.build(f);
        EXPECT_EQ(f.ImageSize(), c.image.size());
        EXPECT_EQ(f.Image(), c.image);
        // The record itself keeps memory order.
        EXPECT_EQ(f.SourceAddr(), 0x1234);

        Bytes stream = c.image;
        stream.push_back(0xAB);
        std::size_t pos = 0;
        auto back = TFunc::FromImage(*d, stream, pos);
        EXPECT_FALSE(back->Error());
        EXPECT_EQ(pos, c.image.size());
        EXPECT_EQ(back->SourceAddr(), 0x1234);
        EXPECT_EQ(back->OffsetAddr(), 0x0056);
        EXPECT_EQ(back->Width(), f.Width());
        EXPECT_EQ(std::vector(back->Buffer().begin(), back->Buffer().end()),
                  std::vector(f.Buffer().begin(), f.Buffer().end()));
        EXPECT_EQ(back->Image(), c.image);
        if (c.kind == TFunc::KindTxs) {
            EXPECT_EQ(back->TxsCount(), 2);
            EXPECT_EQ(back->TxsNumber(1), 0x0102);
            EXPECT_FALSE(back->TxsHasDefault());
        }
    }
}

TEST(FuncImage, NumSizeFollowsGainOffsetAndLimits) {
    auto d = project(0);
    TFunc f(*d, TFunc::KindNum);
    EXPECT_EQ(f.ImageSize(), 16u);
    f.SetMinValue(0.5f);
    EXPECT_EQ(f.ImageSize(), 32u);
    f.SetMinValue(0.0f);
    f.SetGain(2.0f);
    EXPECT_EQ(f.ImageSize(), 32u);
    f.SetGain(1.0f);
    EXPECT_EQ(f.ImageSize(), 16u);
    auto q = project(8);
    EXPECT_EQ(TFunc(*q, TFunc::KindNum).ImageSize(), 41u);
}

TEST(FuncImage, ShortNumRecordGetsGainOne) {
    auto d = project(0);
    TFunc f(*d, TFunc::KindNum);
    f.SetGain(1.0f);
    const Bytes image = f.Image();
    ASSERT_EQ(image.size(), 16u);
    std::size_t pos = 0;
    auto back = TFunc::FromImage(*d, image, pos);
    EXPECT_EQ(back->Gain(), 1.0f);
    EXPECT_EQ(back->MaxValue(), 0.0f);
}

TEST(FuncImage, TxsDefaultStringIsFoundByLength) {
    auto d = project(0);
    TFunc f(*d, TFunc::KindTxs);
    f.SetTxsStrLen(2);
    f.SetTxsCount(2);
    f.SetTxsHasDefault(true);
    f.SetBuffer(
        std::string_view("\x01\x00\x02\x00"
                         "ABCDEF",
                         10));
    EXPECT_EQ(f.TxsDefaultString(), "EF");
    const Bytes image = f.Image();
    EXPECT_EQ(image.size(), 26u);
    std::size_t pos = 0;
    auto back = TFunc::FromImage(*d, image, pos);
    EXPECT_TRUE(back->TxsHasDefault());
    EXPECT_EQ(back->TxsDefaultString(), "EF");
    EXPECT_EQ(back->TxsString(1), "CD");
}

TEST(FuncImage, BadRecordsSetTheErrorFlagAndNeverReadPastTheEnd) {
    auto d = project(4);
    const struct {
        const char* name;
        Bytes bytes;
        std::size_t pos;
    } cases[] = {
        {"unknown kind", {0x05, 0x00, 7, 0, 0, 9}, 5},
        {"too short to hold a head", {0x10}, 1},
        {"length past the data", {0x20, 0x00, 1, 0, 0}, 5},
        {"NUM shorter than 16", {0x0D, 0x00, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 13},
        {"TXT longer than a record", Bytes(50, 0), 0},
        {"TXS shorter than 16", {0x0D, 0x00, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 13},
    };
    for (auto c : cases) {
        SCOPED_TRACE(c.name);
        if (c.bytes.size() == 50) {
            c.bytes[0] = 50;
            c.bytes[2] = 1;
            c.pos = 50;
        }
        std::size_t pos = 0;
        auto f = TFunc::FromImage(*d, c.bytes, pos);
        EXPECT_TRUE(f->Error());
        EXPECT_EQ(pos, c.pos);
    }
    std::size_t pos = 3;
    const Bytes tiny{1, 2};
    EXPECT_TRUE(TFunc::FromImage(*d, tiny, pos)->Error());
    EXPECT_EQ(pos, 2u);
}

TEST(FuncImage, PutToImageRefusesAShortDestination) {
    auto d = project(0);
    TFunc f(*d, TFunc::KindTxt);
    std::vector<std::uint8_t> dest(12, 0x55);
    EXPECT_EQ(f.PutToImage(dest), 0u);
    EXPECT_EQ(dest, std::vector<std::uint8_t>(12, 0x55));
}

}  // namespace
}  // namespace kyr

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RecordingDialog.h"
#include "model/DataClass.h"
#include "model/Func.h"
#include "model/FuncLine.h"
#include "model/FuncLineTokenizer.h"

namespace kyr {
namespace {

std::unique_ptr<TKyrData> project(std::uint8_t type, std::uint8_t protocol = 0) {
    auto d = TKyrData::NewProject(0, type);
    d->Setup().SetProtocol(protocol);
    return d;
}

// Reads a field from text as the screen reader hands it over: the first line without its
// leading blank, the following lines as continuation lines.
std::unique_ptr<TFunc> readText(TKyrData& d, std::string_view text, int mode = 0) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find("\r\n", at);
        if (end == std::string_view::npos) end = text.size();
        lines.emplace_back(text.substr(at, end - at));
        at = end + 2;
    }
    if (lines.empty()) lines.emplace_back();
    std::string first = lines.front();
    if (!first.empty() && first.front() == ' ') first.erase(0, 1);
    lines.erase(lines.begin());
    TFuncLineList more(std::move(lines));
    return ReadFuncLine(d, first, mode, more);
}

// ---- tokens -----------------------------------------------------------------------------------

TEST(FuncLineTokens, Integers) {
    const struct {
        const char* text;
        std::optional<std::int32_t> value;
    } cases[] = {
        {"0", 0},
        {"17", 17},
        {"-17", -17},
        {"+5", 5},
        {"$1F", 31},
        {"$ff", 255},
        {"$FFFFFFFF", -1},
        {"$80000000", INT32_MIN},
        {"2147483647", INT32_MAX},
        {"-2147483648", INT32_MIN},
        {"2147483648", std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"$123456789", std::nullopt},
        {"$", std::nullopt},
        {"-$10", std::nullopt},
        {"", std::nullopt},
        {"-", std::nullopt},
        {"12a", std::nullopt},
        {"1.5", std::nullopt},
        {"0x10", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(parseTextInt(c.text), c.value) << c.text;
}

TEST(FuncLineTokens, Reals) {
    const struct {
        const char* text;
        std::optional<float> value;
    } cases[] = {
        {"1", 1.0f},
        {"-2.5", -2.5f},
        {"2,5", 2.5f},
        {"+0.25", 0.25f},
        {".5", 0.5f},
        {"1e3", 1000.0f},
        {"1,5e2", 150.0f},
        {"1e39", std::nullopt},
        {"1e999", std::nullopt},
        {"abc", std::nullopt},
        {"inf", std::nullopt},
        {"nan", std::nullopt},
        {"1.2,3", std::nullopt},
        {"1,2,3", std::nullopt},
        {"", std::nullopt},
        {"-", std::nullopt},
        {".", std::nullopt},
        {"1.", 1.0f},
    };
    for (const auto& c : cases) EXPECT_EQ(parseTextReal(c.text), c.value) << c.text;
}

TEST(FuncLineTokens, KeywordValuesAndRepeatedLastValue) {
    TFuncLineTokenizer t("TXT\t1  2 3\r\n 4");
    EXPECT_EQ(t.Keyword(), "TXT\t1");  // a tab does not end the keyword
    EXPECT_EQ(t.NextToken(), "2");
    EXPECT_EQ(t.NextToken(), "3");
    EXPECT_EQ(t.NextToken(), "3");  // the line ends at its CR
    EXPECT_EQ(t.QuotedRest(), "");

    TFuncLineTokenizer none("NUM");
    EXPECT_EQ(none.Keyword(), "NUM");
    EXPECT_EQ(none.NextToken(), "");
    EXPECT_EQ(none.NextInt(), std::nullopt);
    EXPECT_EQ(none.NextReal(), 0.0f);

    TFuncLineTokenizer quoted("BUT 1 \t \"ab c\"", TFuncLineTokenizer::Start::AtKeyword);
    EXPECT_EQ(quoted.NextToken(), "1");
    EXPECT_EQ(quoted.QuotedRest(), "ab c");
    EXPECT_EQ(TFuncLineTokenizer("  \"open", TFuncLineTokenizer::Start::AtValues).QuotedRest(),
              "open");
    EXPECT_EQ(TFuncLineTokenizer("\"", TFuncLineTokenizer::Start::AtValues).QuotedRest(), "");
    EXPECT_EQ(TFuncLineTokenizer("x\"a\"", TFuncLineTokenizer::Start::AtValues).QuotedRest(), "");
}

// ---- writer -----------------------------------------------------------------------------------

TEST(FuncLineWriter, ExactFormats) {
    auto d = project(0);
    TFunc num(*d, TFunc::KindNum);
    num.SetPosition(3);
    num.SetSystem(1);
    num.SetSourceAddr(65535);
    num.SetSourceSpace(0x84);
    num.SetNumDigits(0x52);
    num.SetGain(0.1f);
    num.SetNumOffset(-2.0f);
    num.SetMaxValue(1e20f);
    EXPECT_EQ(WriteFuncLine(num, 0),
              " NUM 3 1 65535 0 132 21 0 $52 0 $0910 0.100000001490116 -2 0 "
              "1.00000002004088e+20\r\n");

    TFunc txt(*d, TFunc::KindTxt);
    txt.SetTxtChars(5);
    txt.SetTxtFlags(0x0B);
    EXPECT_EQ(WriteFuncLine(txt, 0), " TXT 0 0 0 0 20 21 5 $0B\r\n");

    TFunc txs(*d, TFunc::KindTxs);
    txs.SetSourceLength(1);
    txs.SetTxsStrLen(2);
    txs.SetTxsCount(2);
    txs.SetTxsHasDefault(true);
    txs.SetBuffer(
        std::string_view("\x01\x00\xE8\x03"
                         "ABCDEF",
                         10));
    EXPECT_EQ(WriteFuncLine(txs, 0),
              " TXS 0 0 0 0 20 21 1 2 2 $10 1\r\n"
              "      1 \"AB\"\r\n"
              "   1000 \"CD\"\r\n"
              "     -1 \"EF\"\r\n");

    TFunc sw(*d, TFunc::KindBit);
    sw.SetBitPosition(7);
    sw.SetBitFlags(0x91);
    sw.SetBuffer(std::string_view("ON OFF"));
    EXPECT_EQ(WriteFuncLine(sw, 0), " BUT 0 0 0 0 20 21 7 $91 \"ON \"\r\n     \"OFF\"\r\n");

    TFunc bar(*d, TFunc::KindBar);
    bar.SetBarWidth(8);
    bar.SetBarFlags(0x0410);
    EXPECT_EQ(WriteFuncLine(bar, 0), " BAR 0 0 0 0 20 21 0 8 0 100 $0410\r\n");

    std::string both;
    AppendFuncLine(both, txt, 0);
    AppendFuncLine(both, bar, 0);
    EXPECT_EQ(both, WriteFuncLine(txt, 0) + WriteFuncLine(bar, 0));
}

TEST(FuncLineWriter, LumqNumbersCarryTheZoneValues) {
    auto d = project(5);
    TFunc num(*d, TFunc::KindNum);
    num.SetZoneLow(-1.5f);
    num.SetZoneHigh(3.0f);
    num.SetZoneAttr(0x2A);
    EXPECT_EQ(WriteFuncLine(num, 0), " NUM 0 0 0 0 20 21 0 $01 0 $0910 1 0 0 0 -1.5 3 $2A\r\n");
    auto sigma = project(4);
    EXPECT_EQ(WriteFuncLine(TFunc(*sigma, TFunc::KindNum), 0),
              " NUM 0 0 0 0 20 21 0 $01 0 $0910 1 0 0 0\r\n");
}

TEST(FuncLineWriter, StringsInTheScreensCharacterSet) {
    auto d = project(0);
    TFunc bit(*d, TFunc::KindBit);
    bit.SetBuffer(
        std::string_view("\x8E"
                         "B"));
    EXPECT_EQ(WriteFuncLine(bit, 1),
              " BUT 0 0 0 0 20 21 0 $11 \"\xC0"
              "B\"\r\n");
    EXPECT_EQ(WriteFuncLine(bit, 0),
              " BUT 0 0 0 0 20 21 0 $11 \"\xC4"
              "B\"\r\n");
}

// ---- round trip -------------------------------------------------------------------------------

void buildEvery(TFunc& f, int mode) {
    f.SetPosition(9);
    f.SetSystem(3);
    f.SetSourceAddr(0xBEEF);
    f.SetOffsetAddr(77);
    f.SetSourceSpace(2);
    f.SetOffsetSpace(20);
    // Terminal codes above 127 that the character set maps to the PC code page and back.
    const std::string high = mode == 1 ? "\x80\x8E\xA5" : "\x80\x81\xA0";
    switch (f.Kind()) {
        case TFunc::KindNum:
            f.SetSourceLength(2);
            f.SetNumDigits(0x63);
            f.SetNumFormat(3);
            f.SetNumFlags(0xC7A5);
            f.SetGain(0.1f);
            f.SetNumOffset(-1234.5f);
            f.SetMinValue(-3.0e-7f);
            f.SetMaxValue(3.4e38f);
            f.SetZoneLow(1.0f / 3.0f);
            f.SetZoneHigh(-0.0f);
            f.SetZoneAttr(0x3F);
            break;
        case TFunc::KindTxt:
            f.SetTxtChars(12);
            f.SetTxtFlags(0x23);
            break;
        case TFunc::KindTxs: {
            f.SetSourceLength(1);
            f.SetTxsStrLen(3);
            f.SetTxsCount(3);
            f.SetTxsFlags(0x47);
            f.SetTxsHasDefault(true);
            const std::string strings = "A B" + high + "\"x\"" + "dft";
            std::string buffer("\x00\x00\xFF\xFF\x05\x00", 6);
            f.SetBuffer(buffer + strings);
            break;
        }
        case TFunc::KindBit:
            f.SetBitPosition(15);
            f.SetBitFlags(0x98);
            f.SetBuffer("ON " + high + "  " + high + " ");
            break;
        case TFunc::KindBar:
            f.SetSourceLength(4);
            f.SetBarWidth(20);
            f.SetBarEmpty(-50.25f);
            f.SetBarFull(1e-3f);
            f.SetBarFlags(0x0468);
            break;
        default:
            break;
    }
}

TEST(FuncLineRoundTrip, EveryKindTypeAndCharacterSet) {
    test::RecordingDialog rec;
    for (const std::uint8_t type : {0, 3, 4, 5, 9}) {
        for (const int mode : {0, 1}) {
            for (int kind = 0; kind < TFunc::KindCount; ++kind) {
                SCOPED_TRACE(testing::Message()
                             << "type " << int(type) << " mode " << mode << " kind " << kind);
                auto d = project(type);
                TFunc f(*d, kind);
                buildEvery(f, mode);
                const std::string text = WriteFuncLine(f, mode);
                auto back = readText(*d, text, mode);
                EXPECT_FALSE(back->Error()) << text;
                const auto rec1 = f.Record();
                const auto rec2 = back->Record();
                const std::size_t compared = type >= 5 || kind != TFunc::KindNum ? 41 : 32;
                EXPECT_TRUE(std::equal(rec1.begin(), rec1.begin() + compared, rec2.begin()))
                    << text;
                EXPECT_EQ(std::vector(back->Buffer().begin(), back->Buffer().end()),
                          std::vector(f.Buffer().begin(), f.Buffer().end()));
                EXPECT_EQ(back->Image(), f.Image());
                EXPECT_EQ(WriteFuncLine(*back, mode), text);
            }
        }
    }
    EXPECT_TRUE(rec.entries.empty());
}

// ---- reader -----------------------------------------------------------------------------------

TEST(FuncLineReader, ReadsEveryField) {
    auto d = project(0);
    test::RecordingDialog rec;
    auto num = readText(*d, "nUm 7 2 300 5 1 20 2 $52 1 $14F10 1,5 abc -7 8.25");
    ASSERT_FALSE(num->Error());
    EXPECT_EQ(num->Kind(), TFunc::KindNum);
    EXPECT_EQ(num->Position(), 7);
    EXPECT_EQ(num->System(), 2);
    EXPECT_EQ(num->SourceAddr(), 300);
    EXPECT_EQ(num->OffsetAddr(), 5);
    EXPECT_EQ(num->SourceSpace(), 1);
    EXPECT_EQ(num->OffsetSpace(), 20);
    EXPECT_EQ(num->SourceLength(), 2);
    EXPECT_EQ(num->NumDigits(), 0x52);
    EXPECT_EQ(num->NumFormat(), 1);
    EXPECT_EQ(num->NumFlags(), 0x4F10);  // only the low 16 bits are kept
    EXPECT_EQ(num->Gain(), 1.5f);
    EXPECT_EQ(num->NumOffset(), 0.0f);  // a real that does not convert, without a message
    EXPECT_EQ(num->MinValue(), -7.0f);
    EXPECT_EQ(num->MaxValue(), 8.25f);

    auto sw = readText(*d, "bit 3 0 10 0 20 21 4 $91 \"ON\"\r\n     \"OFF\"");
    ASSERT_FALSE(sw->Error());
    EXPECT_EQ(sw->Kind(), TFunc::KindBit);
    EXPECT_EQ(sw->Width(), 3);
    EXPECT_EQ(sw->BufferLength(), 6u);
    EXPECT_EQ(std::string(sw->BufferText()), "ON OFF");
    EXPECT_EQ(WriteFuncLine(*sw, 0), " BUT 3 0 10 0 20 21 4 $91 \"ON \"\r\n     \"OFF\"\r\n");

    auto button = readText(*d, "but 0 0 0 0 20 21 0 $11 \"GO\"");
    EXPECT_EQ(button->BitFlags(), 0x11);
    EXPECT_EQ(std::string(button->BufferText()), "GO");

    auto lamp = readText(*d, "BUT 0 0 0 0 20 21 0 $80 \"\"\r\n \"ALARM\"");
    ASSERT_FALSE(lamp->Error());
    EXPECT_EQ(std::string(lamp->BufferText()), std::string(5, ' ') + "ALARM");

    auto bar = readText(*d, "BAR 1 0 2 0 20 21 1 10 -5 5,5 $0410");
    EXPECT_EQ(bar->BarWidth(), 10);
    EXPECT_EQ(bar->BarEmpty(), -5.0f);
    EXPECT_EQ(bar->BarFull(), 5.5f);
    EXPECT_EQ(bar->BarFlags(), 0x0410);

    auto txt = readText(*d, "TXT 4 0 0 0 20 21 6");  // short: the flags repeat the 6
    EXPECT_EQ(txt->TxtChars(), 6);
    EXPECT_EQ(txt->TxtFlags(), 6);
    EXPECT_TRUE(rec.entries.empty());
}

TEST(FuncLineReader, LumqNumbersReadTheZoneValues) {
    auto d = project(6);
    auto num = readText(*d, "NUM 0 0 0 0 20 21 1 $01 0 $0910 1 0 0 0 -1,5 3 $2A");
    ASSERT_FALSE(num->Error());
    EXPECT_EQ(num->ZoneLow(), -1.5f);
    EXPECT_EQ(num->ZoneHigh(), 3.0f);
    EXPECT_EQ(num->ZoneAttr(), 0x2A);
}

TEST(FuncLineReader, TxsStringsAndDefault) {
    auto d = project(0);
    test::RecordingDialog rec;
    auto f = readText(*d,
                      "TXS 0 0 0 0 20 21 1 3 2 $10 1\r\n"
                      "      1 \"ABC\"\r\n"
                      "  $FFFF \"D\"F\"\r\n"
                      "     -1 \"xyz\"");
    ASSERT_FALSE(f->Error());
    EXPECT_EQ(f->BufferLength(), 13u);
    EXPECT_EQ(f->TxsNumber(0), 1);
    EXPECT_EQ(f->TxsNumber(1), 0xFFFF);
    EXPECT_EQ(f->TxsString(0), "ABC");
    EXPECT_EQ(f->TxsString(1), "D\"F");
    EXPECT_EQ(f->TxsDefaultString(), "xyz");
    EXPECT_TRUE(rec.entries.empty());
}

TEST(FuncLineReader, ConvertsStringsToTerminalCodes) {
    auto d = project(0);
    auto cyr = readText(*d, "BUT 0 0 0 0 20 21 0 $11 \"\xC0\"", 1);
    EXPECT_EQ(static_cast<std::uint8_t>(cyr->BufferText()[0]), 0x8E);
    auto lat = readText(*d, "BUT 0 0 0 0 20 21 0 $11 \"\xC4\"", 0);
    EXPECT_EQ(static_cast<std::uint8_t>(lat->BufferText()[0]), 0x8E);
}

struct MessageCase {
    const char* name;
    const char* text;
    std::vector<std::string> messages;
    MsgKind kind = MsgKind::Warning;
};

TEST(FuncLineReader, EveryMessage) {
    const std::string errNum = "Error in function NUM text; bad function will be ignored";
    const MessageCase cases[] = {
        {"bad name", "XYZ 1 2 3", {"Bad function name: XYZ"}},
        {"bad name as written", "Num,1 2", {"Bad function name: Num,1"}},
        {"position not a number",
         "NUM x 0 0 0 20 21 1 $01 0 $0910 1 0 0 0",
         {errNum},
         MsgKind::Error},
        {"keyword as written",
         "num 1 0 0 0 20 21 1 $01 0 $GG",
         {"Error in function num text; bad function will be ignored"},
         MsgKind::Error},
        {"TXS missing lines",
         "TXS 0 0 0 0 20 21 1 2 2 $10 0\r\n  1 \"AB\"",
         {"Missing lines in TXS function"}},
        {"TXS blank line is missing",
         "TXS 0 0 0 0 20 21 1 2 2 $10 0\r\n  1 \"AB\"\r\n  \t ",
         {"Missing lines in TXS function"}},
        {"TXS short string, reading goes on",
         "TXS 0 0 0 0 20 21 1 3 2 $10 0\r\n  1 \"AB\"\r\n  2 \"ABC\"",
         {"Bad string length in TXS function"}},
        {"TXS both strings bad",
         "TXS 0 0 0 0 20 21 1 3 2 $10 0\r\n  1 \"\"\r\n  2 ABC",
         {"Bad string length in TXS function", "Bad string length in TXS function"}},
        {"TXS missing default",
         "TXS 0 0 0 0 20 21 1 2 1 $10 1\r\n  1 \"AB\"",
         {"Missing default string line in TXS function"}},
        {"TXS default number",
         "TXS 0 0 0 0 20 21 1 2 1 $10 1\r\n  1 \"AB\"\r\n  2 \"CD\"",
         {"Bad default string line number in TXS function"}},
        {"TXS default length",
         "TXS 0 0 0 0 20 21 1 2 1 $10 1\r\n  1 \"AB\"\r\n  -1 \"C\"",
         {"Bad default string length in TXS function"}},
        {"TXS number not a number",
         "TXS 0 0 0 0 20 21 1 2 1 $10 0\r\n  one \"AB\"",
         {"Error in function TXS text; bad function will be ignored"},
         MsgKind::Error},
        {"TXS too big for a record",
         "TXS 0 0 0 0 20 21 1 255 65535 $10 0",
         {"Error in function TXS text; bad function will be ignored"},
         MsgKind::Error},
        {"TXS no string", "TXS 0 0 0 0 20 21 1 2 0 $10 0", {"TXS function contains no string"}},
        {"TXS duplicate",
         "TXS 0 0 0 0 20 21 1 1 3 $10 0\r\n 1 \"a\"\r\n 2 \"b\"\r\n 1 \"c\"",
         {"Duplicate string numbers in TXS function"}},
        {"BUT missing line", "BUT 0 0 0 0 20 21 0 $91 \"ON\"", {"Missing line in BUT function"}},
        {"BUT blank line",
         "BUT 0 0 0 0 20 21 0 $91 \"ON\"\r\n   ",
         {"Missing line in BUT function"}},
        {"BUT empty", "BUT 0 0 0 0 20 21 0 $11 \"\"", {"Empty string in BUT function"}},
        {"BUT both empty",
         "BUT 0 0 0 0 20 21 0 $91 \"\"\r\n  \"\"",
         {"Empty string in BUT function"}},
        {"BUT without text", "BUT 0 0 0 0 20 21 0 $11", {"Empty string in BUT function"}},
    };
    auto d = project(0);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::RecordingDialog rec;
        auto f = readText(*d, c.text);
        EXPECT_TRUE(f->Error());
        EXPECT_EQ(rec.texts(), c.messages);
        ASSERT_FALSE(rec.entries.empty());
        EXPECT_EQ(rec.entries.back().kind, c.kind);
        EXPECT_EQ(rec.entries.back().title, c.kind == MsgKind::Error ? "ERROR" : "Warning");
    }
}

TEST(FuncLineReader, MessagesInTheUiLanguage) {
    const std::uint8_t saved = language();
    setLanguage(LangGerman);
    auto d = project(0);
    {
        test::RecordingDialog rec;
        readText(*d, "NUM x");
        ASSERT_EQ(rec.entries.size(), 1u);
        EXPECT_EQ(rec.entries[0].title, "FEHLER");
        EXPECT_EQ(rec.entries[0].text,
                  "Fehler im Text der Funktion NUM; fehlerhafte Funktion wird ignoriert");
    }
    setLanguage(LangCzech);
    {
        test::RecordingDialog rec;
        readText(*d, "ABC");
        ASSERT_EQ(rec.entries.size(), 1u);
        EXPECT_EQ(rec.entries[0].title, "Varování");
        EXPECT_EQ(rec.entries[0].text, "Chybný název funkce: ABC");
    }
    setLanguage(saved);
}

TEST(FuncLineReader, ContinuationLinesArePulledOnlyWhenNeeded) {
    auto d = project(0);
    TFuncLineList more({"  1 \"AB\"", "NUM 1 0 0 0 20 21 1 $01 0 $0910 1 0 0 0"});
    auto f = ReadFuncLine(*d, "TXS 0 0 0 0 20 21 1 2 1 $10 0", 0, more);
    EXPECT_FALSE(f->Error());
    EXPECT_EQ(more.Remaining(), 1u);
    TFuncLineList rest({"NUM"});
    EXPECT_FALSE(ReadFuncLine(*d, "TXT 0 0 0 0 20 21 1 $10", 0, rest)->Error());
    EXPECT_EQ(rest.Remaining(), 1u);
}

TEST(FuncLineReader, ModiconTsxSpacesOfVersion221) {
    const struct {
        int version;
        std::uint8_t protocol;
        const char* line;
        std::uint8_t source;
        std::uint8_t offset;
    } cases[] = {
        {221, 20, "TXT 0 0 0 0 1 3 1 $10", 0, 1},   {221, 23, "TXT 0 0 0 0 2 21 1 $10", 1, 21},
        {221, 20, "TXT 0 0 0 0 0 20 1 $10", 0, 20}, {222, 20, "TXT 0 0 0 0 1 3 1 $10", 1, 3},
        {221, 24, "TXT 0 0 0 0 1 3 1 $10", 1, 3},  // Modicon, not TSX
    };
    for (const auto& c : cases) {
        auto d = project(0, c.protocol);
        d->SetReadVersion(c.version);
        auto f = readText(*d, c.line);
        EXPECT_EQ(f->SourceSpace(), c.source) << c.version << " " << int(c.protocol);
        EXPECT_EQ(f->OffsetSpace(), c.offset) << c.version << " " << int(c.protocol);
    }
}

TEST(FuncLineReader, NastyLinesNeverCrash) {
    auto d = project(0);
    const std::string longText(255, 'A');
    const std::string lines[] = {
        "",
        " ",
        "NUM",
        "NUM ",
        "TXS",
        "BUT",
        "BAR\r",
        "\r\n",
        "BAR 99999999999999999999 0 0 0 20 21 1 8 0 100 $10",
        "NUM 1 0 0 0 20 21 1 $FFFFFFFFF",
        "NUM 1 0 0 0 20 21 1 $01 0 $0910 1e999 -1e999 nan inf",
        "BUT 0 0 0 0 20 21 0 $11 \"unterminated",
        "BUT 0 0 0 0 20 21 0 $11 \"",
        "BUT 0 0 0 0 20 21 0 $91 \"" + longText,
        longText,
        "TXT " + longText,
        "BUT 0 0 0 0 20 21 0 $11 \"" + longText + "\"",
        std::string("TXT 1\0 2 3", 10),
        "TXS 0 0 0 0 20 21 1 255 2 $10 1",
        "TXS -1 -1 -1 -1 -1 -1 -1 -1 -1 -1 -1",
    };
    for (const auto& line : lines) {
        test::RecordingDialog rec;
        auto f = ReadFuncLine(*d, line, 0);
        ASSERT_NE(f, nullptr);
        // Whatever was read can be measured, drawn, written and imaged without harm.
        std::vector<std::uint8_t> screen(160);
        f->RenderPlaceholder(screen, CharSet::Latin);
        (void)f->Description();
        (void)WriteFuncLine(*f, 0);
        (void)f->Image();
    }
    test::RecordingDialog rec;
    auto ok = ReadFuncLine(*d, "BUT 0 0 0 0 20 21 0 $11 \"" + longText + "\"", 0);
    EXPECT_FALSE(ok->Error());
    EXPECT_EQ(ok->Width(), 255);
    auto open = ReadFuncLine(*d, "BUT 0 0 0 0 20 21 0 $11 \"unterminated", 0);
    EXPECT_EQ(std::string(open->BufferText()), "unterminated");
    EXPECT_TRUE(ReadFuncLine(*d, "", 0)->Error());
    EXPECT_TRUE(ReadFuncLine(*d, "NUM", 0)->Error());
    EXPECT_TRUE(ReadFuncLine(*d, "BAR 99999999999999999999", 0)->Error());
}

}  // namespace
}  // namespace kyr

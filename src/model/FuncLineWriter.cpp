#include <algorithm>
#include <cstdarg>
#include <cstdio>

#include "model/Charset.h"
#include "model/DataClass.h"
#include "model/Func.h"
#include "model/FuncLine.h"

namespace kyr {

namespace {

__attribute__((format(printf, 2, 3))) void appendf(std::string& out, const char* format, ...) {
    char buf[256];
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(buf, sizeof buf, format, args);
    va_end(args);
    if (n > 0) out.append(buf, std::min(static_cast<std::size_t>(n), sizeof buf - 1));
}

// Reals are held as singles and written with 15 significant digits of that single value.
double real(float v) { return static_cast<double>(v); }

void appendHead(std::string& out, const TFunc& f) {
    appendf(out, " %s %d %d %d %d %d %d", std::string(f.Keyword()).c_str(), f.Position(),
            f.System(), f.SourceAddr(), f.OffsetAddr(), f.SourceSpace(), f.OffsetSpace());
}

void appendQuoted(std::string& out, std::string_view terminalText, CharSet set) {
    out += '"';
    out += termToPc(terminalText, set);
    out += '"';
}

constexpr const char* Eol = "\r\n";

}  // namespace

void AppendFuncLine(std::string& out, const TFunc& f, int convMode) {
    const CharSet set = charSetFromNumber(convMode);
    switch (f.Kind()) {
        case TFunc::KindNum:
            appendHead(out, f);
            appendf(out, " %d $%.2X %d $%.4X %.15g %.15g %.15g %.15g", f.SourceLength(),
                    f.NumDigits(), f.NumFormat(), f.NumFlags(), real(f.Gain()), real(f.NumOffset()),
                    real(f.MinValue()), real(f.MaxValue()));
            if (f.Data().IsLumQ())
                appendf(out, " %.15g %.15g $%.2X", real(f.ZoneLow()), real(f.ZoneHigh()),
                        f.ZoneAttr());
            out += Eol;
            break;
        case TFunc::KindTxt:
            appendHead(out, f);
            appendf(out, " %d $%.2X%s", f.TxtChars(), f.TxtFlags(), Eol);
            break;
        case TFunc::KindTxs: {
            appendHead(out, f);
            appendf(out, " %d %d %d $%.2X %d%s", f.SourceLength(), f.TxsStrLen(), f.TxsCount(),
                    f.TxsFlags(), f.TxsHasDefault() ? 1 : 0, Eol);
            for (std::size_t i = 0; i < f.TxsCount(); ++i) {
                appendf(out, "  %5d ", f.TxsNumber(i));
                appendQuoted(out, f.TxsString(i), set);
                out += Eol;
            }
            if (f.TxsHasDefault()) {
                appendf(out, "  %5d ", -1);
                appendQuoted(out, f.TxsDefaultString(), set);
                out += Eol;
            }
            break;
        }
        case TFunc::KindBit:
            appendHead(out, f);
            appendf(out, " %d $%.2X ", f.BitPosition(), f.BitFlags());
            appendQuoted(out, f.BitFirstText(), set);
            out += Eol;
            if (f.BitHasTwoTexts()) {
                out += "     ";
                appendQuoted(out, f.BitSecondText(), set);
                out += Eol;
            }
            break;
        case TFunc::KindBar:
            appendHead(out, f);
            appendf(out, " %d %d %.15g %.15g $%.4X%s", f.SourceLength(), f.BarWidth(),
                    real(f.BarEmpty()), real(f.BarFull()), f.BarFlags(), Eol);
            break;
        default:
            break;
    }
}

std::string WriteFuncLine(const TFunc& f, int convMode) {
    std::string out;
    AppendFuncLine(out, f, convMode);
    return out;
}

}  // namespace kyr

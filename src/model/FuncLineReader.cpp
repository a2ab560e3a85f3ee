#include <algorithm>
#include <cstring>
#include <new>

#include "model/Charset.h"
#include "model/DataClass.h"
#include "model/Func.h"
#include "model/FuncLine.h"
#include "model/FuncLineTokenizer.h"
#include "model/FuncTexts.h"
#include "model/UserDialog.h"

namespace kyr {

namespace {

// A value of the line that does not convert; ends the reading of the function.
struct BadValue {};

// Largest text buffer a record can carry: its image length is 16 bits.
constexpr std::size_t MaxTxsBuffer = 0xFFFF - 16;

void warn(const Text3& text) { showWarning(tr(texts::TitleWarning), tr(text)); }

// Reads the values of one function line into a new field of its kind.
class TFuncLineReader {
public:
    TFuncLineReader(TKyrData& data, TFunc& func, TFuncLineTokenizer& tokens, CharSet set,
                    TFuncLineSource& more)
        : data_(data), func_(func), tokens_(tokens), set_(set), more_(more) {}

    void Read() {
        readHead();
        switch (func_.Kind()) {
            case TFunc::KindNum:
                readNum();
                break;
            case TFunc::KindTxt:
                readTxt();
                break;
            case TFunc::KindTxs:
                readTxs();
                break;
            case TFunc::KindBit:
                readBit();
                break;
            case TFunc::KindBar:
                readBar();
                break;
            default:
                break;
        }
    }

private:
    std::int32_t nextInt() { return nextIntOf(tokens_); }
    static std::int32_t nextIntOf(TFuncLineTokenizer& tokens) {
        const auto v = tokens.NextInt();
        if (!v) throw BadValue{};
        return *v;
    }
    std::uint8_t nextU8() { return static_cast<std::uint8_t>(nextInt()); }
    std::uint16_t nextU16() { return static_cast<std::uint16_t>(nextInt()); }

    void fail(const Text3& text) {
        warn(text);
        func_.SetError();
    }

    // Files of version 2.21 numbered the Modicon TSX spaces differently.
    std::uint8_t remapSpace(std::uint8_t space) const {
        if (data_.ReadVersion() != 221 || data_.PlcFamily() != 11) return space;
        if (space == 1) return 0;
        if (space == 2 || space == 3) return 1;
        return space;
    }

    void readHead() {
        func_.SetPosition(nextU8());
        func_.SetSystem(nextU8());
        func_.SetSourceAddr(nextU16());
        func_.SetOffsetAddr(nextU16());
        func_.SetSourceSpace(remapSpace(nextU8()));
        func_.SetOffsetSpace(remapSpace(nextU8()));
    }

    void readNum() {
        func_.SetSourceLength(nextU8());
        func_.SetNumDigits(nextU8());
        func_.SetNumFormat(nextU8());
        func_.SetNumFlags(nextU16());
        func_.SetGain(tokens_.NextReal());
        func_.SetNumOffset(tokens_.NextReal());
        func_.SetMinValue(tokens_.NextReal());
        func_.SetMaxValue(tokens_.NextReal());
        if (!data_.IsLumQ()) return;
        func_.SetZoneLow(tokens_.NextReal());
        func_.SetZoneHigh(tokens_.NextReal());
        func_.SetZoneAttr(nextU8());
    }

    void readTxt() {
        func_.SetTxtChars(nextU8());
        func_.SetTxtFlags(nextU8());
    }

    void readBar() {
        func_.SetSourceLength(nextU8());
        func_.SetBarWidth(nextU8());
        func_.SetBarEmpty(tokens_.NextReal());
        func_.SetBarFull(tokens_.NextReal());
        func_.SetBarFlags(nextU16());
    }

    // The next continuation line; nullopt when there is none or it is blank.
    std::optional<std::string> continuation() {
        auto line = more_.NextLine();
        if (!line || isBlankLine(*line)) return std::nullopt;
        return line;
    }

    std::string toTerm(std::string_view pc) const { return pcToTerm(pc, set_); }

    void readTxs() {
        func_.SetSourceLength(nextU8());
        func_.SetTxsStrLen(nextU8());
        func_.SetTxsCount(nextU16());
        func_.SetTxsFlags(nextU8());
        func_.SetTxsHasDefault(nextInt() != 0);
        const std::size_t length = func_.TxsBufferLength();
        if (length > MaxTxsBuffer) throw BadValue{};
        func_.AllocBuffer(length);

        const std::size_t count = func_.TxsCount();
        const std::size_t strLen = func_.TxsStrLen();
        for (std::size_t i = 0; i < count; ++i) {
            const auto line = continuation();
            if (!line) return fail(functexts::TxsMissingLines);
            TFuncLineTokenizer tokens(*line, TFuncLineTokenizer::Start::AtValues);
            func_.SetTxsNumber(i, static_cast<std::uint16_t>(nextIntOf(tokens)));
            const std::string text = toTerm(tokens.QuotedRest());
            if (text.empty() || text.size() != strLen) {
                fail(functexts::TxsBadStringLength);
                continue;
            }
            std::memcpy(func_.Buffer().data() + count * 2 + strLen * i, text.data(), strLen);
        }
        if (!func_.TxsHasDefault()) return;

        const auto line = continuation();
        if (!line) return fail(functexts::TxsMissingDefaultLine);
        TFuncLineTokenizer tokens(*line, TFuncLineTokenizer::Start::AtValues);
        if (nextIntOf(tokens) != -1) return fail(functexts::TxsBadDefaultNumber);
        const std::string text = toTerm(tokens.QuotedRest());
        if (text.size() != strLen) return fail(functexts::TxsBadDefaultLength);
        std::memcpy(func_.Buffer().data() + (count * 2 + strLen * count), text.data(), strLen);
    }

    void readBit() {
        func_.SetBitPosition(nextU8());
        func_.SetBitFlags(nextU8());
        const std::string first = toTerm(tokens_.QuotedRest());
        std::string second;
        const bool two = func_.BitHasTwoTexts();
        if (two) {
            const auto line = continuation();
            if (!line) return fail(functexts::ButMissingLine);
            TFuncLineTokenizer tokens(*line, TFuncLineTokenizer::Start::AtValues);
            second = toTerm(tokens.QuotedRest());
        }
        if (first.empty() && second.empty()) return fail(functexts::ButEmptyString);
        const std::size_t slot = std::max(first.size(), second.size());
        std::string buffer(two ? 2 * slot : slot, ' ');
        buffer.replace(0, first.size(), first);
        if (two) buffer.replace(slot, second.size(), second);
        func_.SetBuffer(buffer);
    }

    TKyrData& data_;
    TFunc& func_;
    TFuncLineTokenizer& tokens_;
    CharSet set_;
    TFuncLineSource& more_;
};

class TNoMoreLines final : public TFuncLineSource {
public:
    std::optional<std::string> NextLine() override { return std::nullopt; }
};

std::string errorInFunctionText(std::string_view keyword) {
    std::string text(tr(functexts::ErrorInFunction));
    text += cp1250ToUtf8(keyword);
    text += tr(functexts::ErrorInFunctionTail);
    return text;
}

}  // namespace

std::unique_ptr<TFunc> ReadFuncLine(TKyrData& data, std::string_view line, int convMode,
                                    TFuncLineSource& more) {
    TFuncLineTokenizer tokens(line);
    const std::string_view keyword = tokens.Keyword();
    const int kind = TFunc::KindOfKeyword(keyword);
    if (kind < 0) {
        auto bad = std::make_unique<TFunc>(data, TFunc::KindNum);
        bad->SetError();
        std::string text(tr(functexts::BadFunctionName));
        text += cp1250ToUtf8(keyword);
        showWarning(tr(texts::TitleWarning), text);
        return bad;
    }
    auto func = std::make_unique<TFunc>(data, kind);
    try {
        TFuncLineReader(data, *func, tokens, charSetFromNumber(convMode), more).Read();
    } catch (const BadValue&) {
        func->SetError();
        showError(errorInFunctionText(keyword));
        return func;
    } catch (const std::bad_alloc&) {
        func->SetError();
        warn(functexts::OutOfMemory);
        return func;
    }
    if (!func->Error() && !func->Check()) func->SetError();
    return func;
}

std::unique_ptr<TFunc> ReadFuncLine(TKyrData& data, std::string_view line, int convMode) {
    TNoMoreLines none;
    return ReadFuncLine(data, line, convMode, none);
}

}  // namespace kyr

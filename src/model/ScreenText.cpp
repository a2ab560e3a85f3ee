// The screen block of the project text:
//
//   [0012] comment
//     FLAGS $04
//     DISPFLAGS $0000        (LUMQ terminals)
//     EXD 3                  (when a table is chosen)
//     "first row"
//     "second row"
//    NUM 41 0 100 0 1 21 2 $04 ...
//
// Reading makes two passes over the lines after the header: one collects the quoted text,
// the other reads the keyword lines.
#include <algorithm>
#include <cstdio>

#include "model/Charset.h"
#include "model/DataClass.h"
#include "model/Func.h"
#include "model/FuncLine.h"
#include "model/Screen.h"
#include "model/ShortString.h"
#include "model/SystemMode.h"
#include "model/TextTokens.h"
#include "model/Texts.h"
#include "model/UserDialog.h"

namespace kyr {

namespace {

constexpr Text3 BadScreenNumber{
    "Chybné číslo obrazovky: ", "Falsche Bildschirmnummer: ", "Bad screen number: "};
constexpr Text3 BadScreenFlags{
    "Chybné příznaky obrazovky: ", "Falsche Bildschirm-Flags: ", "Bad screen flags: "};
constexpr Text3 BadExdNumber{
    "Chybné číslo tabulky EXD: ", "Falsche EXD-Tabellennummer: ", "Bad EXD table number: "};
constexpr Text3 BadDispFlags{
    "Chybné příznaky displeje: ", "Falsche Anzeige-Flags: ", "Bad display flags: "};

constexpr std::size_t TextAccumulatorMax = 255;

void warn(const Text3& text, std::string_view quoted) {
    showWarning(tr(texts::TitleWarning), std::string(tr(text)) + cp1250ToUtf8(quoted));
}

// A line with its first character dropped (the indentation blank of a file, the LF of a
// clipboard CR LF) and then its leading blanks and tabs.
std::string_view content(std::string_view line) {
    if (line.empty()) return line;
    line.remove_prefix(1);
    const auto start = line.find_first_not_of(" \t");
    return start == std::string_view::npos ? std::string_view() : line.substr(start);
}

bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

std::string upper3(std::string_view text) {
    std::string out(text.substr(0, 3));
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

// The continuation lines of a function: the lines after its own, without the LF a clipboard
// CR LF leaves at their start.
class BlockLines final : public TFuncLineSource {
public:
    explicit BlockLines(std::span<const std::string_view> lines) : lines_(lines) {}
    std::optional<std::string> NextLine() override {
        if (next_ >= lines_.size()) return std::nullopt;
        std::string_view line = lines_[next_++];
        if (!line.empty() && line.front() == '\n') line.remove_prefix(1);
        return std::string(line);
    }

private:
    std::span<const std::string_view> lines_;
    std::size_t next_ = 0;
};

std::string hex(unsigned value, int digits) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "$%0*X", digits, value);
    return buf;
}

void line(std::string& out, std::string_view text) {
    out += text;
    out += "\r\n";
}

// Rows of a LUMQ text: each row takes `cols` cells, a '.' right after a taken character going
// with it as its decimal point.
std::vector<std::string> lumqRows(std::string_view text, int rows, int cols) {
    std::vector<std::string> out;
    std::size_t at = 0;
    for (int r = 0; r < rows; ++r) {
        std::string row;
        for (int cell = 0; cell < cols && at < text.size(); ++cell) {
            row += text[at++];
            if (at < text.size() && text[at] == '.') row += text[at++];
        }
        out.push_back(std::move(row));
    }
    return out;
}

}  // namespace

// ---- reading ----------------------------------------------------------------------------

std::unique_ptr<TKyrScreen> TKyrScreen::ReadBlock(TKyrData& data, std::string_view section,
                                                  int fileVersion) {
    auto screen = std::make_unique<TKyrScreen>(data);
    const auto lines = sectionLines(section);
    const std::string_view header = lines.empty() ? std::string_view() : lines.front();

    const std::size_t digits = fileVersion < FormatTwoByteNumber ? 3 : 4;
    const std::string_view numberText =
        header.substr(std::min<std::size_t>(1, header.size()), digits);
    const std::int32_t number = IntegerOr(numberText, -1);
    const int highest = isSystemMode() ? MaxSystemNumber : MaxNumber;
    if (header.size() < digits + 2 || header[0] != '[' || header[digits + 1] != ']' || number < 0 ||
        number > highest) {
        warn(BadScreenNumber, numberText);
        screen->error_ = true;
        return screen;
    }
    screen->number_ = number;
    screen->SetComment(trimLeadingBlanks(header.substr(digits + 2)));

    const std::span<const std::string_view> body = std::span(lines).subspan(lines.empty() ? 0 : 1);
    std::string text;
    for (const std::string_view l : body) {
        std::string_view rest = content(l);
        if (rest.empty() || rest.front() != '"') continue;
        rest.remove_prefix(1);
        if (!rest.empty() && rest.back() == '"') rest.remove_suffix(1);
        text += rest.substr(0, TextAccumulatorMax - std::min(text.size(), TextAccumulatorMax));
    }
    screen->SetImageText(text);

    screen->readKeywords(body);
    screen->ToDisplayText();
    return screen;
}

void TKyrScreen::readKeywords(std::span<const std::string_view> lines) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].size() < 2 || lines[i][1] == '[') return;
        readKeywordLine(lines, i);
    }
}

void TKyrScreen::readKeywordLine(std::span<const std::string_view> lines, std::size_t index) {
    const std::string_view rest = content(lines[index]);
    if (rest.empty() || !isLetter(rest.front())) return;
    const std::string keyword = upper3(rest);
    const auto after = [&](std::size_t n) { return rest.substr(std::min(n, rest.size())); };
    if (keyword == "FLA") {
        const std::int32_t v = IntegerOr(after(5), -1);
        if (v >= 0 && v <= 255) {
            flags_ = static_cast<std::uint8_t>(v);
        } else {
            warn(BadScreenFlags, after(5));
        }
        convertTextFromPc();
    } else if (keyword == "EXD") {
        const std::int32_t v = IntegerOr(after(3), -1);
        if (v >= 0 && v <= 255) {
            exdTable_ = static_cast<std::uint8_t>(v);
        } else {
            warn(BadExdNumber, after(3));
        }
    } else if (keyword == "DIS") {
        const std::int32_t v = IntegerOr(after(9), -1);
        if (v >= 0 && v <= 0xFFFF) {
            dispFlags_ = static_cast<std::uint16_t>(v);
        } else {
            warn(BadDispFlags, after(9));
        }
    } else {
        BlockLines more(lines.subspan(index + 1));
        auto func = ReadFuncLine(*data_, rest, CharSetBits(), more);
        if (func->Error()) return;
        // A field that no longer fits the display (the type was changed) is dropped silently.
        if (func->Position() + func->Width() > data_->ScreenSize()) return;
        AppendFunction(std::move(func));
    }
}

void TKyrScreen::convertTextFromPc() { pcToTermInPlace(imageText_, TextCharSet()); }

// ---- writing ----------------------------------------------------------------------------

void TKyrScreen::WriteBlock(std::string& out) const {
    char head[32];
    std::snprintf(head, sizeof head, "[%.4d] ", number_);
    line(out, head + comment_);
    line(out, "  FLAGS " + hex(flags_, 2));
    if (data_->IsLumQ()) line(out, "  DISPFLAGS " + hex(dispFlags_, 4));
    if (exdTable_ < NoExdTable) line(out, "  EXD " + std::to_string(exdTable_));

    const std::string text = termToPc(ImageTextFromDisplay(), TextCharSet());
    const int rows = data_->Rows();
    const int cols = data_->Cols();
    std::vector<std::string> rowTexts;
    if (data_->IsLumQ()) {
        rowTexts = lumqRows(text, rows, cols);
    } else {
        for (int r = 0; r < rows; ++r)
            rowTexts.push_back(text.substr(std::min<std::size_t>(text.size(), r * cols), cols));
    }
    for (const auto& row : rowTexts) line(out, "  \"" + row + "\"");

    for (const auto& f : funcs_) AppendFuncLine(out, *f, CharSetBits());
}

}  // namespace kyr

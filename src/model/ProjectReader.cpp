#include "model/ProjectReader.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <memory>

#include "model/Charset.h"
#include "model/CommTableText.h"
#include "model/DataClass.h"
#include "model/ExdTab.h"
#include "model/ProjectTexts.h"
#include "model/Screen.h"
#include "model/ShortString.h"
#include "model/TermTypes.h"
#include "model/TextNumbers.h"
#include "model/UserDialog.h"
#include "model/Version.h"

namespace kyr {

namespace {

std::string lowered(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string uppered(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Moves `pos` past the next CR (to the start of the next line of a section).
void skipLine(std::string_view text, std::size_t& pos) {
    const std::size_t cr = text.find('\r', pos);
    pos = cr == std::string_view::npos ? text.size() : cr + 1;
}

// Setup bytes in the order of the [Setup] line.
constexpr std::array<std::size_t, 10> kSetupOrder{0, 1, 2, 3, 7, 5, 6, 4, 8, 9};

// The whole file, false when it cannot be opened or a read fails (a folder, say).
bool readWholeFile(const std::string& path, std::string& content) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                         &std::fclose);
    if (!file) return false;
    std::array<char, 65536> chunk;
    for (;;) {
        const std::size_t n = std::fread(chunk.data(), 1, chunk.size(), file.get());
        content.append(chunk.data(), n);
        if (n < chunk.size()) break;
    }
    return std::ferror(file.get()) == 0;
}

}  // namespace

ProjectReader::ProjectReader(TKyrData& data, std::string_view fileName)
    : data_(data), fileName_(fileName) {}

ProjectReader::Kind ProjectReader::KindOf(std::string_view header) {
    if (header.size() >= 2 && isDigit(header[1])) return Kind::Screen;
    const std::string key = lowered(header.substr(1, 9));
    const struct {
        std::string_view word;
        Kind kind;
    } kWords[] = {{"descr", Kind::Descr},   {"info", Kind::Info}, {"setup", Kind::Setup},
                  {"tables", Kind::Tables}, {"exd", Kind::Exd},   {"name", Kind::Name}};
    for (const auto& w : kWords) {
        if (key.starts_with(w.word)) return w.kind;
    }
    return Kind::Unknown;
}

bool ProjectReader::HasUnknownCharSet(const std::vector<TextSection>& sections) {
    // Looks where the screen reader takes its FLAGS value: the keyword lines of a screen
    // block, split at CR as the reader splits them; the keyword lines end at one shorter than
    // two characters or whose second character is "["; the first character is dropped, then
    // blanks and tabs, and the keyword is told by its first three letters.
    for (const TextSection& section : sections) {
        if (section.tooLong || KindOf(section.Header()) != Kind::Screen) continue;
        std::string_view body = section.Body();
        while (!body.empty()) {
            const std::size_t cr = body.find('\r');
            const std::string_view line = body.substr(0, cr);
            body.remove_prefix(cr == std::string_view::npos ? body.size() : cr + 1);
            if (line.size() < 2 || line[1] == '[') break;
            std::string_view rest = line.substr(1);
            rest.remove_prefix(std::min(rest.find_first_not_of(" \t"), rest.size()));
            if (rest.size() < 3 || uppered(rest.substr(0, 3)) != "FLA") continue;
            const std::int32_t value =
                IntegerOr(rest.substr(std::min<std::size_t>(5, rest.size())), -1);
            if (value < 0 || value > 255) continue;
            const int set = (value >> 2) & 3;
            if (set == 2 || set == 3) return true;
        }
    }
    return false;
}

void ProjectReader::ReadFile(const std::string& path) {
    std::string content;
    if (!readWholeFile(path, content)) {
        data_.SetTermType(0);
        data_.SetReadVersion(-1);
        fail(FillIn(tr(texts::CannotOpenFile), {fileName_}));
        finish();
        return;
    }
    ReadContent(content);
}

void ProjectReader::ReadContent(std::string_view content) {
    data_.SetTermType(0);
    data_.SetReadVersion(-1);
    data_.SetCompatVersion(999);
    const std::vector<std::string_view> lines = SplitProjectLines(content);
    const std::vector<TextSection> sections = SplitSections(lines);
    unknownCharSet_ = HasUnknownCharSet(sections);
    for (const TextSection& section : sections) {
        if (readSection(section) == Step::Stop) break;
    }
    finish();
}

void ProjectReader::finish() {
    data_.SetFileVersion(data_.ReadVersion());
    data_.SetReadVersion(ProgramVersion);
}

ProjectReader::Step ProjectReader::fail(std::string_view text) {
    data_.SetLoadFailed(true);
    showError(text);
    return Step::Stop;
}

ProjectReader::Step ProjectReader::readSection(const TextSection& section) {
    if (section.tooLong) return fail(tr(texts::WrongFormat));
    const Kind kind = KindOf(section.Header());
    switch (kind) {
        case Kind::Descr:
            readDescr(section);
            return Step::Go;
        case Kind::Info:
            if (readInfo(section) == Step::Stop) return Step::Stop;
            return checkInfo();
        case Kind::Unknown:
            return Step::Go;
        default:
            break;
    }
    if (data_.ReadVersion() < 0) return fail(tr(texts::WrongFormat));
    switch (kind) {
        case Kind::Screen:
            readScreen(section);
            return Step::Go;
        case Kind::Exd:
            return readExd(section);
        case Kind::Setup:
            return readSetup(section);
        case Kind::Tables:
            return readTables(section);
        default:
            return Step::Go;  // [Name]
    }
}

void ProjectReader::readDescr(const TextSection& section) {
    data_.SetDescription(shortString(section.Body()));
}

bool ProjectReader::takeInteger(const TextSection& section, std::size_t& pos, std::int32_t& value) {
    const std::string_view text = section.text;
    const std::string_view token = NextToken(text, pos);
    if (token.empty()) {
        fail(FillIn(tr(texts::NumberMissing),
                    {fileName_, std::to_string(section.LineOf(text.size()))}));
        return false;
    }
    const auto parsed = ParseInteger(token);
    if (!parsed) {
        const std::size_t at = static_cast<std::size_t>(token.data() - text.data());
        fail(FillIn(tr(texts::NumberExpected),
                    {fileName_, std::to_string(section.LineOf(at)), cp1250ToUtf8(token)}));
        return false;
    }
    value = *parsed;
    return true;
}

ProjectReader::Step ProjectReader::readInfo(const TextSection& section) {
    const std::string_view text = section.text;
    std::size_t pos = section.BodyOffset();
    for (;;) {
        const std::string_view token = NextToken(text, pos);
        if (token.empty()) return Step::Go;
        const std::string word = uppered(token);
        std::int32_t value = 0;
        if (const int type = termTypeFromKeyword(word); type >= 0) {
            data_.SetTermType(static_cast<std::uint8_t>(type));
        } else if (word == "VER") {
            if (!takeInteger(section, pos, value)) return Step::Stop;
            data_.SetReadVersion(value);
        } else if (word == "COMPAT") {
            if (!takeInteger(section, pos, value)) return Step::Stop;
            data_.SetCompatVersion(value);
        }
        skipLine(text, pos);
    }
}

ProjectReader::Step ProjectReader::checkInfo() {
    const int ver = data_.ReadVersion();
    const int compat = data_.CompatVersion();
    if (ver < 202) return fail(tr(texts::WrongFormat));
    if (ver > ProgramVersion && compat > ProgramVersion) {
        const int needed = compat <= ver ? compat : ver;
        return fail(std::string(tr(texts::TooNew)) + FormatVersion(needed));
    }
    if (unknownCharSet_) return fail(tr(texts::UnknownFormat));
    return Step::Go;
}

ProjectReader::Step ProjectReader::readSetup(const TextSection& section) {
    // Only the first 255 characters after the header line count.
    TextSection cut;
    cut.firstLine = section.firstLine;
    const std::size_t body = section.BodyOffset();
    cut.text = section.text.substr(
        0, body + std::min<std::size_t>(ShortStringMax, section.text.size() - body));
    std::size_t pos = body;
    for (const std::size_t byte : kSetupOrder) {
        std::int32_t value = 0;
        if (!takeInteger(cut, pos, value)) return Step::Stop;
        data_.Setup().Bytes()[byte] = static_cast<std::uint8_t>(value & 0xFF);
    }
    return Step::Go;
}

ProjectReader::Step ProjectReader::readTables(const TextSection& section) {
    TextFault fault;
    if (ReadCommTableSection(data_, section.text, fault)) return Step::Go;
    return reportFault(section, fault);
}

ProjectReader::Step ProjectReader::reportFault(const TextSection& section, const TextFault& fault) {
    const std::string line = std::to_string(section.firstLine + fault.line);
    if (fault.token.empty()) return fail(FillIn(tr(texts::NumberMissing), {fileName_, line}));
    return fail(FillIn(tr(texts::NumberExpected), {fileName_, line, cp1250ToUtf8(fault.token)}));
}

void ProjectReader::readScreen(const TextSection& section) {
    auto screen = TKyrScreen::ReadBlock(data_, section.text, data_.ReadVersion());
    if (!screen->Error()) data_.AppendScreen(std::move(screen));
}

ProjectReader::Step ProjectReader::readExd(const TextSection& section) {
    // Row faults are reported with line numbers of 1 and up.
    TextFault fault{0, {}};
    auto table = TExdTab::ReadSection(data_, section.text, &fault);
    if (fault.line > 0) return reportFault(section, fault);
    if (!table->Error()) data_.AppendExdTable(std::move(table));
    return Step::Go;
}

}  // namespace kyr

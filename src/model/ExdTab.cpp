#include "model/ExdTab.h"

#include "model/Bytes.h"
#include "model/Charset.h"
#include "model/ShortString.h"
#include "model/Texts.h"
#include "model/UserDialog.h"

namespace kyr {

namespace {

constexpr Text3 BadNumberText{
    "Komunikační tabulka: Chybné číslo tabulky EXD: ",
    "Kommunikationstabelle: Falsche EXD-Tabellennummer: ", "Comm Table: Bad EXD table number: "};
constexpr Text3 TablePrefixText{"Tabulka EXD ", "EXD-Tabelle ", "EXD Table "};
constexpr Text3 TooManyLinesText{": příliš mnoho řádků", ": zu viele Zeilen", ": too many lines"};
constexpr Text3 BadRowValueText{": chybné číslo ", ": falsche Zahl ", ": bad number "};
constexpr Text3 TableIgnoredText{"Chyba v datech tabulky EXD; chybná tabulka bude vynechána",
                                 "Fehler in den Daten der EXD-Tabelle; fehlerhafte Tabelle wird "
                                 "ignoriert",
                                 "Error in EXD Table data; bad Table will be ignored"};

void warn(std::string_view text) { showWarning(tr(texts::TitleWarning), text); }

// The header as messages quote it: up to and including its "]" (all of it without one).
std::string_view quotedHeader(std::string_view header) {
    const auto close = header.find(']');
    return close == std::string_view::npos ? header : header.substr(0, close + 1);
}

// A row line that holds nothing: empty, or only blanks (the LF of a CR LF pair included).
bool isBlankLine(std::string_view line) { return trimLeadingBlanks(line).empty(); }

}  // namespace

TExdTab::TExdTab(TKyrData& data) : data_(&data) { ClearRows(); }

TExdTab::~TExdTab() = default;

void TExdTab::SetName(std::string_view name) { name_ = shortString(name); }

std::int8_t TExdTab::System(int row) const {
    if (!valid(row)) return SystemEmpty;
    return static_cast<std::int8_t>(bytes::u8(rows_, base(row)));
}

std::uint8_t TExdTab::Space(int row) const {
    return valid(row) ? bytes::u8(rows_, base(row) + 1) : 0;
}

std::uint16_t TExdTab::Address(int row) const {
    return valid(row) ? bytes::u16le(rows_, base(row) + 2) : 0;
}

void TExdTab::SetRow(int row, std::int8_t system, std::uint8_t space, std::uint16_t address) {
    if (!valid(row)) return;
    bytes::setU8(rows_, base(row), static_cast<std::uint8_t>(system));
    bytes::setU8(rows_, base(row) + 1, space);
    bytes::setU16le(rows_, base(row) + 2, address);
}

void TExdTab::ClearRow(int row) { SetRow(row, SystemEmpty, 0, 0); }

void TExdTab::ClearRows() {
    for (int row = 0; row < RowCount; ++row) ClearRow(row);
}

int TExdTab::LastUsedRow() const {
    for (int row = RowCount - 1; row >= 0; --row) {
        if (RowUsed(row)) return row;
    }
    return -1;
}

// ---- project text -----------------------------------------------------------------------

std::unique_ptr<TExdTab> TExdTab::ReadSection(TKyrData& data, std::string_view section,
                                              TextFault* fault) {
    auto table = std::make_unique<TExdTab>(data);
    const auto lines = sectionLines(section);
    const std::string_view header = lines.empty() ? std::string_view() : lines.front();
    const std::string shownHeader = cp1250ToUtf8(quotedHeader(header));

    const std::size_t numberStart = std::min<std::size_t>(4, header.size());
    const auto numberEnd = header.find(']', numberStart);
    // A header without its "]" has no number.
    const std::int32_t number =
        numberEnd == std::string_view::npos
            ? -1
            : IntegerOr(header.substr(numberStart, numberEnd - numberStart), -1);
    if (number < 0 || number > MaxNumber) {
        warn(std::string(tr(BadNumberText)) + shownHeader);
        table->error_ = true;
    } else {
        table->number_ = static_cast<std::uint8_t>(number);
    }
    if (const auto close = header.find(']'); close != std::string_view::npos) {
        table->SetName(trimLeadingBlanks(header.substr(close + 1)));
    }

    int filled = 0;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (isBlankLine(lines[i])) continue;
        if (filled == RowCount) {
            warn(std::string(tr(TablePrefixText)) + shownHeader +
                 std::string(tr(TooManyLinesText)));
            table->error_ = true;
            break;
        }
        TokenCursor cursor(lines[i]);
        const auto system = cursor.NextInt();
        const auto space = system ? cursor.NextInt() : std::nullopt;
        const auto address = space ? cursor.NextInt() : std::nullopt;
        if (!address) {
            table->error_ = true;
            if (fault) {
                *fault = TextFault{static_cast<int>(i), std::string(cursor.LastToken())};
                return table;
            }
            warn(std::string(tr(TablePrefixText)) + shownHeader + std::string(tr(BadRowValueText)) +
                 cp1250ToUtf8(cursor.LastToken()));
            break;
        }
        table->SetRow(filled++, static_cast<std::int8_t>(*system & 0xFF),
                      static_cast<std::uint8_t>(*space & 0xFF),
                      static_cast<std::uint16_t>(*address & 0xFFFF));
    }
    if (table->error_) showError(tr(TableIgnoredText));
    return table;
}

void TExdTab::WriteSection(std::string& out) const {
    out += "[EXD" + std::to_string(number_) + "] " + name_ + "\r\n";
    const int last = LastUsedRow();
    for (int row = 0; row <= last; ++row) {
        out += ' ' + std::to_string(System(row)) + ' ' + std::to_string(Space(row)) + ' ' +
               std::to_string(Address(row)) + "\r\n";
    }
}

// ---- memory image -----------------------------------------------------------------------

int TExdTab::PutToImage(std::span<std::uint8_t> dest) const {
    if (dest.size() < ImageSlotSize) return 0;
    bytes::setU8(dest, 1, number_);
    for (int row = 0; row < RowCount; ++row) {
        const std::size_t at = 2 + base(row);
        bytes::setU8(dest, at, bytes::u8(rows_, base(row)));
        bytes::setU8(dest, at + 1, Space(row));
        bytes::setU16be(dest, at + 2, Address(row));
    }
    return ImageSize;
}

std::unique_ptr<TExdTab> TExdTab::FromImage(TKyrData& data, std::span<const std::uint8_t> src) {
    auto table = std::make_unique<TExdTab>(data);
    if (src.size() < ImageSlotSize) {
        table->error_ = true;
        return table;
    }
    table->number_ = bytes::u8(src, 1);
    for (int row = 0; row < RowCount; ++row) {
        const std::size_t at = 2 + base(row);
        table->SetRow(row, static_cast<std::int8_t>(bytes::u8(src, at)), bytes::u8(src, at + 1),
                      bytes::u16be(src, at + 2));
    }
    return table;
}

}  // namespace kyr

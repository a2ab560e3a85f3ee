#include "model/CommTableText.h"

#include "model/Charset.h"
#include "model/DataClass.h"
#include "model/ProjectTexts.h"
#include "model/Texts.h"
#include "model/UserDialog.h"

namespace kyr {

namespace {

constexpr int InpRow = 5;

}  // namespace

int CommRowsWritten(const TKyrData& data) {
    if (data.TermType() == 0 && data.Setup().IoBoard() != 4) return InpRow;
    return data.LastCommRow() + 1;
}

void WriteCommTableSection(const TKyrData& data, std::string& out) {
    out += "[Tables]\r\n";
    const TCommTable& table = data.CommTable();
    const int rows = CommRowsWritten(data);
    for (int row = 0; row < rows; ++row) {
        out += ' ';
        out += commRowInfo(row).fileName;
        out += ' ' + std::to_string(table.System(row)) + ' ' + std::to_string(table.Space(row)) +
               ' ' + std::to_string(table.Begin(row)) + "\r\n";
    }
}

bool ReadCommTableSection(TKyrData& data, std::string_view section, TextFault& fault) {
    TCommTable& table = data.CommTable();
    for (int row = 0; row < TCommTable::RowCount; ++row) {
        table.SetSystem(row, TCommTable::SystemUnused);
        table.SetSpace(row, TCommTable::SpaceTerminal);
    }
    const auto lines = sectionLines(section);
    for (std::size_t i = 1; i < lines.size(); ++i) {
        TokenCursor cursor(lines[i]);
        const std::string_view name = cursor.Take();
        if (name.empty()) continue;
        const int row = commRowByName(name);
        if (row < 0 || row > data.LastCommRow()) {
            showWarning(tr(texts::TitleWarning),
                        std::string(tr(texts::BadCommTableName)) + cp1250ToUtf8(name));
            continue;
        }
        std::int32_t values[3] = {};
        for (auto& value : values) {
            const std::string_view token = cursor.Take();
            const auto number = ParseInteger(token);
            if (!number) {
                fault = TextFault{static_cast<int>(i), std::string(token)};
                return false;
            }
            value = *number;
        }
        table.SetRow(row, static_cast<std::int8_t>(values[0] & 0xFF),
                     static_cast<std::uint8_t>(values[1] & 0xFF),
                     static_cast<std::uint16_t>(values[2] & 0xFFFF));
    }
    return true;
}

}  // namespace kyr

// Feeds arbitrary bytes to the project reader as the content of a project file. Whatever the
// reader accepts must also save, and a saved project must read back and save to the same
// bytes again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "model/DataClass.h"
#include "model/ProjectLines.h"
#include "model/ProjectReader.h"
#include "model/ProjectWriter.h"
#include "model/Screen.h"
#include "model/UserDialog.h"

namespace {

// Shows nothing; questions are answered No.
class SilentDialog final : public kyr::UserDialog {
public:
    void message(kyr::MsgKind, std::string_view, std::string_view) override {}
    kyr::Answer question(kyr::MsgKind, std::string_view, std::string_view,
                         kyr::Buttons buttons) override {
        return buttons == kyr::Buttons::YesNo || buttons == kyr::Buttons::YesNoCancel
                   ? kyr::Answer::No
                   : kyr::Answer::Cancel;
    }
    std::optional<std::string> inputBox(std::string_view, std::string_view,
                                        std::string_view) override {
        return std::nullopt;
    }
    void beep() override {}
};

std::unique_ptr<kyr::TKyrData> read(std::string_view content) {
    auto data = kyr::TKyrData::ForFile("fuzz.kyr");
    kyr::ProjectReader(*data, "fuzz.kyr").ReadContent(content);
    return data;
}

// The project saved as its text, after the description trimming of a save.
std::string saved(kyr::TKyrData& data) {
    data.SetDescription(kyr::SavedDescription(data.Description()));
    return kyr::ProjectFileText(data);
}

// A file with two [Info] sections can change the terminal type after screens were read; the
// first save then holds fields outside the smaller display, which the next reading drops.
int infoSections(std::string_view content) {
    int count = 0;
    for (const std::string_view line : kyr::SplitProjectLines(content)) {
        if (!line.empty() && line.front() == '[' &&
            kyr::ProjectReader::KindOf(line) == kyr::ProjectReader::Kind::Info) {
            ++count;
        }
    }
    return count;
}

// Header lines are read up to 255 characters, so a screen comment or an EXD table name longer
// than its header leaves room for is shortened by the next reading; such inputs are checked
// for opening again, not for the same bytes.
bool headerTooLong(const kyr::TKyrData& data) {
    for (const auto& screen : data.Screens()) {
        if (screen->Comment().size() + 7 > kyr::ProjectLineMax) return true;
    }
    for (const auto& table : data.ExdTables()) {
        const std::size_t head = 6 + std::to_string(table->Number()).size();
        if (table->Name().size() + head > kyr::ProjectLineMax) return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    static SilentDialog dialog;
    static const bool installed = (kyr::setDialogs(&dialog), true);
    (void)installed;

    const std::string_view input(reinterpret_cast<const char*>(bytes), size);
    const auto first = read(input);
    if (first->LoadFailed()) return 0;
    std::string text = saved(*first);
    if (infoSections(input) > 1) {
        const auto settled = read(text);
        if (settled->LoadFailed()) std::abort();
        text = saved(*settled);
    }
    // A saved project must open again and save to the same bytes.
    const auto again = read(text);
    if (again->LoadFailed()) std::abort();
    if (!headerTooLong(*first) && saved(*again) != text) std::abort();
    return 0;
}

// Feeds arbitrary bytes to the project reader as the content of a project file. Whatever the
// reader accepts must also save, and a saved project must read back and save to the same
// bytes again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "model/DataClass.h"
#include "model/ProjectReader.h"
#include "model/ProjectWriter.h"
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    static SilentDialog dialog;
    static const bool installed = (kyr::setDialogs(&dialog), true);
    (void)installed;

    const auto first = read({reinterpret_cast<const char*>(bytes), size});
    if (first->LoadFailed()) return 0;
    first->SetDescription(kyr::SavedDescription(first->Description()));
    const std::string saved = kyr::ProjectFileText(*first);

    const auto second = read(saved);
    if (second->LoadFailed()) std::abort();  // a saved project must open again
    second->SetDescription(kyr::SavedDescription(second->Description()));
    if (kyr::ProjectFileText(*second) != saved) std::abort();  // and save the same bytes
    return 0;
}

#include "image/EpromHexFile.h"

#include <filesystem>
#include <string>

#include "image/EpromTexts.h"
#include "image/FileReplace.h"
#include "image/ImageBuilder.h"
#include "model/DataClass.h"
#include "model/FileFormLink.h"
#include "model/UserDialog.h"

namespace kyr {

HexFileStatus WriteEpromImage(const EpromImage& image, std::string_view fileName) {
    if (fileName.empty()) return HexFileStatus::NotWritten;
    // File names are UTF-8 inside the program.
    const std::filesystem::path path(std::u8string(fileName.begin(), fileName.end()));
    const std::string reason = replaceFileContent(path, image.hex);
    if (!reason.empty()) {
        showError(std::string(tr(texts::CannotWriteHexFile)) + std::string(fileName) + " (" +
                  reason + ")");
        return HexFileStatus::WriteFailed;
    }
    const std::string_view warning = tr(texts::TitleWarning);
    if (image.exdTablesLeftOut > 0) showWarning(warning, tr(texts::NotEnoughSpaceForExdTables));
    if (!image.screensLeftOut.empty()) showWarning(warning, tr(texts::NotEnoughSpaceForScreens));
    if (image.partial) showError(tr(texts::HexGeneratedPartially));
    return image.complete() ? HexFileStatus::Written : HexFileStatus::Incomplete;
}

HexFileStatus WriteHexFile(TKyrData& data, std::string_view fileName,
                           const EpromSettings& settings) {
    if (TFileFormLink* form = data.FileForm(); form && !form->StoreAll())
        return HexFileStatus::NotWritten;
    if (fileName.empty()) return HexFileStatus::NotWritten;
    // A project without a file of its own stays untitled: marking it as saved would make a
    // later Save write to its untitled or upload name instead of asking for one.
    return WriteEpromImage(BuildEpromImage(data, settings), fileName);
}

}  // namespace kyr

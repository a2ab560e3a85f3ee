#include "model/ProjectWriter.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

#include "model/CommTableText.h"
#include "model/DataClass.h"
#include "model/ExdTab.h"
#include "model/FileFormLink.h"
#include "model/ProjectTexts.h"
#include "model/Screen.h"
#include "model/ShortString.h"
#include "model/TermTypes.h"
#include "model/UserDialog.h"
#include "model/Version.h"

namespace kyr {

namespace {

constexpr std::string_view kEol = "\r\n";

constexpr std::array<std::size_t, 10> kSetupOrder{0, 1, 2, 3, 7, 5, 6, 4, 8, 9};

void line(std::string& out, std::string_view text) {
    out += text;
    out += kEol;
}

void appendInfo(std::string& out, const TKyrData& data) {
    line(out, "[Info]");
    if (const TermTypeInfo* info = termTypeInfo(data.TermType())) line(out, info->keywordWritten);
    line(out, " VER " + std::to_string(ProgramVersion));
    line(out, " COMPAT " + std::to_string(data.RequiredVersion()));
    out += kEol;
}

void appendSetup(std::string& out, const TKyrData& data) {
    line(out, "[Setup]");
    const auto bytes = data.Setup().Bytes();
    std::string values;
    for (const std::size_t i : kSetupOrder) {
        values += ' ';
        values += i == TSetup::DefaultExdAt ? std::to_string(static_cast<std::int8_t>(bytes[i]))
                                            : std::to_string(bytes[i]);
    }
    line(out, values);
    out += kEol;
}

std::string trimmedEnd(std::string_view text) {
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.remove_suffix(1);
    return std::string(text);
}

// ---- the safe replacement of the file --------------------------------------------------

using FilePtr = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

// A new file beside `target` that did not exist before; its name in `tempName`.
FilePtr createTemporary(const std::string& target, std::string& tempName) {
    for (int n = 0; n < 100; ++n) {
        tempName = target + ".~" + std::to_string(n);
        if (std::FILE* f = std::fopen(tempName.c_str(), "wbx")) return FilePtr(f, &std::fclose);
    }
    return FilePtr(nullptr, &std::fclose);
}

bool writeAll(FilePtr file, std::string_view text) {
    const bool written = std::fwrite(text.data(), 1, text.size(), file.get()) == text.size();
    const bool flushed = std::fflush(file.get()) == 0;
    const bool closed = std::fclose(file.release()) == 0;
    return written && flushed && closed;
}

enum class WriteResult { Ok, CannotWrite, CannotReplace };

WriteResult replaceFile(const std::string& target, std::string_view text) {
    namespace fs = std::filesystem;
    std::error_code ec;
    std::string temp;
    FilePtr file = createTemporary(target, temp);
    if (!file) return WriteResult::CannotWrite;
    if (!writeAll(std::move(file), text)) {
        fs::remove(temp, ec);
        return WriteResult::CannotWrite;
    }
    const bool exists = fs::exists(target, ec);
    if (exists) fs::permissions(temp, fs::status(target, ec).permissions(), ec);
    const std::string backup = BackupName(target);
    const bool keepBackup = exists && backup != target;
    if (keepBackup) {
        fs::rename(target, backup, ec);
        if (ec) {
            fs::remove(temp, ec);
            return WriteResult::CannotReplace;
        }
    }
    fs::rename(temp, target, ec);
    if (ec) {
        std::error_code ignored;
        if (keepBackup) fs::rename(backup, target, ignored);
        fs::remove(temp, ignored);
        return WriteResult::CannotReplace;
    }
    return WriteResult::Ok;
}

}  // namespace

std::string SavedDescription(std::string_view description) {
    const std::string trimmed = trimmedEnd(description);
    std::string out;
    out.reserve(trimmed.size() + 16);
    bool lineStart = true;
    for (std::size_t i = 0; i < trimmed.size(); ++i) {
        const char c = trimmed[i];
        if (lineStart && c == '[') out += ' ';
        out += c;
        lineStart = false;
        if (c == '\r' && (i + 1 >= trimmed.size() || trimmed[i + 1] != '\n')) out += '\n';
        if (c == '\n' || (c == '\r' && out.back() == '\n')) lineStart = true;
    }
    return trimmedEnd(shortString(out));
}

std::string BackupName(std::string_view fileName) {
    const std::size_t slash = fileName.find_last_of("/\\");
    const std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
    const std::size_t dot = fileName.rfind('.');
    const std::string stem(
        dot != std::string_view::npos && dot >= nameStart ? fileName.substr(0, dot) : fileName);
    return stem + ".bak";
}

std::string ProjectFileText(TKyrData& data) {
    std::string out;
    out.reserve(4096);
    if (!data.Description().empty()) {
        line(out, "[Descr]");
        line(out, data.Description());
        out += kEol;
    }
    appendInfo(out, data);
    appendSetup(out, data);
    WriteCommTableSection(data, out);
    out += kEol;
    for (const auto& screen : data.Screens()) {
        screen->WriteBlock(out);
        out += kEol;
    }
    for (const auto& table : data.ExdTables()) {
        table->WriteSection(out);
        out += kEol;
    }
    return out;
}

bool SaveProject(TKyrData& data, std::string_view newName, std::string_view newDescription) {
    if (TFileFormLink* form = data.FileForm(); form && !form->StoreAll()) return false;
    if (data.RequiredVersion() > data.FileVersion() &&
        !askYesNo(MsgKind::Warning, tr(texts::TitleConfirm), tr(texts::OlderVersionQuestion))) {
        return false;
    }
    const std::string oldName = data.FileName();
    const std::string oldDescription = data.Description();
    const std::uint8_t oldOrigin = data.Origin();
    if (!newName.empty()) {
        data.SetFileName(newName);
        data.SetDescription(newDescription);
        data.SetOrigin(TKyrData::OriginFile);
    }
    data.SetDescription(SavedDescription(data.Description()));

    const WriteResult result = replaceFile(data.FileName(), ProjectFileText(data));
    if (result != WriteResult::Ok) {
        const Text3& text =
            result == WriteResult::CannotWrite ? texts::CannotWriteFile : texts::CannotReplaceFile;
        showError(FillIn(tr(text), {data.FileName()}));
        if (!newName.empty()) {
            data.SetFileName(oldName);
            data.SetDescription(oldDescription);
            data.SetOrigin(oldOrigin);
        }
        return false;
    }
    data.ClearModified();
    data.SetFileVersion(ProgramVersion);
    return true;
}

}  // namespace kyr

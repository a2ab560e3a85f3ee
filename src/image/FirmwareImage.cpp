#include "image/FirmwareImage.h"

#include <fstream>
#include <iterator>
#include <string>

#include "image/HexRecord.h"
#include "image/HexTexts.h"
#include "model/UserDialog.h"

namespace kyr {

namespace {

constexpr char EndOfText = 0x1A;

// Cuts the next line off `text`; CR, LF and CR LF end a line.
std::string_view nextLine(std::string_view& text) {
    const std::size_t end = text.find_first_of("\r\n");
    if (end == std::string_view::npos) {
        const std::string_view line = text;
        text = {};
        return line;
    }
    const std::string_view line = text.substr(0, end);
    const std::size_t skip =
        (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1;
    text.remove_prefix(end + skip);
    return line;
}

HexReadResult fail(HexReadStatus status, std::size_t line) {
    switch (status) {
        case HexReadStatus::BadRecord:
            showError(tr(texts::BadHexRecord));
            break;
        case HexReadStatus::BadChecksum:
            showError(tr(texts::BadHexChecksum));
            break;
        case HexReadStatus::OutOfRange:
            showError(tr(texts::HexAddressOutOfRange));
            break;
        case HexReadStatus::CannotOpen:
        case HexReadStatus::Ok:
            break;
    }
    return {status, line};
}

}  // namespace

bool FirmwareImage::store(std::size_t address, std::span<const std::uint8_t> bytes) {
    if (address > Size || bytes.size() > Size - address) return false;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        data_[address + i] = bytes[i];
        used_[address + i] = true;
    }
    return true;
}

std::int32_t FirmwareImage::highestUsed() const {
    for (std::size_t a = Size; a-- > 0;)
        if (used_[a]) return static_cast<std::int32_t>(a);
    return -1;
}

HexReadResult readHexText(std::string_view text, FirmwareImage& image) {
    for (std::size_t lineNo = 1; !text.empty(); ++lineNo) {
        const std::string_view line = nextLine(text);
        if (!line.empty() && line[0] == EndOfText) break;
        if (line.empty() || line[0] != ':') continue;

        const HexParseResult parsed = parseHexRecord(line);
        if (parsed.status == HexParseStatus::BadRecord)
            return fail(HexReadStatus::BadRecord, lineNo);
        if (parsed.status == HexParseStatus::BadChecksum)
            return fail(HexReadStatus::BadChecksum, lineNo);
        if (parsed.record.type != HexData) break;
        if (!image.store(parsed.record.address, parsed.record.data))
            return fail(HexReadStatus::OutOfRange, lineNo);
    }
    return {};
}

HexReadResult readHexFile(std::istream& in, FirmwareImage& image) {
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return readHexText(text, image);
}

HexReadResult readHexFile(const std::filesystem::path& path, FirmwareImage& image) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        showError(std::string(tr(texts::CannotOpenHexFile)) + path.string());
        return {HexReadStatus::CannotOpen, 0};
    }
    return readHexFile(in, image);
}

}  // namespace kyr

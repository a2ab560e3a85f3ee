// Feeds arbitrary text to everything that reads a firmware file before an update: the
// description, the whole-file HEX reader with its 64-byte re-blocking, and the frame builder.
// Every frame must fit one request and stay on pages 1..15; every record must be one line
// of at most 64 data bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "image/BootBlocks.h"
#include "image/FirmwareImage.h"
#include "link/FirmwareFile.h"
#include "link/FirmwareFrames.h"
#include "model/UserDialog.h"

namespace {

// Swallows the error boxes the readers show.
class QuietDialog final : public kyr::UserDialog {
public:
    void message(kyr::MsgKind, std::string_view, std::string_view) override {}
    kyr::Answer question(kyr::MsgKind, std::string_view, std::string_view, kyr::Buttons) override {
        return kyr::Answer::No;
    }
    std::optional<std::string> inputBox(std::string_view, std::string_view,
                                        std::string_view) override {
        return std::nullopt;
    }
    void beep() override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static QuietDialog quiet;
    kyr::setDialogs(&quiet);
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    (void)kyr::DescribeFirmware(text, kyr::TFirmwareSeries::KyrSeriesM);
    (void)kyr::DescribeFirmware(text, kyr::TFirmwareSeries::Lum);

    kyr::FirmwareImage image;
    if (kyr::readHexText(text, image).ok()) {
        // ":" count(2) address(4) type(2) data sum(2): at most 64 data bytes a record.
        for (const kyr::BootRecord& record : kyr::bootRecords(image))
            if (record.text.size() < 13 || record.text.size() > 11 + 2 * 64 ||
                record.text[0] != ':')
                std::abort();
    }

    kyr::TFirmwareFrameBuilder frames(kyr::SplitLines(text));
    kyr::TFirmwareFrame frame;
    while (frames.Next(frame) == kyr::TFirmwareFrameBuilder::TStatus::Frame) {
        if (frame.Request().size() > 254 || frame.page < 1 || frame.page > 15) std::abort();
        frame = {};
    }
    return 0;
}

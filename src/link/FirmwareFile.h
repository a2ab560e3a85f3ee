#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace kyr {

// The two kinds of firmware file the update takes.
enum class TFirmwareSeries { KyrSeriesM, Lum };

// What the file dialog shows for a firmware file: the description it carries in its last
// 250 bytes, or "Not a firmware file ..." for a file of the other kind or none.
struct TFirmwareDescription {
    bool recognised = false;
    std::string text;       // the lines the dialog shows
    bool lumSigma = false;  // a LUM file for LUM Sigma terminals (not the LUMQ models)
    // KYR Series M: the description from the marker "KYR" to the end of the file.
    std::string kyrDescription;
};

// The part of a firmware file that holds its description.
inline constexpr std::size_t FirmwareDescriptionTail = 250;

TFirmwareDescription DescribeFirmware(std::string_view fileText, TFirmwareSeries series);
// Reads the file; an unreadable file is not a firmware file.
TFirmwareDescription DescribeFirmwareFile(const std::filesystem::path& path,
                                          TFirmwareSeries series);

}  // namespace kyr

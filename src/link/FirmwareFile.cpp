#include "link/FirmwareFile.h"

#include <cctype>
#include <fstream>
#include <iterator>
#include <optional>

#include "link/FirmwareTexts.h"
#include "model/ProtocolList.h"

namespace kyr {

namespace {

constexpr std::string_view KyrMarker = "KYR";
constexpr std::string_view LumSigmaName = "LUM Sigma";
constexpr std::string_view LumQName = "LUMQ";
constexpr std::string_view ProtocolsKey = "Protocols:";

std::string_view tailOf(std::string_view text) {
    if (text.size() <= FirmwareDescriptionTail) return text;
    return text.substr(text.size() - FirmwareDescriptionTail);
}

std::string_view untilLineEnd(std::string_view text) {
    return text.substr(0, std::min(text.find_first_of("\r\n"), text.size()));
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return s;
}

std::string protocolName(int code) {
    if (code == ProtocolCharacterTerminal) return std::string(tr(texts::CharacterTerminal));
    if (code == ProtocolDigitalSignals) return std::string(tr(texts::DigitalSignals24V));
    if (const ProtocolEntry* entry = protocolByCode(code)) return std::string(tr(entry->name));
    return std::to_string(code);
}

std::optional<int> protocolNumber(std::string_view item) {
    item = trimmed(item);
    if (item.empty() || item.size() > 3) return std::nullopt;
    int value = 0;
    for (char c : item) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

TFirmwareDescription describeKyr(std::string_view tail) {
    TFirmwareDescription d;
    const std::size_t at = tail.find(KyrMarker);
    if (at == std::string_view::npos) {
        d.text = tr(texts::NotKyrSeriesMFirmware);
        return d;
    }
    d.recognised = true;
    d.kyrDescription = std::string(tail.substr(at));
    d.text = d.kyrDescription;
    return d;
}

TFirmwareDescription describeLum(std::string_view tail) {
    TFirmwareDescription d;
    const std::size_t sigma = tail.find(LumSigmaName);
    std::size_t model = sigma;
    if (const std::size_t q = tail.find(LumQName);
        q != std::string_view::npos && q + LumQName.size() < tail.size() &&
        (model == std::string_view::npos || q < model))
        model = q;
    if (model == std::string_view::npos) {
        d.text = tr(texts::NotLumFirmware);
        return d;
    }
    d.recognised = true;
    d.lumSigma = sigma != std::string_view::npos;
    const std::string_view line = untilLineEnd(tail.substr(model));
    const std::size_t key = line.find(ProtocolsKey);
    d.text = std::string(trimmed(line.substr(0, key)));
    if (key == std::string_view::npos) return d;
    std::string_view list = line.substr(key + ProtocolsKey.size());
    while (!list.empty()) {
        const std::size_t comma = std::min(list.find(','), list.size());
        if (const auto code = protocolNumber(list.substr(0, comma)))
            d.text += "\n" + protocolName(*code);
        list.remove_prefix(std::min(comma + 1, list.size()));
    }
    return d;
}

}  // namespace

TFirmwareDescription DescribeFirmware(std::string_view fileText, TFirmwareSeries series) {
    const std::string_view tail = tailOf(fileText);
    return series == TFirmwareSeries::KyrSeriesM ? describeKyr(tail) : describeLum(tail);
}

TFirmwareDescription DescribeFirmwareFile(const std::filesystem::path& path,
                                          TFirmwareSeries series) {
    std::ifstream in(path, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return DescribeFirmware(in || in.eof() ? text : std::string(), series);
}

}  // namespace kyr

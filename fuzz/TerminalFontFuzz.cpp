// Feeds arbitrary bytes to the terminal font decoder. Whatever it accepts must encode to the
// very same bytes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "model/TerminalFontFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> input(data, size);
    const auto font = kyr::decodeTerminalFont(input);
    if (!font) return 0;
    const auto again = kyr::encodeTerminalFont(*font);
    if (!again || !std::equal(again->begin(), again->end(), input.begin(), input.end())) {
        std::abort();
    }
    return 0;
}

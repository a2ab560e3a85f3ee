#include "image/EpromLayout.h"

namespace kyr {

ScreenPages::ScreenPages(std::vector<std::uint32_t> starts) {
    pages_.reserve(starts.size());
    for (const std::uint32_t start : starts)
        pages_.push_back({start, eprom::pageEnd(start), start});
}

ScreenPages ScreenPages::firstSegment() {
    return ScreenPages({eprom::ExdAreaEnd, 0x4000, 0x8000, 0xC000});
}

ScreenPages ScreenPages::secondSegment() { return ScreenPages({0x0000, 0x4000, 0x8000, 0xC000}); }

ScreenPages ScreenPages::systemPage(bool lumFamily) {
    return ScreenPages({lumFamily ? eprom::SystemPageStartLum : eprom::SystemPageStartKyr});
}

std::optional<std::uint32_t> ScreenPages::place(std::size_t size) {
    for (Page& page : pages_) {
        // The end mark must still fit behind the record.
        if (std::size_t{page.current} + size + eprom::EndMarkSize > page.end) continue;
        const std::uint32_t at = page.current;
        page.current += static_cast<std::uint32_t>(size);
        return at;
    }
    return std::nullopt;
}

}  // namespace kyr

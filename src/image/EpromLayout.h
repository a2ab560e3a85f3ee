#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace kyr {

// Where the blocks of a project lie in the auxiliary EPROM. Addresses are within one 64 KB
// segment; the 128 KB EPROM holds screen pages 4..7 in its second segment.
namespace eprom {

inline constexpr std::uint32_t SetupAddress = 0x0000;
inline constexpr std::uint32_t CommAddress = 0x0010;
inline constexpr std::uint32_t ExdAddress = 0x0100;
// The EXD blocks end below screen page 0: eleven blocks of 65 bytes and their check bytes.
inline constexpr std::uint32_t ExdAreaEnd = 0x0400;

inline constexpr std::uint32_t PageSize = 0x4000;
// The single page of a system-mode image, up to the end of the segment.
inline constexpr std::uint32_t SystemPageStartLum = 0xFE00;
inline constexpr std::uint32_t SystemPageStartKyr = 0xF300;

// Every page ends with a record length of 0.
inline constexpr std::size_t EndMarkSize = 2;

// A page ends at its start rounded down to a page boundary plus one page.
constexpr std::uint32_t pageEnd(std::uint32_t start) {
    return (start / PageSize) * PageSize + PageSize;
}

}  // namespace eprom

enum class EpromSize { Kb64, Kb128 };

// The settings that choose an EPROM image: its size, the screen record format (217: firmware
// 2.17 and older, 218: 2.18 and newer) and the program's system mode.
struct EpromSettings {
    EpromSize size = EpromSize::Kb128;
    int format = 218;
    bool systemMode = false;
};

// The screen pages of one segment, filled first-fit: a record goes into the first page whose
// current address plus its size plus the end mark stays within the page.
class ScreenPages {
public:
    struct Page {
        std::uint32_t start = 0;
        std::uint32_t end = 0;
        std::uint32_t current = 0;
    };

    // Pages 0..3 of the first segment (0x0400, 0x4000, 0x8000, 0xC000).
    static ScreenPages firstSegment();
    // Pages 4..7 at 0x0000, 0x4000, 0x8000, 0xC000 of the second segment.
    static ScreenPages secondSegment();
    // The one page of a system-mode image; `lumFamily` for terminal family 2.
    static ScreenPages systemPage(bool lumFamily);

    // The address for a record of `size` bytes, advancing that page, or std::nullopt when no
    // page has room.
    std::optional<std::uint32_t> place(std::size_t size);

    const std::vector<Page>& pages() const { return pages_; }

private:
    explicit ScreenPages(std::vector<std::uint32_t> starts);

    std::vector<Page> pages_;
};

}  // namespace kyr

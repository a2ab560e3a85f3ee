#include "link/JobImages.h"

#include "image/ImageBlocks.h"
#include "model/DataClass.h"
#include "model/Screen.h"

namespace kyr {

TScreenImage BuildScreenImage(TKyrScreen& screen, int level, bool allowCharSet) {
    TScreenImage out;
    out.bytes.resize(screen.ImageSize(level));
    const TKyrScreen::ImageError error = screen.PutToImage(out.bytes, level, allowCharSet);
    if (error != TKyrScreen::ImageError::None) {
        out.problem = static_cast<int>(error);
        out.bytes.clear();
    }
    return out;
}

Bytes EmptyScreenImage(int number, int level) { return EmptyScreenRecord(number, level); }

bool AddScreenFromImage(TKyrData& data, std::span<const std::uint8_t> record, int level) {
    return data.AddScreenFromImage(record, level) == TKyrData::ScreenImageAccepted;
}

}  // namespace kyr

#include "image/ImageBuilder.h"

#include "image/ImageBlocks.h"
#include "model/DataClass.h"

namespace kyr {

namespace {

void addScreens(TKyrData& data, int format, EpromWriter& writer) {
    for (const auto& screen : data.Screens()) {
        TKyrScreen* s = screen.get();
        writer.addScreen(
            s->Number(), s->ImageSize(format), [s, format](std::span<std::uint8_t> dest) {
                return s->PutToImage(dest, format, true) == TKyrScreen::ImageError::None;
            });
    }
}

}  // namespace

EpromImage BuildEpromImage(TKyrData& data, const EpromSettings& settings) {
    EpromWriter writer(settings, data.TermFamily() == 2);
    writer.writeSetup(SetupBlock(data));
    writer.writeComm(CommBlock(data));
    for (int i = 0; i < data.ExdCount(); ++i) writer.writeExd(ExdBlock(data, i));
    addScreens(data, settings.format, writer);
    return writer.finish();
}

}  // namespace kyr

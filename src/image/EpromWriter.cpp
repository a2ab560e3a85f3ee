#include "image/EpromWriter.h"

#include "image/BlockChecksum.h"
#include "image/HexRecord.h"

namespace kyr {

namespace {
constexpr std::uint8_t EndMark[eprom::EndMarkSize] = {0, 0};
}  // namespace

EpromWriter::EpromWriter(const EpromSettings& settings, bool lumFamily)
    : settings_(settings),
      first_(settings.systemMode ? ScreenPages::systemPage(lumFamily)
                                 : ScreenPages::firstSegment()) {}

void EpromWriter::writeBlock(std::uint32_t address, std::span<const std::uint8_t> block) {
    const Bytes run = withBlockChecksum(block);
    hex_.WriteHexRecords(static_cast<std::int32_t>(address), run);
}

void EpromWriter::writeSetup(std::span<const std::uint8_t> block) {
    if (settings_.systemMode) return;
    writeBlock(eprom::SetupAddress, block);
}

void EpromWriter::writeComm(std::span<const std::uint8_t> block) {
    if (settings_.systemMode) return;
    writeBlock(eprom::CommAddress, block);
}

void EpromWriter::writeExd(std::span<const std::uint8_t> block) {
    if (settings_.systemMode) return;
    const std::size_t size = block.size() + BlockChecksumSize;
    if (exdNext_ + size > eprom::ExdAreaEnd) {
        ++result_.exdTablesLeftOut;
        return;
    }
    writeBlock(exdNext_, block);
    exdNext_ += static_cast<std::uint32_t>(size);
}

void EpromWriter::writeRecord(std::uint32_t address, std::size_t size, const BuildRecord& build) {
    buffer_.assign(size, 0);
    if (!build(buffer_)) {
        result_.partial = true;
        return;
    }
    hex_.WriteHexRecords(static_cast<std::int32_t>(address), buffer_);
}

void EpromWriter::addScreen(int number, std::size_t size, BuildRecord build) {
    if (const auto at = first_.place(size)) {
        writeRecord(*at, size, build);
        return;
    }
    overflow_.push_back({number, size, std::move(build)});
}

void EpromWriter::writeEndMarks(const ScreenPages& pages) {
    for (const auto& page : pages.pages())
        hex_.WriteHexRecords(static_cast<std::int32_t>(page.current), EndMark);
}

EpromImage EpromWriter::finish() {
    writeEndMarks(first_);
    const bool secondSegment = !settings_.systemMode && settings_.size == EpromSize::Kb128;
    if (secondSegment) {
        hex_.writeLine(HexSegment1000Record);
        ScreenPages second = ScreenPages::secondSegment();
        for (const Pending& p : overflow_) {
            if (const auto at = second.place(p.size)) {
                writeRecord(*at, p.size, p.build);
            } else {
                result_.screensLeftOut.push_back(p.number);
            }
        }
        writeEndMarks(second);
        hex_.writeLine(HexSegment2000Record);
    } else {
        for (const Pending& p : overflow_) result_.screensLeftOut.push_back(p.number);
    }
    overflow_.clear();
    hex_.writeLine(HexEndOfFileRecord);
    result_.hex = hex_.take();
    return std::move(result_);
}

}  // namespace kyr

#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "image/EpromLayout.h"
#include "image/HexWriter.h"
#include "model/Bytes.h"

namespace kyr {

// The EPROM image as Intel HEX text, and what did not make it in.
struct EpromImage {
    std::string hex;                  // every line, the end-of-file record last
    bool partial = false;             // a screen record could not be built; its room is a gap
    std::vector<int> screensLeftOut;  // numbers of the screens that found no room
    std::size_t exdTablesLeftOut = 0;

    bool complete() const { return !partial && screensLeftOut.empty() && exdTablesLeftOut == 0; }
};

// Lays the blocks of a project out in the EPROM and writes them as HEX records, in the order
// the terminal's programming tools expect: setup, communication block, EXD blocks, then the
// screens of the first segment in list order, its end marks, and with the 128 KB EPROM the
// second segment between its two extended-segment lines.
class EpromWriter {
public:
    // Fills a record buffer of exactly the announced size; false when the record cannot be
    // built.
    using BuildRecord = std::function<bool(std::span<std::uint8_t>)>;

    // `lumFamily` (terminal family 2) places the system-mode page at 0xFE00, else 0xF300.
    EpromWriter(const EpromSettings& settings, bool lumFamily);

    // Each block goes out followed by its check bytes, as one run of records. In system mode
    // the image holds screens only and these write nothing.
    void writeSetup(std::span<const std::uint8_t> block);
    void writeComm(std::span<const std::uint8_t> block);
    // EXD blocks follow one another from 0x0100; one that would reach screen page 0 is left
    // out and counted.
    void writeExd(std::span<const std::uint8_t> block);

    // Places a screen record of `size` bytes first-fit in the first segment and writes it;
    // one that fits nowhere waits for the second segment (or is left out without one).
    void addScreen(int number, std::size_t size, BuildRecord build);

    // Writes the end marks, the second segment and the end-of-file record.
    EpromImage finish();

private:
    struct Pending {
        int number;
        std::size_t size;
        BuildRecord build;
    };

    void writeRecord(std::uint32_t address, std::size_t size, const BuildRecord& build);
    void writeEndMarks(const ScreenPages& pages);
    void writeBlock(std::uint32_t address, std::span<const std::uint8_t> block);

    EpromSettings settings_;
    ScreenPages first_;
    HexWriter hex_;
    std::uint32_t exdNext_ = eprom::ExdAddress;
    std::vector<Pending> overflow_;
    Bytes buffer_;
    EpromImage result_;
};

}  // namespace kyr

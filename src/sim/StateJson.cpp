// The terminal's state as a JSON document: identity, status, program and counters.
#include <cstdio>

#include "sim/JsonWriter.h"
#include "sim/SimTerminal.h"

namespace kyr::sim {

namespace {

std::string clockText(const ClockFields& f) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "20%02d-%02d-%02d %02d:%02d:%02d", f.year % 100, f.month % 100,
                  f.day % 100, f.hour % 100, f.minute % 100, f.second % 100);
    return buf;
}

void writeCommRows(JsonWriter& json, const Bytes& table, std::size_t rows, bool lowFirst) {
    json.beginArray();
    for (std::size_t r = 0; r < rows; ++r) {
        json.beginObject()
            .key("system").value(static_cast<int>(table[r * 4]))
            .key("space").value(static_cast<int>(table[r * 4 + 1]))
            .key("begin").value(static_cast<int>(bytes::u16(table, r * 4 + 2, lowFirst)))
            .endObject();
    }
    json.endArray();
}

}  // namespace

std::string SimTerminal::stateJson(std::int64_t nowMs) const {
    JsonWriter json;
    const StatusBytes s = status();
    json.beginObject()
        .key("type").value(config_.type)
        .key("model").value(modelName(config_.type))
        .key("encoding").value(encoding() == LinkEncoding::Binary ? "binary" : "ascii")
        .key("address").value(static_cast<int>(config_.address))
        .key("firmware").value(config_.versionText())
        .key("firmwareLevel").value(config_.firmwareLevel());
    json.key("status").beginObject()
        .key("type").value(static_cast<int>(s.type))
        .key("mode").value(static_cast<int>(s.mode))
        .key("flags").value(static_cast<int>(s.flags))
        .endObject();
    json.key("validData").value(hasValidData());

    const ClockFields clock = clock_.read(nowMs);
    json.key("clock").value(clockText(clock)).key("dayOfWeek").value(clock.dayOfWeek);

    json.key("setup").hex(setup());
    const std::size_t rows = config_.isLum() ? 4 : 8;
    json.key("commTable");
    writeCommRows(json, commTable(), rows, config_.isLum());

    json.key("exdTables").beginArray();
    for (const auto& [number, table] : exd_)
        json.beginObject().key("number").value(static_cast<int>(number)).key("rows").hex(table)
            .endObject();
    json.endArray();

    json.key("screens").beginArray();
    for (const ScreenInfo& screen : screens()) {
        json.beginObject()
            .key("number").value(static_cast<int>(screen.number))
            .key("bank").value(static_cast<int>(screen.where.bank))
            .key("address").value(static_cast<int>(screen.where.address))
            .key("length").value(static_cast<int>(screen.record.size()))
            .key("record").hex(screen.record)
            .endObject();
    }
    json.endArray();

    if (kyr_) {
        json.key("freeMemory").beginArray();
        for (std::uint16_t w : kyr_->freeWords(config_.flashFault)) json.value(static_cast<int>(w));
        json.endArray();
    }
    if (lum_) {
        json.key("memoryStructure").beginArray();
        for (std::uint16_t w : lum_->structure()) json.value(static_cast<int>(w));
        json.endArray();
    }

    json.key("counters").beginObject()
        .key("frames").value(counters_.frames)
        .key("replies").value(counters_.replies)
        .key("unanswered").value(counters_.unanswered)
        .key("badFrames").value(counters_.badFrames)
        .key("faultsApplied").value(counters_.faultsApplied);
    json.key("byCommand").beginObject();
    for (const auto& [code, count] : counters_.byCommand) {
        char name[8];
        std::snprintf(name, sizeof name, "0x%02X", code);
        json.key(name).value(count);
    }
    json.endObject().endObject();
    json.endObject();
    return json.text();
}

}  // namespace kyr::sim

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
            .field("system", static_cast<int>(table[r * 4]))
            .field("space", static_cast<int>(table[r * 4 + 1]))
            .field("begin", static_cast<int>(bytes::u16(table, r * 4 + 2, lowFirst)))
            .endObject();
    }
    json.endArray();
}

}  // namespace

std::string SimTerminal::stateJson(std::int64_t nowMs) const {
    JsonWriter json;
    const StatusBytes s = status();
    json.beginObject()
        .field("type", config_.type)
        .field("model", modelName(config_.type))
        .field("encoding", encoding() == LinkEncoding::Binary ? "binary" : "ascii")
        .field("address", static_cast<int>(config_.address))
        .field("firmware", config_.versionText())
        .field("firmwareLevel", config_.firmwareLevel());
    json.key("status")
        .beginObject()
        .field("type", static_cast<int>(s.type))
        .field("mode", static_cast<int>(s.mode))
        .field("flags", static_cast<int>(s.flags))
        .endObject();
    json.field("validData", hasValidData());

    const ClockFields clock = clock_.read(nowMs);
    json.field("clock", clockText(clock)).field("dayOfWeek", clock.dayOfWeek);

    json.hexField("setup", setup());
    const std::size_t rows = config_.isLum() ? 4 : 8;
    json.key("commTable");
    writeCommRows(json, commTable(), rows, config_.isLum());

    json.key("exdTables").beginArray();
    for (const auto& [number, table] : exd_)
        json.beginObject()
            .field("number", static_cast<int>(number))
            .hexField("rows", table)
            .endObject();
    json.endArray();

    json.key("screens").beginArray();
    for (const ScreenInfo& screen : screens()) {
        json.beginObject()
            .field("number", static_cast<int>(screen.number))
            .field("bank", static_cast<int>(screen.where.bank))
            .field("address", static_cast<int>(screen.where.address))
            .field("length", static_cast<int>(screen.record.size()))
            .hexField("record", screen.record)
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

    json.key("counters")
        .beginObject()
        .field("frames", counters_.frames)
        .field("replies", counters_.replies)
        .field("unanswered", counters_.unanswered)
        .field("badFrames", counters_.badFrames)
        .field("faultsApplied", counters_.faultsApplied);
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

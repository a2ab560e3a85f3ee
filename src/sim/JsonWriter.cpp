#include "sim/JsonWriter.h"

#include <cstdio>

namespace kyr::sim {

void JsonWriter::newline() {
    out_.push_back('\n');
    out_.append(hasItems_.size() * 2, ' ');
}

void JsonWriter::beforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (hasItems_.empty()) return;
    if (hasItems_.back()) out_.push_back(',');
    hasItems_.back() = true;
    newline();
}

JsonWriter& JsonWriter::beginObject() {
    beforeValue();
    out_.push_back('{');
    hasItems_.push_back(false);
    return *this;
}

JsonWriter& JsonWriter::endObject() {
    const bool items = hasItems_.back();
    hasItems_.pop_back();
    if (items) newline();
    out_.push_back('}');
    if (hasItems_.empty()) out_.push_back('\n');
    return *this;
}

JsonWriter& JsonWriter::beginArray() {
    beforeValue();
    out_.push_back('[');
    hasItems_.push_back(false);
    return *this;
}

JsonWriter& JsonWriter::endArray() {
    const bool items = hasItems_.back();
    hasItems_.pop_back();
    if (items) newline();
    out_.push_back(']');
    return *this;
}

JsonWriter& JsonWriter::key(std::string_view name) {
    beforeValue();
    writeString(name);
    out_.append(": ");
    afterKey_ = true;
    return *this;
}

JsonWriter& JsonWriter::value(std::string_view text) {
    beforeValue();
    writeString(text);
    return *this;
}

void JsonWriter::writeString(std::string_view text) {
    out_.push_back('"');
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        switch (c) {
            case '"':
                out_.append("\\\"");
                break;
            case '\\':
                out_.append("\\\\");
                break;
            case '\n':
                out_.append("\\n");
                break;
            case '\r':
                out_.append("\\r");
                break;
            case '\t':
                out_.append("\\t");
                break;
            default:
                if (u < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", u);
                    out_.append(buf);
                } else {
                    out_.push_back(c);
                }
        }
    }
    out_.push_back('"');
}

JsonWriter& JsonWriter::value(std::int64_t number) {
    beforeValue();
    out_.append(std::to_string(number));
    return *this;
}

JsonWriter& JsonWriter::value(bool flag) {
    beforeValue();
    out_.append(flag ? "true" : "false");
    return *this;
}

JsonWriter& JsonWriter::hex(std::span<const std::uint8_t> bytes) {
    static constexpr char Digits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size() * 3);
    for (std::uint8_t b : bytes) {
        if (!text.empty()) text.push_back(' ');
        text.push_back(Digits[b >> 4]);
        text.push_back(Digits[b & 0x0F]);
    }
    return value(std::string_view(text));
}

}  // namespace kyr::sim

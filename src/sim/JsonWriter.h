#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kyr::sim {

// A small writer of indented JSON text. Keys and values are written in the order given;
// the writer puts the commas and escapes strings.
class JsonWriter {
public:
    JsonWriter& beginObject();
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    JsonWriter& key(std::string_view name);
    JsonWriter& value(std::string_view text);
    JsonWriter& value(const char* text) { return value(std::string_view(text)); }
    JsonWriter& value(std::int64_t number);
    JsonWriter& value(int number) { return value(static_cast<std::int64_t>(number)); }
    JsonWriter& value(bool flag);
    // Bytes as a string of upper-case hex pairs separated by blanks ("02 05 01").
    JsonWriter& hex(std::span<const std::uint8_t> bytes);

    // A key and its value in one call.
    template <typename T>
    JsonWriter& field(std::string_view name, const T& v) {
        key(name);
        return value(v);
    }
    JsonWriter& hexField(std::string_view name, std::span<const std::uint8_t> bytes) {
        key(name);
        return hex(bytes);
    }

    const std::string& text() const { return out_; }

private:
    void beforeValue();
    void newline();
    void writeString(std::string_view text);

    std::string out_;
    std::vector<bool> hasItems_;
    bool afterKey_ = false;
};

}  // namespace kyr::sim

#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kyr {

class TKyrData;

// One EXD table of a project: the PLC data the terminal sends to the external displays.
// The project owns its tables; a table keeps a plain reference back to its project.
class TExdTab {
public:
    explicit TExdTab(TKyrData& data);
    TExdTab(const TExdTab&) = delete;
    TExdTab& operator=(const TExdTab&) = delete;
    ~TExdTab();

    TKyrData& Data() const { return *data_; }

    std::uint8_t Number() const { return number_; }
    void SetNumber(std::uint8_t number) { number_ = number; }

    // Free comment shown after the number; a short string of at most 255 characters.
    const std::string& Name() const { return name_; }
    void SetName(std::string_view name);

    bool Error() const { return error_; }
    void SetError(bool error) { error_ = error; }

private:
    TKyrData* data_;
    std::uint8_t number_ = 0;
    std::string name_;
    bool error_ = false;
};

}  // namespace kyr

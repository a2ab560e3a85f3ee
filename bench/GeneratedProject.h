#pragma once

// The generated project both benchmarks work on: 999 screens of a KYR-T240(E) with ten
// number fields each, as project text.

#include <cstdio>
#include <optional>
#include <string>

#include "model/UserDialog.h"

namespace bench {

inline constexpr int kScreens = 999;
inline constexpr int kFieldsPerScreen = 10;

inline std::string generatedProject() {
    std::string text =
        "[Descr]\r\nGenerated benchmark project\r\n\r\n"
        "[Info]\r\n KYRB\r\n VER 260\r\n COMPAT 218\r\n\r\n"
        "[Setup]\r\n 2 5 1 1 0 2 -1 1 0 0\r\n\r\n"
        "[Tables]\r\n BEEP   -1 20 0\r\n SCRN   0 1 100\r\n KBD    0 1 101\r\n"
        " DATTIM -1 20 0\r\n I/O    -1 20 0\r\n\r\n";
    char buf[128];
    for (int s = 1; s <= kScreens; ++s) {
        std::snprintf(buf, sizeof buf, "[%04d] Screen %d\r\n  FLAGS $00\r\n", s, s);
        text += buf;
        text += "  \"T1:     T2:     T3:     T4:     T5:     \"\r\n";
        text += "  \"P1:     P2:     P3:     P4:     P5:     \"\r\n";
        for (int f = 0; f < kFieldsPerScreen; ++f) {
            std::snprintf(buf, sizeof buf, " NUM %d 0 %d 0 20 21 1 $04 0 $0910 1 0 0 0\r\n",
                          f * 8 + 3, s * 10 + f);
            text += buf;
        }
        text += "\r\n";
    }
    return text;
}

// Counts the boxes instead of showing them; questions get the given answer.
class QuietDialog final : public kyr::UserDialog {
public:
    explicit QuietDialog(kyr::Answer answer = kyr::Answer::No)
        : answer_(answer), previous_(kyr::setDialogs(this)) {}
    ~QuietDialog() override { kyr::setDialogs(previous_); }
    QuietDialog(const QuietDialog&) = delete;
    QuietDialog& operator=(const QuietDialog&) = delete;

    void message(kyr::MsgKind, std::string_view, std::string_view) override { ++messages; }
    kyr::Answer question(kyr::MsgKind, std::string_view, std::string_view, kyr::Buttons) override {
        return answer_;
    }
    std::optional<std::string> inputBox(std::string_view, std::string_view,
                                        std::string_view) override {
        return std::nullopt;
    }
    void beep() override {}
    int messages = 0;

private:
    kyr::Answer answer_;
    kyr::UserDialog* previous_;
};

}  // namespace bench

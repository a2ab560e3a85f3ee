#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "model/UserDialog.h"

namespace kyr::test {

// Records every box the code under test shows and answers questions from a script.
// An empty script answers No or Cancel, as a cautious user would.
class RecordingDialog final : public UserDialog {
public:
    struct Entry {
        MsgKind kind;
        std::string title;
        std::string text;
        bool isQuestion = false;
        bool isBeep = false;
    };

    RecordingDialog() : previous_(setDialogs(this)) {}
    ~RecordingDialog() override { setDialogs(previous_); }
    RecordingDialog(const RecordingDialog&) = delete;
    RecordingDialog& operator=(const RecordingDialog&) = delete;

    void message(MsgKind kind, std::string_view title, std::string_view text) override {
        entries.push_back({kind, std::string(title), std::string(text)});
    }
    Answer question(MsgKind kind, std::string_view title, std::string_view text,
                    Buttons buttons) override {
        entries.push_back({kind, std::string(title), std::string(text), true});
        if (!answers.empty()) {
            const Answer a = answers.front();
            answers.pop_front();
            return a;
        }
        if (buttons == Buttons::Ok) return Answer::Ok;
        return buttons == Buttons::OkCancel ? Answer::Cancel : Answer::No;
    }
    std::optional<std::string> inputBox(std::string_view title, std::string_view prompt,
                                        std::string_view initial) override {
        entries.push_back({MsgKind::Question, std::string(title), std::string(prompt), true});
        lastInitial = std::string(initial);
        if (inputs.empty()) return std::nullopt;
        auto value = inputs.front();
        inputs.pop_front();
        return value;
    }
    void beep() override {
        ++beeps;
        entries.push_back({MsgKind::Error, {}, {}, false, true});
    }

    // Texts of the recorded boxes (beeps left out), in order.
    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const auto& e : entries)
            if (!e.isBeep) out.push_back(e.text);
        return out;
    }
    void clear() {
        entries.clear();
        beeps = 0;
    }

    std::vector<Entry> entries;
    std::deque<Answer> answers;                       // scripted answers to questions
    std::deque<std::optional<std::string>> inputs;    // scripted answers to input boxes
    std::string lastInitial;
    int beeps = 0;

private:
    UserDialog* previous_;
};

}  // namespace kyr::test

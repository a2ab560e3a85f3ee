#pragma once

#include <iosfwd>
#include <string>

#include "link/ProgressView.h"
#include "model/UserDialog.h"

namespace kyr::cli {

// The progress dialog of a job on the command line: the title, then one line with the phase
// label and the percentage, redrawn in place on a terminal. Before any message line the
// progress line is ended, so that messages stand on lines of their own.
class ProgressLine final : public TProgressView {
public:
    ProgressLine(std::ostream& err, bool terminal);

    void SetTitle(std::string_view title) override;
    void SetLabel(std::string_view label) override;
    void SetPercent(int percent) override;
    void SetGaugeColor(TGaugeColor) override {}
    void Close(TModalResult result) override;

    // Ends a progress line that is being drawn.
    void Interrupt();
    bool Closed() const { return closed_; }

private:
    void draw();

    std::ostream& err_;
    bool terminal_;
    std::string label_;
    int percent_ = 0;
    bool open_ = false;  // a progress line is on the screen without its line end
    bool closed_ = false;
    std::size_t drawnWidth_ = 0;
};

// Forwards every box to `inner` after ending the progress line.
class ProgressAwareDialog final : public UserDialog {
public:
    ProgressAwareDialog(UserDialog& inner, ProgressLine& line);
    ~ProgressAwareDialog() override;
    ProgressAwareDialog(const ProgressAwareDialog&) = delete;
    ProgressAwareDialog& operator=(const ProgressAwareDialog&) = delete;

    void message(MsgKind kind, std::string_view title, std::string_view text) override;
    Answer question(MsgKind kind, std::string_view title, std::string_view text,
                    Buttons buttons) override;
    std::optional<std::string> inputBox(std::string_view title, std::string_view prompt,
                                        std::string_view initial) override;
    void beep() override;

private:
    UserDialog& inner_;
    ProgressLine& line_;
    UserDialog* previous_;
};

}  // namespace kyr::cli

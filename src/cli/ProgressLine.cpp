#include "cli/ProgressLine.h"

#include <algorithm>
#include <ostream>

namespace kyr::cli {

ProgressLine::ProgressLine(std::ostream& err, bool terminal) : err_(err), terminal_(terminal) {}

void ProgressLine::SetTitle(std::string_view title) {
    closed_ = false;
    if (!terminal_) return;
    Interrupt();
    err_ << title << '\n';
}

void ProgressLine::SetLabel(std::string_view label) {
    if (label == label_) return;
    label_ = std::string(label);
    draw();
}

void ProgressLine::SetPercent(int percent) {
    if (percent == percent_) return;
    percent_ = percent;
    draw();
}

void ProgressLine::draw() {
    if (!terminal_ || closed_) return;
    std::string line = label_ + " " + std::to_string(percent_) + " %";
    const std::size_t width = line.size();
    // Blank out what is left of a longer line drawn before.
    if (drawnWidth_ > width) line.append(drawnWidth_ - width, ' ');
    err_ << '\r' << line << std::flush;
    drawnWidth_ = width;
    open_ = true;
}

void ProgressLine::Interrupt() {
    if (!open_) return;
    err_ << '\n';
    open_ = false;
    drawnWidth_ = 0;
}

void ProgressLine::Close(TModalResult) {
    Interrupt();
    closed_ = true;
}

ProgressAwareDialog::ProgressAwareDialog(UserDialog& inner, ProgressLine& line)
    : inner_(inner), line_(line), previous_(setDialogs(this)) {}

ProgressAwareDialog::~ProgressAwareDialog() { setDialogs(previous_); }

void ProgressAwareDialog::message(MsgKind kind, std::string_view title, std::string_view text) {
    line_.Interrupt();
    inner_.message(kind, title, text);
}

Answer ProgressAwareDialog::question(MsgKind kind, std::string_view title, std::string_view text,
                                     Buttons buttons) {
    line_.Interrupt();
    return inner_.question(kind, title, text, buttons);
}

std::optional<std::string> ProgressAwareDialog::inputBox(std::string_view title,
                                                         std::string_view prompt,
                                                         std::string_view initial) {
    line_.Interrupt();
    return inner_.inputBox(title, prompt, initial);
}

void ProgressAwareDialog::beep() { inner_.beep(); }

}  // namespace kyr::cli

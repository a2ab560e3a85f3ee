#include "model/Screen.h"

#include <algorithm>

#include "model/DataClass.h"
#include "model/Func.h"
#include "model/ShortString.h"
#include "model/Texts.h"
#include "model/UserDialog.h"

namespace kyr {

namespace {

constexpr Text3 DeleteQuestion{"Chcete smazat funkci ", "Wollen Sie die Funktion ",
                               "Do you want to delete the function "};
constexpr Text3 DeleteQuestionTail{" ?", " löschen?", " ?"};

std::string blankText() { return std::string(TKyrScreen::TextSize, ' '); }

// `text` padded with blanks or cut to `size` characters.
std::string fitted(std::string_view text, std::size_t size) {
    std::string out(text.substr(0, size));
    out.resize(size, ' ');
    return out;
}

}  // namespace

TKyrScreen::TKyrScreen(TKyrData& data)
    : data_(&data), imageText_(blankText()), displayText_(blankText()) {}

TKyrScreen::~TKyrScreen() = default;

void TKyrScreen::SetComment(std::string_view comment) { comment_ = shortString(comment); }

int TKyrScreen::chars() const { return std::min<int>(data_->ScreenSize(), ImageTextMax); }

// ---- texts ------------------------------------------------------------------------------

void TKyrScreen::SetDisplayText(std::string_view text) { displayText_ = fitted(text, TextSize); }

void TKyrScreen::SetImageText(std::string_view text) { imageText_ = fitted(text, TextSize); }

std::uint8_t TKyrScreen::DisplayChar(int position) const {
    if (!validPosition(position)) return ' ';
    return static_cast<std::uint8_t>(displayText_[static_cast<std::size_t>(position)]);
}

void TKyrScreen::SetDisplayChar(int position, std::uint8_t code) {
    if (validPosition(position))
        displayText_[static_cast<std::size_t>(position)] = static_cast<char>(code);
}

bool TKyrScreen::Point(int position) const {
    return validPosition(position) && points_[static_cast<std::size_t>(position)] != 0;
}

void TKyrScreen::SetPoint(int position, bool lit) {
    if (validPosition(position)) points_[static_cast<std::size_t>(position)] = lit ? 1 : 0;
}

void TKyrScreen::ToDisplayText() {
    points_.fill(0);
    std::string text = imageText_;
    if (data_->IsLumQ()) {
        std::size_t i = 0;
        while (i < text.size() && i < points_.size()) {
            if (text[i] != '.') {
                ++i;
                continue;
            }
            if (i > 0 && points_[i - 1] == 0) {
                text.erase(i, 1);
                points_[i - 1] = 1;
            } else {
                text[i] = ' ';
                points_[i] = 1;
                ++i;
            }
        }
    }
    displayText_ =
        fitted(std::string_view(text).substr(0, static_cast<std::size_t>(chars())), TextSize);
    for (std::size_t i = static_cast<std::size_t>(chars()); i < points_.size(); ++i) points_[i] = 0;
}

std::string TKyrScreen::ImageTextFromDisplay() const {
    std::string text = displayText_.substr(0, static_cast<std::size_t>(chars()));
    for (int i = chars() - 1; i >= 0; --i) {
        if (points_[static_cast<std::size_t>(i)])
            text.insert(static_cast<std::size_t>(i) + 1, 1, '.');
    }
    text = fitted(text, ImageTextMax);
    return fitted(text, TextSize);
}

void TKyrScreen::ToImageText() { imageText_ = ImageTextFromDisplay(); }

// ---- functions --------------------------------------------------------------------------

TFunc* TKyrScreen::FunctionAt(int position) const {
    const int index = FunctionIndexAt(position);
    return index < 0 ? nullptr : funcs_[static_cast<std::size_t>(index)].get();
}

int TKyrScreen::FunctionIndexAt(int position) const {
    for (std::size_t i = 0; i < funcs_.size(); ++i) {
        if (funcs_[i]->Covers(position)) return static_cast<int>(i);
    }
    return -1;
}

int TKyrScreen::IndexOf(const TFunc& func) const {
    for (std::size_t i = 0; i < funcs_.size(); ++i) {
        if (funcs_[i].get() == &func) return static_cast<int>(i);
    }
    return -1;
}

// Moves text and points from `at` right by `width`; the last `width` positions fall off and
// the gap becomes blank without points.
void TKyrScreen::openGap(int at, int width) {
    const int n = chars();
    if (at < 0 || at >= n || width <= 0) return;
    width = std::min(width, n - at);
    for (int i = n - 1; i >= at + width; --i) {
        displayText_[static_cast<std::size_t>(i)] =
            displayText_[static_cast<std::size_t>(i - width)];
        points_[static_cast<std::size_t>(i)] = points_[static_cast<std::size_t>(i - width)];
    }
    for (int i = at; i < at + width; ++i) {
        displayText_[static_cast<std::size_t>(i)] = ' ';
        points_[static_cast<std::size_t>(i)] = 0;
    }
}

// Moves text and points after `at` + `width` left by `width`; the last `width` positions
// become blank without points.
void TKyrScreen::closeGap(int at, int width) {
    const int n = chars();
    if (at < 0 || at >= n || width <= 0) return;
    width = std::min(width, n - at);
    for (int i = at; i < n - width; ++i) {
        displayText_[static_cast<std::size_t>(i)] =
            displayText_[static_cast<std::size_t>(i + width)];
        points_[static_cast<std::size_t>(i)] = points_[static_cast<std::size_t>(i + width)];
    }
    for (int i = n - width; i < n; ++i) {
        displayText_[static_cast<std::size_t>(i)] = ' ';
        points_[static_cast<std::size_t>(i)] = 0;
    }
}

TFunc& TKyrScreen::InsertFunction(std::unique_ptr<TFunc> func) {
    const int at = func->Position();
    const int width = func->Width();
    openGap(at, width);
    ShiftPositions(at, width);
    modified_ = true;
    return AppendFunction(std::move(func));
}

TFunc& TKyrScreen::AppendFunction(std::unique_ptr<TFunc> func) {
    funcs_.push_back(std::move(func));
    return *funcs_.back();
}

bool TKyrScreen::DeleteFunction(const TFunc& func, bool ask) {
    const int index = IndexOf(func);
    if (index < 0) return false;
    if (ask) {
        const std::string question = std::string(tr(DeleteQuestion)) +
                                     std::string(func.KindName()) +
                                     std::string(tr(DeleteQuestionTail));
        if (!askYesNo(MsgKind::Warning, tr(texts::TitleKyr), question)) return false;
    }
    const int at = func.Position();
    const int width = func.Width();
    funcs_.erase(funcs_.begin() + index);
    closeGap(at, width);
    ShiftPositions(at, -width);
    modified_ = true;
    return true;
}

void TKyrScreen::ResizeFunction(const TFunc& func, int delta) {
    const int at = func.Position();
    if (delta > 0) {
        openGap(at, delta);
    } else if (delta < 0) {
        closeGap(at + func.Width() + delta, -delta);
    }
    ShiftPositions(at + 1, delta);
    modified_ = true;
}

void TKyrScreen::ShiftPositions(int from, int delta) {
    for (auto& f : funcs_) {
        if (f->Position() >= from) f->SetPosition(std::clamp(f->Position() + delta, 0, 255));
    }
}

int TKyrScreen::FreeTail() const {
    int lastEnd = 0;
    for (const auto& f : funcs_) lastEnd = std::max(lastEnd, f->Position() + f->Width());
    int free = 0;
    for (int i = chars() - 1; i >= lastEnd; --i) {
        if (displayText_[static_cast<std::size_t>(i)] != ' ' ||
            points_[static_cast<std::size_t>(i)])
            break;
        ++free;
    }
    return free;
}

// ---- links and firmware -----------------------------------------------------------------

void TKyrScreen::UpdateLinks() {
    if (number_ == 0 || data_->IndexOfScreen(number_ - 1) < 0) flags_ &= ~FlagLinkPrev;
    if (data_->IndexOfScreen(number_ + 1) < 0) flags_ &= ~FlagLinkNext;
}

int TKyrScreen::FirmwareLevel() const {
    int level = 0;
    for (const auto& f : funcs_) level = std::max(level, f->FirmwareLevel());
    return level;
}

}  // namespace kyr

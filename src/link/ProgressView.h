#pragma once

#include <string_view>

namespace kyr {

// How the progress dialog was closed.
enum class TModalResult { Ok, Cancel, Abort };

enum class TGaugeColor { Green, Black };

// The modal progress dialog of a job, as the job sees it. The desktop program shows a
// dialog with a gauge and Cancel; the command line draws a progress line. When the person
// cancels, the view calls the job's CancelByUser.
class TProgressView {
public:
    virtual ~TProgressView() = default;

    virtual void SetTitle(std::string_view title) = 0;
    virtual void SetLabel(std::string_view label) = 0;
    // 0..100.
    virtual void SetPercent(int percent) = 0;
    virtual void SetGaugeColor(TGaugeColor color) = 0;
    // Closes the dialog: Ok after success, Abort after an error.
    virtual void Close(TModalResult result) = 0;
};

// A view that shows nothing (a job run without a person watching).
class TSilentProgress final : public TProgressView {
public:
    void SetTitle(std::string_view) override {}
    void SetLabel(std::string_view) override {}
    void SetPercent(int) override {}
    void SetGaugeColor(TGaugeColor) override {}
    void Close(TModalResult) override {}
};

}  // namespace kyr

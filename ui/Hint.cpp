#include "Hint.h"

#include <algorithm>

#include "Canvas.h"
#include "Form.h"
#include "TextDrawing.h"

namespace ui {
namespace {

// The window system's tool-tip look: black text on pale yellow in a black frame.
constexpr core::CanvasColor kInfoBackground = core::CanvasColor::rgb(255, 255, 225);
constexpr core::CanvasColor kInfoText = core::colors::black;
// Frame plus margin between the box's edge and its text.
constexpr int kInsetX = 4;
constexpr int kInsetY = 2;

TFont hintFont() {
    TFont font;
    font.Name = "Tahoma";
    font.Height = 11;
    return font;
}

TextFormat hintFormat() {
    TextFormat format;
    format.WordWrap = true;
    return format;
}

const HintProperties* hintOf(const Control* control) {
    const auto* props = dynamic_cast<const HintProperties*>(control);
    return props && props->ShowHint && !props->Hint.empty() ? props : nullptr;
}

}  // namespace

HintWindow::HintWindow(Form& form) : form_(form) {}

HintWindow::~HintWindow() {
    if (timer_) form_.Loop().destroyTimer(*timer_);
}

void HintWindow::startTimer(uint32_t periodMs) {
    if (!timer_)
        timer_ = form_.Loop().createTimer([this] {
            stopTimer();
            if (shown_)
                hide();
            else
                show();
        });
    form_.Loop().startTimer(*timer_, periodMs);
}

void HintWindow::stopTimer() {
    if (timer_) form_.Loop().stopTimer(*timer_);
}

void HintWindow::PointerMoved(int x, int y) {
    pointerX_ = x;
    pointerY_ = y;
    const Control* under = form_.Hovered();
    if (under == target_) return;
    hide();
    stopTimer();
    target_ = hintOf(under) ? under : nullptr;
    if (target_) startTimer(kPauseMs);
}

void HintWindow::Cancel() {
    hide();
    stopTimer();
}

void HintWindow::ControlRemoved(const Control* control) {
    if (control != target_) return;
    Cancel();
    target_ = nullptr;
}

int HintWindow::LineCount() const {
    if (!shown_) return 0;
    const TextDrawing drawing(hintFont(), hintFormat());
    return static_cast<int>(drawing.Lines(text_, bounds_.width() - 2 * kInsetX).size());
}

void HintWindow::show() {
    if (!target_ || target_ != form_.Hovered() || !target_->Showing()) return;
    const HintProperties* props = hintOf(target_);
    if (!props) return;
    text_ = props->Hint;

    const int clientWidth = form_.Width();
    const int clientHeight = form_.Height();
    const TextDrawing drawing(hintFont(), hintFormat());
    const platform::Size text = drawing.Measure(text_, std::max(clientWidth - 2 * kInsetX, 1));
    const int width = text.width + 2 * kInsetX;
    const int height = text.height + 2 * kInsetY;
    // Below the pointer, moved left or above it where it would leave the window.
    int left = std::min(pointerX_, clientWidth - width);
    int top = pointerY_ + kCursorHeight;
    if (top + height > clientHeight) top = pointerY_ - height;
    left = std::max(left, 0);
    top = std::max(top, 0);
    bounds_ = platform::Rect::ofSize(left, top, width, height);
    shown_ = true;
    form_.InvalidateWindow(bounds_);
    startTimer(kHidePauseMs);
}

void HintWindow::hide() {
    if (!shown_) return;
    shown_ = false;
    form_.InvalidateWindow(bounds_);
}

void HintWindow::Paint(core::Bitmap& frame, const platform::Rect& area) const {
    if (!shown_) return;
    Canvas canvas(PixelSurface::of(frame), 0, 0, area);
    platform::Rect inside = bounds_;
    canvas.Frame3D(inside, kInfoText, kInfoText);
    canvas.FillColor(inside, kInfoBackground);
    const platform::Rect textRect{bounds_.left + kInsetX, bounds_.top + kInsetY,
                                  bounds_.right - kInsetX, bounds_.bottom - kInsetY};
    TextDrawing(hintFont(), hintFormat()).Draw(canvas, textRect, text_, kInfoText);
}

}  // namespace ui

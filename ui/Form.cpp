#include "Form.h"

#include <vector>

namespace ui {

Form::Form(std::string name, platform::EventLoop& loop)
    : Control(std::move(name)), loop_(loop), hint_(*this) {}

Form::~Form() {
    if (loop_.windowOpen()) loop_.closeWindow();
}

void Form::SetColor(core::CanvasColor color) {
    if (color == color_) return;
    color_ = color;
    Invalidate();
}

void Form::ShowWindow(const std::string& appTitle) {
    loop_.openWindow(*this, caption_, appTitle, platform::Size{Width(), Height()});
}

void Form::InvalidateWindow(const platform::Rect& area) {
    if (loop_.windowOpen()) loop_.invalidate(area);
}

void Form::SetFocus(Control* control) {
    if (control == focused_) return;
    Control* old = focused_;
    focused_ = control;
    if (old) old->FocusChanged(false);
    if (focused_) focused_->FocusChanged(true);
}

void Form::ControlRemoved(Control* control) {
    if (focused_ == control) focused_ = nullptr;
    if (hovered_ == control) hovered_ = nullptr;
    if (captured_ == control) captured_ = nullptr;
    hint_.ControlRemoved(control);
}

void Form::paint(core::Bitmap& frame, const platform::Rect& area) {
    PaintSelf(frame, area);
    PaintChildren(frame, area);
    hint_.Paint(frame, area);
}

void Form::PaintSelf(core::Bitmap& frame, const platform::Rect& clip) {
    // The play window covers most of the form and paints all of itself: the
    // form's colour is only needed around the opaque children.
    std::vector<platform::Rect> uncovered;
    UncoveredByChildren(clip, uncovered);
    for (const platform::Rect& r : uncovered)
        frame.fillRect(r.left, r.top, r.width(), r.height(), core::toPixelWord(color_));
}

void Form::keyDown(int key) {
    hint_.Cancel();
    if (KeyPreview && OnKeyDown) OnKeyDown(key);
    if (focused_ && focused_->Showing() && focused_->Enabled()) focused_->KeyDown(key);
}

void Form::keyUp(int key) {
    if (KeyPreview && OnKeyUp) OnKeyUp(key);
}

void Form::keyChar(char32_t ch) {
    if (KeyPreview && OnKeyPress) OnKeyPress(ch);
    if (focused_ && focused_->Showing() && focused_->Enabled()) focused_->KeyPress(ch);
}

void Form::setHovered(Control* control) {
    if (control == hovered_) return;
    Control* old = hovered_;
    hovered_ = control;
    if (old) old->MouseLeave();
    if (hovered_) hovered_->MouseEnter();
}

void Form::mouseMove(int x, int y) {
    Control* under = ControlAt(x, y);
    if (under == this) under = nullptr;
    if (captured_) {
        // While a button is held the control that took the press keeps the
        // mouse; it learns that the pointer left only once it is released.
        if (under == captured_ && hovered_ != captured_) setHovered(captured_);
        const platform::Rect b = captured_->BoundsInWindow();
        captured_->MouseMove(x - b.left, y - b.top);
        return;
    }
    setHovered(under);
    hint_.PointerMoved(x, y);
    if (hovered_) {
        const platform::Rect b = hovered_->BoundsInWindow();
        hovered_->MouseMove(x - b.left, y - b.top);
    }
}

void Form::mouseDown(int x, int y) {
    mouseMove(x, y);
    hint_.Cancel();
    captured_ = hovered_;
    if (!captured_) return;
    if (captured_->CanFocus()) SetFocus(captured_);
    const platform::Rect b = captured_->BoundsInWindow();
    captured_->MouseDown(x - b.left, y - b.top);
}

void Form::mouseUp(int x, int y) {
    Control* pressed = captured_;
    captured_ = nullptr;
    if (pressed) {
        const platform::Rect b = pressed->BoundsInWindow();
        pressed->MouseUp(x - b.left, y - b.top);
        Control* under = ControlAt(x, y);
        if (under == pressed && pressed->Enabled() && pressed->Showing()) pressed->Click();
    }
    mouseMove(x, y);
}

void Form::closeRequested() {
    if (OnClose) OnClose();
}

}  // namespace ui

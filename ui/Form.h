#pragma once

#include <functional>
#include <string>

#include "Control.h"
#include "Hint.h"
#include "core/Colors.h"
#include "platform/EventLoop.h"
#include "platform/WindowClient.h"

namespace ui {

// A top-level window: the root of its controls. It paints its background
// and its controls, hands the mouse to the control under the pointer
// (keeping it with the control where a button went down until the button is
// released), and the keyboard to the form first when KeyPreview is on, then
// to the focused control.
class Form : public Control, public platform::WindowClient {
  public:
    Form(std::string name, platform::EventLoop& loop);
    ~Form() override;

    platform::EventLoop& Loop() const { return loop_; }
    Form* OwningForm() const override { return const_cast<Form*>(this); }

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption) { caption_ = std::move(caption); }
    core::CanvasColor Color() const { return color_; }
    void SetColor(core::CanvasColor color);
    bool KeyPreview = false;

    // Opens the form's window on the loop (the form's size is its client area).
    void ShowWindow(const std::string& appTitle);

    Control* ActiveControl() const { return focused_; }
    void SetFocus(Control* control);
    Control* Hovered() const { return hovered_; }
    Control* Captured() const { return captured_; }
    // A control is going away: forget every reference to it.
    void ControlRemoved(Control* control);

    void InvalidateWindow(const platform::Rect& area);
    HintWindow& Hints() { return hint_; }

    // Window events.
    std::function<void(int key)> OnKeyDown;
    std::function<void(int key)> OnKeyUp;
    std::function<void(char32_t ch)> OnKeyPress;
    std::function<void()> OnClose;

    // platform::WindowClient
    void paint(core::Bitmap& frame, const platform::Rect& area) override;
    void keyDown(int key) override;
    void keyUp(int key) override;
    void keyChar(char32_t ch) override;
    void mouseMove(int x, int y) override;
    void mouseDown(int x, int y) override;
    void mouseUp(int x, int y) override;
    void closeRequested() override;

    void PaintSelf(core::Bitmap& frame, const platform::Rect& clip) override;

  private:
    void setHovered(Control* control);

    platform::EventLoop& loop_;
    std::string caption_;
    core::CanvasColor color_ = core::colors::black;
    Control* focused_ = nullptr;
    Control* hovered_ = nullptr;
    Control* captured_ = nullptr;
    HintWindow hint_;
};

}  // namespace ui

#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "Control.h"
#include "core/Bitmap.h"
#include "platform/EventLoop.h"
#include "platform/Geometry.h"

namespace ui {

class Form;

// The tool-tip text of a control. Controls that can show a hint inherit it
// next to Control; the hint window finds it on whatever control the mouse is over.
struct HintProperties {
    std::string Hint;  // CR LF starts a new line of the tip
    bool ShowHint = false;
};

// The tool tip of a form: when the mouse has been over a control with a hint
// for a moment, the hint appears in a small box below the pointer, drawn over
// everything. It stays while the pointer stays on that control, and goes away
// when the pointer leaves the control, a mouse button or key is pressed, or
// after a few seconds; it comes back only once the pointer has been on
// another control.
class HintWindow {
  public:
    static constexpr uint32_t kPauseMs = 500;
    static constexpr uint32_t kHidePauseMs = 2500;
    // How far below the pointer's tip the box starts, clear of the cursor.
    static constexpr int kCursorHeight = 20;

    explicit HintWindow(Form& form);
    ~HintWindow();
    HintWindow(const HintWindow&) = delete;
    HintWindow& operator=(const HintWindow&) = delete;

    // The form tells the hint window of the pointer (after it updated the
    // control under it), of presses that cancel the tip, and of controls
    // that go away.
    void PointerMoved(int x, int y);
    void Cancel();
    void ControlRemoved(const Control* control);
    // Draws the tip, if it shows, over what the form painted.
    void Paint(core::Bitmap& frame, const platform::Rect& area) const;

    bool Shown() const { return shown_; }
    const std::string& Text() const { return text_; }
    // The box in window coordinates, border included.
    const platform::Rect& Bounds() const { return bounds_; }
    // The lines the box shows.
    int LineCount() const;

  private:
    void show();
    void hide();
    void startTimer(uint32_t periodMs);
    void stopTimer();

    Form& form_;
    const Control* target_ = nullptr;
    int pointerX_ = 0;
    int pointerY_ = 0;
    bool shown_ = false;
    std::string text_;
    platform::Rect bounds_;
    std::optional<platform::EventLoop::TimerId> timer_;
};

}  // namespace ui

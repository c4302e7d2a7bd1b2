#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "core/Bitmap.h"
#include "platform/Geometry.h"

namespace ui {

class Form;

// A property a control reports about itself to tools (tarnwick-sim's
// `control` command), beyond position, size, visibility and enabled state.
using PropertyValue = std::variant<bool, int64_t, double, std::string, std::vector<std::string>>;
using Properties = std::vector<std::pair<std::string, PropertyValue>>;

// Something on the window with a name, a place and a size, that may contain
// other controls. Positions are relative to the parent's client area. The
// order of the children is their stacking order: the last one is on top.
class Control {
  public:
    explicit Control(std::string name);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& Name() const { return name_; }

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int left) { SetBounds(left, top_, width_, height_); }
    void SetTop(int top) { SetBounds(left_, top, width_, height_); }
    void SetWidth(int width) { SetBounds(left_, top_, width, height_); }
    void SetHeight(int height) { SetBounds(left_, top_, width_, height); }
    // Repaints the old and the new place when anything changes.
    virtual void SetBounds(int left, int top, int width, int height);

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);

    Control* Parent() const { return parent_; }
    // Appends this control to the new parent's children (on top of them).
    virtual void SetParent(Control* parent);
    const std::vector<Control*>& Controls() const { return children_; }
    // Moves the control to the top of its parent's stacking order.
    void BringToFront();

    // The control's rectangle in window client pixels.
    platform::Rect BoundsInWindow() const;
    // Visible here and in every parent.
    bool Showing() const;
    // The part of the window this control shows in: its rectangle cut by its parents'.
    platform::Rect VisibleRectInWindow() const;
    // Marks the control's area of the window for repaint.
    void Invalidate();
    void InvalidateRect(const platform::Rect& windowArea);

    // The form this control belongs to, or nullptr while it is not on one.
    virtual Form* OwningForm() const;

    // Painting: the control draws itself into the window frame (window
    // coordinates), touching nothing outside `clip`, then its children are
    // painted over it. The default draws nothing of its own.
    virtual void PaintSelf(core::Bitmap& frame, const platform::Rect& clip);
    virtual void PaintChildren(core::Bitmap& frame, const platform::Rect& clip);
    // True when painting gives every pixel of the control's visible rectangle
    // a colour of its own at full opacity, whatever lay below: what is painted
    // before it (its parent's background) need not reach there.
    virtual bool PaintsOpaque() const { return false; }
    // The parts of `area` (window coordinates) that no visible opaque child
    // paints over, as non-overlapping rectangles appended to `out`.
    void UncoveredByChildren(const platform::Rect& area, std::vector<platform::Rect>& out) const;

    // Mouse and keyboard, in the control's client coordinates. A control that
    // should not take the mouse (a plain label over a button) says so in HitTest.
    virtual bool HitTest(int x, int y) const;
    virtual void MouseEnter() {}
    virtual void MouseLeave() {}
    virtual void MouseMove(int /*x*/, int /*y*/) {}
    virtual void MouseDown(int /*x*/, int /*y*/) {}
    virtual void MouseUp(int /*x*/, int /*y*/) {}
    virtual void Click() {
        if (OnClick) OnClick();
    }
    virtual bool CanFocus() const { return false; }
    virtual void FocusChanged(bool /*focused*/) {}
    virtual void KeyDown(int /*key*/) {}
    virtual void KeyPress(char32_t /*ch*/) {}

    // The deepest visible, enabled control at window point (x, y), or nullptr.
    Control* ControlAt(int x, int y);
    // This control or a descendant with that name, or nullptr.
    Control* FindControl(const std::string& name);

    virtual Properties ExtraProperties() const { return {}; }

    std::function<void()> OnClick;

  protected:
    // The children list changed or a child moved: containers with back
    // buffers or layouts may react.
    virtual void ChildrenChanged() {}

  private:
    void detachFromParent();
    void forgetInForm(Form& form);

    std::string name_;
    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    Control* parent_ = nullptr;
    std::vector<Control*> children_;
};

}  // namespace ui

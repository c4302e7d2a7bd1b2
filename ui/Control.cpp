#include "Control.h"

#include <algorithm>

#include "Form.h"

namespace ui {
namespace {

// The parts of `from` that `cut` does not cover: up to four rectangles.
void subtract(const platform::Rect& from, const platform::Rect& cut,
              std::vector<platform::Rect>& out) {
    const platform::Rect inside = from.intersected(cut);
    if (inside.empty()) {
        out.push_back(from);
        return;
    }
    const platform::Rect pieces[] = {
        {from.left, from.top, from.right, inside.top},
        {from.left, inside.bottom, from.right, from.bottom},
        {from.left, inside.top, inside.left, inside.bottom},
        {inside.right, inside.top, from.right, inside.bottom},
    };
    for (const platform::Rect& piece : pieces)
        if (!piece.empty()) out.push_back(piece);
}

}  // namespace

Control::Control(std::string name) : name_(std::move(name)) {}

Control::~Control() {
    // Children are owned elsewhere (by the form's fields); they only forget us.
    for (Control* child : children_) child->parent_ = nullptr;
    detachFromParent();
}

void Control::SetBounds(int left, int top, int width, int height) {
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    Invalidate();
    left_ = left;
    top_ = top;
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    Invalidate();
}

void Control::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    // Invalidate regardless of the new state: the area changes either way.
    visible_ = true;
    Invalidate();
    visible_ = visible;
}

void Control::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Invalidate();
}

void Control::forgetInForm(Form& form) {
    form.ControlRemoved(this);
    for (Control* child : children_) child->forgetInForm(form);
}

void Control::detachFromParent() {
    if (!parent_) return;
    Invalidate();
    if (Form* form = parent_->OwningForm()) forgetInForm(*form);
    auto& siblings = parent_->children_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    parent_->ChildrenChanged();
    parent_ = nullptr;
}

void Control::SetParent(Control* parent) {
    if (parent == parent_) return;
    detachFromParent();
    parent_ = parent;
    if (parent_) {
        parent_->children_.push_back(this);
        parent_->ChildrenChanged();
        Invalidate();
    }
}

void Control::BringToFront() {
    if (!parent_) return;
    auto& siblings = parent_->children_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    siblings.push_back(this);
    parent_->ChildrenChanged();
    Invalidate();
}

platform::Rect Control::BoundsInWindow() const {
    int x = left_;
    int y = top_;
    for (const Control* p = parent_; p; p = p->parent_) {
        x += p->left_;
        y += p->top_;
    }
    return platform::Rect::ofSize(x, y, width_, height_);
}

bool Control::Showing() const {
    for (const Control* c = this; c; c = c->parent_)
        if (!c->visible_) return false;
    return true;
}

platform::Rect Control::VisibleRectInWindow() const {
    platform::Rect r = BoundsInWindow();
    for (const Control* p = parent_; p; p = p->parent_) r = r.intersected(p->BoundsInWindow());
    return r;
}

Form* Control::OwningForm() const {
    return parent_ ? parent_->OwningForm() : nullptr;
}

void Control::Invalidate() {
    InvalidateRect(VisibleRectInWindow());
}

void Control::InvalidateRect(const platform::Rect& windowArea) {
    if (!Showing() || windowArea.empty()) return;
    if (Form* form = OwningForm()) form->InvalidateWindow(windowArea);
}

void Control::PaintSelf(core::Bitmap&, const platform::Rect&) {}

void Control::PaintChildren(core::Bitmap& frame, const platform::Rect& clip) {
    for (Control* child : children_) {
        if (!child->visible_) continue;
        const platform::Rect area = child->BoundsInWindow().intersected(clip);
        if (area.empty()) continue;
        child->PaintSelf(frame, area);
        child->PaintChildren(frame, area);
    }
}

void Control::UncoveredByChildren(const platform::Rect& area,
                                  std::vector<platform::Rect>& out) const {
    std::vector<platform::Rect> uncovered;
    if (!area.empty()) uncovered.push_back(area);
    std::vector<platform::Rect> next;
    for (const Control* child : children_) {
        if (uncovered.empty()) break;
        if (!child->visible_ || !child->PaintsOpaque()) continue;
        const platform::Rect cover = child->VisibleRectInWindow();
        next.clear();
        for (const platform::Rect& piece : uncovered) subtract(piece, cover, next);
        uncovered.swap(next);
    }
    out.insert(out.end(), uncovered.begin(), uncovered.end());
}

bool Control::HitTest(int x, int y) const {
    return x >= 0 && y >= 0 && x < width_ && y < height_;
}

Control* Control::ControlAt(int x, int y) {
    if (!visible_ || !enabled_) return nullptr;
    const platform::Rect bounds = BoundsInWindow();
    if (!bounds.contains(x, y)) return nullptr;
    for (auto it = children_.rbegin(); it != children_.rend(); ++it)
        if (Control* hit = (*it)->ControlAt(x, y)) return hit;
    return HitTest(x - bounds.left, y - bounds.top) ? this : nullptr;
}

Control* Control::FindControl(const std::string& name) {
    if (name_ == name) return this;
    for (Control* child : children_)
        if (Control* found = child->FindControl(name)) return found;
    return nullptr;
}

}  // namespace ui

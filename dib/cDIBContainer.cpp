#include "dib/cDIBContainer.h"

#include "dib/cDIBControl.h"

namespace dib {


TDIBContainer::TDIBContainer(std::string name) : ui::Control(std::move(name)) {}

void TDIBContainer::SetColor(core::CanvasColor color) {
    if (color == color_) return;
    color_ = color;
    Invalidate();
}

void TDIBContainer::PaintSelf(core::Bitmap&, const platform::Rect&) {}

void TDIBContainer::prepareScratch(int width, int height) {
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    if (scratchPixels_.size() < count) scratchPixels_.resize(count);
    // Laid out bottom-up like any picture of the layer.
    scratch_.View(ui::PixelSurface{
        scratchPixels_.data() + static_cast<size_t>(height - 1) * static_cast<size_t>(width),
        -static_cast<ptrdiff_t>(width), width, height});
    scratch_.ResetProperties();
}

void TDIBContainer::PaintChildren(core::Bitmap& frame, const platform::Rect& clip) {
    // The back buffer covers the part of the container that lies in the
    // frame; (originX, originY) is the container's top-left corner in it,
    // outside it when the container reaches beyond the window.
    const platform::Rect bounds = BoundsInWindow();
    const platform::Rect shown =
        VisibleRectInWindow().intersected(platform::Rect{0, 0, frame.width(), frame.height()});
    const platform::Rect area = clip.intersected(shown);
    if (area.empty()) return;
    backBuffer_.View(ui::PixelSurface{frame.row(shown.top) + shown.left, frame.width(),
                                      shown.width(), shown.height()});
    const int originX = bounds.left - shown.left;
    const int originY = bounds.top - shown.top;
    backBuffer_.SetClipRect(area.left - shown.left, area.top - shown.top,
                            area.right - 1 - shown.left, area.bottom - 1 - shown.top);

    if (BeforePaint) BeforePaint(*this, backBuffer_);
    // Only what no opaque child paints over needs the background colour;
    // in a mission the level picture covers the whole play window.
    uncovered_.clear();
    UncoveredByChildren(area, uncovered_);
    for (const platform::Rect& piece : uncovered_) {
        if (piece == shown)
            backBuffer_.Fill(color_);
        else
            backBuffer_.FillRect(color_, piece.left - shown.left, piece.top - shown.top,
                                 piece.width(), piece.height());
    }

    for (ui::Control* child : Controls()) {
        if (!child->Visible()) continue;
        const platform::Rect childArea = child->BoundsInWindow().intersected(area);
        if (childArea.empty()) continue;
        if (auto* dibChild = dynamic_cast<TCustomDIBControl*>(child)) {
            prepareScratch(child->Width(), child->Height());
            dibChild->PaintThrough(backBuffer_, originX + child->Left(), originY + child->Top(),
                                   scratch_);
        } else {
            child->PaintSelf(frame, childArea);
        }
        child->PaintChildren(frame, childArea);
    }

    if (AfterPaint) AfterPaint(*this, backBuffer_);
    // The frame is the window's; nothing may draw into it between paints.
    backBuffer_.View(ui::PixelSurface{});
}

}  // namespace dib

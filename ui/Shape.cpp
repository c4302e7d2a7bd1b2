#include "Shape.h"

namespace ui {

TShape::TShape(std::string name) : Control(std::move(name)) {}

void TShape::SetPen(const Canvas::TPen& pen) {
    if (pen == pen_) return;
    pen_ = pen;
    Invalidate();
}

void TShape::SetBrush(const Canvas::TBrush& brush) {
    if (brush == brush_) return;
    brush_ = brush;
    Invalidate();
}

void TShape::PaintSelf(core::Bitmap& frame, const platform::Rect& clip) {
    Canvas canvas = Canvas::ForControl(frame, *this, clip);
    canvas.Pen = pen_;
    canvas.Brush = brush_;
    canvas.Rectangle(0, 0, Width(), Height());
}

}  // namespace ui

#include "Panel.h"

#include "Canvas.h"

namespace ui {

TPanel::TPanel(std::string name) : Control(std::move(name)) {}

void TPanel::SetColor(core::CanvasColor color) {
    if (color == color_) return;
    color_ = color;
    Invalidate();
}

void TPanel::SetBevelOuter(TBevel bevel) {
    if (bevel == bevel_) return;
    bevel_ = bevel;
    Invalidate();
}

void TPanel::PaintSelf(core::Bitmap& frame, const platform::Rect& clip) {
    Canvas canvas = Canvas::ForControl(frame, *this, clip);
    platform::Rect inside{0, 0, Width(), Height()};
    if (bevel_ == TBevel::Raised) canvas.Frame3D(inside, core::colors::white, core::colors::gray);
    if (bevel_ == TBevel::Lowered) canvas.Frame3D(inside, core::colors::gray, core::colors::white);
    canvas.FillColor(inside, color_);
}

}  // namespace ui

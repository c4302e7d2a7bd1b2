#include "Image.h"

namespace ui {

TImage::TImage(std::string name) : Control(std::move(name)) {
    bindCanvas();
}

void TImage::bindCanvas() {
    Canvas bound(PixelSurface::of(picture_));
    bound.Pen = canvas_.Pen;
    bound.Brush = canvas_.Brush;
    bound.Font = canvas_.Font;
    bound.OnChange = [this] { Invalidate(); };
    canvas_ = std::move(bound);
}

void TImage::SetPicture(core::Bitmap picture) {
    picture_ = std::move(picture);
    bindCanvas();
    Invalidate();
}

void TImage::SetStretch(bool stretch) {
    if (stretch == stretch_) return;
    stretch_ = stretch;
    Invalidate();
}

void TImage::PaintSelf(core::Bitmap& frame, const platform::Rect& clip) {
    Canvas canvas = Canvas::ForControl(frame, *this, clip);
    if (stretch_)
        canvas.StretchDraw(platform::Rect{0, 0, Width(), Height()}, picture_);
    else
        canvas.Draw(0, 0, picture_);
}

}  // namespace ui

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
    bound.OnChangeArea = [this](const platform::Rect& area) {
        staleStretched_ = staleStretched_.united(area);
    };
    canvas_ = std::move(bound);
}

void TImage::SetPicture(core::Bitmap picture) {
    picture_ = std::move(picture);
    staleStretched_ = wholePicture();
    bindCanvas();
    Invalidate();
}

void TImage::SetStretch(bool stretch) {
    if (stretch == stretch_) return;
    stretch_ = stretch;
    staleStretched_ = wholePicture();
    Invalidate();
}

void TImage::PaintSelf(core::Bitmap& frame, const platform::Rect& clip) {
    Canvas canvas = Canvas::ForControl(frame, *this, clip);
    if (!stretch_)
        canvas.Draw(0, 0, picture_);
    else if (!picture_.empty())  // nothing to stretch: the control shows what is below
        canvas.Draw(0, 0, stretchedPicture());
}

const core::Bitmap& TImage::stretchedPicture() {
    const int width = Width();
    const int height = Height();
    if (stretched_.width() != width || stretched_.height() != height) {
        stretched_ = core::Bitmap(width, height);
        staleStretched_ = wholePicture();
    }
    const platform::Rect stale = staleStretched_.intersected(wholePicture());
    staleStretched_ = platform::Rect{};
    if (stale.empty() || stretched_.empty()) return stretched_;
    // Target column x samples picture column x * pictureWidth / width (rounded
    // down), so the columns sampling stale.left .. stale.right - 1 are those
    // from ceil(stale.left * width / pictureWidth) up to, but not including,
    // ceil(stale.right * width / pictureWidth); rows alike.
    const auto firstSampling = [](int64_t source, int64_t target, int64_t sourceSize) {
        return static_cast<int>((source * target + sourceSize - 1) / sourceSize);
    };
    const platform::Rect redraw{firstSampling(stale.left, width, picture_.width()),
                                firstSampling(stale.top, height, picture_.height()),
                                firstSampling(stale.right, width, picture_.width()),
                                firstSampling(stale.bottom, height, picture_.height())};
    // The same stretch as a full one, only clipped, so the pixels are the same.
    Canvas(PixelSurface::of(stretched_))
        .Clipped(redraw)
        .StretchDraw(platform::Rect{0, 0, width, height}, picture_);
    return stretched_;
}

bool TImage::PaintsOpaque() const {
    if (picture_.empty()) return false;
    return stretch_ || (picture_.width() >= Width() && picture_.height() >= Height());
}

}  // namespace ui

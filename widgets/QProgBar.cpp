#include "QProgBar.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "ui/Canvas.h"

namespace widgets {
namespace {

// The gradient's value of one channel at column i of a bar of `length` columns,
// in whole numbers so that mirrored channels (red falling, green rising) always
// add up to the same total.
uint8_t channelAt(uint8_t start, uint8_t final, int i, int length) {
    if (start < final) return static_cast<uint8_t>(start + int64_t{final - start} * i / length);
    if (start > final) return static_cast<uint8_t>(start - int64_t{start - final} * i / length);
    return start;
}

}  // namespace

TQProgressBar::TQProgressBar(std::string name) : Control(std::move(name)) {}

void TQProgressBar::SetMaximum(int maximum) {
    maximum = std::max(maximum, 0);
    if (maximum == maximum_) return;
    maximum_ = maximum;
    updateDrawnLength();
}

void TQProgressBar::SetPosition(int position) {
    if (position == position_) return;
    position_ = position;
    updateDrawnLength();
}

void TQProgressBar::setColor(core::CanvasColor& field, core::CanvasColor color) {
    if (color == field) return;
    field = color;
    Invalidate();
}

void TQProgressBar::SetStartColor(core::CanvasColor color) {
    setColor(startColor_, color);
}

void TQProgressBar::SetFinalColor(core::CanvasColor color) {
    setColor(finalColor_, color);
}

void TQProgressBar::SetBarColor(core::CanvasColor color) {
    barColor_ = color;
    setColor(startColor_, color);
    setColor(finalColor_, color);
}

void TQProgressBar::SetBackgroundColor(core::CanvasColor color) {
    setColor(backgroundColor_, color);
}

void TQProgressBar::SetShapeColor(core::CanvasColor color) {
    setColor(shapeColor_, color);
}

void TQProgressBar::SetShaped(bool shaped) {
    if (shaped == shaped_) return;
    shaped_ = shaped;
    Invalidate();
}

void TQProgressBar::SetRoundCorner(bool roundCorner) {
    if (roundCorner == roundCorner_) return;
    roundCorner_ = roundCorner;
    Invalidate();
}

void TQProgressBar::SetBounds(int left, int top, int width, int height) {
    Control::SetBounds(left, top, width, height);
    updateDrawnLength();
}

core::CanvasColor TQProgressBar::ColumnColor(int i) const {
    const int length = BarLength();
    if (startColor_ == finalColor_ || i <= 0) return startColor_;
    if (i >= length) return finalColor_;
    return core::CanvasColor::rgb(channelAt(startColor_.red(), finalColor_.red(), i, length),
                                  channelAt(startColor_.green(), finalColor_.green(), i, length),
                                  channelAt(startColor_.blue(), finalColor_.blue(), i, length));
}

void TQProgressBar::updateDrawnLength() {
    // Without a maximum there is no fraction to show; the bar stays as it was.
    if (maximum_ == 0) return;
    const int length = BarLength();
    int drawn = 0;
    if (position_ > 0) {
        const double percent = std::min(position_, maximum_) * 100.0 / maximum_;
        const double exact = length * percent / 100.0;
        const int minimum = Margin() + 1;
        if (exact > 0 && exact < minimum)
            drawn = minimum;
        else
            drawn = static_cast<int>(std::nearbyint(exact));  // halves to even
        drawn = std::clamp(drawn, 0, std::max(length, 0));
    }
    if (drawn == drawnLength_) return;
    drawnLength_ = drawn;
    Invalidate();
}

void TQProgressBar::PaintSelf(core::Bitmap& frame, const platform::Rect& clip) {
    ui::Canvas canvas = ui::Canvas::ForControl(frame, *this, clip);
    if (shaped_) {
        canvas.Pen.Color = shapeColor_;
        canvas.Brush = ui::Canvas::TBrush{backgroundColor_, ui::Canvas::TBrushStyle::Solid};
        if (roundCorner_)
            canvas.RoundRect(0, 0, Width(), Height(), 5, 5);
        else
            canvas.Rectangle(0, 0, Width(), Height());
    }
    if (drawnLength_ <= 0) return;
    const int m = Margin();
    for (int x = m - 1; x <= drawnLength_; ++x)
        canvas.FillColor(platform::Rect{x, m - 1, x + 1, Height() - m + 1}, ColumnColor(x));
}

ui::Properties TQProgressBar::ExtraProperties() const {
    return {{"maximum", int64_t{maximum_}}, {"position", int64_t{position_}}};
}

}  // namespace widgets

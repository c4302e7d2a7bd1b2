#include "dib/cDIBFadeLabel.h"

#include <limits>

#include "ui/Canvas.h"
#include "ui/Form.h"

namespace dib {

TDIBFadeLabel::TDIBFadeLabel(std::string name, ui::Form* owner)
    : TCustomDIBControl(std::move(name), owner), timer_(Owner().Loop()) {
    format_.ShowAccelChar = true;
    current_ = font_.Color;
    buildColorTable();
    timer_.SetOnTimer([this](TDIBTimer&) { fadeStep(); });
}

void TDIBFadeLabel::textChanged() {
    adjustSize();
    Invalidate();
}

void TDIBFadeLabel::SetCaption(std::string caption) {
    if (caption == caption_) return;
    caption_ = std::move(caption);
    textChanged();
}

void TDIBFadeLabel::SetFont(const ui::TFont& font) {
    if (font == font_) return;
    font_ = font;
    buildColorTable();
    // A highlighted entry stays highlighted; otherwise the new colour shows
    // at once (a running fade goes on from the new table at its next step).
    if (!highlighted_) current_ = font_.Color;
    textChanged();
}

void TDIBFadeLabel::SetFontColor(core::CanvasColor color) {
    ui::TFont font = font_;
    font.Color = color;
    SetFont(font);
}

void TDIBFadeLabel::SetColorHighlighted(core::CanvasColor color) {
    if (color == colorHighlighted_) return;
    colorHighlighted_ = color;
    buildColorTable();
}

void TDIBFadeLabel::SetFrameCount(uint8_t count) {
    if (count == frameCount_) return;
    frameCount_ = count;
    buildColorTable();
}

void TDIBFadeLabel::SetColor(core::CanvasColor color) {
    if (color == color_) return;
    color_ = color;
    Invalidate();
}

void TDIBFadeLabel::SetTransparent(bool transparent) {
    if (transparent == transparent_) return;
    transparent_ = transparent;
    Invalidate();
}

void TDIBFadeLabel::SetAlignment(ui::TAlignment alignment) {
    if (alignment == format_.Alignment) return;
    format_.Alignment = alignment;
    Invalidate();
}

void TDIBFadeLabel::SetLayout(ui::TTextLayout layout) {
    if (layout == format_.Layout) return;
    format_.Layout = layout;
    Invalidate();
}

void TDIBFadeLabel::SetWordWrap(bool wordWrap) {
    if (wordWrap == format_.WordWrap) return;
    format_.WordWrap = wordWrap;
    textChanged();
}

void TDIBFadeLabel::SetShowAccelChar(bool show) {
    if (show == format_.ShowAccelChar) return;
    format_.ShowAccelChar = show;
    textChanged();
}

void TDIBFadeLabel::SetAngle(double degrees) {
    degrees = NormaliseAngle(degrees);
    if (degrees == angle_) return;
    angle_ = degrees;
    Invalidate();
}

void TDIBFadeLabel::SetScale(double percent) {
    if (percent == scale_) return;
    scale_ = percent;
    Invalidate();
}

void TDIBFadeLabel::SetAutoSize(bool autoSize) {
    if (autoSize == autoSize_) return;
    autoSize_ = autoSize;
    adjustSize();
}

void TDIBFadeLabel::adjustSize() {
    if (!autoSize_) return;
    const int wrapWidth = format_.WordWrap ? Width() : std::numeric_limits<int>::max();
    const platform::Size size = ui::TextDrawing(font_, format_).Measure(caption_, wrapWidth);
    SetBounds(Left(), Top(), size.width, size.height);
}

// The channels walk from Font.Color to ColorHighlighted in FrameCount equal
// steps, summed in floating point and cut to whole numbers.
void TDIBFadeLabel::buildColorTable() {
    table_.clear();
    if (frameCount_ < 2) return;
    const core::CanvasColor from = font_.Color;
    const core::CanvasColor to = colorHighlighted_;
    const double steps = frameCount_;
    const double stepR = (to.red() - from.red()) / steps;
    const double stepG = (to.green() - from.green()) / steps;
    const double stepB = (to.blue() - from.blue()) / steps;
    double r = from.red();
    double g = from.green();
    double b = from.blue();
    for (int i = 0; i < frameCount_; ++i) {
        r += stepR;
        g += stepG;
        b += stepB;
        table_.push_back(core::CanvasColor::rgb(static_cast<uint8_t>(r), static_cast<uint8_t>(g),
                                                static_cast<uint8_t>(b)));
    }
}

void TDIBFadeLabel::MouseEnter() {
    if (highlighted_) return;
    highlighted_ = true;
    timer_.SetEnabled(false);
    current_ = colorHighlighted_;
    Invalidate();
}

// The form tells a pressed entry that the mouse left only once the button
// is up, so a drag off the entry keeps the highlight until then.
void TDIBFadeLabel::MouseLeave() {
    if (!highlighted_) return;
    highlighted_ = false;
    if (frameCount_ > 1 && frameDelay_ != 0) {
        fadeIndex_ = frameCount_ - 1u;
        timer_.SetInterval(frameDelay_);
        timer_.SetEnabled(true);
        return;
    }
    current_ = font_.Color;
    Invalidate();
}

// The first step shows the last table entry, the highlight itself, again;
// entry 0 is never shown. A table that shrank during the fade ends it.
void TDIBFadeLabel::fadeStep() {
    if (fadeIndex_ != 0 && fadeIndex_ < table_.size()) {
        current_ = table_[fadeIndex_];
        --fadeIndex_;
    } else {
        timer_.SetEnabled(false);
        current_ = font_.Color;
    }
    Invalidate();
}

void TDIBFadeLabel::PaintContent(TWinDIB& scratch) {
    if (!transparent_) scratch.Fill(color_);
    ui::Canvas canvas(scratch.Surface());
    const ui::TextDrawing drawing(font_, format_);
    const platform::Rect client{0, 0, Width(), Height()};
    if (Enabled()) {
        drawing.Draw(canvas, client, caption_, current_);
    } else {
        drawing.Draw(canvas, platform::Rect{1, 1, client.right + 1, client.bottom + 1}, caption_,
                     colorHighlighted_);
        drawing.Draw(canvas, client, caption_, font_.Color);
    }
    scratch.SetAngle(angle_);
    scratch.SetScale(scale_);
}

ui::Properties TDIBFadeLabel::ExtraProperties() const {
    ui::Properties properties = TCustomDIBControl::ExtraProperties();
    properties.emplace_back("Caption", caption_);
    properties.emplace_back("FontColor", int64_t{current_.value});
    return properties;
}

}  // namespace dib

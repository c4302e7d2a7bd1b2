#include "Label.h"

#include <limits>

#include "Canvas.h"
#include "Form.h"
#include "Panel.h"

namespace ui {

TLabel::TLabel(std::string name) : Control(std::move(name)) {
    format_.ShowAccelChar = true;
}

void TLabel::changedText() {
    adjustBounds();
    Invalidate();
}

void TLabel::SetCaption(std::string caption) {
    if (caption == caption_) return;
    caption_ = std::move(caption);
    changedText();
}

void TLabel::SetFont(const TFont& font) {
    if (font == font_) return;
    font_ = font;
    changedText();
}

void TLabel::SetFontColor(core::CanvasColor color) {
    TFont font = font_;
    font.Color = color;
    SetFont(font);
}

void TLabel::SetAlignment(TAlignment alignment) {
    if (alignment == format_.Alignment) return;
    format_.Alignment = alignment;
    Invalidate();
}

void TLabel::SetLayout(TTextLayout layout) {
    if (layout == format_.Layout) return;
    format_.Layout = layout;
    Invalidate();
}

void TLabel::SetWordWrap(bool wordWrap) {
    if (wordWrap == format_.WordWrap) return;
    format_.WordWrap = wordWrap;
    changedText();
}

void TLabel::SetShowAccelChar(bool show) {
    if (show == format_.ShowAccelChar) return;
    format_.ShowAccelChar = show;
    changedText();
}

void TLabel::SetTransparent(bool transparent) {
    if (transparent == transparent_) return;
    transparent_ = transparent;
    Invalidate();
}

core::CanvasColor TLabel::Color() const {
    if (parentColor_) {
        if (const auto* panel = dynamic_cast<const TPanel*>(Parent())) return panel->Color();
        if (const auto* form = dynamic_cast<const Form*>(Parent())) return form->Color();
    }
    return color_;
}

void TLabel::SetColor(core::CanvasColor color) {
    if (!parentColor_ && color == color_) return;
    color_ = color;
    parentColor_ = false;
    Invalidate();
}

void TLabel::SetParentColor(bool parentColor) {
    if (parentColor == parentColor_) return;
    parentColor_ = parentColor;
    Invalidate();
}

void TLabel::SetAutoSize(bool autoSize) {
    if (autoSize == autoSize_) return;
    autoSize_ = autoSize;
    adjustBounds();
}

void TLabel::adjustBounds() {
    if (!autoSize_) return;
    const int wrapWidth = format_.WordWrap ? Width() : std::numeric_limits<int>::max();
    const platform::Size size = TextDrawing(font_, format_).Measure(caption_, wrapWidth);
    int left = Left();
    if (format_.Alignment == TAlignment::RightJustify && !format_.WordWrap)
        left += Width() - size.width;
    SetBounds(left, Top(), size.width, size.height);
}

void TLabel::PaintSelf(core::Bitmap& frame, const platform::Rect& clip) {
    Canvas canvas = Canvas::ForControl(frame, *this, clip);
    const platform::Rect client{0, 0, Width(), Height()};
    if (!transparent_) canvas.FillColor(client, Color());
    const TextDrawing drawing(font_, format_);
    if (Enabled())
        drawing.Draw(canvas, client, caption_, font_.Color);
    else
        drawing.DrawDisabled(canvas, client, caption_);
}

Properties TLabel::ExtraProperties() const {
    return {{"Caption", caption_}, {"FontColor", int64_t{font_.Color.value}}};
}

}  // namespace ui

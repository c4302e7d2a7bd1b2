#include "Button.h"

#include "Canvas.h"
#include "TextDrawing.h"
#include "platform/Keys.h"

namespace ui {

TButton::TButton(std::string name) : Control(std::move(name)) {}

void TButton::SetCaption(std::string caption) {
    if (caption == caption_) return;
    caption_ = std::move(caption);
    Invalidate();
}

void TButton::SetFont(const TFont& font) {
    if (font == font_) return;
    font_ = font;
    Invalidate();
}

void TButton::setPressedLook(bool sunken) {
    if (sunken == sunken_) return;
    sunken_ = sunken;
    Invalidate();
}

void TButton::FocusChanged(bool focused) {
    focused_ = focused;
    Invalidate();
}

void TButton::MouseDown(int, int) {
    held_ = true;
    setPressedLook(true);
}

void TButton::MouseMove(int x, int y) {
    if (held_) setPressedLook(HitTest(x, y));
}

void TButton::MouseUp(int, int) {
    held_ = false;
    setPressedLook(false);
}

void TButton::KeyDown(int key) {
    if (key == platform::vk::Space || key == platform::vk::Return) Click();
}

void TButton::PaintSelf(core::Bitmap& frame, const platform::Rect& clip) {
    Canvas canvas = Canvas::ForControl(frame, *this, clip);
    // A button disabled while held must not stay sunken.
    const bool sunken = sunken_ && Enabled();
    platform::Rect face{0, 0, Width(), Height()};
    canvas.DrawEdge(face, sunken);
    canvas.FillColor(face, core::colors::buttonFace);

    TextFormat format;
    format.Alignment = TAlignment::Center;
    format.Layout = TTextLayout::Center;
    format.ShowAccelChar = true;
    const TextDrawing drawing(font_, format);
    const int shift = sunken ? 1 : 0;
    const platform::Rect text{face.left + shift, face.top + shift, face.right + shift,
                              face.bottom + shift};
    if (Enabled())
        drawing.Draw(canvas, text, caption_, font_.Color);
    else
        drawing.DrawDisabled(canvas, text, caption_);

    if (focused_ && Enabled()) {
        // The dotted focus frame, two pixels inside the edge.
        const platform::Rect dots{face.left + 2, face.top + 2, face.right - 2, face.bottom - 2};
        for (int x = dots.left; x < dots.right; x += 2) {
            canvas.SetPixel(x, dots.top, core::colors::black);
            canvas.SetPixel(x, dots.bottom - 1, core::colors::black);
        }
        for (int y = dots.top; y < dots.bottom; y += 2) {
            canvas.SetPixel(dots.left, y, core::colors::black);
            canvas.SetPixel(dots.right - 1, y, core::colors::black);
        }
    }
}

Properties TButton::ExtraProperties() const {
    return {{"Caption", caption_}, {"FontColor", int64_t{font_.Color.value}}};
}

}  // namespace ui

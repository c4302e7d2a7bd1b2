#include "Edit.h"

#include <algorithm>
#include <cstdlib>

#include "Canvas.h"
#include "core/Utf8.h"
#include "platform/Keys.h"

namespace ui {
namespace {

// Inner margin between the sunken edge and the text.
constexpr int kMargin = 1;

}  // namespace

TEdit::TEdit(std::string name) : Control(std::move(name)) {}

bool TEdit::IsPrintable(char32_t ch) {
    if (ch < 0x20 || ch == 0x7F) return false;
    if (ch >= 0x80 && ch <= 0x9F) return false;      // the second set of control characters
    if (ch >= 0xD800 && ch <= 0xDFFF) return false;  // halves of UTF-16 pairs, not characters
    return ch <= 0x10FFFF;
}

std::string TEdit::Text() const {
    return core::ToUtf8(text_);
}

void TEdit::SetText(std::string_view text) {
    std::u32string kept;
    for (char32_t c : core::FromUtf8(text))
        if (IsPrintable(c)) kept += c;
    if (maxLength_ > 0 && kept.size() > static_cast<size_t>(maxLength_)) kept.resize(maxLength_);
    const size_t end = kept.size();
    replaceText(std::move(kept), end);
}

void TEdit::SetMaxLength(int maxLength) {
    maxLength_ = std::max(maxLength, 0);
}

void TEdit::SetSelStart(int position) {
    moveCaret(static_cast<size_t>(std::clamp<int>(position, 0, static_cast<int>(text_.size()))));
}

void TEdit::SetFont(const TFont& font) {
    if (font == font_) return;
    font_ = font;
    scrollToCaret();
    Invalidate();
}

void TEdit::replaceText(std::u32string text, size_t caret) {
    const bool changed = text != text_;
    text_ = std::move(text);
    caret_ = std::min(caret, text_.size());
    scrollToCaret();
    Invalidate();
    if (changed && OnChange) OnChange();
}

void TEdit::moveCaret(size_t caret) {
    if (caret == caret_) return;
    caret_ = caret;
    scrollToCaret();
    Invalidate();
}

void TEdit::FocusChanged(bool focused) {
    focused_ = focused;
    Invalidate();
}

void TEdit::KeyPress(char32_t ch) {
    if (!IsPrintable(ch)) return;
    if (maxLength_ > 0 && text_.size() >= static_cast<size_t>(maxLength_)) return;
    std::u32string text = text_;
    text.insert(caret_, 1, ch);
    replaceText(std::move(text), caret_ + 1);
}

void TEdit::KeyDown(int key) {
    switch (key) {
        case platform::vk::Back:
            if (caret_ > 0) {
                std::u32string text = text_;
                text.erase(caret_ - 1, 1);
                replaceText(std::move(text), caret_ - 1);
            }
            break;
        case platform::vk::Delete:
            if (caret_ < text_.size()) {
                std::u32string text = text_;
                text.erase(caret_, 1);
                replaceText(std::move(text), caret_);
            }
            break;
        case platform::vk::Left:
            if (caret_ > 0) moveCaret(caret_ - 1);
            break;
        case platform::vk::Right:
            moveCaret(std::min(caret_ + 1, text_.size()));
            break;
        case platform::vk::Home:
            moveCaret(0);
            break;
        case platform::vk::End:
            moveCaret(text_.size());
            break;
        default:
            break;
    }
}

platform::Rect TEdit::textArea() const {
    // Two pixels of sunken edge, then the margin.
    const int inset = 2 + kMargin;
    return platform::Rect{inset, inset, std::max(Width() - inset, inset),
                          std::max(Height() - inset, inset)};
}

int TEdit::widthUpTo(size_t characters) const {
    return font_.Open()
        ->measure(core::ToUtf8(std::u32string_view(text_).substr(0, characters)))
        .width;
}

void TEdit::scrollToCaret() {
    const int visible = std::max(textArea().width() - 1, 0);  // one pixel for the caret itself
    const int caretX = widthUpTo(caret_);
    if (widthUpTo(text_.size()) <= visible)
        scroll_ = 0;
    else if (caretX - scroll_ > visible)
        scroll_ = caretX - visible;
    else if (caretX < scroll_)
        scroll_ = caretX;
}

void TEdit::MouseDown(int x, int) {
    // The caret goes to the character boundary nearest to the click.
    const int target = x - textArea().left + scroll_;
    size_t best = 0;
    int bestDistance = std::abs(target);
    for (size_t i = 1; i <= text_.size(); ++i) {
        const int distance = std::abs(widthUpTo(i) - target);
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    moveCaret(best);
}

void TEdit::PaintSelf(core::Bitmap& frame, const platform::Rect& clip) {
    Canvas canvas = Canvas::ForControl(frame, *this, clip);
    platform::Rect inside{0, 0, Width(), Height()};
    canvas.DrawEdge(inside, true);
    canvas.FillColor(inside, Enabled() ? core::colors::white : core::colors::buttonFace);

    const platform::Rect area = textArea();
    Canvas text = canvas.Clipped(area);
    const auto font = font_.Open();
    const int top = area.top + (area.height() - font->lineHeight()) / 2;
    text.DrawTextLine(area.left - scroll_, top, Text(), *font,
                      Enabled() ? font_.Color : core::colors::gray);
    if (focused_ && Enabled()) {
        const int caretX = area.left - scroll_ + widthUpTo(caret_);
        text.FillColor(platform::Rect::ofSize(caretX, top, 1, font->lineHeight()), font_.Color);
    }
}

Properties TEdit::ExtraProperties() const {
    return {{"Text", Text()}, {"FontColor", int64_t{font_.Color.value}}};
}

}  // namespace ui

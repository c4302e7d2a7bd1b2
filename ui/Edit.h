#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "Control.h"
#include "FontProps.h"

namespace ui {

// A one-line text field. It takes printable characters only: TAB, CR, LF
// and other control characters never get in, so its text is always safe to
// write into a TAB-separated line. MaxLength (in characters, 0 for no limit)
// caps what can be typed. Backspace, Delete, Left, Right, Home and End edit
// and move the caret; OnChange runs after every change of the text.
class TEdit : public Control {
  public:
    explicit TEdit(std::string name);

    // The text as UTF-8.
    std::string Text() const;
    // Control characters are dropped and the rest is cut to MaxLength; the
    // caret goes to the end.
    void SetText(std::string_view text);
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int maxLength);
    // The caret's place, in characters from the start.
    int SelStart() const { return static_cast<int>(caret_); }
    void SetSelStart(int position);

    const TFont& Font() const { return font_; }
    void SetFont(const TFont& font);

    std::function<void()> OnChange;

    bool CanFocus() const override { return Enabled(); }
    void FocusChanged(bool focused) override;
    void MouseDown(int x, int y) override;
    void KeyDown(int key) override;
    void KeyPress(char32_t ch) override;

    void PaintSelf(core::Bitmap& frame, const platform::Rect& clip) override;
    Properties ExtraProperties() const override;

    static bool IsPrintable(char32_t ch);

  private:
    void replaceText(std::u32string text, size_t caret);
    void moveCaret(size_t caret);
    // Where the text starts and how wide it may show, in client pixels.
    platform::Rect textArea() const;
    int widthUpTo(size_t characters) const;
    void scrollToCaret();

    std::u32string text_;
    size_t caret_ = 0;
    int maxLength_ = 0;
    int scroll_ = 0;  // pixels of text hidden on the left
    bool focused_ = false;
    TFont font_;
};

}  // namespace ui

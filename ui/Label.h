#pragma once

#include <string>

#include "Control.h"
#include "FontProps.h"
#include "Hint.h"
#include "TextDrawing.h"
#include "core/Colors.h"

namespace ui {

// A caption drawn in a font, placed in the label's rectangle by alignment
// and layout, broken into lines at CR LF and, with WordWrap, between words.
// Its background is painted in Color unless it is transparent; while
// ParentColor is on (until Color is set) that colour is the one of the panel
// or form it sits on. A label takes the mouse, so its OnClick works.
class TLabel : public Control, public HintProperties {
  public:
    explicit TLabel(std::string name);

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);
    const TFont& Font() const { return font_; }
    void SetFont(const TFont& font);
    void SetFontColor(core::CanvasColor color);

    TAlignment Alignment() const { return format_.Alignment; }
    void SetAlignment(TAlignment alignment);
    TTextLayout Layout() const { return format_.Layout; }
    void SetLayout(TTextLayout layout);
    bool WordWrap() const { return format_.WordWrap; }
    void SetWordWrap(bool wordWrap);
    bool ShowAccelChar() const { return format_.ShowAccelChar; }
    void SetShowAccelChar(bool show);

    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);
    // The background colour in effect.
    core::CanvasColor Color() const;
    void SetColor(core::CanvasColor color);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool parentColor);

    // With AutoSize the label takes the size of its caption; a right-aligned
    // label keeps its right edge where it was.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);

    void PaintSelf(core::Bitmap& frame, const platform::Rect& clip) override;
    Properties ExtraProperties() const override;

  private:
    void changedText();
    void adjustBounds();

    std::string caption_;
    TFont font_;
    TextFormat format_;
    bool transparent_ = false;
    bool parentColor_ = true;
    core::CanvasColor color_ = core::colors::buttonFace;
    bool autoSize_ = false;
};

}  // namespace ui

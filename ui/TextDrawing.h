#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "FontProps.h"
#include "core/Colors.h"
#include "platform/Fonts.h"
#include "platform/Geometry.h"

namespace ui {

class Canvas;

enum class TAlignment { LeftJustify, RightJustify, Center };
enum class TTextLayout { Top, Center, Bottom };

// How a block of text is placed in its rectangle.
struct TextFormat {
    TAlignment Alignment = TAlignment::LeftJustify;
    TTextLayout Layout = TTextLayout::Top;
    // Break lines between words where a line would grow wider than the rectangle.
    bool WordWrap = false;
    // A TAB moves on to the next stop; stops are eight average characters apart.
    bool ExpandTabs = true;
    // "&x" draws x underlined (the accelerator letter) and "&&" draws "&".
    bool ShowAccelChar = false;
};

// One line as it is drawn.
struct TextLine {
    std::string text;                // with the accelerator marks taken out
    std::vector<size_t> underlined;  // byte offsets in `text` of characters to underline
    int width = 0;                   // in pixels, tabs expanded
};

// Multi-line text the way labels and menu entries draw their captions: lines
// end at CR LF (or a lone CR or LF), may be broken further between words, are
// aligned left, right or centred, and the block sits at the top, in the
// middle or at the bottom of its rectangle, which also clips it.
class TextDrawing {
  public:
    TextDrawing(const TFont& font, TextFormat format);

    int LineHeight() const;
    // The lines `text` is drawn as in a rectangle `width` pixels wide (the
    // width matters only with WordWrap). A word wider than the rectangle
    // keeps a line of its own.
    std::vector<TextLine> Lines(std::string_view text, int width) const;
    // The size of the block: the widest line by the number of lines. An
    // empty text, or only an accelerator mark, measures as a single blank,
    // so that a control sized to it never collapses.
    platform::Size Measure(std::string_view text, int width) const;
    // Draws `text` in `color` into `rect` (canvas coordinates), no background.
    void Draw(Canvas& canvas, const platform::Rect& rect, std::string_view text,
              core::CanvasColor color) const;
    // The window system's look of a disabled control's text: a white copy one
    // pixel down and right, under a grey one in place.
    void DrawDisabled(Canvas& canvas, const platform::Rect& rect, std::string_view text) const;

  private:
    // Width of a piece of one line, with tabs expanded from the line's start.
    int widthOf(std::string_view piece) const;
    int tabStop() const;

    std::shared_ptr<const platform::Font> font_;
    TextFormat format_;
};

}  // namespace ui

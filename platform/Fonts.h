#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "Geometry.h"
#include "core/Bitmap.h"
#include "core/Colors.h"
#include "core/PixelSurface.h"

namespace platform {

// A font as the window layout names it: the layout's family names ("Arial",
// "MS Sans Serif", "Times New Roman", "Courier New", ...) and a pixel size that
// is the character height.
struct FontSpec {
    std::string family = "MS Sans Serif";
    int pixelHeight = 13;
    bool bold = false;
    bool italic = false;
    bool underline = false;

    bool operator==(const FontSpec&) const = default;
};

// An opened font: measures text and draws it, anti-aliased, into 32-bit
// pixels. Text is UTF-8, one line (callers split lines themselves).
class Font {
  public:
    virtual ~Font() = default;

    // Opens (or takes from the cache) the font for `request`. The layout's family
    // names map to fixed font files; fontconfig finds a substitute only when a
    // file is missing. Throws std::runtime_error when no font can be opened.
    static std::shared_ptr<const Font> get(const FontSpec& request);

    // What the font was opened for.
    virtual const FontSpec& request() const = 0;
    // Height of one line of text (ascent plus descent).
    virtual int lineHeight() const = 0;
    virtual int ascent() const = 0;
    virtual Size measure(std::string_view text) const = 0;
    // Draws `text` with its top-left corner at (x, y) in `color`, blending the
    // glyph edges over what is there; nothing outside `clip` or the target is
    // touched. A pixel whose colour the text changes takes the new colour with
    // its alpha byte clear; one it leaves as it was keeps its alpha byte.
    // Underline, when asked for, is part of the drawing.
    virtual void draw(const core::PixelSurface& target, int x, int y, std::string_view text,
                      core::PixelWord color, const Rect& clip) const = 0;
    void draw(core::Bitmap& target, int x, int y, std::string_view text, core::PixelWord color,
              const Rect& clip) const {
        draw(core::PixelSurface::of(target), x, y, text, color, clip);
    }
};

// The font file the layout's family name maps to, or "" when the table has none
// for it or the file is missing. Exposed for tests.
std::string fontFileFor(const FontSpec& request);

}  // namespace platform

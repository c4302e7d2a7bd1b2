#pragma once

#include <memory>
#include <string>

#include "core/Colors.h"
#include "platform/Fonts.h"

namespace ui {

// The font a control or canvas draws its text in, as the window layout
// describes it: a family name, the character height in pixels, the style and
// the colour. The defaults are those of a freshly placed control.
struct TFont {
    std::string Name = "MS Sans Serif";
    int Height = 11;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    core::CanvasColor Color = core::colors::black;

    platform::FontSpec Request() const {
        return platform::FontSpec{Name, Height, Bold, Italic, Underline};
    }
    // The opened font (cached by the platform; throws when no font file can be found).
    std::shared_ptr<const platform::Font> Open() const { return platform::Font::get(Request()); }

    bool operator==(const TFont&) const = default;
};

}  // namespace ui

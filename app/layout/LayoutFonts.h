#pragma once

#include <string>

#include "core/Colors.h"
#include "ui/FontProps.h"

namespace app::layout {

// A font of the window layout: family, character height in pixels, bold, colour.
inline ui::TFont font(std::string name, int height, bool bold, core::CanvasColor color) {
    ui::TFont f;
    f.Name = std::move(name);
    f.Height = height;
    f.Bold = bold;
    f.Color = color;
    return f;
}

// The window's own font, which every control without a font of its own uses.
inline ui::TFont windowFont() {
    return font("MS Sans Serif", 13, true, core::colors::red);
}

}  // namespace app::layout

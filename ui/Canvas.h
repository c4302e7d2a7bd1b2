#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "FontProps.h"
#include "PixelSurface.h"
#include "TextDrawing.h"
#include "core/Bitmap.h"
#include "core/Colors.h"
#include "platform/Fonts.h"
#include "platform/Geometry.h"

namespace ui {

class Control;

// Drawing onto 32-bit pixels the way the game's drawing code expects a canvas
// to behave: colours are canvas colours (0x00BBGGRR), rectangles leave out
// their right and bottom edges, lines leave out their end point, and a pixel
// read outside the picture gives -1. Every pixel written is a pixel word with
// alpha 0, the form the window shows as opaque.
//
// A canvas draws in its own coordinates: canvas point (x, y) is surface pixel
// (originX + x, originY + y). Nothing outside the clip rectangle (surface
// coordinates) or the surface itself is ever touched.
class Canvas {
  public:
    struct TPen {
        // Lines and outlines are always one pixel wide: nothing in the game
        // draws wider ones.
        core::CanvasColor Color = core::colors::black;
        bool operator==(const TPen&) const = default;
    };
    enum class TBrushStyle { Solid, Clear };
    struct TBrush {
        core::CanvasColor Color = core::colors::white;
        TBrushStyle Style = TBrushStyle::Solid;
        bool operator==(const TBrush&) const = default;
    };

    explicit Canvas(PixelSurface surface);
    Canvas(PixelSurface surface, int originX, int originY, const platform::Rect& clip);
    // The canvas a control paints itself with: its origin is the control's
    // top-left corner in the window, clipped to `clip`.
    static Canvas ForControl(core::Bitmap& frame, const Control& control,
                             const platform::Rect& clip);

    TPen Pen;
    TBrush Brush;
    TFont Font;
    // Called after every drawing operation (a picture's owner repaints then).
    std::function<void()> OnChange;
    // Called before OnChange with the surface pixels the operation may have
    // written (a bounding rectangle, never empty), so that whatever is derived
    // from the surface can be brought up to date for that part only.
    std::function<void(const platform::Rect& surfaceArea)> OnChangeArea;

    // The area that may be drawn, in canvas coordinates.
    platform::Rect ClipRect() const;
    // The same canvas, further clipped to `rect` (canvas coordinates).
    Canvas Clipped(const platform::Rect& rect) const;

    // Fills `rect` with the brush (nothing with a clear brush).
    void FillRect(const platform::Rect& rect);
    // Pen outline and brush inside of the rectangle x1..x2-1, y1..y2-1.
    void Rectangle(int x1, int y1, int x2, int y2);
    // Like Rectangle, with each corner rounded along a quarter of an ellipse
    // `ellipseWidth` x `ellipseHeight` big.
    void RoundRect(int x1, int y1, int x2, int y2, int ellipseWidth, int ellipseHeight);
    void MoveTo(int x, int y);
    // A one-pixel pen line from the pen position up to, but not including,
    // (x, y), which becomes the new pen position.
    void LineTo(int x, int y);

    // One line of text in Font with its top-left corner at (x, y), on a
    // background of the brush colour unless the brush is clear.
    void TextOut(int x, int y, std::string_view text);
    platform::Size TextExtent(std::string_view text) const;
    int TextWidth(std::string_view text) const { return TextExtent(text).width; }
    int TextHeight(std::string_view text) const { return TextExtent(text).height; }
    // Multi-line text in Font and Font.Color, laid out in `rect` (see TextDrawing).
    void DrawText(const platform::Rect& rect, std::string_view text, const TextFormat& format);

    // The picture with its top-left corner at (x, y).
    void Draw(int x, int y, const core::Bitmap& picture);
    // The picture scaled to fill `rect`, each target pixel taking the nearest source pixel.
    void StretchDraw(const platform::Rect& rect, const core::Bitmap& picture);

    // The pixel's colour, or -1 outside the surface or the clip rectangle.
    core::CanvasColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, core::CanvasColor color);

    // Building blocks for text layout and for controls that paint with
    // fixed colours, leaving Pen and Brush alone.
    void FillColor(const platform::Rect& rect, core::CanvasColor color);
    // A one-pixel frame just inside `rect`, top and left in one colour, right
    // and bottom in the other; `rect` shrinks to what lies inside the frame.
    void Frame3D(platform::Rect& rect, core::CanvasColor topLeft, core::CanvasColor bottomRight);
    // The two-pixel edge of the window system's controls: raised for buttons,
    // sunken for text fields. `rect` shrinks to what lies inside the edge.
    void DrawEdge(platform::Rect& rect, bool sunken);
    void DrawTextLine(int x, int y, std::string_view text, const platform::Font& font,
                      core::CanvasColor color);

  private:
    // `rect` (canvas coordinates) as surface pixels that may be touched.
    platform::Rect toSurface(int64_t left, int64_t top, int64_t right, int64_t bottom) const;
    void fillSurface(const platform::Rect& area, core::PixelWord word);
    void plot(int64_t x, int64_t y, core::PixelWord word);
    void changed(const platform::Rect& surfaceArea);

    PixelSurface surface_;
    int originX_ = 0;
    int originY_ = 0;
    platform::Rect clip_;
    int penX_ = 0;
    int penY_ = 0;
};

}  // namespace ui

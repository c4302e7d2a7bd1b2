#pragma once

#include <vector>

#include "core/Bitmap.h"
#include "core/Colors.h"
#include "effects/EffectBuffer.h"
#include "platform/Geometry.h"
#include "ui/Image.h"

namespace effects {

// The two pictures the effect buffer feeds: the level picture the player sees
// (Image1) and the collision picture (Image2), which keeps the level as it was
// painted, without particles or worn holes.
//
// The level picture shows exactly the buffer's content at the last hand-over
// plus the overlay lines drawn on it since (the enemy's beam, the tow line).
// Overlays never reach the buffer. A hand-over copies only what changed: the
// pixels PutPixel wrote since the last one, and the pixels under the last
// overlays; a full copy is made only when a new level picture comes in.
class LevelPictures {
  public:
    LevelPictures(ui::TImage& levelPicture, ui::TImage& collisionPicture);

    // Paints `picture` into the buffer with its top-left corner at (1, 1)
    // over whatever the buffer held, and gives both pictures a copy. The
    // buffer must exist (an effect request creates it).
    void HandIn(EffectFields& fields, const core::Bitmap& picture);

    // The level picture takes the buffer's content.
    void HandOver(EffectFields& fields);

    // A one-pixel line in `pen` on the level picture, end point excluded. It
    // stays until the next hand-over and is seen by LevelPixel meanwhile.
    void DrawOverlayLine(core::CanvasColor pen, int x1, int y1, int x2, int y2);

    // Pixel reads as the collision tests need them: the canvas value
    // (0x00BBGGRR) at a world point, -1 outside the picture.
    int32_t LevelPixel(int x, int y) const { return readCanvas(level_.Picture(), x, y); }
    int32_t CollisionPixel(int x, int y) const { return readCanvas(collision_.Picture(), x, y); }

    // The pixels a rock test at (x, y) reads, nullptr outside the pictures.
    const uint32_t* CollisionPixelAddress(int x, int y) const {
        return address(collision_.Picture(), x, y);
    }
    const uint32_t* LevelPixelAddress(int x, int y) const {
        return address(level_.Picture(), x, y);
    }

  private:
    static const uint32_t* address(const core::Bitmap& picture, int x, int y) {
        return picture.contains(x, y) ? picture.row(y) + x : nullptr;
    }
    static int32_t readCanvas(const core::Bitmap& picture, int x, int y) {
        if (!picture.contains(x, y)) return -1;
        return core::toCanvasColor(picture.pixel(x, y)).value;
    }

    ui::TImage& level_;
    ui::TImage& collision_;
    std::vector<platform::Rect> overlays_;  // areas under the overlays since the last hand-over
};

}  // namespace effects

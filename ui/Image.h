#pragma once

#include <string>

#include "Canvas.h"
#include "Control.h"
#include "core/Bitmap.h"

namespace ui {

// Shows a picture it owns, at its top-left corner or, with Stretch, scaled
// to its whole area. Its canvas draws onto the picture itself (marks on the
// minimap, lines over the level picture) and reads the picture's pixels back
// as canvas colours, -1 outside the picture.
class TImage : public Control {
  public:
    explicit TImage(std::string name);

    const core::Bitmap& Picture() const { return picture_; }
    void SetPicture(core::Bitmap picture);
    // The picture's pixels, for updates too large to go pixel by pixel through
    // the canvas. Change pixels only, never the size, then call PictureChanged.
    core::Bitmap& PicturePixels() { return picture_; }
    void PictureChanged() { Invalidate(); }

    bool Stretch() const { return stretch_; }
    void SetStretch(bool stretch);

    // The canvas over the picture; its pen, brush and font stay as they were
    // set when a new picture comes in. Without a picture it draws nothing.
    Canvas& GetCanvas() { return canvas_; }

    void PaintSelf(core::Bitmap& frame, const platform::Rect& clip) override;

  private:
    void bindCanvas();

    core::Bitmap picture_;
    bool stretch_ = false;
    Canvas canvas_{PixelSurface{}};
};

}  // namespace ui

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
    core::Bitmap& PicturePixels() {
        staleStretched_ = wholePicture();
        return picture_;
    }
    void PictureChanged() { Invalidate(); }

    bool Stretch() const { return stretch_; }
    void SetStretch(bool stretch);

    // The canvas over the picture; its pen, brush and font stay as they were
    // set when a new picture comes in. Without a picture it draws nothing.
    Canvas& GetCanvas() { return canvas_; }

    void PaintSelf(core::Bitmap& frame, const platform::Rect& clip) override;
    // Stretched, or at least as large as the control, the picture gives every
    // pixel of the control a colour.
    bool PaintsOpaque() const override;

  private:
    void bindCanvas();
    platform::Rect wholePicture() const {
        return platform::Rect{0, 0, picture_.width(), picture_.height()};
    }
    // The picture scaled to the control, brought up to date where it is stale.
    const core::Bitmap& stretchedPicture();

    core::Bitmap picture_;
    bool stretch_ = false;
    Canvas canvas_{PixelSurface{}};
    // The minimap stretches a 1280 x 1280 picture on every frame, while a
    // frame changes an 8 x 8 square of it at most: the scaled pixels are kept
    // and only those that sample a changed part of the picture are drawn anew.
    core::Bitmap stretched_;
    platform::Rect staleStretched_;  // picture pixels changed since stretched_ was drawn
};

}  // namespace ui

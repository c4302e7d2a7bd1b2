#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/Colors.h"
#include "dib/cDIBImage.h"
#include "ui/Control.h"

namespace dib {

// The play window: composes its children, bottom first, into one 32-bit
// back buffer. The back buffer is the container's own part of the window
// frame, seen as a picture (a TWinDIB view), so the composed pixels are on
// screen without a further copy. Ordinary controls (the level picture,
// labels, the line) paint straight into it; DIB controls paint through the
// scratch image, which is what lets them lie over everything below them at
// any opacity. Only the part of the window that needs repainting is composed.
class TDIBContainer : public ui::Control {
  public:
    explicit TDIBContainer(std::string name);

    core::CanvasColor Color() const { return color_; }
    void SetColor(core::CanvasColor color);

    // Run at the start and at the end of every composition with the back
    // buffer, whose clip rectangle is the part being composed.
    std::function<void(TDIBContainer& sender, TWinDIB& backBuffer)> BeforePaint;
    std::function<void(TDIBContainer& sender, TWinDIB& backBuffer)> AfterPaint;

    // The composition needs the background, the children and AfterPaint in
    // one go, so all of it happens in PaintChildren and PaintSelf adds nothing.
    void PaintSelf(core::Bitmap& frame, const platform::Rect& clip) override;
    void PaintChildren(core::Bitmap& frame, const platform::Rect& clip) override;
    // Every pixel of the composed part gets the background or a child's colour.
    bool PaintsOpaque() const override { return true; }

  private:
    // Points the scratch image at reused memory of the given size.
    void prepareScratch(int width, int height);

    core::CanvasColor color_ = core::colors::buttonFace;
    TWinDIB backBuffer_;
    TWinDIB scratch_;
    std::vector<uint32_t> scratchPixels_;
    std::vector<platform::Rect> uncovered_;  // reused by every composition
};

}  // namespace dib

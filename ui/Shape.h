#pragma once

#include <string>

#include "Canvas.h"
#include "Control.h"

namespace ui {

// A rectangle outlined with a one-pixel pen and filled with a brush. One
// pixel high, it is a line in the pen's colour (the briefing's separator).
class TShape : public Control {
  public:
    explicit TShape(std::string name);

    const Canvas::TPen& Pen() const { return pen_; }
    void SetPen(const Canvas::TPen& pen);
    const Canvas::TBrush& Brush() const { return brush_; }
    void SetBrush(const Canvas::TBrush& brush);

    void PaintSelf(core::Bitmap& frame, const platform::Rect& clip) override;

  private:
    Canvas::TPen pen_;
    Canvas::TBrush brush_;
};

}  // namespace ui

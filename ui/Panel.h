#pragma once

#include <string>

#include "Control.h"
#include "core/Colors.h"

namespace ui {

// A plain container that fills its area with a colour, with a one-pixel
// raised or lowered bevel only when asked for one.
class TPanel : public Control {
  public:
    enum class TBevel { None, Raised, Lowered };

    explicit TPanel(std::string name);

    core::CanvasColor Color() const { return color_; }
    void SetColor(core::CanvasColor color);
    TBevel BevelOuter() const { return bevel_; }
    void SetBevelOuter(TBevel bevel);

    void PaintSelf(core::Bitmap& frame, const platform::Rect& clip) override;
    // The bevel and the fill leave no pixel of the panel unpainted.
    bool PaintsOpaque() const override { return true; }

  private:
    core::CanvasColor color_ = core::colors::buttonFace;
    TBevel bevel_ = TBevel::None;
};

}  // namespace ui

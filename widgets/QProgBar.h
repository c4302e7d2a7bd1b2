#pragma once

#include <string>

#include "core/Colors.h"
#include "ui/Control.h"

namespace widgets {

// A flat horizontal bar with a colour gradient along its length, inside a
// rounded frame: the fuel and damage bars of the heads-up display.
//
// The colour of each column depends on the column only, not on how full the
// bar is, so a shrinking bar loses its final colour first. Any value above
// zero draws at least a short stub, so that the first bit of damage shows.
class TQProgressBar : public ui::Control {
  public:
    explicit TQProgressBar(std::string name);

    int Maximum() const { return maximum_; }
    // Negative maxima are taken as 0. With a maximum of 0 the bar keeps
    // whatever it showed before.
    void SetMaximum(int maximum);
    // Kept as given; only the drawing clamps it to 0 ... maximum.
    int Position() const { return position_; }
    void SetPosition(int position);

    core::CanvasColor StartColor() const { return startColor_; }
    void SetStartColor(core::CanvasColor color);
    core::CanvasColor FinalColor() const { return finalColor_; }
    void SetFinalColor(core::CanvasColor color);
    // One colour for the whole bar: sets both ends of the gradient.
    core::CanvasColor BarColor() const { return barColor_; }
    void SetBarColor(core::CanvasColor color);
    core::CanvasColor BackgroundColor() const { return backgroundColor_; }
    void SetBackgroundColor(core::CanvasColor color);
    core::CanvasColor ShapeColor() const { return shapeColor_; }
    void SetShapeColor(core::CanvasColor color);
    bool Shaped() const { return shaped_; }
    void SetShaped(bool shaped);
    bool RoundCorner() const { return roundCorner_; }
    void SetRoundCorner(bool roundCorner);

    // Space between the frame's outer edge and the bar on each side.
    int Margin() const { return Height() > 9 ? 4 : 2; }
    // Length of a full bar in columns.
    int BarLength() const { return Width() - Margin(); }
    // The last column drawn (columns Margin() - 1 ... DrawnLength()), or 0 for none.
    int DrawnLength() const { return drawnLength_; }
    // The colour of column i of the gradient, 0 ... BarLength().
    core::CanvasColor ColumnColor(int i) const;

    void SetBounds(int left, int top, int width, int height) override;
    void PaintSelf(core::Bitmap& frame, const platform::Rect& clip) override;
    ui::Properties ExtraProperties() const override;

  private:
    void updateDrawnLength();
    void setColor(core::CanvasColor& field, core::CanvasColor color);

    int maximum_ = 100;
    int position_ = 0;
    int drawnLength_ = 0;
    core::CanvasColor startColor_ = core::colors::lime;
    core::CanvasColor finalColor_ = core::colors::lime;
    core::CanvasColor barColor_ = core::colors::lime;
    core::CanvasColor backgroundColor_ = core::colors::white;
    core::CanvasColor shapeColor_ = core::CanvasColor::rgb(0, 60, 116);
    bool shaped_ = true;
    bool roundCorner_ = true;
};

}  // namespace widgets

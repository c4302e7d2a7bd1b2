#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "dib/cDIBImage.h"
#include "dib/cDIBImageList.h"
#include "ui/Control.h"

namespace ui {
class Form;
}

namespace dib {

// A control without a window of its own that lives in a TDIBContainer and
// is painted by it: the container hands it a scratch image holding what lies
// below it, the control paints itself over that, and the container lays the
// result back with the control's Opacity. So a sprite can be half see-through
// without knowing anything about what is under it.
class TCustomDIBControl : public ui::Control {
  public:
    // Raises EDIBError("Owner cannot be nil") without an owner. The owner is
    // the form whose event loop runs the control's timers; where the control
    // shows is its parent's business (SetParent). A new control lies at
    // (0, 0) and is 32 x 32.
    TCustomDIBControl(std::string name, ui::Form* owner);

    ui::Form& Owner() const { return owner_; }

    // Only a container can paint a DIB control. Given another control, the
    // first container inside it (its children first, then theirs) is taken;
    // when there is none, EDIBError("Parent must be a TDIBContainer") is
    // raised and the control stays where it was. nullptr takes it off.
    void SetParent(ui::Control* parent) override;

    uint8_t Opacity() const { return opacity_; }
    void SetOpacity(uint8_t opacity);

    // Run around the control's own painting, with the control as sender.
    std::function<void(TCustomDIBControl& sender)> OnPaintStart;
    std::function<void(TCustomDIBControl& sender)> OnPaintEnd;

    // The container's side of the painting. `scratch` is the control's size
    // with its settings reset; (left, top) is where the control lies in
    // `backBuffer`, whose clip rectangle limits what changes.
    void PaintThrough(TAbstractSuperDIB& backBuffer, int left, int top, TWinDIB& scratch);

    ui::Properties ExtraProperties() const override;

  protected:
    // The control draws itself into `scratch` (its own coordinates), which
    // starts as a copy of what lies below the control, unless
    // ContentCoversScratch() says that nothing of that copy would survive.
    virtual void PaintContent(TWinDIB& scratch) = 0;
    // True when PaintContent gives every pixel of the scratch image a colour
    // of its own, whatever was there.
    virtual bool ContentCoversScratch() const { return false; }
    // The pixel word PaintContent would give every pixel of the scratch, when
    // it gives them all the same one.
    virtual std::optional<uint32_t> UniformContent() const { return std::nullopt; }

  private:
    ui::Form& owner_;
    uint8_t opacity_ = 255;
};

// A sprite: one picture of an image list, turned by Angle, scaled by Scale
// or stretched to the control, placed at the control's top-left corner or
// centred in it; with AutoSize the control takes the size of the turned and
// scaled picture, keeping its top-left corner. Parts of the picture outside
// the control are cut off; the picture's colour key lets what is below show.
class TDIBImage : public TCustomDIBControl {
  public:
    TDIBImage(std::string name, ui::Form* owner);

    // The picture shown. When it changes (another list or number, or the
    // list's entry itself) the control re-sizes with AutoSize and repaints.
    TDIBImageLink& IndexMain() { return indexMain_; }
    const TDIBImageLink& IndexMain() const { return indexMain_; }
    TDIBImageList* DIBImageList() const { return indexMain_.DIBImageList(); }
    void SetDIBImageList(TDIBImageList* list) { indexMain_.SetDIBImageList(list); }

    // Degrees, clockwise on screen. Every set re-sizes (with AutoSize) and
    // repaints, also when the value is the same: the game sets the ship's
    // angle on every control tick and counts on it being drawn.
    double Angle() const { return angle_; }
    void SetAngle(double degrees);
    // Percent in both directions. Setting it ends Stretch.
    double Scale() const { return scale_; }
    void SetScale(double percent);
    // The picture fills the control whatever its size; ends AutoSize.
    bool Stretch() const { return stretch_; }
    void SetStretch(bool stretch);
    // Centres the picture in the control (only while AutoSize is off, as an
    // auto-sized control is the picture's size anyway).
    bool Center() const { return center_; }
    void SetCenter(bool center);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);

    bool PaintsOpaque() const override;
    ui::Properties ExtraProperties() const override;

  protected:
    void PaintContent(TWinDIB& scratch) override;
    bool ContentCoversScratch() const override;
    std::optional<uint32_t> UniformContent() const override;

  private:
    void adjustSize();

    TDIBImageLink indexMain_;
    double angle_ = 0;
    double scale_ = 100;
    bool stretch_ = false;
    bool center_ = false;
    bool autoSize_ = false;
};

}  // namespace dib

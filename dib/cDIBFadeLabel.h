#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/Colors.h"
#include "dib/cDIBControl.h"
#include "dib/cDIBTimer.h"
#include "ui/FontProps.h"
#include "ui/Hint.h"
#include "ui/TextDrawing.h"

namespace dib {

// A menu entry: a caption that turns to ColorHighlighted as soon as the
// mouse comes over it and, when the mouse leaves, fades back to Font.Color
// in FrameCount - 1 steps of FrameDelay milliseconds on its own timer.
// While a button pressed on the entry is held, the entry keeps the mouse
// (the form's capture): it stays highlighted until the release and fades
// only then, and a release off the entry is no click.
class TDIBFadeLabel : public TCustomDIBControl, public ui::HintProperties {
  public:
    TDIBFadeLabel(std::string name, ui::Form* owner);

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);
    // Font.Color is the colour of the entry at rest.
    const ui::TFont& Font() const { return font_; }
    void SetFont(const ui::TFont& font);
    void SetFontColor(core::CanvasColor color);
    core::CanvasColor ColorHighlighted() const { return colorHighlighted_; }
    void SetColorHighlighted(core::CanvasColor color);
    uint8_t FrameCount() const { return frameCount_; }
    void SetFrameCount(uint8_t count);
    // Read when a fade starts.
    uint32_t FrameDelay() const { return frameDelay_; }
    void SetFrameDelay(uint32_t delayMs) { frameDelay_ = delayMs; }

    // The background, painted only while Transparent is off.
    core::CanvasColor Color() const { return color_; }
    void SetColor(core::CanvasColor color);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);

    ui::TAlignment Alignment() const { return format_.Alignment; }
    void SetAlignment(ui::TAlignment alignment);
    ui::TTextLayout Layout() const { return format_.Layout; }
    void SetLayout(ui::TTextLayout layout);
    bool WordWrap() const { return format_.WordWrap; }
    void SetWordWrap(bool wordWrap);
    bool ShowAccelChar() const { return format_.ShowAccelChar; }
    void SetShowAccelChar(bool show);

    // The finished entry is turned and scaled as it is laid over the window.
    double Angle() const { return angle_; }
    void SetAngle(double degrees);
    double Scale() const { return scale_; }
    void SetScale(double percent);

    // With AutoSize the entry takes the size of its caption, keeping its
    // top-left corner, so that entries placed close together do not reach
    // over each other.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);

    // The colour the caption is drawn in now.
    core::CanvasColor CurrentColor() const { return current_; }
    bool Highlighted() const { return highlighted_; }
    // Entry i: Font.Color moved (i + 1) / FrameCount of the way towards
    // ColorHighlighted; empty for FrameCount below 2.
    const std::vector<core::CanvasColor>& ColorTable() const { return table_; }

    void MouseEnter() override;
    void MouseLeave() override;
    ui::Properties ExtraProperties() const override;

  protected:
    void PaintContent(TWinDIB& scratch) override;

  private:
    void buildColorTable();
    void fadeStep();
    void adjustSize();
    void textChanged();

    std::string caption_;
    ui::TFont font_;
    core::CanvasColor colorHighlighted_ = core::colors::white;
    uint8_t frameCount_ = 10;
    uint32_t frameDelay_ = 50;
    core::CanvasColor color_ = core::colors::buttonFace;
    bool transparent_ = true;
    ui::TextFormat format_;
    double angle_ = 0;
    double scale_ = 100;
    bool autoSize_ = false;

    std::vector<core::CanvasColor> table_;
    core::CanvasColor current_;
    bool highlighted_ = false;
    size_t fadeIndex_ = 0;
    TDIBTimer timer_;
};

}  // namespace dib

#pragma once

#include <string>

#include "Control.h"
#include "FontProps.h"
#include "Hint.h"

namespace ui {

// A push button: a raised face with a centred caption that sinks while the
// mouse button is held on it. A click is a press and release on it, or Space
// or Return while it has the focus. A disabled button shows an engraved grey
// caption and takes neither mouse nor keyboard.
class TButton : public Control, public HintProperties {
  public:
    explicit TButton(std::string name);

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);
    const TFont& Font() const { return font_; }
    void SetFont(const TFont& font);

    bool CanFocus() const override { return Enabled(); }
    void FocusChanged(bool focused) override;
    void MouseDown(int x, int y) override;
    void MouseMove(int x, int y) override;
    void MouseUp(int x, int y) override;
    void KeyDown(int key) override;

    void PaintSelf(core::Bitmap& frame, const platform::Rect& clip) override;
    Properties ExtraProperties() const override;

  private:
    void setPressedLook(bool sunken);

    std::string caption_;
    TFont font_;
    bool held_ = false;    // the mouse button went down on us and is still down
    bool sunken_ = false;  // held, with the pointer over us
    bool focused_ = false;
};

}  // namespace ui

#pragma once

#include <string>

#include "core/Colors.h"
#include "ui/Label.h"

namespace widgets {

// A transparent label that looks like a link: its text takes one colour
// while the mouse is over it and another otherwise, and its tool tip is the
// address it stands for. Opening the address is left to its OnClick.
class TURLtransparantLabel : public ui::TLabel {
  public:
    explicit TURLtransparantLabel(std::string name);

    const std::string& URL() const { return url_; }
    // Also becomes the hint, so the tool tip shows where the link leads.
    void SetURL(std::string url);
    core::CanvasColor ColorOnenter() const { return colorOnEnter_; }
    void SetColorOnenter(core::CanvasColor color) { colorOnEnter_ = color; }
    core::CanvasColor ColorOnExit() const { return colorOnExit_; }
    // Recolours the text at once: it is the colour the link rests in.
    void SetColorOnExit(core::CanvasColor color);
    bool LinkUnderline() const { return linkUnderline_; }
    void SetLinkUnderline(bool underline) { linkUnderline_ = underline; }

    void MouseEnter() override;
    void MouseLeave() override;
    ui::Properties ExtraProperties() const override;

  private:
    std::string url_;
    core::CanvasColor colorOnEnter_ = core::colors::red;
    core::CanvasColor colorOnExit_ = core::colors::blue;
    bool linkUnderline_ = false;
};

}  // namespace widgets

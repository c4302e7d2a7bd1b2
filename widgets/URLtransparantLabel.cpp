#include "URLtransparantLabel.h"

namespace widgets {

TURLtransparantLabel::TURLtransparantLabel(std::string name) : TLabel(std::move(name)) {
    SetTransparent(true);
    SetFontColor(colorOnExit_);
}

void TURLtransparantLabel::SetURL(std::string url) {
    url_ = std::move(url);
    Hint = url_;
}

void TURLtransparantLabel::SetColorOnExit(core::CanvasColor color) {
    colorOnExit_ = color;
    SetFontColor(color);
}

void TURLtransparantLabel::MouseEnter() {
    ui::TFont font = Font();
    font.Color = colorOnEnter_;
    if (linkUnderline_) font.Underline = true;
    SetFont(font);
    TLabel::MouseEnter();
}

void TURLtransparantLabel::MouseLeave() {
    // The underline goes whether or not entering added it.
    ui::TFont font = Font();
    font.Color = colorOnExit_;
    font.Underline = false;
    SetFont(font);
    TLabel::MouseLeave();
}

ui::Properties TURLtransparantLabel::ExtraProperties() const {
    ui::Properties properties = TLabel::ExtraProperties();
    properties.emplace_back("URL", url_);
    return properties;
}

}  // namespace widgets

#include "AFBlinkLabel.h"

namespace widgets {

TAFBlinkLabel::TAFBlinkLabel(std::string name, platform::EventLoop& loop)
    : TLabel(std::move(name)), timer_(loop), colorOnStart_(Font().Color) {
    timer_.SetInterval(1000);
    timer_.SetOnTimer([this](dib::TDIBTimer&) { blink(); });
}

void TAFBlinkLabel::SetActive(bool active) {
    if (active == active_) return;
    if (active) {
        colorOnStart_ = Font().Color;
        timer_.SetEnabled(true);
    } else {
        timer_.SetEnabled(false);
        SetVisible(visibleOnStop_);
        SetFontColor(colorOnStart_);
    }
    active_ = active;
}

void TAFBlinkLabel::blink() {
    // The loop repaints after every tick, so the change shows without
    // pumping the window's messages from inside the tick.
    SetVisible(!Visible());
}

ui::Properties TAFBlinkLabel::ExtraProperties() const {
    ui::Properties properties = TLabel::ExtraProperties();
    properties.emplace_back("Active", active_);
    return properties;
}

}  // namespace widgets

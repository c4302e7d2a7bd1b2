#pragma once

#include "platform/EventLoop.h"
#include "ui/Form.h"
#include "ui/Image.h"
#include "ui/Label.h"
#include "ui/Panel.h"
#include "widgets/AFBlinkLabel.h"
#include "widgets/Banner.h"
#include "widgets/QProgBar.h"
#include "widgets/URLtransparantLabel.h"

namespace app::layout {

// The controls around the play window: the credits along the top, the fuel
// and damage bars, the hint line, score and time, the pause sign, the
// minimap, the link notice along the bottom edge, and the hidden collision
// picture.
struct HudControls {
    HudControls(ui::Form& form, platform::EventLoop& loop);

    widgets::TBanner Banner1;
    ui::TPanel dxContainer1;  // the minimap's frame
    ui::TImage Image3;        // the minimap picture
    ui::TLabel Label5;
    widgets::TQProgressBar fuelbar;
    ui::TLabel Label6;
    ui::TLabel Label13;
    ui::TLabel Label14;
    widgets::TQProgressBar damageBar;
    widgets::TQProgressBar BoxDam;
    ui::TLabel thetext;
    ui::TLabel Label7;
    ui::TLabel scorelabel;
    ui::TLabel Label18;
    ui::TLabel LabelTime;
    widgets::TAFBlinkLabel pauseg;
    widgets::TURLtransparantLabel URLtransparantLabel1;
    ui::TImage Image2;  // the collision picture: the level as painted, never shown
};

}  // namespace app::layout

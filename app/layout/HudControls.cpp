#include "app/layout/HudControls.h"

#include "app/layout/LayoutFonts.h"
#include "widgets/Credits.h"

namespace app::layout {
namespace {

using core::colors::aqua;
using core::colors::lime;
using core::colors::red;
using core::colors::white;
using core::colors::yellow;

void place(ui::Control& control, ui::Control& parent, int left, int top, int width, int height,
           bool visible = true) {
    control.SetBounds(left, top, width, height);
    control.SetVisible(visible);
    control.SetParent(&parent);
}

void caption(ui::TLabel& label, const char* text, const ui::TFont& f) {
    label.SetCaption(text);
    label.SetFont(f);
    label.SetTransparent(true);
}

// The three bars share their frame: white inside, a dark blue rounded rim.
void bar(widgets::TQProgressBar& bar, int maximum, core::CanvasColor start,
         core::CanvasColor final) {
    bar.SetMaximum(maximum);
    bar.SetStartColor(start);
    bar.SetFinalColor(final);
    bar.SetBackgroundColor(white);
    bar.SetShapeColor(core::CanvasColor{7617536});
    bar.SetShaped(true);
    bar.SetRoundCorner(true);
}

}  // namespace

HudControls::HudControls(ui::Form& form, platform::EventLoop& loop)
    : Banner1("Banner1", loop),
      dxContainer1("dxContainer1"),
      Image3("Image3"),
      Label5("Label5"),
      fuelbar("fuelbar"),
      Label6("Label6"),
      Label13("Label13"),
      Label14("Label14"),
      damageBar("damageBar"),
      BoxDam("BoxDam"),
      thetext("thetext"),
      Label7("Label7"),
      scorelabel("scorelabel"),
      Label18("Label18"),
      LabelTime("LabelTime"),
      pauseg("pauseg", loop),
      URLtransparantLabel1("URLtransparantLabel1"),
      Image2("Image2") {
    // The credits lie under the labels above the bars, which stay visible.
    place(Banner1, form, 16, 0, 617, 57);
    Banner1.SetFont(windowFont());
    Banner1.SetLines(widgets::CreditLines());
    Banner1.SetSpeed(175);
    Banner1.SetJump(1);
    Banner1.SetGap(16);
    Banner1.SetDirection(widgets::TBannerDirection::dirBottomTop);
    Banner1.SetAlignment(ui::TAlignment::Center);
    Banner1.SetRun(true);

    place(dxContainer1, form, 16, 8, 137, 129, false);
    dxContainer1.SetColor(core::colors::gray);
    dxContainer1.SetBevelOuter(ui::TPanel::TBevel::Lowered);
    place(Image3, dxContainer1, 3, 4, 129, 121);
    Image3.SetStretch(true);

    place(Label5, form, 160, 0, 30, 16);
    caption(Label5, "Fuel", font("MS Sans Serif", 13, true, lime));
    place(fuelbar, form, 160, 16, 169, 16, false);
    bar(fuelbar, 10000, red, lime);

    place(Label6, form, 400, 0, 60, 16);
    caption(Label6, "Damage", font("MS Sans Serif", 13, true, red));
    place(Label13, form, 403, 15, 28, 14);
    caption(Label13, "Ship", font("MS Sans Serif", 11, false, red));
    place(Label14, form, 400, 28, 32, 14);
    caption(Label14, "Cargo", font("MS Sans Serif", 11, false, yellow));
    place(damageBar, form, 432, 16, 201, 9, false);
    bar(damageBar, 1500, white, red);
    place(BoxDam, form, 432, 30, 201, 9, false);
    bar(BoxDam, 2000, white, red);

    place(thetext, form, 160, 48, 473, 16, false);
    caption(thetext, "", font("MS Sans Serif", 11, false, aqua));
    thetext.SetAlignment(ui::TAlignment::Center);

    place(Label7, form, 456, 544, 88, 20, false);
    caption(Label7, "SCORE :", font("MS Sans Serif", 16, true, white));
    place(scorelabel, form, 544, 544, 96, 20, false);
    caption(scorelabel, "0", font("MS Sans Serif", 16, true, white));
    place(Label18, form, 8, 544, 56, 16, false);
    caption(Label18, "Time :", font("MS Sans Serif", 13, true, white));
    place(LabelTime, form, 64, 544, 96, 16, false);
    caption(LabelTime, "", font("MS Sans Serif", 13, true, white));

    place(pauseg, form, 572, 562, 59, 24, false);
    caption(pauseg, "Pause", font("MS Sans Serif", 19, true, core::colors::black));
    pauseg.SetVisibleOnStop(false);
    pauseg.SetInterval(1000);

    place(URLtransparantLabel1, form, 0, 572, 646, 13);
    URLtransparantLabel1.SetCaption(widgets::kPublishersNotice);
    URLtransparantLabel1.SetFont(font("MS Sans Serif", 11, false, core::colors::blue));
    URLtransparantLabel1.SetAlignment(ui::TAlignment::Center);
    URLtransparantLabel1.SetColorOnenter(red);
    URLtransparantLabel1.SetColorOnExit(core::colors::blue);
    URLtransparantLabel1.SetLinkUnderline(false);

    place(Image2, form, 0, 0, 1280, 1280, false);
}

}  // namespace app::layout

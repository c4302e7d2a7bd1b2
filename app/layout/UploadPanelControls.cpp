#include "app/layout/UploadPanelControls.h"

#include "app/layout/LayoutFonts.h"

namespace app::layout {
namespace {

void place(ui::Control& control, ui::Control& parent, int left, int top, int width, int height) {
    control.SetBounds(left, top, width, height);
    control.SetParent(&parent);
}

void caption(ui::TLabel& label, const char* text, const ui::TFont& f) {
    label.SetCaption(text);
    label.SetFont(f);
    label.SetTransparent(true);
}

}  // namespace

UploadPanelControls::UploadPanelControls(ui::Form& form)
    : dxContainer2("dxContainer2"),
      Image4("Image4"),
      Label16("Label16"),
      Label15("Label15"),
      Edit1("Edit1"),
      Label17("Label17"),
      Label_score("Label_score"),
      dxButton2("dxButton2"),
      dxButton1("dxButton1"),
      Memo2("Memo2") {
    place(dxContainer2, form, 0, 64, 641, 473);
    dxContainer2.SetColor(core::colors::black);
    dxContainer2.Hide();

    place(Image4, dxContainer2, 0, 0, 641, 473);
    Image4.SetStretch(true);

    place(Label16, dxContainer2, 168, 24, 320, 40);
    caption(Label16, "High Score Upload", font("MS Sans Serif", 32, true, core::colors::red));

    place(Label15, dxContainer2, 96, 152, 60, 18);
    caption(Label15, "Name :", windowFont());
    place(Edit1, dxContainer2, 160, 152, 121, 21);
    Edit1.SetMaxLength(15);
    Edit1.SetFont(font("MS Sans Serif", 13, false, core::colors::black));

    place(Label17, dxContainer2, 96, 184, 60, 18);
    caption(Label17, "Score :", windowFont());
    place(Label_score, dxContainer2, 160, 184, 160, 18);
    caption(Label_score, "0", font("MS Sans Serif", 13, true, core::colors::lime));

    place(dxButton2, dxContainer2, 296, 296, 113, 25);
    dxButton2.SetCaption("Cancel");
    place(dxButton1, dxContainer2, 416, 296, 105, 25);
    dxButton1.SetCaption("Upload Score");
    dxButton1.Hint = "Upload";
    dxButton1.ShowHint = true;
    dxButton1.SetEnabled(false);

    place(Memo2, dxContainer2, 96, 328, 441, 89);
    Memo2.SetFont(font("MS Sans Serif", 11, false, core::colors::black));
}

}  // namespace app::layout

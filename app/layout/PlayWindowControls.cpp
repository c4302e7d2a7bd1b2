#include "app/layout/PlayWindowControls.h"

#include "app/layout/LayoutFonts.h"

namespace app::layout {
namespace {

using core::colors::lime;
using core::colors::red;
using core::colors::yellow;

// How a sprite shows its picture.
struct SpriteLook {
    int picture = -1;  // entry of the image list, -1 for none
    bool visible = false;
    uint8_t opacity = 255;
    bool center = false;
    bool autoSize = false;
    bool stretch = false;
    double scale = 100;
};

void sprite(dib::TDIBImage& s, dib::TDIBContainer& parent, dib::TDIBImageList& pictures, int left,
            int top, int width, int height, const SpriteLook& look) {
    s.SetBounds(left, top, width, height);
    s.SetVisible(look.visible);
    s.SetOpacity(look.opacity);
    s.SetDIBImageList(&pictures);
    s.IndexMain().SetDIBIndex(look.picture);
    // Scale first: a new scale ends stretching, and stretching ends auto size.
    s.SetScale(look.scale);
    s.SetStretch(look.stretch);
    s.SetCenter(look.center);
    s.SetAutoSize(look.autoSize);
    s.SetParent(&parent);
}

void label(ui::TLabel& l, dib::TDIBContainer& parent, int left, int top, int width, int height,
           const char* caption, const ui::TFont& f, bool visible) {
    l.SetBounds(left, top, width, height);
    l.SetCaption(caption);
    l.SetFont(f);
    l.SetTransparent(true);
    l.SetVisible(visible);
    l.SetParent(&parent);
}

// A menu entry takes the size of its caption, so no entry covers another.
void entry(dib::TDIBFadeLabel& e, dib::TDIBContainer& parent, int left, int top,
           const char* caption, const ui::TFont& f) {
    e.SetBounds(left, top, 0, 0);
    e.SetCaption(caption);
    e.SetFont(f);
    e.SetAutoSize(true);
    e.SetParent(&parent);
}

ui::TFont mainEntryFont() {
    return font("MS Sans Serif", 16, true, lime);
}
ui::TFont optionFont() {
    return font("MS Sans Serif", 11, false, yellow);
}

}  // namespace

PlayWindowControls::PlayWindowControls(ui::Form& form, dib::TDIBImageList& pictures)
    : DIBContainer1("DIBContainer1"),
      Image1("Image1"),
      DIBImage8("DIBImage8", &form),
      ship("ship", &form),
      Ball("Ball", &form),
      Label1("Label1"),
      Box("Box", &form),
      boxramp("boxramp", &form),
      Backmenu("Backmenu", &form),
      Label4("Label4"),
      Label8("Label8"),
      DIBFadeLabel1("DIBFadeLabel1", &form),
      DIBFadeLabel2("DIBFadeLabel2", &form),
      DIBImage1("DIBImage1", &form),
      DIBImage2("DIBImage2", &form),
      DIBImage3("DIBImage3", &form),
      DIBImage4("DIBImage4", &form),
      DIBImage5("DIBImage5", &form),
      DIBImage6("DIBImage6", &form),
      DIBImage7("DIBImage7", &form),
      Label9("Label9"),
      DIBFadeLabel3("DIBFadeLabel3", &form),
      Label10("Label10"),
      Exitimage("Exitimage", &form),
      bomb("bomb", &form),
      Shape1("Shape1"),
      diblabel5("diblabel5", &form),
      Label11("Label11"),
      DIBFadeLabel4("DIBFadeLabel4", &form),
      Landingramp("Landingramp", &form),
      DIBFadeLabel5("DIBFadeLabel5", &form),
      enemy("enemy", &form),
      DIBFadeLabel6("DIBFadeLabel6", &form),
      DIBFadeLabel7("DIBFadeLabel7", &form),
      DIBFadeLabel8("DIBFadeLabel8", &form),
      DIBFadeLabel9("DIBFadeLabel9", &form),
      Label_Scoring("Label_Scoring"),
      Label3("Label3"),
      Label12("Label12"),
      PackChoice("PackChoice", &form),
      PackName("PackName") {
    DIBContainer1.SetBounds(24, 64, 616, 479);
    DIBContainer1.SetColor(core::colors::black);
    DIBContainer1.SetParent(&form);
    dib::TDIBContainer& w = DIBContainer1;

    Image1.SetBounds(0, 0, 1280, 1280);
    Image1.Hide();  // the first title tick shows it with the title world
    Image1.SetParent(&w);

    sprite(DIBImage8, w, pictures, 0, 0, 616, 479,
           {.picture = 8, .visible = true, .stretch = true});
    sprite(ship, w, pictures, 288, 120, 16, 16, {.picture = 0, .center = true});
    sprite(Ball, w, pictures, 576, 272, 16, 16, {.picture = 7, .center = true, .autoSize = true});
    label(Label1, w, 8, 8, 40, 16, "", windowFont(), false);
    sprite(Box, w, pictures, 560, 256, 16, 16, {.picture = 1, .center = true, .autoSize = true});
    sprite(boxramp, w, pictures, 512, 328, 42, 60,
           {.picture = 2, .center = true, .autoSize = true, .scale = 75});
    sprite(Backmenu, w, pictures, 152, 120, 289, 345,
           {.picture = 3, .visible = true, .opacity = 225, .stretch = true});

    label(Label4, w, 168, 152, 257, 177, "Mission",
          font("Courier New", 12, true, core::colors::aqua), false);
    Label4.SetWordWrap(true);
    label(Label8, w, 168, 80, 257, 41, "Tarnwick", font("Decorative Serif", 32, true, red), true);
    Label8.SetAlignment(ui::TAlignment::Center);

    entry(DIBFadeLabel1, w, 248, 144, "Start game", mainEntryFont());
    entry(DIBFadeLabel2, w, 248, 224, "High Score", mainEntryFont());

    sprite(DIBImage1, w, pictures, 456, 40, 32, 32, {.visible = true});
    sprite(DIBImage2, w, pictures, 400, 16, 65, 49, {.visible = true});
    dib::TDIBImage* spares[] = {&DIBImage3, &DIBImage4, &DIBImage5, &DIBImage6, &DIBImage7};
    for (int k = 0; k < 5; ++k)
        sprite(*spares[k], w, pictures, 592, 24 + 16 * k, 25, 25,
               {.picture = 0, .opacity = 200, .scale = 75});

    // The key help, two columns read line by line. The layout's small bitmap
    // font is narrower than any scalable sans at its 10 pixels: at 9 the
    // longest key name, "Down Arrow", ends well before its description.
    const ui::TFont help = font("Small Fonts", 9, false, core::colors::silver);
    label(Label9, w, 224, 344, 56, 128,
          "CONTROLS\r\nSpace\r\nLeft arrow\r\nRight arrow\r\nUp Arrow\r\nDown "
          "Arrow\r\nCtrl/control\r\nHome\r\nP",
          help, true);
    entry(DIBFadeLabel3, w, 248, 312, "Exit Game", mainEntryFont());
    label(Label10, w, 16, 0, 577, 124, "You are dead.", font("Times New Roman", 29, true, red),
          false);
    Label10.SetAlignment(ui::TAlignment::Center);
    Label10.SetWordWrap(true);

    sprite(Exitimage, w, pictures, 544, 112, 57, 65,
           {.picture = 4, .center = true, .stretch = true});
    sprite(bomb, w, pictures, 568, 312, 6, 10, {.picture = 5, .autoSize = true});

    Shape1.SetBounds(184, 336, 233, 1);
    Shape1.SetPen(ui::Canvas::TPen{core::colors::silver});
    Shape1.SetParent(&w);

    diblabel5.SetBounds(232, 360, 129, 24);
    diblabel5.SetCaption("Start Mission");
    diblabel5.SetFont(font("Arial", 19, true, yellow));
    diblabel5.Hide();
    diblabel5.SetParent(&w);

    label(Label11, w, 280, 344, 150, 128,
          "\r\nfire engine / Thrusts\r\nRotate ship anti clockwise\r\nRotate Ship "
          "clockwise\r\nPick up "
          "object\r\nRelease Cargo/ball\r\nRelease Bomb\r\nCenter ship rotation\r\nPause/resume",
          help, true);
    entry(DIBFadeLabel4, w, 256, 168, "Level : Beginner", optionFont());
    sprite(Landingramp, w, pictures, 552, 384, 42, 36,
           {.picture = 6, .center = true, .autoSize = true, .scale = 75});
    entry(DIBFadeLabel5, w, 256, 184, "Music : On", optionFont());
    sprite(enemy, w, pictures, 552, 432, 32, 32, {.picture = 7});
    entry(DIBFadeLabel6, w, 256, 200, "MiniMap ship : On", optionFont());
    DIBFadeLabel6.Hint =
        "Show the fly path of the player ship on the minimap.\r\nTurn Off for better game "
        "performance. ";
    DIBFadeLabel6.ShowHint = true;
    entry(DIBFadeLabel7, w, 256, 248, "Goto Fenmarrow", optionFont());
    entry(DIBFadeLabel8, w, 256, 264, "Goto Quillbright", optionFont());
    entry(DIBFadeLabel9, w, 256, 280, "Goto Forum", optionFont());
    label(Label_Scoring, w, 0, 0, 200, 20, "", font("Times New Roman", 16, true, red), false);

    label(Label3, w, 0, 0, 80, 16, "", windowFont(), false);
    label(Label12, w, 0, 16, 120, 16, "", windowFont(), false);

    // In the top of the menu panel, above the first entry and the briefing.
    entry(PackChoice, w, 256, 128, "Pack : none", optionFont());
    PackChoice.Hide();
    label(PackName, w, 168, 128, 257, 16, "", font("MS Sans Serif", 13, true, core::colors::aqua),
          false);
    PackName.SetAlignment(ui::TAlignment::Center);
}

}  // namespace app::layout

#pragma once

#include "dib/cDIBContainer.h"
#include "dib/cDIBControl.h"
#include "dib/cDIBFadeLabel.h"
#include "dib/cDIBImageList.h"
#include "ui/Form.h"
#include "ui/Image.h"
#include "ui/Label.h"
#include "ui/Shape.h"

namespace app::layout {

// The play window and everything in it: the level picture, the sprites, the
// title menu and the briefing. Members are declared, and so stacked, bottom
// first, in the order the window layout gives.
struct PlayWindowControls {
    PlayWindowControls(ui::Form& form, dib::TDIBImageList& pictures);

    dib::TDIBContainer DIBContainer1;
    ui::TImage Image1;  // the level picture, 1280 x 1280, moved by the scroll
    dib::TDIBImage DIBImage8;
    dib::TDIBImage ship;
    dib::TDIBImage Ball;
    ui::TLabel Label1;
    dib::TDIBImage Box;
    dib::TDIBImage boxramp;
    dib::TDIBImage Backmenu;
    ui::TLabel Label4;
    ui::TLabel Label8;
    dib::TDIBFadeLabel DIBFadeLabel1;
    dib::TDIBFadeLabel DIBFadeLabel2;
    dib::TDIBImage DIBImage1;
    dib::TDIBImage DIBImage2;
    dib::TDIBImage DIBImage3;
    dib::TDIBImage DIBImage4;
    dib::TDIBImage DIBImage5;
    dib::TDIBImage DIBImage6;
    dib::TDIBImage DIBImage7;
    ui::TLabel Label9;
    dib::TDIBFadeLabel DIBFadeLabel3;
    ui::TLabel Label10;
    dib::TDIBImage Exitimage;
    dib::TDIBImage bomb;
    ui::TShape Shape1;
    dib::TDIBFadeLabel diblabel5;
    ui::TLabel Label11;
    dib::TDIBFadeLabel DIBFadeLabel4;
    dib::TDIBImage Landingramp;
    dib::TDIBFadeLabel DIBFadeLabel5;
    dib::TDIBImage enemy;
    dib::TDIBFadeLabel DIBFadeLabel6;
    dib::TDIBFadeLabel DIBFadeLabel7;
    dib::TDIBFadeLabel DIBFadeLabel8;
    dib::TDIBFadeLabel DIBFadeLabel9;
    ui::TLabel Label_Scoring;
    // Diagnostic texts the ticks write; never shown.
    ui::TLabel Label3;
    ui::TLabel Label12;
    // Beyond the classic layout, at the top of the menu panel: on the title
    // the choice of missions when packs are there to choose, an option in
    // the options' look; on the briefings the chosen pack's name.
    dib::TDIBFadeLabel PackChoice;
    ui::TLabel PackName;
};

}  // namespace app::layout

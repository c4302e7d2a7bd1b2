#pragma once

#include "ui/Button.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/Image.h"
#include "ui/Label.h"
#include "ui/Memo.h"
#include "ui/Panel.h"

namespace app::layout {

// The "High Score Upload" panel that covers the title screen after a game
// with a positive score.
struct UploadPanelControls {
    explicit UploadPanelControls(ui::Form& form);

    ui::TPanel dxContainer2;
    ui::TImage Image4;  // the panel's background picture
    ui::TLabel Label16;
    ui::TLabel Label15;
    ui::TEdit Edit1;
    ui::TLabel Label17;
    ui::TLabel Label_score;
    ui::TButton dxButton2;
    ui::TButton dxButton1;
    ui::TMemo Memo2;
};

}  // namespace app::layout

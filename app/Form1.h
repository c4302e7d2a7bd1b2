#pragma once

#include <memory>
#include <optional>

#include "app/ProgramPaths.h"
#include "app/StoredMedia.h"
#include "app/layout/HudControls.h"
#include "app/layout/PlayWindowControls.h"
#include "app/layout/UploadPanelControls.h"
#include "core/Bitmap.h"
#include "core/GameState.h"
#include "dib/cDIBTimer.h"
#include "effects/EffectBuffer.h"
#include "effects/LevelPictures.h"
#include "engine/FrameTick.h"
#include "ui/Form.h"

namespace app {

class TForm2;

// The game window and the composition root: it owns the game state, the
// timers, the effect buffer and (later) every control, and its handlers keep
// the game's names. Each handler hands over at once to the subsystem that
// owns the behaviour.
class TForm1 : public ui::Form {
  public:
    static constexpr int kClientWidth = 646;
    static constexpr int kClientHeight = 585;

    TForm1(platform::EventLoop& loop, ProgramPaths paths);
    ~TForm1() override;

    // Start-up handlers, in the order the program entry calls them.
    void FormCreate();
    void FormShow(TForm2& musicWindow);
    void FormDestroy();

    const ProgramPaths& Paths() const { return paths_; }
    std::string GetProgramFolder() const { return paths_.programFolder; }
    std::string GetDataFolder() const { return paths_.dataFolder; }

    // "Exit Game": the program ends, without a question.
    void DIBFadeLabel3Click();

    // Ticks.
    void DIBTimer1Timer();  // frame tick
    void DIBTimer3Timer();  // title tick

    // The effect request: spawns the particles of `Effects.effectPreset`.
    void SpawnEffect();
    int ParticleCount() const;

    core::GameState State;
    effects::EffectFields Effects;

    // Created in this order: timers due at the same moment tick in this order.
    dib::TDIBTimer DIBTimer1;  // frame tick
    dib::TDIBTimer timer1;     // mission tick
    dib::TDIBTimer DIBTimer2;  // control tick
    dib::TDIBTimer DIBTimer3;  // title tick

    // The window layout: the stored pictures and sounds first, then the
    // controls, bottom first.
    StoredMedia Media;
    layout::PlayWindowControls Play;
    layout::HudControls Hud;
    layout::UploadPanelControls Upload;

    // The level picture and the collision picture as the effect buffer feeds them.
    effects::LevelPictures Pictures;

  private:
    ProgramPaths paths_;
    engine::FrameTickContext frameTick_;
};

}  // namespace app

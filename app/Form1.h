#pragma once

#include <memory>
#include <optional>

#include "app/ProgramPaths.h"
#include "app/StoredMedia.h"
#include "app/flow/GameEnd.h"
#include "app/flow/GameStart.h"
#include "app/flow/MissionActions.h"
#include "app/flow/MissionEnd.h"
#include "app/flow/MissionPhase.h"
#include "app/flow/ChosenMissions.h"
#include "app/flow/MissionSetup.h"
#include "app/flow/PackChoice.h"
#include "app/flow/PauseKey.h"
#include "app/flow/PlaySceneView.h"
#include "app/flow/PlayTimers.h"
#include "app/flow/QuitQuestion.h"
#include "app/flow/ScoreUpload.h"
#include "app/flow/Screens.h"
#include "app/flow/TitleOptions.h"
#include "app/flow/WebPages.h"
#include "app/layout/HudControls.h"
#include "app/layout/PlayWindowControls.h"
#include "app/layout/UploadPanelControls.h"
#include "core/Bitmap.h"
#include "core/GameState.h"
#include "dib/cDIBTimer.h"
#include "effects/EffectBuffer.h"
#include "effects/LevelPictures.h"
#include "engine/FrameTick.h"
#include "engine/PlayScene.h"
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

    // `packs`: what the title offers beside the game's own missions.
    TForm1(platform::EventLoop& loop, ProgramPaths paths, PackChoices packs = {});
    ~TForm1() override;

    // Start-up handlers, in the order the program entry calls them.
    void FormCreate();
    void FormShow(TForm2& musicWindow);
    // The missions the next game flies: a pack's instead of the built-in ten.
    void PackChoiceClick() { packChoice_.Click(); }
    void FormDestroy();

    const ProgramPaths& Paths() const { return paths_; }
    std::string GetProgramFolder() const { return paths_.programFolder; }
    std::string GetDataFolder() const { return paths_.dataFolder; }

    // Menu entries and the upload panel.
    void DIBFadeLabel1Click() { start_.DIBFadeLabel1Click(); }    // "Start game"
    void DIBFadeLabel3Click();                                    // "Exit Game"
    void DIBFadeLabel4Click() { options_.DIBFadeLabel4Click(); }  // difficulty
    void DIBFadeLabel5Click() { options_.DIBFadeLabel5Click(); }  // music
    void DIBFadeLabel6Click() { options_.DIBFadeLabel6Click(); }  // minimap trail
    void diblabel5Click() { setup_.diblabel5Click(); }            // "Start Mission"
    void dxButton2Click() { gameEnd_.dxButton2Click(); }          // "Cancel"
    void dxButton1Click() { scoreUpload_.dxButton1Click(); }      // "Upload Score"
    void Edit1Change() { scoreUpload_.Edit1Change(); }

    // Links to web pages.
    void DIBFadeLabel2Click() { web_.DIBFadeLabel2Click(); }  // "High Score"
    void DIBFadeLabel7Click() { web_.DIBFadeLabel7Click(); }  // "Goto Fenmarrow"
    void DIBFadeLabel8Click() { web_.DIBFadeLabel8Click(); }  // "Goto Quillbright"
    void DIBFadeLabel9Click() { web_.DIBFadeLabel9Click(); }  // "Goto Forum"
    void URLtransparantLabel1Click() { web_.URLtransparantLabel1Click(); }

    // Ticks.
    void DIBTimer1Timer();  // frame tick
    void timer2Timer();     // mission tick
    void DIBTimer2Timer();  // control tick
    void DIBTimer3Timer();  // title tick

    // Keys that arrive as events: any release, P for the pause, and a
    // gamepad's Start, which pauses as P does.
    void FormKeyDown(int key);
    void FormKeyUp(int key);
    void FormKeyPress(char32_t ch);

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
    void requestEffect(uint8_t preset);
    PlayTimers timers() { return {DIBTimer1, timer1, DIBTimer2, DIBTimer3}; }

    ProgramPaths paths_;
    ChosenMissions missions_;
    // The game flow, each piece owning one screen or rule of it.
    engine::PlayScene scene_;
    MissionPhase phase_;
    Screens screens_;
    PlaySceneView view_;
    TitleOptions options_;
    WebPages web_;
    GameEnd gameEnd_;
    ScoreUpload scoreUpload_;
    QuitQuestion quit_;
    MissionEnd end_;
    GameStart start_;
    MissionSetup setup_;
    PackChoice packChoice_;
    PauseKey pause_;
    MissionActions actions_;
    engine::FrameTickContext frameTick_;
};

}  // namespace app

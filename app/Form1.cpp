#include "app/Form1.h"

#include "app/Form2.h"
#include "app/LevelArchive.h"
#include "app/PictureFile.h"
#include "app/flow/KeyboardInput.h"
#include "core/ArchivePassword.h"
#include "dib/cDIBImage.h"
#include "engine/ControlTick.h"
#include "engine/MissionTick.h"
#include "platform/Keys.h"
#include "scores/FtpScoreServer.h"

namespace app {
namespace {

// The level picture control is 1280 x 1280; the effect buffer takes its size.
constexpr int kLevelPictureSize = 1280;

}  // namespace

TForm1::TForm1(platform::EventLoop& loop, ProgramPaths paths, PackChoices packs)
    : ui::Form("Form1", loop),
      DIBTimer1(loop),
      timer1(loop),
      DIBTimer2(loop),
      DIBTimer3(loop),
      Media(loop.audio()),
      Play(*this, Media.DIBImageList1),
      Hud(*this, loop),
      Upload(*this),
      Pictures(Play.Image1, Hud.Image2),
      paths_(std::move(paths)),
      missions_(paths_.dataFolder),
      screens_(State, Play, Hud, DIBTimer3),
      view_(State, scene_, Play, Hud),
      options_(State, Play),
      web_(loop.backend()),
      gameEnd_(State, missions_, *this, Upload, screens_),
      scoreUpload_(
          loop, State, Upload, paths_.dataFolder,
          [] { return std::make_unique<scores::FtpScoreServer>(scores::LoadServerConfig()); }),
      quit_(loop, State, screens_, timers(), phase_),
      end_(State, Play, Media, timers(), phase_, [this] { DIBFadeLabel1Click(); }),
      start_(loop, paths_, missions_, State, scene_, view_, Play, Hud, screens_, timers(),
             {.endGame = [this] { gameEnd_.EndGame(); }, .abandon = [this] { quit_.Abandon(); }}),
      setup_(loop, missions_, State, scene_, view_, {Play, Hud, Media, Effects, Pictures}, screens_,
             timers(), phase_,
             {.requestEffect = [this](uint8_t preset) { requestEffect(preset); },
              .endGame = [this] { gameEnd_.EndGame(); },
              .abandon = [this] { quit_.Abandon(); }}),
      packChoice_(loop, missions_, screens_, Play.PackChoice, std::move(packs)),
      pause_(State, timers(), Hud.pauseg, phase_),
      actions_(
          Media, loop.audio(), timers(), [this](uint8_t preset) { requestEffect(preset); },
          [this] { end_.EndMission(); },
          [this] {
              quit_.Ask();
              return ReadShipInput(Loop().keys());
          }),
      frameTick_{State, Effects, Pictures, Play.DIBImage8, Hud.Image3, &scene_, &actions_} {
    dib::PrepareRotationTables();
    SetBounds(0, 0, kClientWidth, kClientHeight);
    SetCaption("Tarnwick for windows");
    SetColor(core::colors::black);
    // The play controls poll keys, but pause and key releases arrive as
    // events that the window must see before any of its controls.
    KeyPreview = true;
    OnClose = [&loop] { loop.quit(); };

    OnKeyDown = [this](int key) { FormKeyDown(key); };
    OnKeyUp = [this](int key) { FormKeyUp(key); };
    OnKeyPress = [this](char32_t ch) { FormKeyPress(ch); };

    Play.DIBFadeLabel1.OnClick = [this] { DIBFadeLabel1Click(); };
    Play.DIBFadeLabel3.OnClick = [this] { DIBFadeLabel3Click(); };
    Play.DIBFadeLabel4.OnClick = [this] { DIBFadeLabel4Click(); };
    Play.DIBFadeLabel5.OnClick = [this] { DIBFadeLabel5Click(); };
    Play.DIBFadeLabel6.OnClick = [this] { DIBFadeLabel6Click(); };
    Play.PackChoice.OnClick = [this] { PackChoiceClick(); };
    Upload.dxButton2.OnClick = [this] { dxButton2Click(); };
    Play.DIBFadeLabel2.OnClick = [this] { DIBFadeLabel2Click(); };
    Play.DIBFadeLabel7.OnClick = [this] { DIBFadeLabel7Click(); };
    Play.DIBFadeLabel8.OnClick = [this] { DIBFadeLabel8Click(); };
    Play.DIBFadeLabel9.OnClick = [this] { DIBFadeLabel9Click(); };
    Hud.URLtransparantLabel1.OnClick = [this] { URLtransparantLabel1Click(); };
    Hud.URLtransparantLabel1.SetURL(WebPages::HomePage());
    Hud.URLtransparantLabel1.Hint = Hud.URLtransparantLabel1.URL();
    Hud.URLtransparantLabel1.ShowHint = true;
    Upload.dxButton1.OnClick = [this] { dxButton1Click(); };
    Upload.Edit1.OnChange = [this] { Edit1Change(); };
    Play.diblabel5.OnClick = [this] { diblabel5Click(); };
    DIBTimer1.SetOnTimer([this](dib::TDIBTimer&) { DIBTimer1Timer(); });
    timer1.SetOnTimer([this](dib::TDIBTimer&) { timer2Timer(); });
    DIBTimer2.SetOnTimer([this](dib::TDIBTimer&) { DIBTimer2Timer(); });
    DIBTimer3.SetOnTimer([this](dib::TDIBTimer&) { DIBTimer3Timer(); });
    DIBTimer1.SetInterval(75);
    timer1.SetInterval(100);
    DIBTimer2.SetInterval(5);
    DIBTimer3.SetInterval(250);
    DIBTimer3.SetEnabled(true);
}

TForm1::~TForm1() = default;

void TForm1::FormCreate() {
    // Every start unpacks the archive afresh, so stale pictures are replaced.
    // The shipped program files and the archive itself may never be overwritten.
    extractLevelArchive(paths_.programFolder + "level.zip", core::kLevelArchivePassword,
                        paths_.dataFolder,
                        {paths_.programName, "tarnwick", "tarnwick-sim", "level.zip"});
    Upload.Image4.SetPicture(LoadPictureFile(paths_.dataFolder + "Level_hs.jpg"));
}

void TForm1::FormShow(TForm2& musicWindow) {
    musicWindow.Hide();
    options_.SetMusicFrame(&musicWindow.Frame11);
    musicWindow.Frame11.Load_and_play(ShippedFile(paths_, "Pelwyn-Skyrush 2k4_64.wma"));
    Effects.effectPreset = 255;
    State.scrollX = 0;
    State.scrollY = 0;
}

void TForm1::FormDestroy() {
    // The engine goes first: its particles refer to positions in the buffer.
    Effects.particleEngine.reset();
    Effects.effectBuffer = core::Bitmap();
}

void TForm1::DIBFadeLabel3Click() {
    Loop().quit();
}

void TForm1::DIBTimer1Timer() {
    engine::FrameTick(frameTick_);
    if (!State.menuMode) view_.ShowScene();
}

void TForm1::timer2Timer() {
    // The displays show the state the tick starts from; a delivery's bonus
    // reaches the score a tick later, the exit's bonuses at once.
    const auto now = static_cast<uint32_t>(Loop().clock().nowMs());
    view_.ShowFlightDisplays(now);
    const bool wasComplete = State.missionComplete;
    engine::MissionTick(State, scene_, actions_, now);
    if (State.missionComplete && !wasComplete) view_.ShowScore();
    view_.ShowScene();
}

void TForm1::DIBTimer2Timer() {
    engine::ControlTick(State, scene_, ReadShipInput(Loop().keys()), actions_);
    // The quit question may have ended the game meanwhile.
    if (!State.menuMode) view_.ShowScene();
}

void TForm1::FormKeyDown(int key) {
    if (key == platform::vk::GamepadStart) pause_.Toggle();
}

void TForm1::FormKeyUp(int) {
    engine::KeyReleased(State);
}

void TForm1::FormKeyPress(char32_t ch) {
    // The window sees typed characters before the name field: a "p" typed
    // into the upload panel is the player's name, not the pause.
    if (Upload.dxContainer2.Visible()) return;
    if (ch == U'p' || ch == U'P') pause_.Toggle();
}

void TForm1::requestEffect(uint8_t preset) {
    Effects.effectPreset = preset;
    SpawnEffect();
}

void TForm1::SpawnEffect() {
    effects::SpawnEffect(Effects, State, Loop().clock(), kLevelPictureSize, kLevelPictureSize);
}

int TForm1::ParticleCount() const {
    return Effects.particleEngine ? Effects.particleEngine->HighIndex() + 1 : 0;
}

}  // namespace app

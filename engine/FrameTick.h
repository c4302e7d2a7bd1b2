#pragma once

#include "core/GameState.h"
#include "dib/cDIBControl.h"
#include "effects/EffectBuffer.h"
#include "effects/LevelPictures.h"
#include "engine/PlayActions.h"
#include "engine/PlayScene.h"
#include "ui/Image.h"

namespace engine {

// What the frame tick works on: the game state, the effect buffer with its
// two pictures, the two controls it draws on, and the play window's scene
// with the actions the rules ask for. Until the window hands in a scene and
// its actions, the frame tick does only what the title screen needs.
struct FrameTickContext {
    core::GameState& state;
    effects::EffectFields& effects;
    effects::LevelPictures& pictures;
    dib::TDIBImage& backdrop;  // DIBImage8, the title screen's veil
    ui::TImage& minimap;       // Image3
    PlayScene* scene = nullptr;
    PlayActions* actions = nullptr;
};

// The drawing and collision heartbeat, every 75 ms, behind the title screen
// as in a mission: the bonus label's countdown, the minimap trail, the world
// bounds, the title veil's pulse, the particle pass, and during a mission the
// rock tests of ship, cargo and bomb and the countdowns to the mission's end,
// then the hand-over of the effect buffer to the level picture and the beam
// and tow line drawn over it.
void FrameTick(FrameTickContext& c);

}  // namespace engine

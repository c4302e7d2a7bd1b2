#pragma once

#include "core/GameState.h"
#include "dib/cDIBControl.h"
#include "effects/EffectBuffer.h"
#include "effects/LevelPictures.h"
#include "ui/Image.h"
#include "ui/Label.h"

namespace engine {

// What the frame tick works on: the game state, the effect buffer with its
// two pictures, and the few controls it writes.
struct FrameTickContext {
    core::GameState& state;
    effects::EffectFields& effects;
    effects::LevelPictures& pictures;
    dib::TDIBImage& backdrop;      // DIBImage8, the title screen's veil
    ui::TLabel& scoringLabel;      // Label_Scoring
    ui::TImage& minimap;           // Image3
    ui::TLabel& coordinatesLabel;  // Label12, never shown
    ui::TLabel& particlesLabel;    // Label3, never shown
};

// The drawing heartbeat, every 75 ms, behind the title screen as in a
// mission: the bonus label's countdown, the minimap trail, the world bounds,
// the title veil's pulse, the particle pass and the hand-over of the effect
// buffer to the level picture.
void FrameTick(FrameTickContext& c);

}  // namespace engine

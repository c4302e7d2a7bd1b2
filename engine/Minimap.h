#pragma once

#include "core/GameState.h"
#include "ui/Image.h"

namespace engine {

// The minimap is the level picture itself, shown shrunk; marks are drawn on
// it at world coordinates and stay until the next level picture replaces it.

// A green 8 x 8 square at the ship's world position: never erased, so the
// squares trace the flight path.
void DrawMinimapTrail(ui::TImage& minimap, const core::GameState& s);

// Where the mission's goals are, drawn once when a mission is set up: the
// exit red, the cargo yellow, the collector silver, 16 x 16 squares outlined
// in the minimap's black pen, in that order (later ones cover earlier ones).
void DrawMinimapMarkers(ui::TImage& minimap, const core::GameState& s);

}  // namespace engine

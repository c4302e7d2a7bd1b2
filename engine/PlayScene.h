#pragma once

#include <cstdint>
#include <string>

#include "core/GameState.h"

namespace engine {

// Top-left corner of a sprite in the play window.
struct SpritePlace {
    int32_t left = 0;
    int32_t top = 0;
    bool operator==(const SpritePlace&) const = default;
};

// The ship sprite never moves: the world scrolls behind it.
inline constexpr int32_t kShipLeft = 288;
inline constexpr int32_t kShipTop = 120;

// A world point as the play window shows it.
inline SpritePlace OnScreen(int32_t worldX, int32_t worldY, const core::GameState& s) {
    return {worldX + s.scrollX, worldY + s.scrollY};
}

// What the play window shows, as the rules leave it. The window copies it to
// its controls in one place after each tick. Some rules compare sprite
// positions rather than world positions (hooking, the tow line's pull, where
// the bonus label goes), so `box` is where the cargo sprite was last placed,
// which can lag the cargo's world position by a tick.
struct PlayScene {
    SpritePlace box;        // Box, the cargo
    SpritePlace collector;  // boxramp
    SpritePlace exit;       // Exitimage
    SpritePlace enemy;
    SpritePlace bomb;

    bool shipVisible = false;
    bool boxVisible = false;
    bool exitVisible = false;
    bool enemyVisible = false;
    bool bombVisible = false;

    std::string message;  // Label10: death or success
    bool messageVisible = false;

    std::string scoring;  // Label_Scoring: the cargo bonus over the collector
    int32_t scoringLeft = 0;
    int32_t scoringTop = 0;
    bool scoringVisible = false;

    std::string hint;  // thetext
    bool hintVisible = false;

    // Diagnostic texts of hidden labels, kept for inspection.
    std::string coordinates;  // Label12
    std::string label3;       // Label3
};

}  // namespace engine

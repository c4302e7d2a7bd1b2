#include "app/flow/TitleOptions.h"

#include <stdexcept>

namespace app {
namespace {

// The tow line of each level: its free play, and how hard it pulls the cargo
// and the ship once taut.
struct DifficultyRow {
    uint8_t difficulty;
    const char* caption;
    uint8_t towSlack;
    double towCargoPull;
    double towShipPull;
};

constexpr DifficultyRow kBeginner{1, "Level : Beginner", 4, 1.1, 0.2};
constexpr DifficultyRow kNormal{2, "Level : Normal", 12, 0.5, 0.3};
constexpr DifficultyRow kExpert{3, "Level : Expert", 24, 0.5, 0.5};

const DifficultyRow& followingLevel(uint8_t difficulty) {
    switch (difficulty) {
        case 1:
            return kNormal;
        case 2:
            return kExpert;
        default:
            return kBeginner;
    }
}

}  // namespace

TitleOptions::TitleOptions(core::GameState& state, layout::PlayWindowControls& play)
    : state_(state), play_(play) {}

void TitleOptions::DIBFadeLabel4Click() {
    const DifficultyRow& row = followingLevel(state_.difficulty);
    state_.difficulty = row.difficulty;
    play_.DIBFadeLabel4.SetCaption(row.caption);
    state_.towSlack = row.towSlack;
    state_.towCargoPull = row.towCargoPull;
    state_.towShipPull = row.towShipPull;
}

void TitleOptions::DIBFadeLabel5Click() {
    if (!music_) throw std::logic_error("The music window is not there yet");
    // The caption is the option's only state. Without an open music file the
    // player refuses, and the caption stays as it was.
    if (play_.DIBFadeLabel5.Caption() == "Music : Off") {
        music_->mp3player.Play();
        play_.DIBFadeLabel5.SetCaption("Music : On");
    } else {
        music_->mp3player.Stop();
        play_.DIBFadeLabel5.SetCaption("Music : Off");
    }
}

void TitleOptions::DIBFadeLabel6Click() {
    if (play_.DIBFadeLabel6.Caption() == "MiniMap ship : Off") {
        state_.minimapTrail = true;
        play_.DIBFadeLabel6.SetCaption("MiniMap ship : On");
    } else {
        state_.minimapTrail = false;
        play_.DIBFadeLabel6.SetCaption("MiniMap ship : Off");
    }
}

}  // namespace app

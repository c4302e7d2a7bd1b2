#pragma once

#include <cstdint>

#include "engine/ShipInput.h"

namespace engine {

// The two stored sound lists of the window.
enum class SoundList { DIBWavList1, DIBWavList2 };

// Item numbers within a sound list. DIBWavList1 holds only the first two.
inline constexpr int kSoundBump = 0;
inline constexpr int kSoundSpawn = 1;
inline constexpr int kSoundBomb = 2;
inline constexpr int kSoundExplosion = 3;
inline constexpr int kSoundOpenExit = 4;
inline constexpr int kSoundTow = 5;
inline constexpr int kSoundNewLife = 6;

// The effect presets the play rules request.
inline constexpr uint8_t kEffectBigBang = 4;
inline constexpr uint8_t kEffectShipSparks = 5;  // also the first request of a mission's start
inline constexpr uint8_t kEffectMissionStart = 7;
inline constexpr uint8_t kEffectCargoSparks = 8;
inline constexpr uint8_t kEffectBombBlast = 9;
inline constexpr uint8_t kEffectEnemySpark = 11;

// What the play rules need from outside the game state. The window
// implements it. Every call is made at the exact point of the rule that
// causes it, never batched: effect requests draw from the same random
// sequence as the enemy's beam colours, so their order is part of the game.
class PlayActions {
  public:
    virtual ~PlayActions() = default;

    virtual void PlaySound(SoundList list, int index) = 0;
    // One effect request of `preset`; a burst "x4" is four calls.
    virtual void RequestEffect(uint8_t preset) = 0;
    // Tells the engine-sound player to play (it goes on if it already plays).
    virtual void PlayEngineSound() = 0;
    // Stops the control tick and the mission tick; the frame tick runs on
    // for the countdown.
    virtual void StopFlightTicks() = 0;
    // The mission is over: the game flow takes a life or not and moves on.
    virtual void EndMission() = 0;
    // The modal "Abandon current game ?" question and whatever its answer
    // does. The other ticks keep running while it is open. Returns the keys
    // as they are held once it has closed.
    virtual ShipInput AskQuitQuestion() = 0;
};

}  // namespace engine

#pragma once

#include <bitset>

// Keys are named by the game's virtual-key codes (the codes the play controls
// were designed with), whatever the back-end's own key codes are.
namespace platform {

namespace vk {
inline constexpr int Shift = 16;
inline constexpr int Control = 17;
inline constexpr int Escape = 27;
inline constexpr int Space = 32;
inline constexpr int Home = 36;
inline constexpr int Left = 37;
inline constexpr int Up = 38;
inline constexpr int Right = 39;
inline constexpr int Down = 40;
inline constexpr int Return = 13;
inline constexpr int Tab = 9;
inline constexpr int Back = 8;
inline constexpr int Delete = 46;
inline constexpr int End = 35;
// A gamepad's Start (Windows' "gamepad menu" key): it pauses as P does.
inline constexpr int GamepadStart = 0xCF;
// Letters and digits use their upper-case ASCII code ('A' = 65, '0' = 48).
}  // namespace vk

// Which keys are held at this moment, kept up to date from key events, so the
// control tick can poll "is Space held now" instead of reacting to events.
class KeyTable {
  public:
    void press(int key) {
        if (valid(key)) held_.set(static_cast<size_t>(key));
    }
    void release(int key) {
        if (valid(key)) held_.reset(static_cast<size_t>(key));
    }
    bool held(int key) const { return valid(key) && held_.test(static_cast<size_t>(key)); }

  private:
    static bool valid(int key) { return key >= 0 && key < 256; }
    std::bitset<256> held_;
};

}  // namespace platform

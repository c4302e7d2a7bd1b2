#pragma once

#include <cstdint>
#include <functional>

namespace platform {

// One thing that happened to the window, as the back-ends report it.
struct Event {
    enum class Type {
        KeyDown,     // key: a virtual-key code
        KeyUp,       // key
        Char,        // ch: a typed character (Unicode code point)
        MouseMove,   // x, y in client pixels; outside the window means "left"
        MouseDown,   // x, y: left button pressed
        MouseUp,     // x, y: left button released
        Close,       // the user closes the window
        Expose,      // the window content was lost and must be redrawn
        MusicEnded,  // the background music reached the end of its file
        Call,        // run `call` on the loop (used by drivers such as tarnwick-sim)
        Quit,        // end the program
    };

    Type type = Type::Quit;
    int key = 0;
    bool repeat = false;  // a key-down the keyboard repeats while the key stays held
    char32_t ch = 0;
    int x = 0;
    int y = 0;
    std::function<void()> call{};
};

}  // namespace platform

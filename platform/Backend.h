#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "Audio.h"
#include "Clock.h"
#include "Events.h"
#include "Geometry.h"
#include "core/Bitmap.h"

namespace platform {

// What differs between the real window and the headless driver: where events
// and time come from, where the frame goes and what plays the sound. The
// event loop, timers, boxes and everything above are the same for both.
class Backend {
  public:
    virtual ~Backend() = default;

    virtual Clock& clock() = 0;
    virtual Audio& audio() = 0;

    // Opens the window (the headless back-end has none). Called once, before
    // the first present.
    virtual void showWindow(const std::string& caption, const std::string& appTitle,
                            Size clientSize) = 0;

    // The next event, waiting at most until `deadline` (clock().nowMs());
    // without a deadline it waits for ever. A deadline at or before now polls:
    // it returns only an event that is already waiting.
    virtual std::optional<Event> waitEvent(std::optional<uint64_t> deadline) = 0;

    // Shows the frame; only `dirty` changed since the last present.
    virtual void present(const core::Bitmap& frame, const Rect& dirty) = 0;

    // Opens a web address in the desktop's browser; throws std::runtime_error
    // when that fails.
    virtual void openUrl(const std::string& url) = 0;
    // Brings the window in front of the desktop's other windows.
    virtual void raiseWindow() = 0;

    // A handler that holds the window (the score upload) leaves it taking no
    // input meanwhile: what the player pressed then was aimed at a window
    // that did not answer, and must not reach what shows once it returns.
    // `inputMoment` marks the start of the hold; `dropInputSince` then throws
    // away the key presses, typed characters and button presses that came
    // since. Releases, the close request and the music's end still arrive,
    // so that no key stays held.
    virtual uint64_t inputMoment() = 0;
    virtual void dropInputSince(uint64_t moment) = 0;
};

}  // namespace platform

#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Backend.h"
#include "SdlAudio.h"
#include "SystemClock.h"
#include "WindowScale.h"

struct SDL_Window;
union SDL_Event;

namespace platform {

class SdlGamepads;

// The real window, keyboard, mouse and sound device through SDL2. Sound is
// optional: without a device the game runs silent. showWindow throws
// std::runtime_error when there is no display to open the window on.
class SdlBackend : public Backend {
  public:
    SdlBackend();
    ~SdlBackend() override;
    SdlBackend(const SdlBackend&) = delete;
    SdlBackend& operator=(const SdlBackend&) = delete;

    Clock& clock() override { return clock_; }
    Audio& audio() override { return *audio_; }
    void showWindow(const std::string& caption, const std::string& appTitle,
                    Size clientSize) override;
    std::optional<Event> waitEvent(std::optional<uint64_t> deadline) override;
    void present(const core::Bitmap& frame, const Rect& dirty) override;
    void openUrl(const std::string& url) override;
    void raiseWindow() override;
    uint64_t inputMoment() override;
    void dropInputSince(uint64_t moment) override;

  private:
    std::optional<Event> translate(const SDL_Event& event);
    Event pointerEvent(Event::Type type, int x, int y) const;
    void enlargeToDesktop();
    void toggleFullScreen();
    void queueText(const char* utf8);

    SystemClock clock_;
    uint32_t musicEndedEventType_ = 0;
    std::unique_ptr<SdlAudio> audio_;
    std::unique_ptr<SdlGamepads> gamepads_;
    SDL_Window* window_ = nullptr;
    Size clientSize_;
    Size surfaceSize_;       // of the window surface the picture was last laid out for
    WindowScale scale_;      // the client area's place in that surface
    std::vector<uint32_t> enlarged_;  // the changed rectangle, enlarged
    // Events made from one SDL event beyond the first (the characters of a
    // text input, the keys of a gamepad), handed out one by one.
    std::deque<Event> pending_;
};

}  // namespace platform

#pragma once

#include "music/mp3frameU1.h"
#include "platform/EventLoop.h"

namespace app {

// The music window. It only carries the music frame: the main window hides it
// as soon as it is shown, so the player never sees it and it opens no window.
class TForm2 {
  public:
    explicit TForm2(platform::EventLoop& loop) : Frame11(loop) {}

    bool Visible() const { return visible_; }
    void Hide() { visible_ = false; }

    music::TFrame1 Frame11;

  private:
    bool visible_ = true;
};

}  // namespace app

#pragma once

#include <cstdint>
#include <string>

#include "core/Colors.h"
#include "dib/cDIBTimer.h"
#include "platform/EventLoop.h"
#include "ui/Label.h"

namespace widgets {

// What each blink tick does. Only plain blinking exists.
enum class TBlinkMode { bmBlink };

// A label that blinks on a timer of its own: the pause sign. The timer is the
// label's, so it keeps blinking while the game's own timers stand still.
//
// Starting to blink remembers the font colour of that moment and stopping
// restores it, so a caller may recolour the label while it blinks.
class TAFBlinkLabel : public ui::TLabel {
  public:
    TAFBlinkLabel(std::string name, platform::EventLoop& loop);

    bool Active() const { return active_; }
    // On: remember the font colour and start the timer. Off: stop it, take
    // the VisibleOnStop visibility and the remembered colour back.
    void SetActive(bool active);
    TBlinkMode BlinkMode() const { return blinkMode_; }
    void SetBlinkMode(TBlinkMode mode) { blinkMode_ = mode; }
    bool VisibleOnStop() const { return visibleOnStop_; }
    void SetVisibleOnStop(bool visible) { visibleOnStop_ = visible; }
    // Milliseconds between two blinks; a change takes effect at once.
    uint32_t Interval() const { return timer_.Interval(); }
    void SetInterval(uint32_t interval) { timer_.SetInterval(interval); }

    ui::Properties ExtraProperties() const override;

  private:
    void blink();

    dib::TDIBTimer timer_;
    bool active_ = false;
    TBlinkMode blinkMode_ = TBlinkMode::bmBlink;
    bool visibleOnStop_ = true;
    core::CanvasColor colorOnStart_;
};

}  // namespace widgets

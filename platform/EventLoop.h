#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Backend.h"
#include "Keys.h"
#include "LoopClock.h"
#include "MessageBoxes.h"
#include "Recorder.h"
#include "WindowClient.h"

namespace platform {

// The one thread of the game: takes events from the back-end, runs due timers,
// repaints what was invalidated, and sleeps until the next due timer or event.
// Everything the game does runs inside a handler called from here, so handlers
// never overlap and the game state needs no locks.
class EventLoop {
  public:
    using TimerId = uint32_t;
    // Shorter periods are stretched to this; the control tick's balance (turn
    // rate, fuel use) was tuned at about this rate.
    static constexpr uint32_t kMinimumPeriodMs = 16;
    static constexpr size_t kDefaultRunningTimerCap = 4096;

    explicit EventLoop(Backend& backend, size_t runningTimerCap = kDefaultRunningTimerCap);
    ~EventLoop();
    EventLoop(const EventLoop&) = delete;
    EventLoop& operator=(const EventLoop&) = delete;

    Backend& backend() { return backend_; }
    // The game's clock: it stands still while a step runs (see LoopClock).
    LoopClock& clock() { return clock_; }
    Audio& audio() { return backend_.audio(); }
    const KeyTable& keys() const { return keys_; }

    // Timers. Ties between timers due at the same moment go in creation order.
    TimerId createTimer(std::function<void()> onTick);
    // (Re)starts the period now: the first tick is one period away. Returns
    // false, leaving the timer stopped, when the running-timer cap is reached.
    bool startTimer(TimerId id, uint32_t periodMs);
    void stopTimer(TimerId id);
    void destroyTimer(TimerId id);
    bool timerRunning(TimerId id) const;
    // The period of the timer that ticks next if the loop looks at `atMs`
    // (on the back-end's clock); nothing when no timer is due by then.
    std::optional<uint32_t> duePeriod(uint64_t atMs) const;

    // The main window. Until it is opened nothing is painted or presented.
    void openWindow(WindowClient& client, const std::string& caption, const std::string& appTitle,
                    Size clientSize);
    // The window's content goes away (the form is being destroyed).
    void closeWindow();
    bool windowOpen() const { return client_ != nullptr; }
    Size clientSize() const { return clientSize_; }
    void invalidate(const Rect& area);
    void invalidateAll();
    // Composes and presents what was invalidated now, for a handler that
    // keeps the window busy (the score upload shows each message at once).
    void repaintNow() { repaint(); }
    // Runs `work`, which keeps the window busy: no event is handled until it
    // returns (or throws), and the presses the player made meanwhile are then
    // thrown away, as by a window that takes no input.
    void holdWindow(const std::function<void()>& work);
    const core::Bitmap& frame() const { return frame_; }

    // Queues a message box with `text`, unless a box with the same text is
    // open or queued already. It never blocks: the caller goes on at once.
    void queueMessage(const std::string& text);
    // Asks a Yes/No question and waits for the answer in a nested loop in
    // which timers keep running. Ending the program answers No.
    BoxButton askYesNo(const std::string& text, const std::string& caption);
    // The box that takes the input now, or nullptr.
    const MessageBox* topBox() const;

    // Sent to the game when the music stream ended (see Audio).
    void setMusicEndedHandler(std::function<void()> handler) { onMusicEnded_ = std::move(handler); }

    // Runs until quit() (or the back-end's Quit event).
    void run();
    void quit() { quitting_ = true; }
    // Queues an event for the loop itself (handled before the back-end's).
    void post(Event event) { posted_.push_back(std::move(event)); }
    // Tells `recorder` (or nobody) of every tick and every input from the
    // back-end from now on.
    void setRecorder(Recorder* recorder) { recorder_ = recorder; }

  private:
    struct Timer {
        std::function<void()> onTick;
        bool running = false;
        bool destroyed = false;
        uint32_t period = 0;
        uint64_t due = 0;
    };

    void iterate();
    std::optional<Event> nextEvent(std::optional<uint64_t> deadline);
    void dispatch(Event& event);
    void deliverInput(const Event& event);
    bool runDueTimer();
    std::optional<uint64_t> nextDue() const;
    std::optional<TimerId> dueTimer(uint64_t now) const;
    void guarded(const std::function<void()>& handler);
    void repaint();
    void answerTopBox(BoxButton button);
    void showNextQueuedMessage();

    Backend& backend_;
    LoopClock clock_;
    size_t runningTimerCap_;
    size_t runningTimers_ = 0;
    TimerId nextTimerId_ = 1;
    std::map<TimerId, Timer> timers_;
    std::optional<TimerId> tickingTimer_;

    WindowClient* client_ = nullptr;
    Size clientSize_;
    std::string appTitle_;
    core::Bitmap frame_;
    Rect dirty_;

    std::vector<std::shared_ptr<MessageBox>> boxes_;  // shown, bottom to top
    std::deque<std::string> queuedMessages_;

    KeyTable keys_;
    std::deque<Event> posted_;
    bool eventFromBackend_ = false;  // where the last event nextEvent() gave came from
    Recorder* recorder_ = nullptr;
    std::function<void()> onMusicEnded_;
    bool quitting_ = false;
};

}  // namespace platform

#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "AudioListener.h"
#include "Backend.h"

namespace platform {

// A clock that moves only when told: the headless back-end's monotonic counter
// starts at 0 and the time of day runs in UTC from the time it was set to.
class VirtualClock : public Clock {
  public:
    explicit VirtualClock(core::TimeOfDay start = {}) : start_(start) {}

    uint64_t nowMs() const override { return now_; }
    core::TimeOfDay utcNow() const override;
    core::TimeOfDay localNow() const override { return utcNow(); }
    // The game's blocking sleep: time passes, nothing else happens.
    void sleepMs(uint32_t ms) override;

    void setTimeOfDay(const core::TimeOfDay& start) { start_ = start; }
    void advanceTo(uint64_t ms);
    // Called whenever the clock moves (the audio recorder keeps pace with it).
    void setOnAdvance(std::function<void(uint64_t from, uint64_t to)> callback) {
        onAdvance_ = std::move(callback);
    }

  private:
    core::TimeOfDay start_;
    uint64_t now_ = 0;
    std::function<void(uint64_t, uint64_t)> onAdvance_;
};

// Silent audio that writes down what was started and stopped, and pulls the
// music stream in step with the virtual clock, so that music ends on time.
class AudioRecorder : public Audio {
  public:
    void playWave(std::span<const uint8_t> riffWave, std::string_view label) override;
    void stopWaves() override;
    void openEngineSound(const std::string& path) override;
    void playEngineSound() override;
    void setMusicStream(std::shared_ptr<PcmStream> stream) override;
    void playMusic() override;
    void stopMusic() override;

    // What started or stopped since the last call, in order: "DIBWavList2:3",
    // "engine", "music:play", "music:stop".
    std::vector<std::string> takeLog();

    // Lets virtual time pass; returns true when the music ran out meanwhile.
    bool advance(uint64_t fromMs, uint64_t toMs);

    void setClock(const Clock* clock) { clock_ = clock; }
    // Tells `listener` (which must outlive the recorder) of everything played from now on.
    void setListener(AudioListener* listener) { listener_ = listener; }

    // A replayed program starts in no time, the recorded one took a while to
    // read its files, and played nothing until its loop began, at about the
    // first recorded step. What the replay's start-up played, the listener
    // hears at `ms`, and the music is pulled from there on. Without a call,
    // the start-up ends when the clock first moves.
    void endStartUp(uint64_t ms);

  private:
    uint64_t now() const { return clock_ ? clock_->nowMs() : 0; }
    // Tells the listener at once, or at the end of the start-up.
    void tell(std::function<void(AudioListener&, uint64_t ms)> news);

    const Clock* clock_ = nullptr;
    AudioListener* listener_ = nullptr;
    bool startingUp_ = true;
    uint64_t startUpEnd_ = 0;
    std::vector<std::function<void(AudioListener&, uint64_t)>> heardInStartUp_;
    std::vector<std::string> log_;
    std::vector<uint8_t> engineWave_;
    uint64_t engineLengthMs_ = 0;
    uint64_t engineEndsAt_ = 0;
    bool engineOpen_ = false;
    std::shared_ptr<PcmStream> music_;
    bool musicPlaying_ = false;
    uint64_t musicFramesDue_ = 0;  // in 1/1000 frames, so that no fraction is lost
};

// The back-end without window and sound device: a virtual clock, an in-memory
// frame, and input from a driver (tarnwick-sim's script, or a test). It never
// initialises SDL's video or audio.
//
// Time moves only up to the target the driver set with advanceBy(); when the
// loop would wait beyond it and nothing is queued, the driver is asked for
// more. A driver that has nothing more queues Quit.
class HeadlessBackend : public Backend {
  public:
    using Driver = std::function<void(HeadlessBackend&)>;

    explicit HeadlessBackend(core::TimeOfDay startTime = {});

    VirtualClock& clock() override { return clock_; }
    AudioRecorder& audio() override { return audio_; }
    void showWindow(const std::string& caption, const std::string& appTitle,
                    Size clientSize) override;
    std::optional<Event> waitEvent(std::optional<uint64_t> deadline) override;
    void present(const core::Bitmap& frame, const Rect&) override {
        if (onPresent_) onPresent_(frame, clock_.nowMs());
    }
    // Called with the whole frame and the moment whenever the window would show it.
    void setOnPresent(std::function<void(const core::Bitmap&, uint64_t ms)> callback) {
        onPresent_ = std::move(callback);
    }
    // Headless runs open no browser; they write down the addresses.
    void openUrl(const std::string& url) override { urls_.push_back(url); }
    // The addresses opened since the last call.
    std::vector<std::string> takeUrls() { return std::exchange(urls_, {}); }
    // Headless there is no desktop to come to the front of.
    void raiseWindow() override {}
    // The driver gives input only when the loop asks for the next event, so
    // none can come while a handler holds the window.
    uint64_t inputMoment() override { return 0; }
    void dropInputSince(uint64_t) override {}

    void setDriver(Driver driver) { driver_ = std::move(driver); }
    void queue(Event event) { queue_.push_back(std::move(event)); }
    // Lets `ms` more milliseconds of virtual time pass before the driver is asked again.
    void advanceBy(uint64_t ms) { target_ = std::max(target_, clock_.nowMs()) + ms; }
    // True while queued input, granted time or a granted tick is left for the game to use.
    bool hasPendingWork() const {
        return !queue_.empty() || target_ > clock_.nowMs() || tickGranted_;
    }

    // Replaying a recording, the driver decides every step of the loop: from
    // the first call of these on it is asked before each one, and the music
    // ends when the recording says so rather than when the stream runs out.
    // Moves the clock to `ms` at once; timers due meanwhile wait for a grant.
    void jumpTo(uint64_t ms);
    // Moves the clock to `ms` and lets the loop run its next due timer there.
    void grantTick(uint64_t ms) {
        jumpTo(ms);
        tickGranted_ = true;
    }

    const std::string& windowCaption() const { return caption_; }

  private:
    VirtualClock clock_;
    AudioRecorder audio_;
    Driver driver_;
    std::deque<Event> queue_;
    uint64_t target_ = 0;
    bool stepwise_ = false;
    bool tickGranted_ = false;
    std::string caption_;
    std::vector<std::string> urls_;
    std::function<void(const core::Bitmap&, uint64_t)> onPresent_;
};

}  // namespace platform

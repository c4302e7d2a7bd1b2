#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "music/AudioFileStream.h"
#include "platform/EventLoop.h"

namespace music {

// The player's modes, numbered as the media player control numbers them.
enum class TMPModes {
    mpNotReady = 0,
    mpStopped = 1,
    mpPlaying = 2,
    mpRecording = 3,
    mpSeeking = 4,
    mpPaused = 5,
    mpOpen = 6,
};

// A media player for one sound file at a time, on the music output. Position
// and Length count frames of 1/44100 s. Every call comes from the game's
// thread; the audio thread only pulls the open stream.
//
// OnNotify runs on the game's thread when a play has ended at the end of the
// file (PlayEnded, fed by the loop's music-ended event) or was interrupted by
// Stop. Open, Close and Stop themselves do not notify.
class MediaPlayer {
  public:
    explicit MediaPlayer(platform::EventLoop& loop);
    ~MediaPlayer();
    MediaPlayer(const MediaPlayer&) = delete;
    MediaPlayer& operator=(const MediaPlayer&) = delete;

    std::string FileName;

    // Opens FileName, closing the file open before. Throws the decoder's
    // std::runtime_error when the file cannot be played; nothing is open then.
    void Open();
    // Closes the open file; does nothing when none is open.
    void Close();
    // Plays from the current position, from the start when the end was
    // reached. Throws std::runtime_error("No MCI device open") when no file is open.
    void Play();
    // Stops and keeps the position. Same error as Play when no file is open.
    void Stop();

    int64_t Position() const;
    int64_t Length() const;
    TMPModes Mode() const { return mode_; }

    void SetOnNotify(std::function<void()> handler) { onNotify_ = std::move(handler); }

    // The music output ran dry. Reports that no longer match the player (it
    // was stopped, or went back to the start meanwhile) are ignored.
    void PlayEnded();

  private:
    void requireDevice() const;
    // Runs OnNotify later, as a message on the loop, as long as the same file
    // is still open then.
    void postNotify();
    void notify();

    platform::EventLoop& loop_;
    std::shared_ptr<AudioFileStream> stream_;
    TMPModes mode_ = TMPModes::mpNotReady;
    // Counts Open and Close, so that a notification posted for one open file
    // is dropped once another one is open.
    uint64_t device_ = 0;
    std::function<void()> onNotify_;
    // Posted notifications hold a weak copy: they do nothing once the player is gone.
    std::shared_ptr<MediaPlayer*> self_;
};

}  // namespace music

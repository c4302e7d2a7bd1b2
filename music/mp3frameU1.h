#pragma once

#include <string>

#include "music/MediaPlayer.h"
#include "platform/EventLoop.h"

namespace music {

// The music frame: an invisible music engine that plays one file over and
// over. The title menu's Music option stops and resumes `mp3player` directly.
class TFrame1 {
  public:
    explicit TFrame1(platform::EventLoop& loop);
    ~TFrame1();
    TFrame1(const TFrame1&) = delete;
    TFrame1& operator=(const TFrame1&) = delete;

    // Starts the background music from FileName. A missing file only queues a
    // message box and leaves the player as it was; a file that cannot be
    // played throws the player's error.
    void Load_and_play(const std::string& FileName);

    // The player's notification: at the end of the file it starts again from
    // the beginning; a play that Stop interrupted changes nothing.
    void mp3playerNotify();

    MediaPlayer mp3player;
    std::string currentMusicFile;

  private:
    platform::EventLoop& loop_;
};

}  // namespace music

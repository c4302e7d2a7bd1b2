#include "mp3frameU1.h"

#include <filesystem>
#include <system_error>

namespace music {

TFrame1::TFrame1(platform::EventLoop& loop) : mp3player(loop), loop_(loop) {
    mp3player.SetOnNotify([this] { mp3playerNotify(); });
    loop_.setMusicEndedHandler([this] { mp3player.PlayEnded(); });
}

TFrame1::~TFrame1() {
    loop_.setMusicEndedHandler(nullptr);
}

void TFrame1::Load_and_play(const std::string& FileName) {
    currentMusicFile = FileName;
    std::error_code error;
    // A folder or a device under the music file's name is no music file either.
    if (!std::filesystem::is_regular_file(FileName, error)) {
        loop_.queueMessage("MP3 file \r\n" + FileName + "\r\n" + "does not exist!");
        return;
    }
    mp3player.Close();
    mp3player.FileName = FileName;
    mp3player.Open();
    mp3player.Play();
}

void TFrame1::mp3playerNotify() {
    if (mp3player.Position() >= mp3player.Length()) {
        // Played to the end: Play at the end goes back to the start, so the
        // music loops for as long as the program runs.
        mp3player.Stop();
        mp3player.Play();
        return;
    }
    const TMPModes mode = mp3player.Mode();
    // Playing or stopped: a play that the Music option interrupted.
    if (mode == TMPModes::mpPlaying || mode == TMPModes::mpStopped) return;
    mp3player.Play();
}

}  // namespace music

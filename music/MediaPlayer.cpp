#include "MediaPlayer.h"

#include <stdexcept>

namespace music {

MediaPlayer::MediaPlayer(platform::EventLoop& loop)
    : loop_(loop), self_(std::make_shared<MediaPlayer*>(this)) {}

MediaPlayer::~MediaPlayer() {
    Close();
}

void MediaPlayer::Open() {
    Close();
    // A file that cannot be played throws here and leaves the player closed.
    stream_ = std::make_shared<AudioFileStream>(FileName);
    loop_.audio().setMusicStream(stream_);
    mode_ = TMPModes::mpStopped;
    ++device_;
}

void MediaPlayer::Close() {
    if (!stream_) return;
    if (mode_ == TMPModes::mpPlaying) loop_.audio().stopMusic();
    loop_.audio().setMusicStream(nullptr);
    stream_.reset();
    mode_ = TMPModes::mpNotReady;
    ++device_;
}

void MediaPlayer::Play() {
    requireDevice();
    if (stream_->position() >= stream_->length())
        stream_->rewind();
    else if (mode_ == TMPModes::mpPlaying)
        return;  // already playing from here; there is only one output to start
    loop_.audio().playMusic();
    mode_ = TMPModes::mpPlaying;
}

void MediaPlayer::Stop() {
    requireDevice();
    const bool interrupted = mode_ == TMPModes::mpPlaying;
    loop_.audio().stopMusic();
    mode_ = TMPModes::mpStopped;
    if (interrupted) postNotify();
}

int64_t MediaPlayer::Position() const {
    return stream_ ? stream_->position() : 0;
}

int64_t MediaPlayer::Length() const {
    return stream_ ? stream_->length() : 0;
}

void MediaPlayer::PlayEnded() {
    if (!stream_ || mode_ != TMPModes::mpPlaying || !stream_->atEnd()) return;
    mode_ = TMPModes::mpStopped;
    notify();
}

void MediaPlayer::requireDevice() const {
    if (!stream_) throw std::runtime_error("No MCI device open");
}

void MediaPlayer::postNotify() {
    platform::Event event;
    event.type = platform::Event::Type::Call;
    event.call = [self = std::weak_ptr<MediaPlayer*>(self_), device = device_] {
        const auto alive = self.lock();
        if (alive && (*alive)->device_ == device) (*alive)->notify();
    };
    loop_.post(std::move(event));
}

void MediaPlayer::notify() {
    if (onNotify_) onNotify_();
}

}  // namespace music

#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "platform/Audio.h"

namespace music {

// An audio file of any format FFmpeg reads (the game ships Windows Media
// Audio), decoded and resampled to the music output's 44100 Hz 16-bit stereo.
//
// read() runs on the audio thread while the player asks for the position and
// rewinds on the game's thread: the decoder sits behind a mutex, and the
// counters the game thread reads are atomics.
class AudioFileStream : public platform::PcmStream {
  public:
    // Throws std::runtime_error naming the file when it cannot be opened or
    // holds no audio that can be decoded.
    explicit AudioFileStream(const std::string& path);
    ~AudioFileStream() override;
    AudioFileStream(const AudioFileStream&) = delete;
    AudioFileStream& operator=(const AudioFileStream&) = delete;

    size_t read(int16_t* interleaved, size_t frames) override;

    // Frames delivered since the start of the file.
    int64_t position() const { return position_.load(); }
    // Frames in the file. The container's duration is only an estimate, so
    // until the decoder has reached the end the length is kept above the
    // position: only a play that truly reached the end counts as finished.
    // From then on it is the exact number of frames the file gave.
    int64_t length() const;
    bool atEnd() const { return atEnd_.load(); }

    // Goes back to the first frame. Throws std::runtime_error when the file
    // cannot be read from its start again.
    void rewind();

  private:
    struct Decoder;

    std::mutex mutex_;
    std::unique_ptr<Decoder> decoder_;
    int64_t estimatedLength_ = 0;
    std::atomic<int64_t> position_{0};
    std::atomic<bool> atEnd_{false};
};

}  // namespace music

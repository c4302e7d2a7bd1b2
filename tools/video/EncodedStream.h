#pragma once

#include <functional>
#include <string>

#include "Ffmpeg.h"
#include "OutputFile.h"

namespace video {

// One encoder and the stream of the file its packets go to.
class EncodedStream {
  public:
    // Opens FFmpeg's encoder `encoderName` with the settings `configure` puts
    // on its context and the encoder's own `options`, and adds its stream to
    // `file`. Throws std::runtime_error when the encoder is missing or refuses.
    EncodedStream(OutputFile& file, const char* encoderName,
                  const std::function<void(AVCodecContext&)>& configure, Options options);

    const AVCodecContext& encoder() const { return *encoder_; }

    // Encodes `frame` and writes whatever packets the encoder has ready;
    // nullptr drains the encoder at the end.
    void encode(const AVFrame* frame);

  private:
    OutputFile& file_;
    // Made once: encode() runs for every frame.
    std::string encodingFailure_;
    CodecContextPtr encoder_;
    AVStream* stream_ = nullptr;
    PacketPtr packet_ = NewPacket();
};

}  // namespace video

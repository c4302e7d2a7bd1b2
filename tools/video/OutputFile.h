#pragma once

#include <filesystem>

#include "Ffmpeg.h"

namespace video {

// The container file the encoded streams go into. The file itself is created
// only by writeHeader(), once every encoder has opened, so settings an encoder
// refuses leave no file behind. A file not finished is left incomplete.
class OutputFile {
  public:
    // `muxer` is FFmpeg's name for the container ("webm", "mp4").
    OutputFile(std::filesystem::path path, const char* muxer);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Whether encoders must hand their set-up data to the container's header
    // instead of repeating it in the stream.
    bool wantsGlobalHeader() const;
    AVStream& addStream(const AVCodecContext& encoder);

    // Creates the file and writes the header with the muxer's `options`.
    void writeHeader(Options options);
    // Writes a packet whose times count in `encoderTimeBase`, interleaving
    // the streams by time.
    void write(AVPacket& packet, AVRational encoderTimeBase, const AVStream& stream);
    // Writes the trailer (the index and the durations) and closes the file.
    void finish();

  private:
    std::filesystem::path path_;
    AVFormatContext* context_ = nullptr;
};

}  // namespace video

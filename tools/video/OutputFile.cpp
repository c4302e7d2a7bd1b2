#include "OutputFile.h"

#include <new>
#include <stdexcept>

namespace video {

OutputFile::OutputFile(std::filesystem::path path, const char* muxer) : path_(std::move(path)) {
    Check(avformat_alloc_output_context2(&context_, nullptr, muxer, path_.c_str()),
          std::string("setting up the ") + muxer + " container");
}

OutputFile::~OutputFile() {
    if (context_->pb) avio_closep(&context_->pb);
    avformat_free_context(context_);
}

bool OutputFile::wantsGlobalHeader() const {
    return (context_->oformat->flags & AVFMT_GLOBALHEADER) != 0;
}

AVStream& OutputFile::addStream(const AVCodecContext& encoder) {
    AVStream* stream = avformat_new_stream(context_, nullptr);
    if (!stream) throw std::bad_alloc();
    Check(avcodec_parameters_from_context(stream->codecpar, &encoder), "describing a stream");
    stream->time_base = encoder.time_base;
    return *stream;
}

void OutputFile::writeHeader(Options options) {
    Check(avio_open(&context_->pb, path_.c_str(), AVIO_FLAG_WRITE), "creating the file");
    OptionDictionary settings(options);
    Check(avformat_write_header(context_, settings.get()), "writing the file's header");
    settings.refuseLeftovers(std::string("the ") + context_->oformat->name + " container");
}

void OutputFile::write(AVPacket& packet, AVRational encoderTimeBase, const AVStream& stream) {
    av_packet_rescale_ts(&packet, encoderTimeBase, stream.time_base);
    packet.stream_index = stream.index;
    Check(av_interleaved_write_frame(context_, &packet), "writing to the file");
}

void OutputFile::finish() {
    Check(av_write_trailer(context_), "finishing the file");
    // Closing flushes the last buffered bytes: a full disk shows up here.
    Check(avio_closep(&context_->pb), "closing the file");
}

}  // namespace video

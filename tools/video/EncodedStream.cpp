#include "EncodedStream.h"

#include <new>
#include <stdexcept>

namespace video {

EncodedStream::EncodedStream(OutputFile& file, const char* encoderName,
                             const std::function<void(AVCodecContext&)>& configure, Options options)
    : file_(file), encodingFailure_(std::string("encoding with ") + encoderName) {
    const std::string name = encoderName;
    const AVCodec* codec = avcodec_find_encoder_by_name(encoderName);
    if (!codec) throw std::runtime_error("this FFmpeg has no " + name + " encoder");
    encoder_.reset(avcodec_alloc_context3(codec));
    if (!encoder_) throw std::bad_alloc();
    configure(*encoder_);
    if (file_.wantsGlobalHeader()) encoder_->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    OptionDictionary settings(options);
    Check(avcodec_open2(encoder_.get(), codec, settings.get()), "opening the " + name + " encoder");
    settings.refuseLeftovers("the " + name + " encoder");
    stream_ = &file_.addStream(*encoder_);
}

void EncodedStream::encode(const AVFrame* frame) {
    Check(avcodec_send_frame(encoder_.get(), frame), encodingFailure_);
    for (;;) {
        const int received = avcodec_receive_packet(encoder_.get(), packet_.get());
        if (received == AVERROR(EAGAIN) || received == AVERROR_EOF) return;
        Check(received, encodingFailure_);
        // A picture lasts one frame. libx264 leaves that unsaid, and MP4
        // then leaves the last picture out of the video's length.
        if (packet_->duration == 0 && encoder_->codec_type == AVMEDIA_TYPE_VIDEO)
            packet_->duration = av_rescale_q(1, av_inv_q(encoder_->framerate), encoder_->time_base);
        file_.write(*packet_, encoder_->time_base, *stream_);
    }
}

}  // namespace video

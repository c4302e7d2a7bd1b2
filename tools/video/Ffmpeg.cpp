#include "Ffmpeg.h"

#include <new>
#include <stdexcept>

namespace video {

std::string ErrorText(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}

int Check(int code, const std::string& what) {
    if (code < 0) throw std::runtime_error(what + ": " + ErrorText(code));
    return code;
}

FramePtr NewFrame() {
    FramePtr frame(av_frame_alloc());
    if (!frame) throw std::bad_alloc();
    return frame;
}

PacketPtr NewPacket() {
    PacketPtr packet(av_packet_alloc());
    if (!packet) throw std::bad_alloc();
    return packet;
}

OptionDictionary::OptionDictionary(Options options) {
    for (const auto& [name, value] : options) {
        if (av_dict_set(&dictionary_, name, value, 0) < 0) {
            av_dict_free(&dictionary_);
            throw std::bad_alloc();
        }
    }
}

OptionDictionary::~OptionDictionary() {
    av_dict_free(&dictionary_);
}

void OptionDictionary::refuseLeftovers(const std::string& owner) const {
    if (const AVDictionaryEntry* unknown =
            av_dict_get(dictionary_, "", nullptr, AV_DICT_IGNORE_SUFFIX))
        throw std::runtime_error(owner + " has no option " + unknown->key);
}

}  // namespace video

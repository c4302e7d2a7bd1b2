#include "WaveChunks.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace platform {
namespace {

uint32_t le32(std::span<const uint8_t> bytes, uint64_t at) {
    uint32_t v = 0;
    std::memcpy(&v, bytes.data() + at, 4);
    return v;
}

uint16_t le16(std::span<const uint8_t> bytes, uint64_t at) {
    uint16_t v = 0;
    std::memcpy(&v, bytes.data() + at, 2);
    return v;
}

}  // namespace

std::optional<WaveChunks> ReadWaveChunks(std::span<const uint8_t> bytes) {
    const auto tag = [&](uint64_t at) {
        return std::string_view(reinterpret_cast<const char*>(bytes.data() + at), 4);
    };
    if (bytes.size() < 12 || tag(0) != "RIFF" || tag(8) != "WAVE") return std::nullopt;
    WaveChunks wave;
    bool hasFormat = false;
    // In 64 bits: a chunk claiming nearly 4 GiB would wrap a 32-bit step to
    // 0 and read the same chunk for ever.
    for (uint64_t pos = 12; pos + 8 <= bytes.size();) {
        const uint64_t size = le32(bytes, pos + 4);
        const uint64_t body = pos + 8;
        const uint64_t available = std::min<uint64_t>(size, bytes.size() - body);
        if (tag(pos) == "fmt " && available >= 16) {
            hasFormat = true;
            wave.formatTag = le16(bytes, body);
            wave.channels = le16(bytes, body + 2);
            wave.sampleRate = le32(bytes, body + 4);
            wave.byteRate = le32(bytes, body + 8);
            wave.bitsPerSample = le16(bytes, body + 14);
        } else if (tag(pos) == "data") {
            wave.data = bytes.subspan(body, available);
        }
        pos = body + size + (size & 1);
    }
    if (!hasFormat) return std::nullopt;
    return wave;
}

}  // namespace platform

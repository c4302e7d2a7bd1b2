#include "sounds/WaveFile.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace assetgen::sounds {
namespace {

void put16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

void putTag(std::vector<uint8_t>& out, const char (&tag)[5]) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(tag[i]));
}

}  // namespace

std::vector<uint8_t> encodeWave(const PcmFormat& format, std::span<const double> interleaved) {
    if (format.bits != 8 && format.bits != 16)
        throw std::runtime_error("WAVE files here are 8 or 16 bit");
    if (format.channels == 0 || interleaved.size() % format.channels != 0)
        throw std::runtime_error("samples do not fill whole frames");
    const uint64_t dataBytes = interleaved.size() * (format.bits / 8u);
    const uint32_t pad = dataBytes & 1;
    if (dataBytes + pad + kWaveHeaderBytes > UINT32_MAX)
        throw std::runtime_error("sound too long for a WAVE file");

    std::vector<uint8_t> out;
    out.reserve(kWaveHeaderBytes + dataBytes + pad);
    putTag(out, "RIFF");
    put32(out, static_cast<uint32_t>(kWaveHeaderBytes - 8 + dataBytes + pad));
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    put32(out, 16);
    put16(out, 1);  // PCM
    put16(out, format.channels);
    put32(out, format.sampleRate);
    put32(out, format.sampleRate * format.blockAlign());
    put16(out, format.blockAlign());
    put16(out, format.bits);
    putTag(out, "data");
    put32(out, static_cast<uint32_t>(dataBytes));
    for (double sample : interleaved) {
        const double x = std::clamp(sample, -1.0, 1.0);
        if (format.bits == 8) {
            out.push_back(static_cast<uint8_t>(std::lround(128.0 + x * 127.0)));
        } else {
            put16(out, static_cast<uint16_t>(static_cast<int16_t>(std::lround(x * 32767.0))));
        }
    }
    if (pad) out.push_back(0);
    return out;
}

}  // namespace assetgen::sounds

#include "dib/cDIBTransfer.h"

#include <algorithm>
#include <cstring>

namespace dib {

namespace {

// Blends one 8-bit channel: (s * a + d * (255 - a) + 255) >> 8. The + 255
// makes a = 255 give s and a = 0 give d exactly, for every byte value.
inline uint32_t blendChannel(uint32_t s, uint32_t d, uint32_t a) {
    const uint32_t inverse = static_cast<uint8_t>(~a);
    return (s * a + d * inverse + 255) >> 8;
}

inline uint32_t channel(uint32_t pixel, int shift) {
    return (pixel >> shift) & 0xFF;
}

// The three colour channels blended with weight a; the alpha byte is given.
inline uint32_t blendColour(uint32_t s, uint32_t d, uint32_t a, uint32_t alpha) {
    return alpha << 24 | blendChannel(channel(s, 16), channel(d, 16), a) << 16 |
           blendChannel(channel(s, 8), channel(d, 8), a) << 8 |
           blendChannel(channel(s, 0), channel(d, 0), a);
}

inline uint32_t largerAlpha(uint32_t s, uint32_t d) {
    return std::max(s >> 24, d >> 24);
}

inline bool isKey(uint32_t s, uint32_t key) {
    return ((s ^ key) & 0x00FFFFFF) == 0;
}

void opacityBlend(const uint32_t* src, uint32_t* dst, int n, uint32_t o) {
    for (int i = 0; i < n; ++i)
        dst[i] = blendColour(src[i], dst[i], o, largerAlpha(src[i], dst[i]));
}

void alphaBlend(const uint32_t* src, uint32_t* dst, int n) {
    for (int i = 0; i < n; ++i)
        dst[i] = blendColour(src[i], dst[i], src[i] >> 24, largerAlpha(src[i], dst[i]));
}

void alphaOpacityBlend(const uint32_t* src, uint32_t* dst, int n, uint32_t o) {
    for (int i = 0; i < n; ++i) {
        const uint32_t a = ((src[i] >> 24) * o) >> 8;
        dst[i] = blendColour(src[i], dst[i], a, largerAlpha(src[i], dst[i]));
    }
}

void colorKey(const uint32_t* src, uint32_t* dst, int n, uint32_t key) {
    for (int i = 0; i < n; ++i)
        if (!isKey(src[i], key)) dst[i] = src[i] & 0x00FFFFFF;
}

void colorKeyOpacity(const uint32_t* src, uint32_t* dst, int n, uint32_t o, uint32_t key) {
    for (int i = 0; i < n; ++i)
        if (!isKey(src[i], key)) dst[i] = blendColour(src[i], dst[i], o, src[i] >> 24);
}

}  // namespace

void TransferRow(const TTransfer& transfer, const uint32_t* src, uint32_t* dst, int n) {
    if (n <= 0) return;
    const uint32_t o = transfer.opacity;
    switch (transfer.rule) {
        case TTransferRule::Copy:
            // memmove: an image may be drawn onto itself.
            std::memmove(dst, src, static_cast<size_t>(n) * sizeof(uint32_t));
            break;
        case TTransferRule::OpacityBlend:
            opacityBlend(src, dst, n, o);
            break;
        case TTransferRule::AlphaBlend:
            alphaBlend(src, dst, n);
            break;
        case TTransferRule::AlphaOpacityBlend:
            alphaOpacityBlend(src, dst, n, o);
            break;
        case TTransferRule::ColorKey:
            colorKey(src, dst, n, transfer.key);
            break;
        case TTransferRule::ColorKeyOpacity:
            colorKeyOpacity(src, dst, n, o, transfer.key);
            break;
    }
}

}  // namespace dib

#include "dib/cDIBTransfer.h"

#include <algorithm>
#include <cstring>

namespace dib {

namespace {

// The blends multiply 32-bit lanes, which the SSE2 every x86-64 has can only
// do two at a time; processors with AVX2 do eight. So each blend loop is built
// twice and the loader picks the version for the processor it runs on. The
// arithmetic is integer and the same in both: the pixels are identical.
#if defined(__x86_64__)
#define WIDE_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define WIDE_VECTOR_CLONES
#endif

// The three colour channels blended with weight a, each as
// (s * a + d * (255 - a) + 255) >> 8; the + 255 makes a = 255 give s and
// a = 0 give d exactly, for every byte value. The alpha byte is given.
// Red and blue are blended together in one multiply: each lane's sum is at
// most 255 * 255 + 255 < 2^16, so no lane spills into the next.
inline uint32_t blendColour(uint32_t s, uint32_t d, uint32_t a, uint32_t alpha) {
    const uint32_t inverse = static_cast<uint8_t>(~a);
    const uint32_t redBlue =
        ((s & 0xFF00FFu) * a + (d & 0xFF00FFu) * inverse + 0xFF00FFu) >> 8 & 0xFF00FFu;
    const uint32_t green = ((s & 0xFF00u) * a + (d & 0xFF00u) * inverse + 0xFF00u) >> 8 & 0xFF00u;
    return alpha << 24 | redBlue | green;
}

inline uint32_t largerAlpha(uint32_t s, uint32_t d) {
    return std::max(s >> 24, d >> 24);
}

inline bool isKey(uint32_t s, uint32_t key) {
    return ((s ^ key) & 0x00FFFFFF) == 0;
}

WIDE_VECTOR_CLONES
void opacityBlend(const uint32_t* src, uint32_t* dst, int n, uint32_t o) {
    for (int i = 0; i < n; ++i)
        dst[i] = blendColour(src[i], dst[i], o, largerAlpha(src[i], dst[i]));
}

WIDE_VECTOR_CLONES
void alphaBlend(const uint32_t* src, uint32_t* dst, int n) {
    for (int i = 0; i < n; ++i)
        dst[i] = blendColour(src[i], dst[i], src[i] >> 24, largerAlpha(src[i], dst[i]));
}

WIDE_VECTOR_CLONES
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

#include "core/Windows1252.h"

#include <array>
#include <cstddef>

namespace core {
namespace {

// The characters of 0x80 .. 0x9F, 0 where the code page has none; the rest
// of the page is Latin-1, equal to the first 256 code points.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

}  // namespace

char32_t FromWindows1252(uint8_t byte) {
    if (byte < 0x80 || byte > 0x9F) return byte;
    const char32_t c = kHighControls[byte - 0x80];
    return c != 0 ? c : U'\uFFFD';
}

char ToWindows1252(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (std::size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] == c) return static_cast<char>(0x80 + i);
    return '?';
}

}  // namespace core

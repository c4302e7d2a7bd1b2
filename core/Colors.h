#pragma once

#include <cstdint>

// The game uses two colour layouts side by side and mixing them up swaps red
// and blue, so each has its own type:
//  - CanvasColor: what a canvas is given (pen, brush) and what a pixel read
//    returns, 0x00BBGGRR; a read outside a picture gives -1.
//  - PixelWord: a word of a 32-bit image or of the effect buffer, 0xAARRGGBB.
namespace core {

struct CanvasColor {
    int32_t value = 0;

    static constexpr CanvasColor rgb(uint8_t r, uint8_t g, uint8_t b) {
        return CanvasColor{
            static_cast<int32_t>(uint32_t{r} | uint32_t{g} << 8 | uint32_t{b} << 16)};
    }
    static constexpr CanvasColor outside() { return CanvasColor{-1}; }

    constexpr uint8_t red() const { return static_cast<uint8_t>(value); }
    constexpr uint8_t green() const { return static_cast<uint8_t>(value >> 8); }
    constexpr uint8_t blue() const { return static_cast<uint8_t>(value >> 16); }
    constexpr bool operator==(const CanvasColor&) const = default;
};

struct PixelWord {
    uint32_t value = 0;

    static constexpr PixelWord rgb(uint8_t r, uint8_t g, uint8_t b, uint8_t a = 0) {
        return PixelWord{uint32_t{a} << 24 | uint32_t{r} << 16 | uint32_t{g} << 8 | uint32_t{b}};
    }

    constexpr uint8_t alpha() const { return static_cast<uint8_t>(value >> 24); }
    constexpr uint8_t red() const { return static_cast<uint8_t>(value >> 16); }
    constexpr uint8_t green() const { return static_cast<uint8_t>(value >> 8); }
    constexpr uint8_t blue() const { return static_cast<uint8_t>(value); }
    constexpr bool operator==(const PixelWord&) const = default;
};

// A canvas colour as a pixel word: alpha 0, red and blue swapped.
constexpr PixelWord toPixelWord(CanvasColor c) {
    return PixelWord::rgb(c.red(), c.green(), c.blue());
}

// The colour part of a pixel word as a canvas colour (alpha dropped).
constexpr CanvasColor toCanvasColor(PixelWord p) {
    return CanvasColor::rgb(p.red(), p.green(), p.blue());
}

// Named colours of the window layout, as canvas colours.
namespace colors {
inline constexpr CanvasColor black = CanvasColor::rgb(0, 0, 0);
inline constexpr CanvasColor white = CanvasColor::rgb(255, 255, 255);
inline constexpr CanvasColor red = CanvasColor::rgb(255, 0, 0);
inline constexpr CanvasColor lime = CanvasColor::rgb(0, 255, 0);
inline constexpr CanvasColor blue = CanvasColor::rgb(0, 0, 255);
inline constexpr CanvasColor yellow = CanvasColor::rgb(255, 255, 0);
inline constexpr CanvasColor aqua = CanvasColor::rgb(0, 255, 255);
inline constexpr CanvasColor silver = CanvasColor::rgb(192, 192, 192);
inline constexpr CanvasColor gray = CanvasColor::rgb(128, 128, 128);
inline constexpr CanvasColor buttonFace = CanvasColor::rgb(212, 208, 200);
}  // namespace colors

}  // namespace core

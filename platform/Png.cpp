#include "Png.h"

#include <SDL.h>
#include <SDL_image.h>

#include <memory>
#include <stdexcept>

namespace platform {
namespace {

struct SurfaceDeleter {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

std::runtime_error failure(const std::string& path, const std::string& why) {
    return std::runtime_error("Cannot write the picture " + path + ": " + why);
}

// The picture's own pixels seen as an SDL surface of the given format.
SurfacePtr viewOf(const core::Bitmap& picture, uint32_t format, const std::string& path) {
    if (picture.empty()) throw failure(path, "the picture is empty");
    SurfacePtr view(SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<uint32_t*>(picture.data()), picture.width(), picture.height(), 32,
        picture.width() * static_cast<int>(sizeof(uint32_t)), format));
    if (!view) throw failure(path, SDL_GetError());
    return view;
}

}  // namespace

void savePng(const core::Bitmap& picture, const std::string& path) {
    // The picture's words are 0xAARRGGBB; reading them as XRGB ignores the
    // alpha byte, and converting to 24-bit RGB makes the file opaque.
    SurfacePtr view = viewOf(picture, SDL_PIXELFORMAT_RGB888, path);
    SurfacePtr rgb(SDL_ConvertSurfaceFormat(view.get(), SDL_PIXELFORMAT_RGB24, 0));
    if (!rgb) throw failure(path, SDL_GetError());
    if (IMG_SavePNG(rgb.get(), path.c_str()) != 0) throw failure(path, IMG_GetError());
}

void saveTransparentPng(const core::Bitmap& picture, const std::string& path) {
    SurfacePtr view = viewOf(picture, SDL_PIXELFORMAT_ARGB8888, path);
    if (IMG_SavePNG(view.get(), path.c_str()) != 0) throw failure(path, IMG_GetError());
}

}  // namespace platform

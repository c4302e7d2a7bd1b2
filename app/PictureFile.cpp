#include "app/PictureFile.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <vector>

#include "app/PictureFormats.h"

namespace app {
namespace {

enum class Format { Jpeg, Png };

std::optional<Format> formatOf(const std::string& name) {
    std::string extension = std::filesystem::path(name).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".jpg" || extension == ".jpeg") return Format::Jpeg;
    if (extension == ".png") return Format::Png;
    return std::nullopt;
}

Format knownFormatOf(const std::string& name) {
    const std::optional<Format> format = formatOf(name);
    if (!format) FailPicture(name, "unknown picture format (only .jpg, .jpeg and .png can be read)");
    return *format;
}

}  // namespace

void FailPicture(const std::string& name, const std::string& reason) {
    throw PictureError("Cannot load the picture " + name + ": " + reason);
}

void CheckPictureSize(PictureSize size, const std::string& name) {
    if (size.width > kMaxPictureSide || size.height > kMaxPictureSide)
        FailPicture(name, "the picture is " + std::to_string(size.width) + " x " +
                              std::to_string(size.height) + " pixels, larger than " +
                              std::to_string(kMaxPictureSide) + " x " +
                              std::to_string(kMaxPictureSide));
}

core::Bitmap LoadPictureFile(const std::string& path) {
    if (formatOf(path) != Format::Jpeg)
        FailPicture(path, "unknown picture format (only .jpg and .jpeg files can be read)");
    std::ifstream file(path, std::ios::binary);
    if (!file) FailPicture(path, std::strerror(errno));
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                     std::istreambuf_iterator<char>());
    if (file.bad()) FailPicture(path, "the file cannot be read");
    return DecodeJpeg(bytes, path);
}

PictureSize ReadPictureSize(std::span<const uint8_t> bytes, const std::string& name) {
    return knownFormatOf(name) == Format::Jpeg ? JpegSize(bytes, name) : PngSize(bytes, name);
}

core::Bitmap DecodePicture(std::span<const uint8_t> bytes, const std::string& name) {
    return knownFormatOf(name) == Format::Jpeg ? DecodeJpeg(bytes, name) : DecodePng(bytes, name);
}

}  // namespace app

#include "app/PictureFile.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

// jpeglib.h needs FILE and size_t declared before it, and jerror.h needs
// jpeglib.h's configuration to list every warning code.
#include <jpeglib.h>
// (kept apart so that sorting the includes cannot swap the two)
#include <jerror.h>

namespace app {
namespace {

[[noreturn]] void fail(const std::string& path, const std::string& reason) {
    throw PictureError("Cannot load the picture " + path + ": " + reason);
}

bool hasJpegExtension(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".jpg" || extension == ".jpeg";
}

// libjpeg's default error handler ends the process. Ours jumps back into
// decode() with the message, which then reports it as a PictureError.
struct JpegErrorManager {
    jpeg_error_mgr base;  // first member: libjpeg only sees this part
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void abandonDecoding(j_common_ptr info) {
    auto* errors = reinterpret_cast<JpegErrorManager*>(info->err);
    (*info->err->format_message)(info, errors->message);
    std::longjmp(errors->jump, 1);
}

// libjpeg only warns about damaged or missing data and goes on, filling the
// rest of the picture with grey. A level picture with a grey block is rock
// where there should be none, so these warnings count as errors. Warnings
// about unusual but harmless headers are ignored.
bool isDamagedDataWarning(int code) {
    switch (code) {
        case JWRN_JPEG_EOF:
        case JWRN_HIT_MARKER:
        case JWRN_HUFF_BAD_CODE:
        case JWRN_ARITH_BAD_CODE:
        case JWRN_MUST_RESYNC:
        case JWRN_EXTRANEOUS_DATA:
        case JWRN_BOGUS_PROGRESSION:
        case JWRN_NOT_SEQUENTIAL:
            return true;
        default:
            return false;
    }
}

void onJpegMessage(j_common_ptr info, int level) {
    if (level < 0 && isDamagedDataWarning(info->err->msg_code)) abandonDecoding(info);
}

struct JpegDecoder {
    jpeg_decompress_struct info{};
    JpegErrorManager errors{};

    JpegDecoder() {
        info.err = jpeg_std_error(&errors.base);
        errors.base.error_exit = abandonDecoding;
        errors.base.emit_message = onJpegMessage;
    }
    ~JpegDecoder() { jpeg_destroy_decompress(&info); }
    JpegDecoder(const JpegDecoder&) = delete;
    JpegDecoder& operator=(const JpegDecoder&) = delete;
};

void packRgbRow(const JSAMPLE* rgb, uint32_t* pixels, int width) {
    for (int x = 0; x < width; ++x, rgb += 3) {
        pixels[x] = uint32_t{rgb[0]} << 16 | uint32_t{rgb[1]} << 8 | uint32_t{rgb[2]};
    }
}

// Decodes the file into `picture`. Returns false when libjpeg gave up, with
// its text in decoder.errors.message. libjpeg leaves through longjmp, so this
// frame keeps no object that needs destroying across a libjpeg call: the
// decoder and the picture belong to the caller, the row buffer to libjpeg.
bool decode(JpegDecoder& decoder, std::FILE* file, const std::string& path, core::Bitmap& picture) {
    jpeg_decompress_struct& info = decoder.info;
    if (setjmp(decoder.errors.jump) != 0) return false;

    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    if (info.image_width > static_cast<JDIMENSION>(kMaxPictureSide) ||
        info.image_height > static_cast<JDIMENSION>(kMaxPictureSide)) {
        fail(path, "the picture is " + std::to_string(info.image_width) + " x " +
                       std::to_string(info.image_height) + " pixels, larger than " +
                       std::to_string(kMaxPictureSide) + " x " + std::to_string(kMaxPictureSide));
    }
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);

    const int width = static_cast<int>(info.output_width);
    picture = core::Bitmap(width, static_cast<int>(info.output_height));
    JSAMPARRAY rowBuffer = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info),
                                                     JPOOL_IMAGE, info.output_width * 3, 1);
    while (info.output_scanline < info.output_height) {
        const int y = static_cast<int>(info.output_scanline);
        jpeg_read_scanlines(&info, rowBuffer, 1);
        packRgbRow(rowBuffer[0], picture.row(y), width);
    }
    // Reads on to the end marker, so a file cut off after the last row still
    // counts as damaged.
    jpeg_finish_decompress(&info);
    return true;
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

core::Bitmap LoadPictureFile(const std::string& path) {
    if (!hasJpegExtension(path))
        fail(path, "unknown picture format (only .jpg and .jpeg files can be read)");

    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) fail(path, std::strerror(errno));

    JpegDecoder decoder;
    core::Bitmap picture;
    if (!decode(decoder, file.get(), path, picture)) fail(path, decoder.errors.message);
    return picture;
}

}  // namespace app

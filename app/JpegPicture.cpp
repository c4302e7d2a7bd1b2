#include "app/PictureFormats.h"

// jerror.h needs jpeglib.h's configuration, which the manager brings, to list
// every warning code.
#include "app/JpegErrorManager.h"
// (kept apart so that sorting the includes cannot swap the two)
#include <jerror.h>

namespace app {
namespace {

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
    if (level < 0 && isDamagedDataWarning(info->err->msg_code)) JpegErrorManager::abandon(info);
}

struct JpegDecoder {
    jpeg_decompress_struct info{};
    JpegErrorManager errors{};

    JpegDecoder() {
        info.err = errors.errors();
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

// Reads the header of the JPEG data into decoder.info. Returns false when
// libjpeg gave up, with its text in decoder.errors.message. libjpeg leaves
// through longjmp, so the frames that call it keep no object that needs
// destroying across a libjpeg call: the decoder and the picture belong to the
// caller, the row buffer to libjpeg.
bool readHeader(JpegDecoder& decoder, std::span<const uint8_t> bytes) {
    jpeg_decompress_struct& info = decoder.info;
    if (setjmp(decoder.errors.jump) != 0) return false;
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    return true;
}

// Decodes the picture whose header readHeader read into `picture`.
bool decode(JpegDecoder& decoder, core::Bitmap& picture) {
    jpeg_decompress_struct& info = decoder.info;
    if (setjmp(decoder.errors.jump) != 0) return false;
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

}  // namespace

PictureSize JpegSize(std::span<const uint8_t> bytes, const std::string& name) {
    JpegDecoder decoder;
    if (!readHeader(decoder, bytes)) FailPicture(name, decoder.errors.message);
    return {static_cast<int>(decoder.info.image_width), static_cast<int>(decoder.info.image_height)};
}

core::Bitmap DecodeJpeg(std::span<const uint8_t> bytes, const std::string& name) {
    JpegDecoder decoder;
    if (!readHeader(decoder, bytes)) FailPicture(name, decoder.errors.message);
    CheckPictureSize({static_cast<int>(decoder.info.image_width),
                      static_cast<int>(decoder.info.image_height)},
                     name);
    core::Bitmap picture;
    if (!decode(decoder, picture)) FailPicture(name, decoder.errors.message);
    return picture;
}

}  // namespace app

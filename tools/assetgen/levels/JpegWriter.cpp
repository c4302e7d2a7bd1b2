#include "levels/JpegWriter.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "app/JpegErrorManager.h"

namespace assetgen::levels {
namespace {

struct Compressor {
    jpeg_compress_struct info{};
    app::JpegErrorManager errors{};
    unsigned char* output = nullptr;
    unsigned long outputSize = 0;

    Compressor() {
        info.err = errors.errors();
    }
    ~Compressor() {
        jpeg_destroy_compress(&info);
        std::free(output);
    }
    Compressor(const Compressor&) = delete;
    Compressor& operator=(const Compressor&) = delete;
};

// Runs libjpeg; returns false when it gave up. libjpeg leaves through
// longjmp, so this frame holds nothing that needs destroying: the row
// buffer belongs to libjpeg's memory pool.
bool compress(Compressor& c, const core::Bitmap& picture, int quality) {
    jpeg_compress_struct& info = c.info;
    if (setjmp(c.errors.jump) != 0) return false;
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &c.output, &c.outputSize);
    info.image_width = static_cast<JDIMENSION>(picture.width());
    info.image_height = static_cast<JDIMENSION>(picture.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    for (int i = 0; i < info.num_components; ++i) {
        info.comp_info[i].h_samp_factor = 1;
        info.comp_info[i].v_samp_factor = 1;
    }
    info.optimize_coding = TRUE;
    info.dct_method = JDCT_ISLOW;
    jpeg_start_compress(&info, TRUE);
    JSAMPARRAY row = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                               info.image_width * 3, 1);
    while (info.next_scanline < info.image_height) {
        const uint32_t* pixels = picture.row(static_cast<int>(info.next_scanline));
        for (JDIMENSION x = 0; x < info.image_width; ++x) {
            row[0][3 * x] = static_cast<JSAMPLE>(pixels[x] >> 16);
            row[0][3 * x + 1] = static_cast<JSAMPLE>(pixels[x] >> 8);
            row[0][3 * x + 2] = static_cast<JSAMPLE>(pixels[x]);
        }
        jpeg_write_scanlines(&info, row, 1);
    }
    jpeg_finish_compress(&info);
    return true;
}

}  // namespace

std::vector<uint8_t> encodeJpeg(const core::Bitmap& picture, int quality) {
    if (picture.empty()) throw std::runtime_error("cannot encode an empty picture");
    if (quality < 1 || quality > 100) throw std::runtime_error("JPEG quality must be 1..100");
    Compressor compressor;
    if (!compress(compressor, picture, quality))
        throw std::runtime_error(std::string("JPEG encoding failed: ") + compressor.errors.message);
    return std::vector<uint8_t>(compressor.output, compressor.output + compressor.outputSize);
}

}  // namespace assetgen::levels

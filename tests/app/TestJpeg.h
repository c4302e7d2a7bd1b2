#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

// jpeglib.h needs FILE and size_t declared before it.
#include <jpeglib.h>

#include "TestFiles.h"

namespace testfiles {

enum class JpegKind { Baseline, Progressive, Greyscale };

struct Rgb {
    int r, g, b;
};

// Four flat quarters split on 8-pixel block edges, so every block is one
// colour and survives compression almost unchanged.
inline Rgb quarterColour(int x, int y) {
    static const Rgb colours[4] = {{200, 30, 40}, {20, 180, 60}, {30, 50, 210}, {230, 220, 20}};
    return colours[(x < 16 ? 0 : 1) + (y < 8 ? 0 : 2)];
}

inline int quarterGrey(int x, int y) {
    return 30 + 60 * ((x < 16 ? 0 : 1) + (y < 8 ? 0 : 2));
}

// Encodes a test picture with libjpeg at quality 95 without chroma
// subsampling. `noise` replaces the quarters with random pixels, which
// compress badly and so give a long stretch of picture data to cut into.
inline std::string encodeJpeg(int width, int height, JpegKind kind = JpegKind::Baseline,
                              bool noise = false) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);

    const bool grey = kind == JpegKind::Greyscale;
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = grey ? 1 : 3;
    info.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    for (int c = 0; c < info.num_components; ++c) {
        info.comp_info[c].h_samp_factor = 1;
        info.comp_info[c].v_samp_factor = 1;
    }
    if (kind == JpegKind::Progressive) jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);

    const size_t components = static_cast<size_t>(info.input_components);
    std::vector<JSAMPLE> row(static_cast<size_t>(width) * components);
    const std::string random =
        noise ? patternBytes(row.size() * static_cast<size_t>(height), 7) : std::string();
    while (info.next_scanline < info.image_height) {
        const int y = static_cast<int>(info.next_scanline);
        for (int x = 0; x < width; ++x) {
            JSAMPLE* sample = &row[static_cast<size_t>(x) * components];
            if (noise) {
                for (size_t c = 0; c < components; ++c)
                    sample[c] = static_cast<JSAMPLE>(
                        random[(static_cast<size_t>(y) * static_cast<size_t>(width) +
                                static_cast<size_t>(x)) *
                                   components +
                               c]);
            } else if (grey) {
                sample[0] = static_cast<JSAMPLE>(quarterGrey(x, y));
            } else {
                const Rgb rgb = quarterColour(x, y);
                sample[0] = static_cast<JSAMPLE>(rgb.r);
                sample[1] = static_cast<JSAMPLE>(rgb.g);
                sample[2] = static_cast<JSAMPLE>(rgb.b);
            }
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    std::string bytes(reinterpret_cast<const char*>(buffer), size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return bytes;
}

}  // namespace testfiles

#pragma once

#include <csetjmp>
#include <cstdio>

// jpeglib.h needs FILE and size_t declared before it.
#include <jpeglib.h>

namespace app {

// libjpeg's default error handler ends the process. This one jumps back to
// the caller's setjmp with libjpeg's message, which the caller then reports
// as an exception of its own (never thrown across libjpeg's frames).
struct JpegErrorManager {
    jpeg_error_mgr base;  // first member: libjpeg only sees this part
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];

    // The manager to give libjpeg as the `err` of its compress or
    // decompress struct.
    jpeg_error_mgr* errors() {
        jpeg_error_mgr* manager = jpeg_std_error(&base);
        base.error_exit = abandon;
        return manager;
    }

    [[noreturn]] static void abandon(j_common_ptr info) {
        auto* errors = reinterpret_cast<JpegErrorManager*>(info->err);
        (*info->err->format_message)(info, errors->message);
        std::longjmp(errors->jump, 1);
    }
};

}  // namespace app

#pragma once

#include <zip.h>

#include <string>

namespace app {

// libzip's words for the error code zip_open gave back.
inline std::string ZipErrorText(int code) {
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    std::string text = zip_error_strerror(&error);
    zip_error_fini(&error);
    return text;
}

}  // namespace app

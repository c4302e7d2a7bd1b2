#pragma once

#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>

// The readers under test take file names, so each fuzz input is written to a
// file first. Every fuzzer process gets one private folder for that, made on
// first use and removed when the process ends.
namespace fuzz {

class ScratchFolder {
  public:
    static ScratchFolder& get() {
        static ScratchFolder folder;
        return folder;
    }

    // The folder, ending in '/'.
    const std::string& path() const { return path_; }

    // Writes the bytes to `name` in the folder and returns its full path.
    std::string write(const std::string& name, const uint8_t* data, size_t size) const {
        const std::string file = path_ + name;
        std::FILE* out = std::fopen(file.c_str(), "wb");
        if (out == nullptr) throw std::runtime_error("cannot write " + file);
        const bool written = size == 0 || std::fwrite(data, 1, size, out) == size;
        if (std::fclose(out) != 0 || !written) throw std::runtime_error("cannot write " + file);
        return file;
    }

  private:
    ScratchFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tarnwick-fuzz-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot create a scratch folder");
        path_ = pattern + "/";
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }

    std::string path_;
};

}  // namespace fuzz

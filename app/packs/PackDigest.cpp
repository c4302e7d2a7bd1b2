#include "app/packs/PackDigest.h"

#include <openssl/evp.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "app/packs/PackError.h"

namespace app::packs {
namespace {

namespace fs = std::filesystem;

struct ContextFree {
    void operator()(EVP_MD_CTX* context) const { EVP_MD_CTX_free(context); }
};

class Sha256 {
  public:
    explicit Sha256(const std::string& pack) : pack_(pack), context_(EVP_MD_CTX_new()) {
        if (!context_ || EVP_DigestInit_ex(context_.get(), EVP_sha256(), nullptr) != 1)
            FailPack(pack_, "its digest cannot be computed");
    }
    void add(const void* data, size_t size) {
        if (EVP_DigestUpdate(context_.get(), data, size) != 1)
            FailPack(pack_, "its digest cannot be computed");
    }
    void addFile(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        if (!in) FailPack(pack_, "\"" + path.string() + "\" cannot be read");
        char chunk[64 * 1024];
        while (in.read(chunk, sizeof chunk) || in.gcount() > 0)
            add(chunk, static_cast<size_t>(in.gcount()));
        if (in.bad()) FailPack(pack_, "\"" + path.string() + "\" cannot be read");
    }
    std::string hex() {
        unsigned char digest[EVP_MAX_MD_SIZE];
        unsigned int length = 0;
        if (EVP_DigestFinal_ex(context_.get(), digest, &length) != 1)
            FailPack(pack_, "its digest cannot be computed");
        std::string text;
        for (unsigned int i = 0; i < length; ++i) {
            char pair[3];
            std::snprintf(pair, sizeof pair, "%02x", digest[i]);
            text += pair;
        }
        return text;
    }

  private:
    const std::string& pack_;
    std::unique_ptr<EVP_MD_CTX, ContextFree> context_;
};

}  // namespace

std::string PackDigest(const std::string& path) {
    const std::string name = fs::path(path).filename().string();
    Sha256 sha(name);
    std::error_code error;
    if (!fs::is_directory(path, error)) {
        sha.addFile(path);
        return sha.hex();
    }
    std::vector<fs::path> files;
    for (auto it = fs::recursive_directory_iterator(path, error);
         !error && it != fs::recursive_directory_iterator(); it.increment(error))
        if (it->is_regular_file(error)) files.push_back(fs::relative(it->path(), path));
    if (error) FailPack(name, "it cannot be read: " + error.message());
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
        const std::string relative = file.generic_string();
        const std::string size = std::to_string(fs::file_size(fs::path(path) / file, error));
        sha.add(relative.c_str(), relative.size() + 1);
        sha.add(size.c_str(), size.size() + 1);
        sha.addFile(fs::path(path) / file);
    }
    return sha.hex();
}

}  // namespace app::packs

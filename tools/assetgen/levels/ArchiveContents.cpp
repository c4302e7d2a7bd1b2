#include "levels/ArchiveContents.h"

#include <zip.h>

#include <memory>
#include <stdexcept>

namespace assetgen::levels {

std::vector<StoredEntry> listArchive(const std::string& path) {
    int openError = 0;
    std::unique_ptr<zip_t, decltype(&zip_discard)> archive(
        zip_open(path.c_str(), ZIP_RDONLY, &openError), &zip_discard);
    if (!archive) throw std::runtime_error("cannot open the archive " + path);
    std::vector<StoredEntry> entries;
    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        if (zip_stat_index(archive.get(), static_cast<zip_uint64_t>(i), 0, &stat) != 0)
            throw std::runtime_error("cannot read entry " + std::to_string(i) + " of " + path);
        entries.push_back({stat.name, stat.size, stat.comp_method, stat.encryption_method});
    }
    return entries;
}

}  // namespace assetgen::levels

#include "tools/assetgen/pictures/PicturesStep.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>

#include "platform/Png.h"
#include "tools/assetgen/pictures/GeneratedSource.h"
#include "tools/assetgen/pictures/PictureList.h"
#include "tools/assetgen/pictures/PreviewSheet.h"

namespace assetgen {
namespace {

// Reads "--name value" pairs; every one of the expected names must be given once.
std::map<std::string, std::string> readOptions(const std::vector<std::string>& options,
                                               const std::vector<std::string>& expected) {
    std::map<std::string, std::string> values;
    for (size_t i = 0; i < options.size(); i += 2) {
        const std::string& name = options[i];
        if (std::find(expected.begin(), expected.end(), name) == expected.end())
            throw std::runtime_error("unknown option " + name);
        if (i + 1 >= options.size()) throw std::runtime_error("option " + name + " needs a value");
        if (!values.emplace(name, options[i + 1]).second)
            throw std::runtime_error("option " + name + " given twice");
    }
    for (const std::string& name : expected)
        if (!values.count(name)) throw std::runtime_error("option " + name + " is missing");
    return values;
}

void writeTextFile(const std::filesystem::path& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
    file.close();
    if (!file) {
        std::filesystem::remove(path);
        throw std::runtime_error("Cannot write " + path.string());
    }
}

}  // namespace

int runPictures(const std::vector<std::string>& options) {
    const auto values = readOptions(options, {"--sources", "--cpp", "--preview"});
    const std::vector<ListedPicture> list = drawPictureList(values.at("--sources"));
    writeTextFile(values.at("--cpp"), generatedPicturesSource(list));
    platform::savePng(previewSheet(list), values.at("--preview"));
    return 0;
}

}  // namespace assetgen

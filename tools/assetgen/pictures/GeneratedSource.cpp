#include "tools/assetgen/pictures/GeneratedSource.h"

#include <cstdio>

#include "tools/assetgen/pictures/StoredLayout.h"

namespace assetgen {
namespace {

std::string hexByte(uint8_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", value);
    return text;
}

std::string hexColour(core::CanvasColor colour) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%06X", static_cast<unsigned>(colour.value));
    return text;
}

void appendByteArray(std::string& out, const std::string& arrayName,
                     const std::vector<uint8_t>& bytes) {
    constexpr size_t bytesPerLine = 16;
    out += "constexpr uint8_t " + arrayName + "[] = {";
    for (size_t i = 0; i < bytes.size(); ++i) {
        out += i % bytesPerLine == 0 ? "\n    " : " ";
        out += hexByte(bytes[i]);
        out += ',';
    }
    out += "\n};\n\n";
}

}  // namespace

std::string generatedPicturesSource(const std::vector<ListedPicture>& list) {
    std::string out =
        "// Made by assetgen from the artwork in assets/pictures; edit the artwork, not this "
        "file.\n"
        "#include \"assets/StoredPictures.h\"\n\n"
        "namespace assets {\n"
        "namespace {\n\n";
    for (size_t i = 0; i < list.size(); ++i) {
        out += "// " + list[i].name + ", " + std::to_string(list[i].picture.width()) + " x " +
               std::to_string(list[i].picture.height()) + "\n";
        appendByteArray(out, "picture" + std::to_string(i), encodeStoredLayout(list[i].picture));
    }
    out += "constexpr StoredPicture pictures[] = {\n";
    for (size_t i = 0; i < list.size(); ++i) {
        const ListedPicture& entry = list[i];
        out += "    {\"" + entry.name + "\", " + (entry.transparent ? "true" : "false") + ", " +
               (entry.fixedMode ? "true" : "false") + ", " + hexColour(entry.key) + ", picture" +
               std::to_string(i) + "},\n";
    }
    out +=
        "};\n\n"
        "}  // namespace\n\n"
        "std::span<const StoredPicture> storedPictures() { return pictures; }\n\n"
        "}  // namespace assets\n";
    return out;
}

}  // namespace assetgen

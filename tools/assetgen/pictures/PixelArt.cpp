#include "tools/assetgen/pictures/PixelArt.h"

#include <array>
#include <fstream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace assetgen {
namespace {

[[noreturn]] void fail(const std::string& fileName, int line, const std::string& why) {
    throw std::runtime_error(fileName + ":" + std::to_string(line) + ": " + why);
}

std::optional<uint32_t> parseHexColour(const std::string& text) {
    if (text.size() != 6) return std::nullopt;
    uint32_t value = 0;
    for (char c : text) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return std::nullopt;
        value = value << 4 | static_cast<uint32_t>(digit);
    }
    return value;
}

}  // namespace

core::Bitmap parsePixelArt(const std::string& text, const std::string& fileName) {
    // One slot per byte value; a character outside the palette has no colour.
    std::array<std::optional<core::PixelWord>, 256> palette;
    std::vector<std::string> rows;
    int firstRowLine = 0;
    bool inPixels = false;

    std::istringstream lines(text);
    std::string line;
    int lineNumber = 0;
    while (std::getline(lines, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (inPixels) {
            if (line.empty()) continue;  // tolerated only after the last row, checked below
            if (rows.empty()) firstRowLine = lineNumber;
            if (firstRowLine + static_cast<int>(rows.size()) != lineNumber)
                fail(fileName, lineNumber, "blank line inside the pixel rows");
            rows.push_back(line);
            continue;
        }
        if (line.empty() || line[0] == '#') continue;
        std::istringstream words(line);
        std::string keyword;
        words >> keyword;
        if (keyword == "pixels") {
            inPixels = true;
            continue;
        }
        if (keyword != "colour")
            fail(fileName, lineNumber,
                 "expected \"colour\" or \"pixels\", found \"" + keyword + "\"");
        std::string symbol, hex;
        words >> symbol >> hex;
        if (symbol.size() != 1) fail(fileName, lineNumber, "a colour is named by one character");
        const auto rgb = parseHexColour(hex);
        if (!rgb)
            fail(fileName, lineNumber,
                 "colour \"" + hex + "\" is not six hexadecimal digits RRGGBB");
        auto& slot = palette[static_cast<unsigned char>(symbol[0])];
        if (slot) fail(fileName, lineNumber, "character '" + symbol + "' is given a colour twice");
        slot = core::PixelWord{*rgb};
    }

    if (!inPixels) fail(fileName, lineNumber, "no \"pixels\" line");
    if (rows.empty()) fail(fileName, lineNumber, "no pixel rows");
    const int width = static_cast<int>(rows.front().size());
    core::Bitmap picture(width, static_cast<int>(rows.size()));
    for (int y = 0; y < picture.height(); ++y) {
        const std::string& row = rows[static_cast<size_t>(y)];
        const int rowLine = firstRowLine + y;
        if (static_cast<int>(row.size()) != width)
            fail(fileName, rowLine,
                 "row is " + std::to_string(row.size()) + " pixels wide, the first is " +
                     std::to_string(width));
        for (int x = 0; x < width; ++x) {
            const auto& colour = palette[static_cast<unsigned char>(row[static_cast<size_t>(x)])];
            if (!colour)
                fail(fileName, rowLine,
                     std::string("character '") + row[static_cast<size_t>(x)] + "' has no colour");
            picture.setPixel(x, y, *colour);
        }
    }
    return picture;
}

core::Bitmap loadPixelArt(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw std::runtime_error("Cannot read " + path.string());
    std::ostringstream text;
    text << file.rdbuf();
    return parsePixelArt(text.str(), path.string());
}

}  // namespace assetgen

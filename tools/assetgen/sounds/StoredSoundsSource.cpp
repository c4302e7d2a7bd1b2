#include "sounds/StoredSoundsSource.h"

#include <cstdio>

namespace assetgen::sounds {
namespace {

// Bytes as a string literal: the compiler reads a long literal far faster
// than an initializer list of the same bytes. Escapes are always three octal
// digits, so a digit that follows can never be taken into one.
std::string literal(const uint8_t* bytes, size_t count) {
    std::string out = "\"";
    size_t lineStart = 0;
    for (size_t i = 0; i < count; ++i) {
        const uint8_t b = bytes[i];
        if (b >= 0x20 && b < 0x7F && b != '"' && b != '\\' && b != '?') {
            out += static_cast<char>(b);
        } else {
            char escape[5];
            std::snprintf(escape, sizeof escape, "\\%03o", b);
            out += escape;
        }
        if (out.size() - lineStart > 110 && i + 1 < count) {
            out += "\"\n    \"";
            lineStart = out.size();
        }
    }
    return out + "\"";
}

std::string literal(const std::string& text) {
    return literal(reinterpret_cast<const uint8_t*>(text.data()), text.size());
}

void appendList(std::string& out, int number, const std::vector<StoredItem>& items) {
    const std::string prefix = "kList" + std::to_string(number) + "Sound";
    for (size_t i = 0; i < items.size(); ++i) {
        const std::string name = prefix + std::to_string(i);
        out += "// " + items[i].displayName + "\n";
        out += "const char " + name + "[] =\n    " +
               literal(items[i].wave.data(), items[i].wave.size()) + ";\n";
        out += "static_assert(sizeof " + name + " == " + std::to_string(items[i].wave.size()) +
               " + 1);\n\n";
    }
}

void appendAccessor(std::string& out, int number, const std::vector<StoredItem>& items) {
    const std::string prefix = "kList" + std::to_string(number) + "Sound";
    out += "std::span<const StoredSound> storedSoundsList" + std::to_string(number) + "() {\n";
    out += "    static const StoredSound list[] = {\n";
    for (size_t i = 0; i < items.size(); ++i) {
        out += "        {" + literal(items[i].displayName) +
               ", {reinterpret_cast<const uint8_t*>(" + prefix + std::to_string(i) + "), " +
               std::to_string(items[i].wave.size()) + "}},\n";
    }
    out += "    };\n    return list;\n}\n\n";
}

}  // namespace

std::string storedSoundsSource(const std::vector<StoredItem>& list1,
                               const std::vector<StoredItem>& list2) {
    std::string out =
        "// Made by assetgen from the sources in assets/sounds. Do not edit: change the sources.\n"
        "#include \"assets/StoredSounds.h\"\n\n"
        "namespace assets {\nnamespace {\n\n";
    appendList(out, 1, list1);
    appendList(out, 2, list2);
    out += "}  // namespace\n\n";
    // The tables are built on first use, so no other static initialiser can
    // see them half made.
    appendAccessor(out, 1, list1);
    appendAccessor(out, 2, list2);
    out += "}  // namespace assets\n";
    return out;
}

}  // namespace assetgen::sounds

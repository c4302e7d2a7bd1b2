#include "KeyNames.h"

#include <cctype>
#include <charconv>
#include <utility>

#include "Keys.h"

namespace platform {
namespace {

constexpr std::pair<const char*, int> kNamed[] = {
    {"space", vk::Space},    {"left", vk::Left},     {"right", vk::Right},   {"up", vk::Up},
    {"down", vk::Down},      {"ctrl", vk::Control},  {"shift", vk::Shift},   {"home", vk::Home},
    {"end", vk::End},        {"escape", vk::Escape}, {"return", vk::Return}, {"tab", vk::Tab},
    {"backspace", vk::Back}, {"delete", vk::Delete},
};

bool isLetterOrDigit(int key) {
    return (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9');
}

}  // namespace

std::string keyName(int key) {
    for (const auto& [name, code] : kNamed)
        if (code == key) return name;
    if (isLetterOrDigit(key)) return std::string(1, static_cast<char>(std::tolower(key)));
    return "vk" + std::to_string(key);
}

std::optional<int> keyFromName(const std::string& name) {
    for (const auto& [known, code] : kNamed)
        if (name == known) return code;
    if (name.size() == 1) {
        const int key = std::toupper(static_cast<unsigned char>(name[0]));
        if (isLetterOrDigit(key)) return key;
        return std::nullopt;
    }
    // The key table holds codes 0 to 255.
    int code = -1;
    if (name.size() > 2 && name.compare(0, 2, "vk") == 0) {
        const auto [end, error] = std::from_chars(name.data() + 2, name.data() + name.size(), code);
        if (error == std::errc() && end == name.data() + name.size() && code >= 0 && code < 256)
            return code;
    }
    return std::nullopt;
}

}  // namespace platform

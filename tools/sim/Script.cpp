#include "Script.h"

#include <charconv>
#include <sstream>

#include "platform/KeyNames.h"

namespace sim {

std::optional<Command> ScriptReader::next() {
    std::string text;
    while (std::getline(in_, text)) {
        ++line_;
        if (!text.empty() && text.back() == '\r') text.pop_back();
        const size_t start = text.find_first_not_of(" \t");
        if (start == std::string::npos || text[start] == '#') continue;
        Command command;
        command.line = line_;
        const size_t end = text.find_first_of(" \t", start);
        command.word =
            text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (end != std::string::npos) command.rest = text.substr(end + 1);
        std::istringstream words(command.rest);
        for (std::string arg; words >> arg;) command.args.push_back(arg);
        return command;
    }
    return std::nullopt;
}

int64_t parseInteger(const Command& command, const std::string& text) {
    int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        throw ScriptError(command.line, "not a whole number: " + text);
    return value;
}

int parseKey(const Command& command, const std::string& name) {
    if (const std::optional<int> key = platform::keyFromName(name)) return *key;
    throw ScriptError(command.line, "unknown key: " + name);
}

void expectArgs(const Command& command, size_t count) {
    if (command.args.size() != count)
        throw ScriptError(command.line, command.word + " takes " + std::to_string(count) +
                                            " argument" + (count == 1 ? "" : "s"));
}

}  // namespace sim

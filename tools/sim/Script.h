#pragma once

#include <cstdint>
#include <istream>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace sim {

// A fault in the script itself (unknown command, bad argument, unknown
// control); the driver stops with status 2 and names the line.
class ScriptError : public std::runtime_error {
  public:
    ScriptError(int line, const std::string& message) : std::runtime_error(message), line_(line) {}
    int line() const { return line_; }

  private:
    int line_;
};

// One command line: the command word and the rest of the line.
struct Command {
    int line = 0;
    std::string word;
    std::string rest;               // everything after the word and one blank
    std::vector<std::string> args;  // `rest` split at blanks
};

// Reads commands one at a time, skipping blank lines and `#` comments.
class ScriptReader {
  public:
    explicit ScriptReader(std::istream& in) : in_(in) {}
    std::optional<Command> next();

  private:
    std::istream& in_;
    int line_ = 0;
};

// A whole number, or a script error naming the text.
int64_t parseInteger(const Command& command, const std::string& text);

// A whole number that T holds exactly: a value that would wrap is a script error.
template <typename T>
T parseWithin(const Command& command, const std::string& text,
              int64_t low = std::numeric_limits<T>::min(),
              int64_t high = std::numeric_limits<T>::max()) {
    const int64_t value = parseInteger(command, text);
    if (value < low || value > high)
        throw ScriptError(command.line, text + " is out of range (" + std::to_string(low) + " to " +
                                            std::to_string(high) + ")");
    return static_cast<T>(value);
}

// The game's key code for a key name (see platform/KeyNames), or a script error.
int parseKey(const Command& command, const std::string& name);

// A script error unless the command has exactly `count` arguments.
void expectArgs(const Command& command, size_t count);

}  // namespace sim

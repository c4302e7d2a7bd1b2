#pragma once

#include <istream>
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

}  // namespace sim

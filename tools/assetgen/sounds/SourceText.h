#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

// The sound sources are small line-based text files: a first word saying what
// the line is, then plain words or key=value settings. A word that begins
// with '#' starts a comment (a '#' inside a word is a sharp: "G#5").
namespace assetgen::sounds {

struct SourceLine {
    std::string file;  // for messages
    int number = 0;
    std::vector<std::string> words;

    std::string where() const { return file + ":" + std::to_string(number); }
    [[noreturn]] void fail(const std::string& message) const;
};

std::vector<SourceLine> readSourceLines(const std::filesystem::path& file);

// A value that moves from `from` to `to` (written "from>to"); `over` seconds,
// or the whole sound when 0. Frequencies move exponentially.
struct Glide {
    double from = 0;
    double to = 0;
    double over = 0;
    bool moves() const { return from != to; }
    // The value `t` seconds in, for a sound lasting `length` seconds.
    double exponentialAt(double t, double length) const;
};

// The key=value words of a line. Every setting must be taken by the reader:
// a misspelt key is an error, never a silently different sound.
class Settings {
  public:
    Settings(const SourceLine& line, size_t firstWord);

    bool has(const std::string& key) const { return values_.count(key) != 0; }
    double number(const std::string& key, double fallback);
    double positive(const std::string& key, double fallback);
    Glide glide(const std::string& key, double fallback);
    std::string text(const std::string& key, const std::string& fallback);
    // "a:b:c" -> three numbers; missing parts keep their fallbacks.
    std::vector<double> numbers(const std::string& key, std::vector<double> fallback);
    void requireAllTaken() const;

    const SourceLine& line() const { return line_; }

  private:
    const SourceLine& line_;
    std::map<std::string, std::string> values_;
    std::map<std::string, bool> taken_;
};

double parseNumber(const std::string& text, const SourceLine& line);

// MIDI note number of a name such as "A4" (69), "C#5" or "Bb3".
int noteNumber(std::string_view name, const SourceLine& line);
double noteFrequency(int midiNote);

}  // namespace assetgen::sounds

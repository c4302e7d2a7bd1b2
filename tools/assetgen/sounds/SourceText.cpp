#include "sounds/SourceText.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace assetgen::sounds {

void SourceLine::fail(const std::string& message) const {
    throw std::runtime_error(where() + ": " + message);
}

std::vector<SourceLine> readSourceLines(const std::filesystem::path& file) {
    std::ifstream in(file);
    if (!in) throw std::runtime_error("cannot read " + file.string());
    std::vector<SourceLine> lines;
    std::string text;
    int number = 0;
    while (std::getline(in, text)) {
        ++number;
        // A comment starts with a '#' that begins a word: "G#5" is a note.
        for (size_t at = text.find('#'); at != std::string::npos; at = text.find('#', at + 1)) {
            if (at == 0 || std::isspace(static_cast<unsigned char>(text[at - 1]))) {
                text.erase(at);
                break;
            }
        }
        SourceLine line{file.filename().string(), number, {}};
        std::istringstream words(text);
        for (std::string word; words >> word;) line.words.push_back(word);
        if (!line.words.empty()) lines.push_back(std::move(line));
    }
    return lines;
}

double Glide::exponentialAt(double t, double length) const {
    const double span = over > 0 ? over : length;
    if (!moves() || span <= 0) return from;
    const double x = std::clamp(t / span, 0.0, 1.0);
    return from * std::pow(to / from, x);
}

double parseNumber(const std::string& text, const SourceLine& line) {
    size_t used = 0;
    double value = 0;
    try {
        value = std::stod(text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used == 0 || used != text.size() || !std::isfinite(value))
        line.fail("'" + text + "' is not a number");
    return value;
}

Settings::Settings(const SourceLine& line, size_t firstWord) : line_(line) {
    for (size_t i = firstWord; i < line.words.size(); ++i) {
        const std::string& word = line.words[i];
        const size_t equals = word.find('=');
        if (equals == std::string::npos || equals == 0 || equals + 1 == word.size())
            line.fail("expected key=value, found '" + word + "'");
        const std::string key = word.substr(0, equals);
        if (!values_.emplace(key, word.substr(equals + 1)).second)
            line.fail("'" + key + "' is given twice");
        taken_[key] = false;
    }
}

double Settings::number(const std::string& key, double fallback) {
    if (!has(key)) return fallback;
    taken_[key] = true;
    return parseNumber(values_.at(key), line_);
}

double Settings::positive(const std::string& key, double fallback) {
    const double value = number(key, fallback);
    if (value <= 0) line_.fail("'" + key + "' must be above 0");
    return value;
}

Glide Settings::glide(const std::string& key, double fallback) {
    if (!has(key)) return Glide{fallback, fallback, 0};
    taken_[key] = true;
    const std::string& text = values_.at(key);
    const size_t arrow = text.find('>');
    if (arrow == std::string::npos) {
        const double value = parseNumber(text, line_);
        return Glide{value, value, 0};
    }
    return Glide{parseNumber(text.substr(0, arrow), line_),
                 parseNumber(text.substr(arrow + 1), line_), 0};
}

std::string Settings::text(const std::string& key, const std::string& fallback) {
    if (!has(key)) return fallback;
    taken_[key] = true;
    return values_.at(key);
}

std::vector<double> Settings::numbers(const std::string& key, std::vector<double> fallback) {
    if (!has(key)) return fallback;
    taken_[key] = true;
    std::istringstream parts(values_.at(key));
    size_t index = 0;
    for (std::string part; std::getline(parts, part, ':'); ++index) {
        if (index >= fallback.size()) line_.fail("'" + key + "' has too many parts");
        fallback[index] = parseNumber(part, line_);
    }
    return fallback;
}

void Settings::requireAllTaken() const {
    for (const auto& [key, taken] : taken_)
        if (!taken) line_.fail("unknown setting '" + key + "'");
}

int noteNumber(std::string_view name, const SourceLine& line) {
    static constexpr int kSemitoneOfLetter[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    auto bad = [&]() { line.fail("'" + std::string(name) + "' is not a note name"); };
    if (name.size() < 2 || name[0] < 'A' || name[0] > 'G') bad();
    int semitone = kSemitoneOfLetter[name[0] - 'A'];
    size_t pos = 1;
    if (name[pos] == '#' || name[pos] == 'b') {
        semitone += name[pos] == '#' ? 1 : -1;
        ++pos;
    }
    if (pos + 1 != name.size() || name[pos] < '0' || name[pos] > '8') bad();
    const int octave = name[pos] - '0';
    return (octave + 1) * 12 + semitone;
}

double noteFrequency(int midiNote) {
    return 440.0 * std::pow(2.0, (midiNote - 69) / 12.0);
}

}  // namespace assetgen::sounds

#include "levels/LevelSource.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <iterator>
#include <sstream>

namespace assetgen::levels {
namespace {

class LineReader {
  public:
    LineReader(const std::string& origin, int line, std::vector<std::string> words)
        : origin_(origin), line_(line), words_(std::move(words)) {}

    [[noreturn]] void fail(const std::string& why) const {
        throw SourceError(origin_ + ":" + std::to_string(line_) + ": " + why);
    }

    const std::string& keyword() const { return words_.front(); }
    size_t remaining() const { return words_.size() - next_; }
    bool atEnd() const { return next_ == words_.size(); }

    std::string word() {
        if (atEnd()) fail("'" + keyword() + "' needs more values");
        return words_[next_++];
    }

    double number() {
        const std::string text = word();
        double value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
            fail("'" + text + "' is not a number");
        return value;
    }

    int integer(int low, int high) {
        const double value = number();
        if (value != std::floor(value) || value < low || value > high)
            fail("expected a whole number from " + std::to_string(low) + " to " +
                 std::to_string(high));
        return static_cast<int>(value);
    }

    core::PixelWord colour() {
        const std::string text = word();
        unsigned value = 0;
        const auto [end, error] =
            std::from_chars(text.data(), text.data() + text.size(), value, 16);
        if (text.size() != 6 || error != std::errc() || end != text.data() + text.size())
            fail("'" + text + "' is not a colour (six hexadecimal digits RRGGBB)");
        return core::PixelWord{value};
    }

    void finish() const {
        if (!atEnd()) fail("too many values for '" + keyword() + "'");
    }

  private:
    const std::string& origin_;
    int line_;
    std::vector<std::string> words_;
    size_t next_ = 1;
};

std::vector<std::string> wordsOf(const std::string& line) {
    std::istringstream in(line.substr(0, line.find('#')));
    return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

Ground fillNamed(const std::string& word) {
    if (word == "open") return Ground::Open;
    if (word == "rock") return Ground::Rock;
    return Ground::Wall;
}

bool isFillWord(const std::string& word) {
    return word == "open" || word == "rock" || word == "wall";
}

Shape readShape(LineReader& reader, bool exact, Ground fill, int line) {
    Shape shape;
    shape.fill = fill;
    shape.exact = exact;
    shape.line = line;
    const std::string kind = reader.word();
    size_t count = 0;  // numbers expected; 0 for the variable-length shapes
    if (kind == "rect") {
        shape.kind = ShapeKind::Rect;
        count = 4;
    } else if (kind == "circle") {
        shape.kind = ShapeKind::Circle;
        count = 3;
    } else if (kind == "ellipse") {
        shape.kind = ShapeKind::Ellipse;
        count = 4;
    } else if (kind == "spikes") {
        shape.kind = ShapeKind::Spikes;
        count = 5;
    } else if (kind == "poly") {
        shape.kind = ShapeKind::Polygon;
    } else if (kind == "tunnel") {
        shape.kind = ShapeKind::Tunnel;
    } else {
        reader.fail("unknown shape '" + kind + "'");
    }
    while (!reader.atEnd()) shape.numbers.push_back(reader.number());
    const size_t n = shape.numbers.size();
    if (count != 0 && n != count)
        reader.fail("'" + kind + "' takes " + std::to_string(count) + " numbers");
    if (shape.kind == ShapeKind::Polygon && (n < 6 || n % 2 != 0))
        reader.fail("'poly' takes three or more X Y corners");
    if (shape.kind == ShapeKind::Tunnel && (n < 5 || n % 2 != 1))
        reader.fail("'tunnel' takes a radius and two or more X Y points");
    if (shape.kind == ShapeKind::Spikes &&
        (shape.numbers[4] < 1 || shape.numbers[4] > 200 || shape.numbers[1] <= shape.numbers[0]))
        reader.fail("'spikes' takes X1 < X2, a base Y, a length and 1..200 spikes");
    if (shape.kind == ShapeKind::Spikes && fill == Ground::Wall)
        reader.fail("spikes are rock or open space, not a bomb wall");
    return shape;
}

void readStatement(LineReader& reader, LevelSource& source, int line) {
    const std::string& key = reader.keyword();
    if (key == "exact" || isFillWord(key)) {
        const bool exact = key == "exact";
        const std::string fillWord = exact ? reader.word() : key;
        if (!isFillWord(fillWord)) reader.fail("'exact' must be followed by open, rock or wall");
        source.shapes.push_back(readShape(reader, exact, fillNamed(fillWord), line));
        return;
    }
    if (key == "picture") {
        source.picture = reader.word();
    } else if (key == "size") {
        source.width = reader.integer(16, 4096);
        source.height = reader.integer(16, 4096);
    } else if (key == "mission") {
        source.mission = reader.integer(1, 10);
    } else if (key == "backdrop") {
        source.backdrop = true;
    } else if (key == "seed") {
        source.seed = static_cast<uint32_t>(reader.integer(0, 1 << 30));
    } else if (key == "rough") {
        source.roughAmplitude = reader.number();
        source.roughScale = reader.number();
        if (source.roughAmplitude < 0 || source.roughAmplitude > 64 || source.roughScale < 4)
            reader.fail("'rough' takes an amplitude of 0..64 and a scale of 4 or more");
    } else if (key == "stone") {
        source.stoneDark = reader.colour();
        source.stoneMid = reader.colour();
        source.stoneLight = reader.colour();
    } else if (key == "accent") {
        source.accent = reader.colour();
    } else if (key == "rubble") {
        source.rubble = reader.colour();
    } else if (key == "moss") {
        source.moss = reader.colour();
    } else if (key == "shadow") {
        source.shadow = reader.colour();
    } else if (key == "brightness") {
        source.brightness = reader.number();
        if (source.brightness <= 0 || source.brightness > 2) reader.fail("brightness is 0..2");
    } else if (key == "strata") {
        source.strataStrength = reader.number();
        source.strataSpacing = reader.number();
        if (source.strataSpacing < 2) reader.fail("strata spacing is 2 or more");
    } else if (key == "crystals") {
        source.scatteredCrystals = reader.integer(0, 1000);
    } else if (key == "crystal") {
        Crystal crystal;
        crystal.x = reader.number();
        crystal.y = reader.number();
        crystal.size = reader.number();
        source.crystals.push_back(crystal);
    } else if (key == "veins") {
        source.veins = reader.integer(0, 1000);
    } else {
        reader.fail("unknown statement '" + key + "'");
    }
    reader.finish();
}

}  // namespace

LevelSource parseLevelSource(std::string_view text, const std::string& origin) {
    LevelSource source;
    source.origin = origin;
    std::istringstream in{std::string(text)};
    std::string line;
    int lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        std::vector<std::string> words = wordsOf(line);
        if (words.empty()) continue;
        LineReader reader(origin, lineNumber, std::move(words));
        readStatement(reader, source, lineNumber);
    }
    if (source.backdrop && source.mission != 0)
        throw SourceError(origin + ": a backdrop cannot be a mission's world");
    return source;
}

LevelSource loadLevelSource(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw SourceError("cannot read " + path);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return parseLevelSource(text, path);
}

}  // namespace assetgen::levels

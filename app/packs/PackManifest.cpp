#include "app/packs/PackManifest.h"

#include <toml++/toml.h>

#include <algorithm>
#include <initializer_list>
#include <optional>
#include <sstream>
#include <tuple>

#include "app/packs/PackError.h"
#include "app/packs/PackFiles.h"
#include "core/Utf8.h"

namespace app::packs {
namespace {

// The ship's world position is (296 - scrollX, 130 - scrollY).
constexpr int kShipScreenX = 296;
constexpr int kShipScreenY = 130;

// The briefing box holds 36 columns of its fixed-pitch font and 12 lines; a
// word of the four "Label : word" lines must fit behind its 17-column label.
constexpr int kBriefingColumns = 36;
constexpr int kBriefingLines = 12;
constexpr int kBriefingWordLength = kBriefingColumns - 17;
constexpr int kNameLength = 32;
constexpr int kAuthorLength = 40;
constexpr int kVersionLength = 16;

constexpr double kLeastGravity = -0.5;
constexpr double kMostGravity = 0.8;
constexpr int kShortestBeam = 17;

struct Range {
    int least;
    int most;
};

// Where each sprite may stand so that all of it is inside the world: the
// ship's rock probes reach 6 left, 10 up, 10 right and 5 down, and it must
// start within the world's bounds; the cargo is 16 x 16, the collector
// 40 x 58 with its delivery box reaching 8 above it, the exit 57 x 65 and
// the enemy 32 x 32.
constexpr Range kShipX{6, 1246}, kShipY{10, 1230};
constexpr Range kCargoX{0, kPackWorldSize - 16}, kCargoY{0, kPackWorldSize - 16};
constexpr Range kCollectorX{0, kPackWorldSize - 40}, kCollectorY{8, kPackWorldSize - 58};
constexpr Range kExitX{0, kPackWorldSize - 57}, kExitY{0, kPackWorldSize - 65};
constexpr Range kEnemyX{0, kPackWorldSize - 32}, kEnemyY{0, kPackWorldSize - 32};

long lineOf(const toml::node& node) {
    return std::max<long>(1, static_cast<long>(node.source().begin.line));
}

std::string shown(double value) {
    std::ostringstream text;
    text << value;
    return text.str();
}

// The number of lines the briefing box wraps `text` into, as the box does it:
// words while they fit, the first word of a line always.
int wrappedLines(const std::u32string& text) {
    int lines = 0;
    size_t lineStart = 0;
    while (lineStart <= text.size()) {
        size_t lineEnd = text.find(U"\r\n", lineStart);
        if (lineEnd == std::u32string::npos) lineEnd = text.size();
        const std::u32string line = text.substr(lineStart, lineEnd - lineStart);
        size_t start = 0;
        do {
            size_t end = std::u32string::npos;
            for (size_t pos = start; pos < line.size();) {
                const size_t wordStart = line.find_first_not_of(U' ', pos);
                if (wordStart == std::u32string::npos) break;
                size_t wordEnd = line.find(U' ', wordStart);
                if (wordEnd == std::u32string::npos) wordEnd = line.size();
                if (end != std::u32string::npos &&
                    wordEnd - start > static_cast<size_t>(kBriefingColumns))
                    break;
                end = wordEnd;
                pos = wordEnd;
            }
            ++lines;
            if (end == std::u32string::npos) break;
            start = line.find_first_not_of(U' ', end);
        } while (start != std::u32string::npos);
        lineStart = lineEnd + 2;
    }
    return lines;
}

size_t longestWord(const std::u32string& text) {
    size_t longest = 0;
    size_t run = 0;
    for (const char32_t c : text) {
        run = c == U' ' ? 0 : run + 1;
        longest = std::max(longest, run);
    }
    return longest;
}

// Reads the values of one pack.toml, failing with the line at fault.
class Reader {
  public:
    explicit Reader(const std::string& pack) : pack_(pack) {}

    [[noreturn]] void fail(long line, const std::string& what) const {
        FailPackLine(pack_, line, what);
    }

    void onlyKnownKeys(const toml::table& table, std::initializer_list<std::string_view> known,
                       const std::string& where) const {
        for (auto&& [key, node] : table)
            if (std::find(known.begin(), known.end(), key.str()) == known.end())
                fail(lineOf(node), "unknown key \"" + std::string(key.str()) + "\"" + where);
    }

    const toml::node& require(const toml::table& table, std::string_view key,
                              const std::string& where) const {
        const toml::node* node = table.get(key);
        if (!node) fail(lineOf(table), "\"" + std::string(key) + "\" is missing" + where);
        return *node;
    }

    // A line of text of at most `most` characters, with no control character
    // that would break the line it is shown on.
    std::string text(const toml::node& node, std::string_view key, size_t most,
                     bool mayBeEmpty = false) const {
        const std::optional<std::string> value = node.value<std::string>();
        if (!node.is_string() || !value)
            fail(lineOf(node), "\"" + std::string(key) + "\" must be text in quotes");
        const std::u32string characters = core::FromUtf8(*value);
        for (const char32_t c : characters)
            if (c < 0x20 || c == 0x7F)
                fail(lineOf(node), "\"" + std::string(key) + "\" holds a control character");
        if (characters.empty() && !mayBeEmpty)
            fail(lineOf(node), "\"" + std::string(key) + "\" is empty");
        if (characters.size() > most)
            fail(lineOf(node), "\"" + std::string(key) + "\" is longer than " +
                                   std::to_string(most) + " characters");
        return *value;
    }

    std::string fileName(const toml::node& node, std::string_view key) const {
        std::string name = text(node, key, 255);
        if (!IsPackFileName(name))
            fail(lineOf(node), "\"" + name + "\" is no name of a file inside the pack");
        return name;
    }

    double number(const toml::node& node, std::string_view key, double least,
                  double most) const {
        if (!node.is_number())
            fail(lineOf(node), "\"" + std::string(key) + "\" must be a number");
        const double value = *node.value<double>();
        if (!(value >= least && value <= most))
            fail(lineOf(node), "\"" + std::string(key) + "\" is " + shown(value) + ", outside " +
                                   shown(least) + " to " + shown(most));
        return value;
    }

    int whole(const toml::node& node, std::string_view key, Range range) const {
        const std::optional<int64_t> value = node.value_exact<int64_t>();
        if (!node.is_integer() || !value)
            fail(lineOf(node), "\"" + std::string(key) + "\" must be a whole number");
        if (*value < range.least || *value > range.most)
            fail(lineOf(node), "\"" + std::string(key) + "\" is " + std::to_string(*value) +
                                   ", outside " + std::to_string(range.least) + " to " +
                                   std::to_string(range.most));
        return static_cast<int>(*value);
    }

    // [x, y] in world pixels, within the ranges of the sprite there.
    std::pair<int, int> point(const toml::node& node, std::string_view key, Range x,
                              Range y) const {
        const toml::array* pair = node.as_array();
        if (!pair || pair->size() != 2)
            fail(lineOf(node), "\"" + std::string(key) + "\" must be [x, y]");
        const std::string name(key);
        return {whole(*pair->get(0), name + " x", x), whole(*pair->get(1), name + " y", y)};
    }

  private:
    const std::string& pack_;
};

core::BriefingWords readBriefing(const Reader& read, const toml::table& briefing,
                                 const std::string& where) {
    read.onlyKnownKeys(briefing, {"spawn", "gravity", "bombs", "level", "details"}, where);
    core::BriefingWords words;
    words.spawn = read.text(read.require(briefing, "spawn", where), "spawn", kBriefingWordLength);
    words.gravity =
        read.text(read.require(briefing, "gravity", where), "gravity", kBriefingWordLength);
    words.bombs = read.text(read.require(briefing, "bombs", where), "bombs", kBriefingWordLength);
    words.level = read.text(read.require(briefing, "level", where), "level", kBriefingWordLength);
    const toml::node& details = read.require(briefing, "details", where);
    const toml::array* lines = details.as_array();
    if (!lines || lines->size() != 2)
        read.fail(lineOf(details), "\"details\" must be two lines of text: [\"...\", \"...\"]");
    const size_t most = kBriefingColumns * kBriefingLines;
    words.details1 = read.text(*lines->get(0), "details", most, true);
    words.details2 = read.text(*lines->get(1), "details", most, true);
    const std::u32string shown = core::FromUtf8(core::BriefingText(words));
    if (longestWord(shown) > static_cast<size_t>(kBriefingColumns))
        read.fail(lineOf(details), "a word of the details is longer than the briefing box's " +
                                       std::to_string(kBriefingColumns) + " columns");
    if (wrappedLines(shown) > kBriefingLines)
        read.fail(lineOf(details), "the briefing takes more than the box's " +
                                       std::to_string(kBriefingLines) +
                                       " lines: shorten the details");
    return words;
}

PackMission readMission(const Reader& read, const toml::table& mission, int number) {
    const std::string where = " in mission " + std::to_string(number);
    read.onlyKnownKeys(mission,
                       {"picture", "source", "gravity", "ship", "cargo", "collector", "exit",
                        "enemy", "beam", "briefing"},
                       where);
    PackMission m;
    m.line = lineOf(mission);
    core::MissionRow& row = m.row;
    row.number = number;
    row.picture = -1;

    const toml::node* picture = mission.get("picture");
    const toml::node* source = mission.get("source");
    if (picture && source)
        read.fail(lineOf(*source), "give either \"picture\" or \"source\"" + where + ", not both");
    if (!picture && !source) read.fail(m.line, "\"picture\" is missing" + where);
    if (picture) m.picture = read.fileName(*picture, "picture");
    if (source) m.source = read.fileName(*source, "source");

    row.gravity =
        read.number(read.require(mission, "gravity", where), "gravity", kLeastGravity, kMostGravity);
    const auto [shipX, shipY] = read.point(read.require(mission, "ship", where), "ship", kShipX, kShipY);
    row.scrollX = kShipScreenX - shipX;
    row.scrollY = kShipScreenY - shipY;
    std::tie(row.cargoX, row.cargoY) =
        read.point(read.require(mission, "cargo", where), "cargo", kCargoX, kCargoY);
    std::tie(row.collectorX, row.collectorY) = read.point(
        read.require(mission, "collector", where), "collector", kCollectorX, kCollectorY);
    std::tie(row.exitX, row.exitY) =
        read.point(read.require(mission, "exit", where), "exit", kExitX, kExitY);

    const toml::node& enemy = read.require(mission, "enemy", where);
    const toml::node* beam = mission.get("beam");
    row.hasEnemy = enemy.value<std::string>() != "none";
    if (row.hasEnemy) {
        if (enemy.is_string())
            read.fail(lineOf(enemy), "\"enemy\" must be [x, y] or \"none\"");
        std::tie(row.enemyX, row.enemyY) = read.point(enemy, "enemy", kEnemyX, kEnemyY);
        if (!beam) read.fail(lineOf(enemy), "\"beam\" is missing" + where + " (it has an enemy)");
        row.beamLength = read.whole(*beam, "beam", {kShortestBeam, kPackWorldSize});
    } else {
        row.enemyX = row.enemyY = row.beamLength = 0;
        if (beam) read.fail(lineOf(*beam), "\"beam\" without an enemy" + where);
    }

    const toml::node& briefing = read.require(mission, "briefing", where);
    const toml::table* words = briefing.as_table();
    if (!words) read.fail(lineOf(briefing), "\"briefing\" must be a table" + where);
    m.briefing = readBriefing(read, *words, " in the briefing of mission " + std::to_string(number));
    return m;
}

}  // namespace

std::string BuiltManifest(std::string_view text, const std::string& packName,
                          const std::function<std::string(const std::string&)>& pictureOf) {
    ParseManifest(text, packName);
    toml::table root = toml::parse(text, std::string_view("pack.toml"));
    for (toml::node& mission : *root["missions"].as_array()) {
        toml::table& table = *mission.as_table();
        if (const std::optional<std::string> source = table["source"].value<std::string>()) {
            table.erase("source");
            table.insert_or_assign("picture", pictureOf(*source));
        }
    }
    // Numbers as the maker wrote them (0.05, not 0.050000000000000003).
    std::ostringstream out;
    out << toml::toml_formatter(root, toml::toml_formatter::default_flags |
                                          toml::format_flags::relaxed_float_precision)
        << '\n';
    return out.str();
}

PackManifest ParseManifest(std::string_view text, const std::string& packName) {
    const Reader read(packName);
    toml::table root;
    try {
        root = toml::parse(text, std::string_view("pack.toml"));
    } catch (const toml::parse_error& error) {
        read.fail(static_cast<long>(error.source().begin.line), std::string(error.description()));
    }
    read.onlyKnownKeys(root, {"name", "author", "version", "missions"}, "");
    PackManifest manifest;
    manifest.name = read.text(read.require(root, "name", ""), "name", kNameLength);
    manifest.author = read.text(read.require(root, "author", ""), "author", kAuthorLength);
    manifest.version = read.text(read.require(root, "version", ""), "version", kVersionLength);
    const toml::node& missions = read.require(root, "missions", "");
    const toml::array* list = missions.as_array();
    if (!list || (!list->empty() && !list->is_array_of_tables()))
        read.fail(lineOf(missions), "\"missions\" must be a list of [[missions]] tables");
    if (list->empty() || list->size() > static_cast<size_t>(kMaxPackMissions))
        read.fail(lineOf(missions), "a pack holds 1 to " + std::to_string(kMaxPackMissions) +
                                        " missions, not " + std::to_string(list->size()));
    int number = 0;
    for (const toml::node& mission : *list)
        manifest.missions.push_back(readMission(read, *mission.as_table(), ++number));
    return manifest;
}

}  // namespace app::packs

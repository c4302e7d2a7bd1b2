#include "sounds/Song.h"

#include <algorithm>
#include <memory>
#include <set>
#include <sstream>
#include <stdexcept>

namespace assetgen::sounds {
namespace {

const std::set<std::string> kKeywords = {"title",  "tempo", "rate",  "bitrate", "peak",
                                         "tail",   "sound", "track", "pattern", "song",
                                         "chords", "tone",  "noise"};

struct Chord {
    int root = 0;  // pitch class, C = 0
    std::vector<int> intervals;
};

Chord parseChord(const std::string& name, const SourceLine& line) {
    // The root is read as a note in octave 0, so that "F#m7" gives F#0.
    size_t rootLength = name.size() > 1 && (name[1] == '#' || name[1] == 'b') ? 2 : 1;
    if (name.empty()) line.fail("empty chord name");
    Chord chord{noteNumber(name.substr(0, rootLength) + "0", line) % 12, {}};
    const std::string quality = name.substr(rootLength);
    static const std::map<std::string, std::vector<int>> kQualities = {
        {"", {0, 4, 7}},         {"m", {0, 3, 7}},    {"7", {0, 4, 7, 10}}, {"m7", {0, 3, 7, 10}},
        {"maj7", {0, 4, 7, 11}}, {"sus2", {0, 2, 7}}, {"sus4", {0, 5, 7}},  {"dim", {0, 3, 6}}};
    const auto found = kQualities.find(quality);
    if (found == kQualities.end()) line.fail("unknown chord '" + name + "'");
    chord.intervals = found->second;
    return chord;
}

int positiveModulo(int value, int modulus) {
    return ((value % modulus) + modulus) % modulus;
}

// The tones of a chord as a track plays them, lowest first.
std::vector<int> voice(const Chord& chord, const Track& track) {
    std::vector<int> tones;
    if (track.closeVoicing) {
        const int lowest = track.anchor - 6;
        for (int interval : chord.intervals)
            tones.push_back(lowest + positiveModulo(chord.root + interval - lowest, 12));
        std::sort(tones.begin(), tones.end());
    } else {
        const int root = track.anchor + positiveModulo(chord.root - track.anchor, 12);
        for (int interval : chord.intervals) tones.push_back(root + interval);
    }
    return tones;
}

// Tone `index` of a voicing, climbing by octaves past its top.
int toneOf(const std::vector<int>& tones, int index) {
    const int count = static_cast<int>(tones.size());
    return tones[index % count] + 12 * (index / count);
}

// The lines of a pattern as written, turned into events when it is complete.
class PatternBuilder {
  public:
    PatternBuilder(Song& song, const SourceLine& line);
    void addLine(const SourceLine& line);
    void finish();

  private:
    struct Steps {
        std::vector<std::string> tokens;
        const SourceLine* line = nullptr;
    };

    std::vector<std::string> repeated(const Steps& steps) const;
    std::vector<Chord> chordPerStep() const;
    std::vector<NoteEvent> eventsOf(const Track& track, const Steps& steps,
                                    const std::vector<Chord>& chords) const;

    Song& song_;
    Pattern pattern_;
    const SourceLine& start_;
    std::map<std::string, Steps> tracks_;
    std::vector<std::string> chordBars_;
    const SourceLine* chordLine_ = nullptr;
};

PatternBuilder::PatternBuilder(Song& song, const SourceLine& line) : song_(song), start_(line) {
    if (line.words.size() != 3) line.fail("a pattern is 'pattern NAME BARS'");
    pattern_.name = line.words[1];
    pattern_.bars = static_cast<int>(parseNumber(line.words[2], line));
    if (pattern_.bars < 1) line.fail("a pattern has at least one bar");
    if (song.patterns.count(pattern_.name))
        line.fail("pattern '" + pattern_.name + "' is defined twice");
}

void PatternBuilder::addLine(const SourceLine& line) {
    const std::string& first = line.words[0];
    if (first == "chords") {
        chordLine_ = &line;
        for (size_t i = 1; i < line.words.size(); ++i)
            if (line.words[i] != "|") chordBars_.push_back(line.words[i]);
        return;
    }
    const auto track = std::find_if(song_.tracks.begin(), song_.tracks.end(),
                                    [&](const Track& t) { return t.name == first; });
    if (track == song_.tracks.end()) line.fail("no track named '" + first + "'");
    Steps& steps = tracks_[first];
    steps.line = &line;
    for (size_t i = 1; i < line.words.size(); ++i) {
        const std::string& word = line.words[i];
        if (word == "|") continue;
        if (track->kind == TrackKind::Notes) {
            steps.tokens.push_back(word);
        } else {
            for (char c : word)
                if (c != '|') steps.tokens.emplace_back(1, c);
        }
    }
}

// A line shorter than its pattern repeats to fill it.
std::vector<std::string> PatternBuilder::repeated(const Steps& steps) const {
    const size_t total = static_cast<size_t>(pattern_.bars) * kStepsPerBar;
    const size_t written = steps.tokens.size();
    if (written == 0 || written % kStepsPerBar != 0 || total % written != 0)
        steps.line->fail("the steps must fill whole bars that repeat evenly over the pattern's " +
                         std::to_string(pattern_.bars) + " bar(s); found " +
                         std::to_string(written) + " steps");
    std::vector<std::string> out;
    while (out.size() < total) out.insert(out.end(), steps.tokens.begin(), steps.tokens.end());
    return out;
}

std::vector<Chord> PatternBuilder::chordPerStep() const {
    std::vector<Chord> chords;
    if (!chordLine_) return chords;
    if (pattern_.bars % static_cast<int>(chordBars_.size()) != 0)
        chordLine_->fail("the chords must repeat evenly over the pattern");
    while (chords.size() < static_cast<size_t>(pattern_.bars) * kStepsPerBar) {
        for (const std::string& bar : chordBars_) {
            std::vector<std::string> parts;
            std::istringstream split(bar);
            for (std::string part; std::getline(split, part, ',');) parts.push_back(part);
            if (kStepsPerBar % parts.size() != 0)
                chordLine_->fail("a bar cannot be shared by " + bar);
            for (const std::string& part : parts) {
                const Chord chord = parseChord(part, *chordLine_);
                chords.insert(chords.end(), kStepsPerBar / parts.size(), chord);
            }
        }
    }
    return chords;
}

std::vector<NoteEvent> PatternBuilder::eventsOf(const Track& track, const Steps& steps,
                                                const std::vector<Chord>& chords) const {
    const std::vector<std::string> tokens = repeated(steps);
    const SourceLine& line = *steps.line;
    std::vector<NoteEvent> events;
    bool sounding = false;  // the last event may still be tied on
    for (int step = 0; step < static_cast<int>(tokens.size()); ++step) {
        const std::string& token = tokens[static_cast<size_t>(step)];
        if (token == ".") {
            sounding = false;
            continue;
        }
        if (token == "-") {
            if (!sounding || track.kind == TrackKind::Drum)
                line.fail("'-' holds a note, but none sounds here");
            ++events.back().length;
            continue;
        }
        NoteEvent event{step, 1, {}, 1.0};
        if (track.kind == TrackKind::Notes) {
            event.notes.push_back(noteNumber(token, line));
        } else if (track.kind == TrackKind::Drum) {
            static const std::map<std::string, double> kVelocity = {
                {"X", 1.0}, {"x", 0.7}, {"o", 0.4}};
            const auto velocity = kVelocity.find(token);
            if (velocity == kVelocity.end())
                line.fail("a drum step is X, x, o or '.', not '" + token + "'");
            event.velocity = velocity->second;
        } else {
            if (chords.empty()) line.fail("a chord track needs the pattern's chords");
            const std::vector<int> tones = voice(chords[static_cast<size_t>(step)], track);
            if (token == "x") {
                event.notes = tones;
            } else if (token[0] >= '0' && token[0] <= '9') {
                event.notes.push_back(toneOf(tones, token[0] - '0'));
            } else {
                line.fail("a chord step is a tone digit, x, '-' or '.', not '" + token + "'");
            }
        }
        events.push_back(std::move(event));
        sounding = true;
    }
    return events;
}

void PatternBuilder::finish() {
    const std::vector<Chord> chords = chordPerStep();
    for (const auto& entry : tracks_) {
        // A named pair, not a structured binding: clang before 16 cannot
        // capture a binding in the lambda.
        const std::string& name = entry.first;
        const Track& track = *std::find_if(song_.tracks.begin(), song_.tracks.end(),
                                           [&](const Track& t) { return t.name == name; });
        pattern_.events[name] = eventsOf(track, entry.second, chords);
    }
    if (pattern_.events.empty()) start_.fail("pattern '" + pattern_.name + "' plays nothing");
    song_.patterns[pattern_.name] = std::move(pattern_);
}

Track parseTrack(const SourceLine& line, const Song& song) {
    if (line.words.size() < 3) line.fail("a track is 'track NAME notes|chord|drum sound=NAME ...'");
    Track track;
    track.name = line.words[1];
    if (kKeywords.count(track.name)) line.fail("'" + track.name + "' cannot name a track");
    for (const Track& other : song.tracks)
        if (other.name == track.name) line.fail("track '" + track.name + "' is defined twice");
    const std::string& kind = line.words[2];
    if (kind == "notes")
        track.kind = TrackKind::Notes;
    else if (kind == "chord")
        track.kind = TrackKind::Chord;
    else if (kind == "drum")
        track.kind = TrackKind::Drum;
    else
        line.fail("a track plays notes, chord or drum, not '" + kind + "'");

    Settings settings(line, 3);
    track.sound = settings.text("sound", "");
    if (track.sound.empty()) line.fail("a track needs its sound=");
    track.gain = settings.number("gain", 1);
    track.pan = settings.number("pan", 0);
    if (track.kind == TrackKind::Chord) {
        const std::string voicing = settings.text("voicing", "root:C3");
        const size_t colon = voicing.find(':');
        const std::string style = voicing.substr(0, colon);
        if (colon == std::string::npos || (style != "root" && style != "close"))
            line.fail("voicing is root:NOTE or close:NOTE");
        track.closeVoicing = style == "close";
        track.anchor = noteNumber(voicing.substr(colon + 1), line);
    }
    const auto delay = settings.numbers("delay", {0, 0, 0});
    track.delayBeats = delay[0];
    track.delayFeedback = delay[1];
    track.delayMix = delay[2];
    if (track.delayBeats < 0 || track.delayFeedback < 0 || track.delayFeedback >= 1)
        line.fail("delay is beats:feedback:mix with feedback below 1");
    settings.requireAllTaken();
    return track;
}

void requireWords(const SourceLine& line, size_t count) {
    if (line.words.size() != count)
        line.fail("'" + line.words[0] + "' takes " + std::to_string(count - 1) + " value(s)");
}

void checkSong(const Song& song, const std::string& file) {
    if (song.order.empty()) throw std::runtime_error(file + ": no song order");
    for (const std::string& name : song.order)
        if (!song.patterns.count(name))
            throw std::runtime_error(file + ": the song plays unknown pattern " + name);
    for (const Track& track : song.tracks) {
        const auto sound = song.sounds.find(track.sound);
        if (sound == song.sounds.end())
            throw std::runtime_error(file + ": track " + track.name + " plays unknown sound " +
                                     track.sound);
        for (const Layer& layer : sound->second)
            if (track.kind == TrackKind::Drum && layer.source == Layer::Source::Tone &&
                !layer.fixedPitch)
                throw std::runtime_error(file + ": drum sound " + track.sound +
                                         " needs a freq on every tone");
    }
}

}  // namespace

int Song::totalSteps() const {
    int steps = 0;
    for (const std::string& name : order) steps += patterns.at(name).bars * kStepsPerBar;
    return steps;
}

Song readSong(const std::filesystem::path& file) {
    const std::vector<SourceLine> lines = readSourceLines(file);
    Song song;
    std::vector<Layer>* sound = nullptr;
    std::unique_ptr<PatternBuilder> pattern;
    auto endBlocks = [&]() {
        if (pattern) pattern->finish();
        pattern.reset();
        sound = nullptr;
    };

    for (const SourceLine& line : lines) {
        const std::string& key = line.words[0];
        if (key == "tone" || key == "noise") {
            if (!sound) line.fail("a layer belongs under a 'sound' line");
            sound->push_back(parseLayer(line, false));
            continue;
        }
        if (pattern && !kKeywords.count(key)) {
            pattern->addLine(line);
            continue;
        }
        if (pattern && key == "chords") {
            pattern->addLine(line);
            continue;
        }
        endBlocks();
        if (key == "title") {
            if (line.words.size() < 2) line.fail("title takes a text");
            for (size_t i = 1; i < line.words.size(); ++i)
                song.title += (i > 1 ? " " : "") + line.words[i];
        } else if (key == "tempo") {
            requireWords(line, 2);
            song.tempo = parseNumber(line.words[1], line);
            if (song.tempo < 20 || song.tempo > 400) line.fail("tempo out of range");
        } else if (key == "rate") {
            requireWords(line, 2);
            song.sampleRate = static_cast<int>(parseNumber(line.words[1], line));
        } else if (key == "bitrate") {
            requireWords(line, 2);
            song.bitRate = static_cast<int>(parseNumber(line.words[1], line));
        } else if (key == "peak") {
            requireWords(line, 2);
            song.peak = parseNumber(line.words[1], line);
            if (song.peak <= 0 || song.peak > 1) line.fail("peak lies between 0 and 1");
        } else if (key == "tail") {
            requireWords(line, 2);
            song.tailSeconds = parseNumber(line.words[1], line);
        } else if (key == "sound") {
            requireWords(line, 2);
            if (song.sounds.count(line.words[1]))
                line.fail("sound '" + line.words[1] + "' is defined twice");
            sound = &song.sounds[line.words[1]];
        } else if (key == "track") {
            song.tracks.push_back(parseTrack(line, song));
        } else if (key == "pattern") {
            pattern = std::make_unique<PatternBuilder>(song, line);
        } else if (key == "song") {
            song.order.insert(song.order.end(), line.words.begin() + 1, line.words.end());
        } else {
            line.fail("unknown line '" + key + "'");
        }
    }
    endBlocks();
    checkSong(song, file.filename().string());
    return song;
}

}  // namespace assetgen::sounds

#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "sounds/Layer.h"

// A piece of music written as a small tracker: instruments made of layers,
// tracks that play them, patterns of sixteenth-note steps, and the order of
// the patterns. The piece loops: its last bar leads back into its first.
namespace assetgen::sounds {

inline constexpr int kStepsPerBar = 16;

// A struck note or chord: which notes (none for a drum hit), when, how long.
struct NoteEvent {
    int step = 0;    // from the start of the pattern
    int length = 1;  // in steps
    std::vector<int> notes;
    double velocity = 1;
};

enum class TrackKind {
    Notes,  // notes by name: "A4 - - C5 . ."
    Chord,  // tones of the pattern's chords: digits pick tones, x strikes the whole chord
    Drum,   // hits: X accent, x normal, o soft
};

struct Track {
    std::string name;
    TrackKind kind = TrackKind::Notes;
    std::string sound;
    double gain = 1;
    double pan = 0;
    // Chord tracks: the lowest tone sits at or above `anchor` (root position),
    // or the tones gather closely around it.
    bool closeVoicing = false;
    int anchor = 48;
    double delayBeats = 0;  // a ping-pong echo between the left and right
    double delayFeedback = 0;
    double delayMix = 0;
};

struct Pattern {
    std::string name;
    int bars = 1;
    std::map<std::string, std::vector<NoteEvent>> events;  // by track name
};

struct Song {
    std::string title;
    double tempo = 120;  // beats (quarter notes) a minute
    int sampleRate = 44100;
    int bitRate = 64000;
    double peak = 0.5;
    double tailSeconds = 4;  // how long the last notes may ring into the start
    std::map<std::string, std::vector<Layer>> sounds;
    std::vector<Track> tracks;
    std::map<std::string, Pattern> patterns;
    std::vector<std::string> order;

    double stepSeconds() const { return 60.0 / tempo / 4.0; }
    int totalSteps() const;
};

Song readSong(const std::filesystem::path& file);

}  // namespace assetgen::sounds

#pragma once

// What the game's engine rules do for the pilot: the push of one mission
// tick of engine for every heading, and where the arrow keys turn the ship.
namespace autopilot {

struct Vec {
    double x = 0;
    double y = 0;
};
inline Vec operator+(Vec a, Vec b) { return {a.x + b.x, a.y + b.y}; }
inline Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y}; }
inline Vec operator*(Vec a, double k) { return {a.x * k, a.y * k}; }
double length(Vec v);
double dot(Vec a, Vec b);

// World velocity (y downwards) one mission tick of engine adds at `heading`,
// taken from the game's own engine rule.
Vec thrustAt(int heading);

// The heading after one control tick with the left or right arrow held.
int turnedLeft(int heading);
int turnedRight(int heading);

}  // namespace autopilot

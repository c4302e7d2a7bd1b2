#pragma once

#include <string>

// The part of a `dump` line the pilot flies by.
namespace autopilot {

struct Snapshot {
    int scrollX = 0;
    int scrollY = 0;
    double scrollVelX = 0;
    double scrollVelY = 0;
    int shipAngle = 0;
    double gravity = 0;
    int difficulty = 1;
    int missionNumber = 0;
    int missionTicks = 0;
    int fuel = 0;
    int score = 0;
    int lives = 0;
    int shipDamage = 0;
    int cargoDamage = 0;
    double cargoX = 0;
    double cargoY = 0;
    double cargoVelX = 0;
    double cargoVelY = 0;
    int collectorX = 0;
    int collectorY = 0;
    int exitX = 0;
    int exitY = 0;
    int enemyX = 0;
    int enemyY = 0;
    int beamLength = 0;
    int bombX = 0;
    int bombY = 0;
    int towSlack = 4;
    double towShipPull = 0.2;
    int missionStartTick = 0;
    bool towing = false;
    bool cargoReleased = false;
    bool exitOpen = false;
    bool missionComplete = false;
    bool shipDead = false;
    bool enemyGone = false;
    bool bombFlying = false;
    bool menuMode = false;
    bool missionTimerOn = false;  // the mission tick runs

    // The ship's world position and velocity (y grows downwards).
    double x() const { return 296 - scrollX; }
    double y() const { return 130 - scrollY; }
    double vx() const { return -scrollVelX; }
    double vy() const { return -scrollVelY; }
};

// Reads a dump line; throws std::runtime_error when a key is missing.
Snapshot parseSnapshot(const std::string& line);

}  // namespace autopilot

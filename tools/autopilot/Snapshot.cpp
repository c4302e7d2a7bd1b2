#include "Snapshot.h"

#include <cstdlib>
#include <stdexcept>

namespace autopilot {
namespace {

// The text right after "key": in a flat part of the line.
const char* valueOf(const std::string& line, const char* key) {
    const std::string marker = std::string("\"") + key + "\":";
    const size_t at = line.find(marker);
    if (at == std::string::npos) throw std::runtime_error(std::string("dump lacks ") + key);
    return line.c_str() + at + marker.size();
}

double number(const std::string& line, const char* key) {
    return std::strtod(valueOf(line, key), nullptr);
}

bool flag(const std::string& line, const char* key) {
    return valueOf(line, key)[0] == 't';
}

}  // namespace

Snapshot parseSnapshot(const std::string& line) {
    Snapshot s;
    auto whole = [&](const char* key) { return static_cast<int>(number(line, key)); };
    s.scrollX = whole("scrollX");
    s.scrollY = whole("scrollY");
    s.scrollVelX = number(line, "scrollVelX");
    s.scrollVelY = number(line, "scrollVelY");
    s.shipAngle = whole("shipAngle");
    s.gravity = number(line, "gravity");
    s.difficulty = whole("difficulty");
    s.missionNumber = whole("missionNumber");
    s.missionTicks = whole("missionTicks");
    s.fuel = whole("fuel");
    s.score = whole("score");
    s.lives = whole("lives");
    s.shipDamage = whole("shipDamage");
    s.cargoDamage = whole("cargoDamage");
    s.cargoX = number(line, "cargoX");
    s.cargoY = number(line, "cargoY");
    s.cargoVelX = number(line, "cargoVelX");
    s.cargoVelY = number(line, "cargoVelY");
    s.collectorX = whole("collectorX");
    s.collectorY = whole("collectorY");
    s.exitX = whole("exitX");
    s.exitY = whole("exitY");
    s.enemyX = whole("enemyX");
    s.enemyY = whole("enemyY");
    s.beamLength = whole("beamLength");
    s.bombX = whole("bombX");
    s.bombY = whole("bombY");
    s.towSlack = whole("towSlack");
    s.towShipPull = number(line, "towShipPull");
    s.missionStartTick = whole("missionStartTick");
    s.towing = flag(line, "towing");
    s.cargoReleased = flag(line, "cargoReleased");
    s.exitOpen = flag(line, "exitOpen");
    s.missionComplete = flag(line, "missionComplete");
    s.shipDead = flag(line, "shipDead");
    s.enemyGone = flag(line, "enemyGone");
    s.bombFlying = flag(line, "bombFlying");
    s.menuMode = flag(line, "menuMode");
    const size_t timer = line.find("\"timer1\":{\"Enabled\":");
    s.missionTimerOn = timer != std::string::npos && line[timer + 20] == 't';
    return s;
}

}  // namespace autopilot

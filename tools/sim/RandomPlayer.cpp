#include "RandomPlayer.h"

#include <unistd.h>

#include <fstream>

#include "Pointer.h"
#include "app/Form1.h"
#include "platform/Keys.h"

namespace sim {
namespace {

using platform::Event;
namespace vk = platform::vk;

// The keys a player flies with. Home is among them: centring the
// ship belongs to a mission as much as thrust does (P and Escape come apart).
constexpr int kPlayKeys[] = {vk::Space, vk::Left, vk::Right, vk::Up,
                             vk::Down,  vk::Control, vk::Home};

}  // namespace

long ResidentKiB() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    if (!(statm >> pages >> resident)) return 0;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

RandomPlayer::RandomPlayer(app::Program& program, platform::HeadlessBackend& backend,
                           uint32_t seed, uint64_t ms)
    : program_(program), backend_(backend), random_(seed), budget_(ms) {}

bool RandomPlayer::step() {
    countChanges();
    releaseHeld();
    if (spent_ >= budget_) {
        progress_.virtualMs = spent_;
        progress_.residentKiBAtEnd = ResidentKiB();
        return false;
    }
    if (progress_.residentKiBAtHalf == 0 && spent_ >= budget_ / 2)
        progress_.residentKiBAtHalf = ResidentKiB();

    app::TForm1& form = *program_.Form1();
    uint64_t ms = 16 + static_cast<uint64_t>(chance(300));
    if (const platform::MessageBox* box = program_.Loop().topBox()) {
        // Mostly "No" to the quit question, so that games go on; every box
        // offers one of these.
        for (const platform::BoxButton button :
             {chance(4) == 0 ? platform::BoxButton::Yes : platform::BoxButton::No,
              platform::BoxButton::Ok, platform::BoxButton::Yes}) {
            if (const auto rect = box->buttonRect(button)) {
                QueuePointer(backend_, *rect, true);
                break;
            }
        }
    } else if (form.Upload.dxContainer2.Showing()) {
        click("dxButton2");  // leave the score panel without uploading
    } else if (form.Play.diblabel5.Showing()) {
        click("diblabel5");
        ++progress_.missionsStarted;
    } else if (form.State.menuMode) {
        // Now and then the level option first; never Exit Game.
        if (chance(5) == 0) {
            click("DIBFadeLabel4");
        } else {
            click("DIBFadeLabel1");
        }
    } else {
        fly();
        ms = 16 + static_cast<uint64_t>(chance(600));
    }
    ms = std::min(ms, budget_ - spent_);
    spent_ += ms;
    backend_.advanceBy(ms);
    return true;
}

void RandomPlayer::fly() {
    const int pick = chance(100);
    if (pick < 2) {
        // The skip combination moves the run on through all ten missions.
        for (const int key : {vk::Shift, static_cast<int>('S'), static_cast<int>('K')}) press(key);
        ++progress_.skips;
    } else if (pick < 3) {
        press(vk::Escape);
        ++progress_.questions;
    } else if (pick < 4) {
        // P toggles: the next step's release and a later P resume.
        press('P');
        backend_.queue(Event{.type = Event::Type::Char, .ch = U'p'});
        ++progress_.pauses;
    } else {
        for (const int key : kPlayKeys)
            if (chance(3) == 0) press(key);
    }
}

void RandomPlayer::click(const char* control) {
    ui::Control* target = program_.Form1()->FindControl(control);
    if (target) QueuePointer(backend_, target->BoundsInWindow(), true);
}

void RandomPlayer::press(int key) {
    backend_.queue(Event{.type = Event::Type::KeyDown, .key = key});
    held_.push_back(key);
}

void RandomPlayer::releaseHeld() {
    for (const int key : held_) backend_.queue(Event{.type = Event::Type::KeyUp, .key = key});
    held_.clear();
}

void RandomPlayer::countChanges() {
    const app::TForm1* form = program_.Form1();
    if (!form) return;
    const core::GameState& s = form->State;
    // A new game starts again from the first mission: only a step up from
    // one mission to the next is a win.
    if (lastMission_ >= 1 && s.missionNumber == lastMission_ + 1) ++progress_.missionsWon;
    if (s.lives < lastLives_) progress_.livesLost += lastLives_ - s.lives;
    if (!wasInMenu_ && s.menuMode) ++progress_.gamesEnded;
    if (wasInMenu_ && !s.menuMode) ++progress_.gamesStarted;
    lastMission_ = s.missionNumber;
    lastLives_ = s.lives;
    wasInMenu_ = s.menuMode;
}

}  // namespace sim

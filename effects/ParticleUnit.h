#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/Clock.h"

// The particle engine: an ordered list of point particles with sub-pixel
// positions, moved one step at a time. It knows nothing of pictures or of the
// game; the effect buffer spawns, steps, draws and expires its particles.
namespace effects {

// One particle. Callers see copies of it, or read it in place.
struct TParticle {
    int32_t X = 0;          // PosX truncated towards zero
    int32_t Y = 0;          // PosY truncated towards zero; rows grow downwards
    double Angle = 0;       // emission direction in degrees, 0 up, 90 right
    double Speed = 0;       // emission speed in pixels per step, never changed
    int32_t Delay = 0;      // steps still to wait before moving
    bool Interact = false;  // pulled by the other particles
    int32_t AnchorX = 0;    // where the other particles feel this one's pull
    int32_t AnchorY = 0;
    int32_t Radius = 0;  // no pull on particles at or within this distance of the anchor
    double Mass = 0;
    double PosX = 0;
    double PosY = 0;
    double VelX = 0;
    double VelY = 0;  // positive moves down
    int32_t Age = 0;  // steps moved so far (waiting steps not counted)
};

class TParticleClass {
  public:
    // Reseeds the program-wide generator from the time of day, so that every
    // run gives different bursts.
    explicit TParticleClass(const platform::Clock& clock);

    // Appends one particle at (x, y) heading along angle; its mass is massBase
    // plus a random hundredth fraction, the only number the engine draws.
    void Emit(bool interact, int32_t x, int32_t y, double angle, double speed, int32_t massBase,
              int32_t radius, int32_t delay);
    // Advances every particle by one step, oldest first.
    void Step();
    // Copies the particle at index into particle; an index outside
    // 0 .. HighIndex() leaves particle as it was.
    void GetParticle(int32_t index, TParticle& particle) const;
    // The particle at index, which must lie in 0 .. HighIndex(), without a
    // copy: the frame's particle pass reads a few fields of thousands of
    // them. The reference holds only until the engine next changes.
    const TParticle& Particle(int32_t index) const { return at(static_cast<size_t>(index)); }
    // The number of particles minus one: -1 when there are none.
    int32_t HighIndex() const { return static_cast<int32_t>(size()) - 1; }
    // Removes the particle at index; later particles move down by one.
    // Throws core::EListError for an index outside 0 .. HighIndex().
    void Delete(int32_t index);
    void Clear();
    // Puts the particle's anchor on its current pixel and sets its radius.
    // Throws core::EListError for an index outside 0 .. HighIndex().
    void SetAnchor(int32_t index, int32_t radius);
    // Euclidean distance; the squares and their sum wrap around in 32 bits.
    static double Distance(int32_t x1, int32_t y1, int32_t x2, int32_t y2);

  private:
    // The particles are held by value in one array with a movable hole, a gap
    // buffer. The frame's particle pass walks the indexes downwards and
    // deletes as it goes; with the hole kept right at the last deletion, each
    // deletion only moves the records between it and the previous one, so a
    // whole pass costs one sweep instead of a shift per deletion. Step closes
    // the hole first and then runs over plain contiguous records.
    std::vector<TParticle> slots_;
    size_t gapBegin_ = 0;
    size_t gapEnd_ = 0;

    size_t size() const { return slots_.size() - (gapEnd_ - gapBegin_); }
    TParticle& at(size_t index) {
        return slots_[index < gapBegin_ ? index : index + (gapEnd_ - gapBegin_)];
    }
    const TParticle& at(size_t index) const {
        return slots_[index < gapBegin_ ? index : index + (gapEnd_ - gapBegin_)];
    }
    void append(const TParticle& particle);
    void moveGapTo(size_t index);
    void closeGap();
    void checkIndex(int32_t index) const;
};

}  // namespace effects

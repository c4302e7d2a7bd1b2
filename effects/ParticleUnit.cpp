#include "effects/ParticleUnit.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <stdexcept>
#include <string>

#include "core/EListError.h"
#include "core/Random.h"

namespace effects {
namespace {

// A particle's pixel is its exact position truncated towards zero, so -0.7
// still lies on column 0. Positions beyond the 32-bit range saturate rather
// than overflow; a position that is not a number at all counts as 0.
int32_t truncateTowardsZero(double v) {
    if (std::isnan(v)) return 0;
    if (v <= static_cast<double>(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    if (v >= static_cast<double>(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(v);
}

// The attraction one particle feels from another at distance d: stronger for a
// larger mass difference, falling off with the square of the distance.
double pullStrength(double massA, double massB, double d) {
    return (std::abs(massA - massB) + 1.0) * 6.52 / ((d + 1.0) * (d + 1.0));
}

// Adds or subtracts the pull on one axis by the side the anchor lies on;
// an anchor level with the particle leaves that axis alone.
void pullTowards(double& velocity, int32_t anchor, int32_t position, double pull) {
    if (anchor > position) velocity += pull;
    if (anchor < position) velocity -= pull;
}

}  // namespace

TParticleClass::TParticleClass(const platform::Clock& clock) {
    core::Randomize(clock.utcNow());
}

void TParticleClass::Emit(bool interact, int32_t x, int32_t y, double angle, double speed,
                          int32_t massBase, int32_t radius, int32_t delay) {
    TParticle particle;
    particle.X = x;
    particle.Y = y;
    particle.Angle = angle;
    particle.Speed = speed;
    particle.Delay = delay;
    particle.Interact = interact;
    particle.Mass = massBase + core::Random(100) / 100.0;
    particle.PosX = x;
    particle.PosY = y;
    const double radians = angle * std::numbers::pi / 180.0;
    particle.VelX = std::sin(radians) * speed;
    particle.VelY = -(std::cos(radians) * speed);
    append(particle);
    SetAnchor(HighIndex(), radius);
}

void TParticleClass::Step() {
    closeGap();
    const size_t n = slots_.size();
    for (size_t i = 0; i < n; ++i) {
        TParticle& p = slots_[i];
        if (p.Delay != 0) {
            --p.Delay;
            continue;
        }
        if (p.Interact && p.Mass != 0) {
            // Particles before p have already moved their anchors this step,
            // those after it still show last step's.
            for (size_t j = 0; j < n; ++j) {
                if (j == i) continue;
                const TParticle& q = slots_[j];
                const double d = Distance(p.X, p.Y, q.AnchorX, q.AnchorY);
                if (q.Radius >= d) continue;
                const double pull = pullStrength(q.Mass, p.Mass, d);
                pullTowards(p.VelX, q.AnchorX, p.X, pull);
                pullTowards(p.VelY, q.AnchorY, p.Y, pull);
            }
        }
        p.PosX += p.VelX;
        p.PosY += p.VelY;
        p.X = truncateTowardsZero(p.PosX);
        p.Y = truncateTowardsZero(p.PosY);
        ++p.Age;
        // Particles that do not interact keep their emission point as anchor
        // and so act as fixed centres of attraction.
        if (p.Interact) {
            p.AnchorX = p.X;
            p.AnchorY = p.Y;
        }
    }
}

void TParticleClass::GetParticle(int32_t index, TParticle& particle) const {
    if (index < 0 || index > HighIndex()) return;
    particle = at(static_cast<size_t>(index));
}

void TParticleClass::Delete(int32_t index) {
    checkIndex(index);
    moveGapTo(static_cast<size_t>(index));
    ++gapEnd_;
}

void TParticleClass::Clear() {
    // The records are plain values: releasing them all at once is the same as
    // deleting them one by one from the top.
    slots_.clear();
    gapBegin_ = 0;
    gapEnd_ = 0;
}

void TParticleClass::SetAnchor(int32_t index, int32_t radius) {
    checkIndex(index);
    TParticle& particle = at(static_cast<size_t>(index));
    particle.AnchorX = particle.X;
    particle.AnchorY = particle.Y;
    particle.Radius = radius;
}

double TParticleClass::Distance(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    // Unsigned so that the 32-bit wrap-around of far-apart points is defined;
    // the wrapped sum is read as unsigned, so the root never sees a negative.
    const uint32_t dx = static_cast<uint32_t>(x1) - static_cast<uint32_t>(x2);
    const uint32_t dy = static_cast<uint32_t>(y1) - static_cast<uint32_t>(y2);
    return std::sqrt(static_cast<double>(dx * dx + dy * dy));
}

void TParticleClass::append(const TParticle& particle) {
    // A hole at the very end is free room; anywhere else it stays where the
    // deletions left it, to be closed by the next Step.
    if (gapBegin_ < gapEnd_ && gapEnd_ == slots_.size()) {
        slots_[gapBegin_++] = particle;
    } else {
        slots_.push_back(particle);
    }
}

void TParticleClass::moveGapTo(size_t index) {
    if (gapBegin_ == gapEnd_) {
        gapBegin_ = gapEnd_ = index;
        return;
    }
    const auto first = slots_.begin();
    if (index < gapBegin_) {
        const size_t moved = gapBegin_ - index;
        std::move_backward(first + static_cast<ptrdiff_t>(index),
                           first + static_cast<ptrdiff_t>(gapBegin_),
                           first + static_cast<ptrdiff_t>(gapEnd_));
        gapBegin_ = index;
        gapEnd_ -= moved;
    } else if (index > gapBegin_) {
        const size_t moved = index - gapBegin_;
        std::move(first + static_cast<ptrdiff_t>(gapEnd_),
                  first + static_cast<ptrdiff_t>(gapEnd_ + moved),
                  first + static_cast<ptrdiff_t>(gapBegin_));
        gapBegin_ = index;
        gapEnd_ += moved;
    }
}

void TParticleClass::closeGap() {
    moveGapTo(size());
    slots_.erase(slots_.begin() + static_cast<ptrdiff_t>(gapBegin_), slots_.end());
    gapEnd_ = gapBegin_;
}

void TParticleClass::checkIndex(int32_t index) const {
    if (index < 0 || index > HighIndex())
        throw core::EListError("List index out of bounds (" + std::to_string(index) + ")");
}

}  // namespace effects

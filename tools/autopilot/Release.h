#pragma once

#include "Snapshot.h"
#include "levels/Reachability.h"

// Whether a cargo let go now falls (or, under upward gravity, rises) into
// the collector's delivery box. A released cargo is free of the tow line:
// only gravity moves it, and on Normal and Expert it keeps its sideways
// drift, so the release waits for a fall that ends inside the box.
namespace autopilot {

bool dropsIntoCollector(const Snapshot& s, const assetgen::levels::SolidMap& rock);

}  // namespace autopilot

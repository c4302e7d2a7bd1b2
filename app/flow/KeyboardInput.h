#pragma once

#include "engine/ShipInput.h"
#include "platform/Keys.h"

namespace app {

// The keys held at this moment as the control tick reads them. Shift, S and
// K held together skip the mission: three keys no play key needs, which the
// key help does not list.
engine::ShipInput ReadShipInput(const platform::KeyTable& keys);

}  // namespace app

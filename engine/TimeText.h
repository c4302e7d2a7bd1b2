#pragma once

#include <string>

namespace engine {

// The mission time as the HUD shows it: "05s", "12m30s", "1H02m05s".
// Hours and minutes start only strictly above 3600 and 60 seconds, so
// exactly 60 s reads "60s" and exactly one hour "60m00s".
std::string TimeText(double seconds);

}  // namespace engine

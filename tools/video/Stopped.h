#pragma once

namespace video {

// The video was stopped from outside (Ctrl+C) before it was complete.
struct Stopped {};

}  // namespace video

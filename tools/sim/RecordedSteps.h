#pragma once

#include "Script.h"
#include "platform/EventLoop.h"
#include "platform/Headless.h"

namespace sim {

// The commands a recording of the real game is written in (see
// platform/ScriptRecorder): `tick MS PERIOD`, `at MS`, and the input as the
// back-end delivered it (`keydown`, `keyup`, `char`, `mousemove`, `mousedown`,
// `mouseup`, `musicended`). Carries out `command` and returns true, or returns
// false when it is none of them.
bool ExecuteRecordedStep(const Command& command, platform::HeadlessBackend& backend,
                         const platform::EventLoop& loop);

}  // namespace sim

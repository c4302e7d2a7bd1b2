#pragma once

#include "platform/Geometry.h"
#include "platform/Headless.h"

namespace sim {

// Moves the pointer onto the centre of `area` (window pixels) and, with
// `click`, presses and releases the left button there.
inline void QueuePointer(platform::HeadlessBackend& backend, const platform::Rect& area,
                         bool click) {
    using platform::Event;
    const int x = area.left + area.width() / 2;
    const int y = area.top + area.height() / 2;
    backend.queue(Event{.type = Event::Type::MouseMove, .x = x, .y = y});
    if (!click) return;
    backend.queue(Event{.type = Event::Type::MouseDown, .x = x, .y = y});
    backend.queue(Event{.type = Event::Type::MouseUp, .x = x, .y = y});
}

}  // namespace sim

#pragma once

#include "Geometry.h"
#include "core/Bitmap.h"

namespace platform {

// The content of the main window: it paints itself into the frame and takes
// the input that no message box has taken. The form of the user interface
// implements it; the platform knows nothing of controls.
class WindowClient {
  public:
    virtual ~WindowClient() = default;
    // Paints `area` of the frame (window client pixels); the frame keeps
    // whatever is outside it.
    virtual void paint(core::Bitmap& frame, const Rect& area) = 0;
    virtual void keyDown(int key) = 0;
    virtual void keyUp(int key) = 0;
    virtual void keyChar(char32_t ch) = 0;
    virtual void mouseMove(int x, int y) = 0;
    virtual void mouseDown(int x, int y) = 0;
    virtual void mouseUp(int x, int y) = 0;
    // The user closes the window.
    virtual void closeRequested() = 0;
};

}  // namespace platform

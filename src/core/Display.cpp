#include "core/Display.h"

#include <X11/Xlib.h>

bool displayAvailable() {
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return false;
    XCloseDisplay(display);
    return true;
}

// The X connection's file descriptor, for a wait that blocks until the display
// sends something. Both SDL 1.2 and sdl12-compat give the connection through
// SDL_GetWMInfo, and both read it whole whenever they pump events. Xlib's
// ConnectionNumber and QLength are macros over the Display record, so the
// toolkit reads them without linking Xlib (XConnectionNumber would need it).
#include <cstdlib>

#include "live.h"
#include "toolkit.h"

#if __has_include(<X11/Xlib.h>)
#include <SDL_syswm.h>
#endif

int displayConnection() {
#if defined(SDL_VIDEO_DRIVER_X11) && __has_include(<X11/Xlib.h>)
  if (screen == nullptr) return -1;
  // Measured under a Wayland kiosk compositor's Xwayland: classic SDL 1.2's
  // first picture shows only once SDL pumps again, and nothing arrives on the
  // connection to wake a blocked wait, so the window stayed black. There the
  // wait keeps looking every few milliseconds.
  if (std::getenv("WAYLAND_DISPLAY") != nullptr) return -1;
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  // Other drivers (the dummy one, a framebuffer) give no information.
  if (SDL_GetWMInfo(&info) != 1 || info.subsystem != SDL_SYSWM_X11) return -1;
  Display* display = info.info.x11.display;
  if (display == nullptr) return -1;
  // Events Xlib has read already would not make the connection readable.
  if (QLength(display) > 0) return -1;
  return ConnectionNumber(display);
#else
  return -1;
#endif
}

// Started where there is no screen, SDL 1.2 falls back to a text-mode driver,
// which writes terminal control codes as soon as it starts: the programs must
// find out first. Header-only, so that the colour pad, which links no toolkit
// code, shares it too.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <initializer_list>

inline bool environmentNames(const char* variable) {
  const char* value = std::getenv(variable);
  return value != nullptr && value[0] != '\0';
}

// A kiosk without X draws on the console's framebuffer (SDL 1.2) or through
// DRM (SDL 1.2 on SDL 2), so a device for either counts as a display.
inline const char* usableConsoleDevice() {
  const char* framebuffer = environmentNames("SDL_FBDEV") ? std::getenv("SDL_FBDEV") : "/dev/fb0";
  for (const char* device : {framebuffer, "/dev/dri/card0"})
    if (access(device, R_OK | W_OK) == 0) return device;
  return nullptr;
}

// Ends the program with one line on standard error, before SDL starts, when
// nothing names a display, no video driver is chosen and no console device can
// be drawn on.
inline void refuseWithoutDisplay(const char* program) {
  if (environmentNames("SDL_VIDEODRIVER") || environmentNames("DISPLAY") ||
      environmentNames("WAYLAND_DISPLAY") || usableConsoleDevice() != nullptr)
    return;
  std::fprintf(stderr,
               "%s: no display: DISPLAY is not set and there is no framebuffer; start it in an "
               "X session, or choose a video driver with SDL_VIDEODRIVER\n",
               program);
  std::exit(1);
}

// How a program's window is opened so that a display larger than it shows the
// picture 1:1 and centred. Classic SDL 1.2 does so for a full-screen mode by
// itself. sdl12-compat stretches a full-screen mode over the whole display,
// unevenly, and without a window manager shows nothing at all; a centred
// window there looks the same as the classic full screen and starts without
// waiting for a window manager. Header-only, so that the colour pad, which
// links no toolkit code, shares it too.
#pragma once

#include <SDL.h>

#include <cstdlib>

inline constexpr Uint32 FULL_SCREEN_FLAGS = SDL_FULLSCREEN | SDL_HWSURFACE;
inline constexpr Uint32 CENTRED_WINDOW_FLAGS = SDL_HWSURFACE;

// sdl12-compat calls itself 1.2.50 or later; classic SDL 1.2 ended at 1.2.15.
inline constexpr Uint8 FIRST_COMPAT_PATCH = 50;

inline bool runsOnSdl2() {
  const SDL_version* linked = SDL_Linked_Version();
  return linked->major == 1 && linked->minor == 2 && linked->patch >= FIRST_COMPAT_PATCH;
}

// A display of unknown size (SDL's dummy driver reports 0 by 0) is taken for
// one that fits.
inline bool displayLargerThan(int width, int height) {
  const SDL_VideoInfo* display = SDL_GetVideoInfo();
  if (display == nullptr) return false;
  return display->current_w >= width && display->current_h >= height &&
         (display->current_w > width || display->current_h > height);
}

// The flags for SDL_SetVideoMode once SDL is started: full screen as always,
// but a centred window on sdl12-compat where the display is larger. The
// user's own SDL_VIDEO_CENTERED wins.
inline Uint32 videoModeFlags(int width, int height) {
  if (!runsOnSdl2() || !displayLargerThan(width, height)) return FULL_SCREEN_FLAGS;
  setenv("SDL_VIDEO_CENTERED", "1", 0);
  return CENTRED_WINDOW_FLAGS;
}

#include "surface_counts.h"

#include <SDL.h>

#include <cstring>

extern "C" {
int __real_SDL_Flip(SDL_Surface* surface);
int __real_SDL_LockSurface(SDL_Surface* surface);
void __real_SDL_UnlockSurface(SDL_Surface* surface);
SDL_Surface* __real_SDL_SetVideoMode(int width, int height, int bpp, Uint32 flags);

static int flips = 0;
static int locks = 0;
static SDL_Surface* dummyScreen = nullptr;

// The dummy driver shows nothing, yet on sdl12-compat each flip still converts
// and presents the whole surface through SDL 2's software renderer, some
// milliseconds a time: a flip of its screen is counted and goes no further.
int __wrap_SDL_Flip(SDL_Surface* surface) {
  ++flips;
  if (surface != nullptr && surface == dummyScreen) return 0;
  return __real_SDL_Flip(surface);
}

int __wrap_SDL_LockSurface(SDL_Surface* surface) {
  ++locks;
  return __real_SDL_LockSurface(surface);
}

void __wrap_SDL_UnlockSurface(SDL_Surface* surface) {
  --locks;
  __real_SDL_UnlockSurface(surface);
}

// The dummy driver hands out a software surface that needs no lock, so the
// drawing bracket would take none and an unbalanced bracket could go unseen.
// Marked as a hardware surface it is locked as on a real hardware screen; the
// dummy driver's lock and unlock of one do nothing, and its flip stays a copy
// of nothing.
SDL_Surface* __wrap_SDL_SetVideoMode(int width, int height, int bpp, Uint32 flags) {
  SDL_Surface* surface = __real_SDL_SetVideoMode(width, height, bpp, flags);
  char driver[16] = "";
  if (surface != nullptr && SDL_VideoDriverName(driver, sizeof driver) != nullptr &&
      std::strcmp(driver, "dummy") == 0) {
    surface->flags |= SDL_HWSURFACE;
    dummyScreen = surface;
  }
  return surface;
}
}

int flipCount() { return flips; }
void resetFlipCount() { flips = 0; }
int lockDepth() { return locks; }
void resetLockDepth() { locks = 0; }

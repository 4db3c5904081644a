#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>

#include "surface.h"
#include "toolkit.h"

SDL_Surface* screen = nullptr;

static constexpr Uint32 videoFlags = SDL_FULLSCREEN | SDL_HWSURFACE;

static void failStart(const char* what) {
  std::fprintf(stderr, "cannot %s: %s\n", what, SDL_GetError());
  std::exit(1);
}

void initGraphics() {
  if (SDL_Init(SDL_INIT_VIDEO) != 0) failStart("start SDL video");
  // SDL turns these signals into quit requests, which the program ignores;
  // Ctrl-C and a supervisor's stop must still end it.
  std::signal(SIGINT, SIG_DFL);
  std::signal(SIGTERM, SIG_DFL);
  screen = SDL_SetVideoMode(screenWidth, screenHeight, 32, videoFlags);
  if (screen == nullptr) failStart("set the full-screen video mode");
  // Colours are stored as 32-bit words: any other pixel size would be drawn
  // into memory laid out differently.
  if (screen->format->BytesPerPixel != 4) {
    std::fprintf(stderr, "cannot draw: the screen has %d bytes per pixel, not 4\n",
                 screen->format->BytesPerPixel);
    std::exit(1);
  }
}

void enterGraphics() {
  if (SDL_MUSTLOCK(screen)) SDL_LockSurface(screen);
}

void exitGraphics() {
  if (SDL_MUSTLOCK(screen)) SDL_UnlockSurface(screen);
  SDL_Flip(screen);
}

void fillClippedRectangle(int width, int height, int x, int y, int colour) {
  const int left = std::max(x, 0);
  const int top = std::max(y, 0);
  // Widened so that a rectangle near INT_MAX cannot overflow its far edge.
  const int right =
      static_cast<int>(std::min<long long>(static_cast<long long>(x) + width, screen->w));
  const int bottom =
      static_cast<int>(std::min<long long>(static_cast<long long>(y) + height, screen->h));
  const int stride = screen->pitch / 4;
  auto* pixels = static_cast<uint32_t*>(screen->pixels);
  for (int row = top; row < bottom; ++row) {
    std::fill(pixels + row * stride + left, pixels + row * stride + std::max(right, left),
              static_cast<uint32_t>(colour));
  }
}

void fillScreen(int colour) {
  enterGraphics();
  fillClippedRectangle(screen->w, screen->h, 0, 0, colour);
  exitGraphics();
}

void fillView(View* view, int colour) {
  enterGraphics();
  fillClippedRectangle(view->width, view->height, view->xpos, view->ypos, colour);
  exitGraphics();
}

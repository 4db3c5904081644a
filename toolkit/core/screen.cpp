#include <strings.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "display_check.h"
#include "presentation.h"
#include "surface.h"
#include "toolkit.h"

SDL_Surface* screen = nullptr;

static constexpr Uint32 VIDEO_FLAGS = SDL_FULLSCREEN | SDL_HWSURFACE;

static void failStart(const char* what) {
  std::fprintf(stderr, "cannot %s: %s\n", what, SDL_GetError());
  std::exit(1);
}

// Where SDL finds no display it falls back to a text-mode driver, which
// floods the terminal with escape codes and cannot be touched: unless the
// user chose that driver, there is no screen to run on.
static void refuseTextModeDriver() {
  char driver[32] = "";
  if (SDL_VideoDriverName(driver, sizeof driver) == nullptr) return;
  if (strcasecmp(driver, "caca") != 0 && strcasecmp(driver, "aalib") != 0) return;
  const char* chosen = std::getenv("SDL_VIDEODRIVER");
  if (chosen != nullptr && strcasecmp(chosen, driver) == 0) return;
  SDL_Quit();  // gives the terminal back before the message
  std::fprintf(stderr,
               "no screen found: SDL fell back to its text-mode driver %s; set DISPLAY to an X "
               "display, or choose a video driver with SDL_VIDEODRIVER\n",
               driver);
  std::exit(1);
}

// sdl12-compat draws through an accelerated renderer unless told otherwise,
// which costs a GL context, threads and a hundred megabytes for a surface that
// is only ever copied whole; classic SDL 1.2 ignores these. A user's own
// setting wins.
static void preferSoftwarePresentation() {
  setenv("SDL_RENDER_DRIVER", "software", 0);
  setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 0);
  setenv("SDL12COMPAT_SCALE_METHOD", "nearest", 0);
}

void initGraphics() {
  refuseWithoutDisplay(program_invocation_short_name);
  preferSoftwarePresentation();
  if (SDL_Init(SDL_INIT_VIDEO) != 0) failStart("start SDL video");
  refuseTextModeDriver();
  applyWindowTitle();
  // SDL turns these signals into quit requests, which the program ignores;
  // Ctrl-C and a supervisor's stop must still end it.
  std::signal(SIGINT, SIG_DFL);
  std::signal(SIGTERM, SIG_DFL);
  screen = SDL_SetVideoMode(screenWidthToOpen(), screenHeightToOpen(), 32, VIDEO_FLAGS);
  if (screen == nullptr) failStart("set the full-screen video mode");
  // Colours are stored as 32-bit words: any other pixel size would be drawn
  // into memory laid out differently.
  if (screen->format->BytesPerPixel != 4) {
    std::fprintf(stderr, "cannot draw: the screen has %d bytes per pixel, not 4\n",
                 screen->format->BytesPerPixel);
    std::exit(1);
  }
  applyPointerVisibility();
}

void enterGraphics() {
  if (SDL_MUSTLOCK(screen)) SDL_LockSurface(screen);
}

void exitGraphics() {
  if (SDL_MUSTLOCK(screen)) SDL_UnlockSurface(screen);
  showDrawing();
}

void fillClippedRectangle(int64_t width, int64_t height, int64_t x, int64_t y, int colour) {
  const int64_t left = std::max<int64_t>(x, 0);
  const int64_t top = std::max<int64_t>(y, 0);
  const int64_t right = std::min<int64_t>(x + width, screen->w);
  const int64_t bottom = std::min<int64_t>(y + height, screen->h);
  if (left >= right || top >= bottom) return;
  const int64_t stride = screen->pitch / 4;
  uint32_t* const firstRow = static_cast<uint32_t*>(screen->pixels) + top * stride + left;
  const auto rowBytes = static_cast<size_t>(right - left) * sizeof(uint32_t);
  std::fill(firstRow, firstRow + (right - left), static_cast<uint32_t>(colour));
  // The other rows are copies of the first: the C library's copy moves wide
  // words where a loop of single stores would not.
  for (int64_t row = 1; row < bottom - top; ++row)
    std::memcpy(firstRow + row * stride, firstRow, rowBytes);
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

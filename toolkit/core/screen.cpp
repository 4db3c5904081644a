#include <strings.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "display_check.h"
#include "display_fit.h"
#include "presentation.h"
#include "rotation.h"
#include "surface.h"
#include "toolkit.h"

SDL_Surface* screen = nullptr;
int32_t screenFillColour = 0;

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

// The size the program draws on and is touched in.
static PlaneSize programScreenSize() { return {screenWidthToOpen(), screenHeightToOpen()}; }

void initGraphics() {
  const Turn turn = chosenTurn();
  refuseWithoutDisplay(program_invocation_short_name);
  preferSoftwarePresentation();
  if (SDL_Init(SDL_INIT_VIDEO) != 0) failStart("start SDL video");
  refuseTextModeDriver();
  applyWindowTitle();
  // SDL turns these signals into quit requests, which the program ignores;
  // Ctrl-C and a supervisor's stop must still end it.
  std::signal(SIGINT, SIG_DFL);
  std::signal(SIGTERM, SIG_DFL);
  const PlaneSize program = programScreenSize();
  const PlaneSize shown = turnedSize(program, turn);
  SDL_Surface* window =
      SDL_SetVideoMode(shown.width, shown.height, 32, videoModeFlags(shown.width, shown.height));
  if (window == nullptr) failStart("set the full-screen video mode");
  // Colours are stored as 32-bit words: any other pixel size would be drawn
  // into memory laid out differently.
  if (window->format->BytesPerPixel != 4) {
    std::fprintf(stderr, "cannot draw: the screen has %d bytes per pixel, not 4\n",
                 window->format->BytesPerPixel);
    std::exit(1);
  }
  screen = screenShownIn(window, program, turn);
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
  screenFillColour = colour;
  enterGraphics();
  fillClippedRectangle(screen->w, screen->h, 0, 0, colour);
  exitGraphics();
}

void fillView(View* view, int colour) {
  enterGraphics();
  fillClippedRectangle(view->width, view->height, view->xpos, view->ypos, colour);
  exitGraphics();
}

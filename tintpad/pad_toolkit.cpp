#include "pad_toolkit.h"

#include <strings.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <new>

#include "display_check.h"

PadView* viewList[PAD_VIEW_SLOTS];
int32_t no_of_views = 0;
SDL_Surface* screen = nullptr;
SDL_Event event;
int32_t quit = 0;

static constexpr int PAD_WIDTH = 400;
static constexpr int PAD_HEIGHT = 600;

PadView* insertView(int width, int height, int xpos, int ypos) {
  auto* view = new (std::nothrow) PadView{width, height, xpos, ypos};
  if (view == nullptr) {
    std::fputs("out of memory: cannot allocate a view\n", stderr);
    std::exit(1);
  }
  if (no_of_views < PAD_VIEW_SLOTS) viewList[no_of_views++] = view;
  return view;
}

int noOfViews() { return no_of_views; }

PadView* getView(int index) { return viewList[index]; }

// Pixels on a view's edge lie outside it, and the last match is the topmost view.
PadView* findView(int x, int y) {
  PadView* hit = nullptr;
  for (int i = 0; i < noOfViews(); ++i) {
    PadView* view = getView(i);
    if (view->xpos < x && x < view->xpos + view->width && view->ypos < y &&
        y < view->ypos + view->height) {
      hit = view;
    }
  }
  return hit;
}

// SDL 1.2 can only wait without a time limit, so the wait polls with short
// sleeps: a press is seen at most one sleep late.
static constexpr Uint32 POLL_PAUSE_MS = 4;

// An event that waitForEvent took from SDL's queue stays in event until
// eventLoop hands it on.
static bool eventHeld = false;

static bool nextEvent() {
  if (eventHeld) {
    eventHeld = false;
    return true;
  }
  return SDL_PollEvent(&event) != 0;
}

void eventLoop() {
  while (nextEvent()) {
    if (event.type == SDL_MOUSEBUTTONDOWN) viewDownEvent(event.button.x, event.button.y);
    // The window's close button ends the pad as a press on the background does.
    if (event.type == SDL_QUIT) quit = 1;
    // Some runtimes keep no copy of a hidden window.
    if (event.type == SDL_VIDEOEXPOSE) SDL_Flip(screen);
  }
}

bool waitForEvent(int timeoutMs) {
  if (eventHeld) return true;
  const Uint32 start = SDL_GetTicks();
  while (SDL_PollEvent(&event) == 0) {
    if (timeoutMs >= 0 && SDL_GetTicks() - start >= static_cast<Uint32>(timeoutMs)) return false;
    SDL_Delay(POLL_PAUSE_MS);
  }
  eventHeld = true;
  return true;
}

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

void initgraphics() {
  refuseWithoutDisplay("tintpad");
  preferSoftwarePresentation();
  if (SDL_Init(SDL_INIT_VIDEO) != 0) failStart("start SDL video");
  refuseTextModeDriver();
  SDL_WM_SetCaption("tintpad", "tintpad");
  // SDL turns these signals into quit requests, which the program ignores;
  // Ctrl-C and a supervisor's stop must still end it.
  std::signal(SIGINT, SIG_DFL);
  std::signal(SIGTERM, SIG_DFL);
  screen = SDL_SetVideoMode(PAD_WIDTH, PAD_HEIGHT, 32, SDL_FULLSCREEN | SDL_HWSURFACE);
  if (screen == nullptr) failStart("set the full-screen video mode");
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

void setPixel(int x, int y, int colour) {
  if (static_cast<unsigned>(x) < static_cast<unsigned>(screen->w) &&
      static_cast<unsigned>(y) < static_cast<unsigned>(screen->h)) {
    static_cast<uint32_t*>(screen->pixels)[y * (screen->pitch / 4) + x] =
        static_cast<uint32_t>(colour);
  }
}

void fillView(PadView* view, int colour) {
  enterGraphics();
  // Clipped once to the surface: the rows and columns outside it would be ignored anyway.
  const int left = std::max(view->xpos, 0);
  const int top = std::max(view->ypos, 0);
  const long long right =
      std::min<long long>(static_cast<long long>(view->xpos) + view->width, screen->w);
  const long long bottom =
      std::min<long long>(static_cast<long long>(view->ypos) + view->height, screen->h);
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) setPixel(x, y, colour);
  }
  exitGraphics();
}

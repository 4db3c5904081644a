#include "rotation.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

static constexpr int32_t RIGHT_ANGLES[] = {0, 90, 180, 270};
static constexpr int32_t LARGEST_SCALE = 4;

static int32_t programRotation = 0;
static Turn shownTurn = NO_TURN;
// The window's own surface while the screen is turned or scaled into it.
static SDL_Surface* window = nullptr;

static bool isRightAngle(int degrees) {
  for (int32_t angle : RIGHT_ANGLES)
    if (degrees == angle) return true;
  return false;
}

bool setRotation(int degrees) {
  if (screen != nullptr || !isRightAngle(degrees)) return false;
  programRotation = degrees;
  return true;
}

// Plain decimal digits, at most four, without a leading zero.
static bool readSmallNumber(const char* text, int32_t& number) {
  const size_t length = std::strlen(text);
  if (length == 0 || length > 4 || (text[0] == '0' && length > 1)) return false;
  number = 0;
  for (size_t i = 0; i < length; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    number = number * 10 + (text[i] - '0');
  }
  return true;
}

static void refuseSetting(const char* variable, const char* value, const char* allowed) {
  std::fprintf(stderr, "%s: %s=%s: must be %s\n", program_invocation_short_name, variable, value,
               allowed);
  std::exit(2);
}

// An empty value counts as not set, as it does for DISPLAY.
static const char* setting(const char* variable) {
  const char* value = std::getenv(variable);
  return value != nullptr && value[0] != '\0' ? value : nullptr;
}

Turn chosenTurn() {
  Turn turn{programRotation, 1};
  if (const char* rotation = setting("KIOSKTK_ROTATION")) {
    if (!readSmallNumber(rotation, turn.degrees) || !isRightAngle(turn.degrees))
      refuseSetting("KIOSKTK_ROTATION", rotation, "0, 90, 180 or 270");
  }
  if (const char* scale = setting("KIOSKTK_SCALE")) {
    if (!readSmallNumber(scale, turn.scale) || turn.scale < 1 || turn.scale > LARGEST_SCALE)
      refuseSetting("KIOSKTK_SCALE", scale, "1, 2, 3 or 4");
  }
  return turn;
}

SDL_Surface* screenShownIn(SDL_Surface* shown, PlaneSize program, Turn turn) {
  // Opened again, the screen starts afresh.
  if (window != nullptr) SDL_FreeSurface(screen);
  window = nullptr;
  shownTurn = NO_TURN;
  if (!turnsOrScales(turn)) return shown;
  // The masks of a 0x00RRGGBB word, so that the program's colours mean the
  // same on its own surface as on the window's.
  SDL_Surface* own = SDL_CreateRGBSurface(SDL_SWSURFACE, program.width, program.height, 32,
                                          0x00FF0000, 0x0000FF00, 0x000000FF, 0);
  if (own == nullptr) {
    std::fprintf(stderr, "cannot make the turned screen: %s\n", SDL_GetError());
    std::exit(1);
  }
  window = shown;
  shownTurn = turn;
  return own;
}

static PixelPlane planeOf(SDL_Surface* surface) {
  return {static_cast<uint32_t*>(surface->pixels), surface->w, surface->h, surface->pitch / 4};
}

void flipShownScreen(SDL_Surface* picture) {
  if (window == nullptr) {
    SDL_Flip(picture);
    return;
  }
  if (SDL_MUSTLOCK(window)) SDL_LockSurface(window);
  turnPlane(planeOf(picture), planeOf(window), shownTurn);
  if (SDL_MUSTLOCK(window)) SDL_UnlockSurface(window);
  SDL_Flip(window);
}

void turnPointerBack(SDL_Event& pointer) {
  if (window == nullptr) return;
  Uint16* x = nullptr;
  Uint16* y = nullptr;
  if (pointer.type == SDL_MOUSEBUTTONDOWN || pointer.type == SDL_MOUSEBUTTONUP) {
    x = &pointer.button.x;
    y = &pointer.button.y;
  } else if (pointer.type == SDL_MOUSEMOTION) {
    x = &pointer.motion.x;
    y = &pointer.motion.y;
  } else {
    return;
  }
  const PlanePoint point = programPoint({*x, *y}, {screen->w, screen->h}, shownTurn);
  *x = static_cast<Uint16>(point.x);
  *y = static_cast<Uint16>(point.y);
}

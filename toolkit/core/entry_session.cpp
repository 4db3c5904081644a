#include "entry_session.h"

#include <cstring>

#include "presentation.h"

static EntryInput entryInput = nullptr;
// The surface presentations show, on which the panel draws, and the copy
// that screen points to while program code may run.
static SDL_Surface* shownSurface = nullptr;
static SDL_Surface* programPicture = nullptr;

static void copyPixels(SDL_Surface* from, SDL_Surface* to) {
  if (SDL_MUSTLOCK(from)) SDL_LockSurface(from);
  if (SDL_MUSTLOCK(to)) SDL_LockSurface(to);
  const auto rowBytes = static_cast<size_t>(from->w) * sizeof(uint32_t);
  for (int y = 0; y < from->h; ++y) {
    std::memcpy(static_cast<uint8_t*>(to->pixels) + y * to->pitch,
                static_cast<const uint8_t*>(from->pixels) + y * from->pitch, rowBytes);
  }
  if (SDL_MUSTLOCK(to)) SDL_UnlockSurface(to);
  if (SDL_MUSTLOCK(from)) SDL_UnlockSurface(from);
}

bool openEntrySession(EntryInput input) {
  if (entryInput != nullptr || screen == nullptr) return false;
  SDL_Surface* copy = SDL_CreateRGBSurface(SDL_SWSURFACE, screen->w, screen->h, 32, 0xFF0000,
                                           0x00FF00, 0x0000FF, 0);
  if (copy == nullptr) return false;
  copyPixels(screen, copy);
  entryInput = input;
  shownSurface = screen;
  programPicture = copy;
  presentFrom(shownSurface);
  screen = programPicture;
  return true;
}

void closeEntrySession() {
  if (entryInput == nullptr) return;
  copyPixels(programPicture, shownSurface);
  screen = shownSurface;
  presentFrom(nullptr);
  SDL_FreeSurface(programPicture);
  programPicture = nullptr;
  shownSurface = nullptr;
  entryInput = nullptr;
  showDrawing();
}

bool entryTakesEvent(const SDL_Event& polled) {
  if (entryInput == nullptr) return false;
  switch (polled.type) {
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
    case SDL_MOUSEMOTION:
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      entryInput(polled);
      return true;
    default:
      return false;
  }
}

void beginPanelDrawing() { screen = shownSurface; }

void endPanelDrawing() { screen = programPicture; }

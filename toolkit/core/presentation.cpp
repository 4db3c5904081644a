// When the screen is shown: by default after every drawing operation; in the
// per-event mode once per handled event, whatever the event drew.
#include "presentation.h"

#include "toolkit.h"

static Presentation presentation = Presentation::PER_DRAWING;
static bool screenChanged = false;
// What a presentation shows: the screen, except while an entry panel keeps
// the program's drawing apart from it.
static SDL_Surface* presentedSurface = nullptr;

void presentFrom(SDL_Surface* surface) { presentedSurface = surface; }

static SDL_Surface* presentationSource() {
  return presentedSurface != nullptr ? presentedSurface : screen;
}

void setPresentation(Presentation mode) {
  presentation = mode;
  if (mode == Presentation::PER_DRAWING) presentScreen();
}

void showDrawing() {
  if (presentation == Presentation::PER_EVENT) {
    screenChanged = true;
  } else {
    SDL_Flip(presentationSource());
  }
}

void presentScreen() {
  if (!screenChanged) return;
  screenChanged = false;
  SDL_Flip(presentationSource());
}

// When the screen is shown: by default after every drawing operation; in the
// per-event mode once per handled event, whatever the event drew.
#include "presentation.h"

#include "toolkit.h"

static bool perEvent = false;
static bool screenChanged = false;

void presentOncePerEvent() { perEvent = true; }

void showDrawing() {
  if (perEvent) {
    screenChanged = true;
  } else {
    SDL_Flip(screen);
  }
}

void presentScreen() {
  if (!screenChanged) return;
  screenChanged = false;
  SDL_Flip(screen);
}

// Waiting for the next event. SDL 1.2 can only wait without a time limit, so
// the wait polls with short sleeps: a press is seen at most one sleep late, and
// an idle program wakes a few hundred times a second for almost no work.
#include "presentation.h"
#include "toolkit.h"

// Long enough that an idle program costs next to nothing, short enough that no
// one feels it in a press.
static constexpr Uint32 POLL_PAUSE_MS = 4;

// An event that waitForEvent took from SDL's queue is kept in event until
// eventLoop dispatches it.
static bool eventHeld = false;

bool nextEvent() {
  presentScreen();
  if (eventHeld) {
    eventHeld = false;
    return true;
  }
  return SDL_PollEvent(&event) != 0;
}

bool waitForEvent(int timeoutMs) {
  presentScreen();
  if (eventHeld) return true;
  const Uint32 start = SDL_GetTicks();
  while (SDL_PollEvent(&event) == 0) {
    if (timeoutMs >= 0 && SDL_GetTicks() - start >= static_cast<Uint32>(timeoutMs)) return false;
    SDL_Delay(POLL_PAUSE_MS);
  }
  eventHeld = true;
  return true;
}

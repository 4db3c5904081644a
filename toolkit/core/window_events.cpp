#include "window_events.h"

#include "toolkit.h"

void windowEvent(const SDL_Event& windowSystemEvent) {
  switch (windowSystemEvent.type) {
    case SDL_QUIT:
      requestQuit();
      break;
    case SDL_VIDEOEXPOSE:
      // Some runtimes keep no copy of a hidden window: the surface still holds
      // every pixel, so showing it again restores the window.
      SDL_Flip(screen);
      break;
    default:
      break;
  }
}

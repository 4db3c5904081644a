#include "window_events.h"

#include "rotation.h"
#include "toolkit.h"

void windowEvent(const SDL_Event& windowSystemEvent) {
  switch (windowSystemEvent.type) {
    case SDL_QUIT:
      requestQuit();
      break;
    case SDL_VIDEOEXPOSE:
      // Some runtimes keep no copy of a hidden window: the screen still holds
      // every pixel, so showing it again (turned, where it is) restores it.
      flipShownScreen();
      break;
    default:
      break;
  }
}

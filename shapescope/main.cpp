#include "shapescope.h"

int main() {
  presentOncePerEvent();
  startShapescope();
  while (quit == 0) {
    waitForEvent(WAIT_UNTIL_EVENT);
    eventLoop();
  }
  SDL_Quit();
  return 0;
}

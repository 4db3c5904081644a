#include "tallyboard.h"

int main() {
  setPresentation(Presentation::PER_EVENT);
  startTallyboard();
  while (quit == 0) {
    waitForEvent(WAIT_UNTIL_EVENT);
    eventLoop();
  }
  SDL_Quit();
  return 0;
}

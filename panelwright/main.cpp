#include "designer.h"

int main() {
  setPresentation(Presentation::PER_EVENT);
  startPanelwright();
  while (quit == 0) {
    waitForEvent(WAIT_UNTIL_EVENT);
    eventLoop();
  }
  SDL_Quit();
  return 0;
}

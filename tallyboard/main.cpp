#include "tallyboard.h"

int main() {
  startTallyboard();
  while (quit == 0) eventLoop();
  SDL_Quit();
  return 0;
}

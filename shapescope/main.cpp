#include "shapescope.h"

int main() {
  startShapescope();
  while (quit == 0) eventLoop();
  SDL_Quit();
  return 0;
}

#include "designer.h"

int main() {
  startPanelwright();
  while (quit == 0) eventLoop();
  SDL_Quit();
  return 0;
}

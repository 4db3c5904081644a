#include "tintpad.h"

int main(int, char**) {
  startTintpad();
  while (quit == 0) eventLoop();
  SDL_Quit();
  return 0;
}

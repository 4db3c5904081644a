/* Prints on standard error the video driver SDL starts with in this environment. */
#include <SDL.h>
#include <stdio.h>

int main(void) {
  char name[32] = "";
  if (SDL_Init(SDL_INIT_VIDEO) != 0 || SDL_VideoDriverName(name, sizeof name) == NULL) name[0] = 0;
  SDL_Quit();
  fprintf(stderr, "%s\n", name);
  return 0;
}

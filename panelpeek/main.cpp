#include "preview.h"

int main(int argc, char** argv) {
  if (argc > 2) {
    std::fputs("usage: panelpeek [FILE]\n", stderr);
    return 2;
  }
  Preview preview;
  startPreview(&preview, argc == 2 ? argv[1] : DEFAULT_LAYOUT_FILE, stderr);
  setPresentation(Presentation::PER_EVENT);
  initGraphics();
  drawAllViews();
  while (quit == 0) {
    // Wakes in time for the next look at the file.
    waitForEvent(WATCH_INTERVAL_MS / 4);
    eventLoop();
    watchLayout(&preview, SDL_GetTicks());
  }
  SDL_Quit();
  return 0;
}

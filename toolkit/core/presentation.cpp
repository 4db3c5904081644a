// When the screen is shown: by default after every drawing operation; in the
// per-event mode once per handled event, whatever the event drew.
#include "presentation.h"

#include "rotation.h"
#include "toolkit.h"

static Presentation presentation = Presentation::PER_DRAWING;
static bool screenChanged = false;

void setPresentation(Presentation mode) {
  presentation = mode;
  if (mode == Presentation::PER_DRAWING) presentScreen();
}

void showDrawing() {
  if (presentation == Presentation::PER_EVENT) {
    screenChanged = true;
  } else {
    flipShownScreen();
  }
}

void presentScreen() {
  if (!screenChanged) return;
  screenChanged = false;
  flipShownScreen();
}

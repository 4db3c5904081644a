#include "toolkit.h"

// A program that keeps unsaved work decides itself whether a release on no
// view ends it; every other program ends at once.
static QuitHandler quitHandler = nullptr;

void receiveQuitRequests(QuitHandler handler) { quitHandler = handler; }

void requestQuit() {
  if (quitHandler != nullptr) {
    quitHandler();
  } else {
    quit = 1;
  }
}

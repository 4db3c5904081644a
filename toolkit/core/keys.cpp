#include "toolkit.h"

// No program receives keys until it asks: a press then does nothing at all.
static KeyHandler keyHandler = nullptr;

void receiveKeys(KeyHandler handler) {
  keyHandler = handler;
  SDL_EnableUNICODE(handler != nullptr ? 1 : 0);
}

void keyDownEvent(const SDL_keysym& key) {
  if (keyHandler != nullptr) keyHandler(key);
}

#include "rig.h"

// Kept apart from rig.cpp so that binaries without the dispatch link the rest.
static void pushButton(Uint8 type, int x, int y, Uint8 button) {
  SDL_Event e{};
  e.type = type;
  e.button.type = type;
  e.button.button = button;
  e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
  e.button.x = static_cast<Uint16>(x);
  e.button.y = static_cast<Uint16>(y);
  ASSERT_EQ(SDL_PushEvent(&e), 0);
}

void pushPress(int x, int y, Uint8 button) { pushButton(SDL_MOUSEBUTTONDOWN, x, y, button); }
void pushRelease(int x, int y, Uint8 button) { pushButton(SDL_MOUSEBUTTONUP, x, y, button); }

void pushMotion(int x, int y, Uint8 state) {
  SDL_Event e{};
  e.type = SDL_MOUSEMOTION;
  e.motion.type = SDL_MOUSEMOTION;
  e.motion.state = state;
  e.motion.x = static_cast<Uint16>(x);
  e.motion.y = static_cast<Uint16>(y);
  ASSERT_EQ(SDL_PushEvent(&e), 0);
}

void pushKey(SDLKey key, SDLMod mod, Uint16 unicode) {
  SDL_Event e{};
  e.type = SDL_KEYDOWN;
  e.key.type = SDL_KEYDOWN;
  e.key.state = SDL_PRESSED;
  e.key.keysym.sym = key;
  e.key.keysym.mod = mod;
  e.key.keysym.unicode = unicode;
  ASSERT_EQ(SDL_PushEvent(&e), 0);
}

void pushQuitRequest() {
  SDL_Event e{};
  e.type = SDL_QUIT;
  ASSERT_EQ(SDL_PushEvent(&e), 0);
}

void dispatch() { eventLoop(); }

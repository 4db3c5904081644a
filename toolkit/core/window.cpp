#include <cerrno>
#include <cstring>

#include "surface.h"
#include "toolkit.h"

// SDL keeps a title only once it is started, so one set before is kept here.
static char windowTitle[WINDOW_TITLE_LENGTH + 1] = "";
static bool pointerShown = true;

bool setWindowTitle(const char* title) {
  if (std::strlen(title) > WINDOW_TITLE_LENGTH) return false;
  std::strcpy(windowTitle, title);
  if (screen != nullptr) SDL_WM_SetCaption(windowTitle, windowTitle);
  return true;
}

void applyWindowTitle() {
  const char* title = windowTitle[0] != '\0' ? windowTitle : program_invocation_short_name;
  SDL_WM_SetCaption(title, title);
}

// The pointer is hidden by a cursor with no pixels, not by SDL_ShowCursor: in
// a full-screen mode SDL holds the pointer, and a cursor it hides as well
// turns the pointer relative, so that touches no longer land where they are.
static SDL_Cursor* shownCursor = nullptr;
static SDL_Cursor* blankCursor = nullptr;

static void setPointerCursor() {
  if (shownCursor == nullptr) shownCursor = SDL_GetCursor();
  if (blankCursor == nullptr) {
    static Uint8 noPixels[8] = {};
    blankCursor = SDL_CreateCursor(noPixels, noPixels, 8, 8, 0, 0);
  }
  SDL_Cursor* wanted = pointerShown ? shownCursor : blankCursor;
  if (wanted != nullptr) SDL_SetCursor(wanted);
}

void showPointer(bool shown) {
  pointerShown = shown;
  if (screen != nullptr) setPointerCursor();
}

// SDL shows the pointer unless told otherwise, so a program that never hides
// it makes no call. SDL_Quit frees the cursors, so each start makes its own.
void applyPointerVisibility() {
  shownCursor = nullptr;
  blankCursor = nullptr;
  if (!pointerShown) setPointerCursor();
}

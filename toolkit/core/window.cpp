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

void showPointer(bool shown) {
  pointerShown = shown;
  if (screen != nullptr) SDL_ShowCursor(shown ? SDL_ENABLE : SDL_DISABLE);
}

// SDL shows the pointer unless told otherwise, so a program that never hides
// it makes no call.
void applyPointerVisibility() {
  if (!pointerShown) SDL_ShowCursor(SDL_DISABLE);
}

// The size initGraphics opens the screen at: the size the program was linked
// with, unless it chose another before.
#include "surface.h"
#include "toolkit.h"

// 0 while no size has been chosen.
static int chosenWidth = 0;
static int chosenHeight = 0;

static bool fitsScreen(int size) { return size >= 1 && size <= SCREEN_SIZE_LIMIT; }

bool setScreenSize(int width, int height) {
  if (screen != nullptr || !fitsScreen(width) || !fitsScreen(height)) return false;
  chosenWidth = width;
  chosenHeight = height;
  return true;
}

int screenWidthToOpen() { return chosenWidth > 0 ? chosenWidth : screenWidth; }

int screenHeightToOpen() { return chosenHeight > 0 ? chosenHeight : screenHeight; }

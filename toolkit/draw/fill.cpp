#include "raster.h"
#include "toolkit.h"

// The unbroken run of target-coloured pixels through column x on this row.
// Pixels off the surface read as 0, so every walk stops at its edge explicitly:
// a target of 0 would otherwise run on for ever.
static void fillRowRun(int x, int y, int target, int colour) {
  for (int column = x; column < screen->w && getPixel(column, y) == target; ++column) {
    setPixel(column, y, colour);
  }
  for (int column = x - 1; column >= 0 && getPixel(column, y) == target; --column) {
    setPixel(column, y, colour);
  }
}

void fillArea(int x, int y, int colour) {
  enterGraphics();
  if (onSurface(x, y)) {
    const int target = getPixel(x, y);
    for (int row = y; row < screen->h && getPixel(x, row) == target; ++row) {
      fillRowRun(x, row, target, colour);
    }
    // The seed's row already holds the new colour.
    for (int row = y - 1; row >= 0 && getPixel(x, row) == target; --row) {
      fillRowRun(x, row, target, colour);
    }
  }
  exitGraphics();
}

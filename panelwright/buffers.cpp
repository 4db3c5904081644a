#include <algorithm>

#include "designer.h"

int32_t ibuff[BUFFER_SIZE];
int32_t jbuff[BUFFER_SIZE];
int ibuffsizex = 0;
int ibuffsizey = 0;
int jbuffsizex = 0;
int jbuffsizey = 0;
int jbuffposx = 0;
int jbuffposy = 0;

// Parts beyond the screen read as 0, also beyond the end of the int range.
static int32_t screenPixel(int64_t x, int64_t y) {
  return x >= 0 && x < screen->w && y >= 0 && y < screen->h
             ? getPixel(static_cast<int>(x), static_cast<int>(y))
             : 0;
}

// Views may be larger than the canvas: only their top-left part of the
// canvas's size travels with a drag.
static void capture(int32_t* buffer, int w, int h, int x, int y) {
  const int columns = std::min(w, bufferColumns());
  const int rows = std::min(h, bufferRows());
  enterGraphics();
  for (int c = 0; c < columns; ++c) {
    int32_t* column = buffer + c * bufferRows();
    for (int r = 0; r < rows; ++r) column[r] = screenPixel(int64_t{x} + c, int64_t{y} + r);
  }
  exitGraphics();
}

// Offsets [first, last) of a picture of the given size at pos that lie both in
// the buffer and on the screen.
namespace {
struct Span {
  int first;
  int last;
};
}  // namespace

static Span visibleSpan(int size, int pos, int bufferSize, int screenSize) {
  // Widened: a picture near the ends of the int range must not overflow.
  const int64_t first = std::max<int64_t>(0, -int64_t{pos});
  const int64_t last =
      std::max<int64_t>(std::min<int64_t>({size, bufferSize, screenSize - int64_t{pos}}), 0);
  return {static_cast<int>(std::min(first, last)), static_cast<int>(last)};
}

static void paint(const int32_t* buffer, int w, int h, int x, int y) {
  const Span columns = visibleSpan(w, x, bufferColumns(), screen->w);
  const Span rows = visibleSpan(h, y, bufferRows(), screen->h);
  enterGraphics();
  for (int c = columns.first; c < columns.last; ++c) {
    const int32_t* column = buffer + c * bufferRows();
    for (int r = rows.first; r < rows.last; ++r) setPixel(x + c, y + r, column[r]);
  }
  exitGraphics();
}

void getIBuff(int w, int h, int x, int y) {
  capture(ibuff, w, h, x, y);
  ibuffsizex = w;
  ibuffsizey = h;
}

void getJBuff(int w, int h, int x, int y) {
  capture(jbuff, w, h, x, y);
  jbuffsizex = w;
  jbuffsizey = h;
  jbuffposx = x;
  jbuffposy = y;
}

void drawIBuff(int w, int h, int x, int y) { paint(ibuff, w, h, x, y); }

void drawJBuff(int w, int h, int x, int y) { paint(jbuff, w, h, x, y); }

void redrawAllViews() {
  drawAllViews();
  jbuffsizex = 0;
  jbuffsizey = 0;
}

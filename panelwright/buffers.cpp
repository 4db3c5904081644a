#include <algorithm>

#include "designer.h"

int32_t ibuff[BUFFER_COLUMNS * BUFFER_ROWS];
int32_t jbuff[BUFFER_COLUMNS * BUFFER_ROWS];
int ibuffsizex = 0;
int ibuffsizey = 0;
int jbuffsizex = 0;
int jbuffsizey = 0;
int jbuffposx = 0;
int jbuffposy = 0;

// Views may be larger than the buffers: only their top-left 400 by 600 pixels
// travel with a drag. Parts beyond the screen capture as 0 (getPixel).
static void capture(int32_t* buffer, int w, int h, int x, int y) {
  const int columns = std::min(w, BUFFER_COLUMNS);
  const int rows = std::min(h, BUFFER_ROWS);
  enterGraphics();
  for (int c = 0; c < columns; ++c) {
    int32_t* column = buffer + c * BUFFER_ROWS;
    for (int r = 0; r < rows; ++r) column[r] = getPixel(x + c, y + r);
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
  return {std::max(0, -pos), std::min({size, bufferSize, screenSize - pos})};
}

static void paint(const int32_t* buffer, int w, int h, int x, int y) {
  const Span columns = visibleSpan(w, x, BUFFER_COLUMNS, screen->w);
  const Span rows = visibleSpan(h, y, BUFFER_ROWS, screen->h);
  enterGraphics();
  for (int c = columns.first; c < columns.last; ++c) {
    const int32_t* column = buffer + c * BUFFER_ROWS;
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

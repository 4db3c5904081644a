#include <algorithm>
#include <cmath>
#include <cstdint>

#include "raster.h"
#include "surface.h"
#include "toolkit.h"

void stampBlock(int64_t x, int64_t y, int size, int colour) {
  const int64_t half = size / 2;
  fillClippedRectangle(2 * half + 1, 2 * half + 1, x - half, y - half, colour);
}

void drawBlock(int x, int y, int size, int colour) { stampBlock(x, y, size, colour); }

// The largest whole number whose square does not exceed value (at least 1).
// Found directly rather than by counting up, which would take sqrt(value) steps.
static double wholeRoot(float value) {
  const double root = std::floor(std::sqrt(static_cast<double>(value)));
  return root * root > value ? root - 1 : root;
}

double sqr(float value) {
  if (!(value > 0)) return 0;  // also catches NaN
  if (value < 1) return std::sqrt(static_cast<double>(value));
  if (std::isinf(value)) return value;
  const double a = wholeRoot(value);
  const float d = static_cast<float>(value - a * a);
  const float b = static_cast<float>(d / (2 * a));
  const float r = static_cast<float>(a + b);
  return r + (static_cast<double>(b) * b) / (r * -2.0);
}

static void stampLine(int x1, int y1, int x2, int y2, int thickness, int colour) {
  const int64_t dx = int64_t{x2} - x1;
  const int64_t dy = int64_t{y2} - y1;
  if ((dx == 0 && dy == 0) || thickness < 1) return;
  const auto squareSum =
      static_cast<float>(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy);
  const auto n = static_cast<int64_t>(sqr(squareSum) / thickness);
  if (n == 0) return;
  const auto sx = static_cast<float>(static_cast<double>(dx) / (2 * n));
  const auto sy = static_cast<float>(static_cast<double>(dy) / (2 * n));
  // Single precision holds the whole step number exactly up to 2^24, past
  // which a single-precision counter would stop advancing. Its product with the
  // step is formed in double precision.
  auto column = [&](int64_t t) { return std::trunc(x1 + static_cast<double>(t) * sx); };
  auto row = [&](int64_t t) { return std::trunc(y1 + static_cast<double>(t) * sy); };
  // Only stamps whose square can touch the surface are visited.
  const int half = thickness / 2;
  const Steps across = stepsWithin(2 * n + 1, column, -half, screen->w - 1.0 + half);
  const Steps down = stepsWithin(2 * n + 1, row, -half, screen->h - 1.0 + half);
  const int64_t last = std::min(across.last, down.last);
  for (int64_t t = std::max(across.first, down.first); t <= last; ++t) {
    stampBlock(static_cast<int64_t>(column(t)), static_cast<int64_t>(row(t)), thickness, colour);
  }
}

void drawLine(int x1, int y1, int x2, int y2, int thickness, int colour) {
  enterGraphics();
  stampLine(x1, y1, x2, y2, thickness, colour);
  exitGraphics();
}

// A far edge beyond the range of int is drawn as if at its limit, which lies
// off the surface either way.
static int farEdge(int start, int size) { return saturatedCoordinate(int64_t{start} + size); }

void drawRectangle(int width, int height, int x, int y, int thickness, int colour) {
  const int right = farEdge(x, width);
  const int bottom = farEdge(y, height);
  drawLine(x, y, right, y, thickness, colour);
  drawLine(right, y, right, bottom, thickness, colour);
  drawLine(x, y, x, bottom, thickness, colour);
  drawLine(x, bottom, right, bottom, thickness, colour);
}

void drawFilledRectangle(int width, int height, int x, int y, int colour) {
  enterGraphics();
  fillClippedRectangle(width, height, x, y, colour);
  exitGraphics();
}

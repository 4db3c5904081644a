#include <algorithm>
#include <cmath>
#include <cstdint>

#include "raster.h"
#include "toolkit.h"

// One quarter arc of radius about 10: (CORNER_A[i], CORNER_A[12 - i]) are the
// top-left arc's offsets from the corner, and CORNER_B[i] is 9 - CORNER_A[i].
static constexpr int CORNER_POINTS = 13;
static constexpr int CORNER_A[CORNER_POINTS] = {9, 8, 7, 6, 5, 4, 3, 2, 2, 1, 1, 0, 0};
static constexpr int CORNER_B[CORNER_POINTS] = {0, 1, 2, 3, 4, 5, 6, 7, 7, 8, 8, 9, 9};

// Where the straight sides begin, and how much shorter than the box they are.
static constexpr int SIDE_INSET = 10;
static constexpr int SIDE_SHORTFALL = 19;

void drawRoundedRectangle(int width, int height, int x, int y, int colour) {
  enterGraphics();
  const int64_t right = int64_t{x} + width;
  const int64_t bottom = int64_t{y} + height;
  fillRun(int64_t{x} + SIDE_INSET, y, int64_t{width} - SIDE_SHORTFALL, colour);
  fillRun(int64_t{x} + SIDE_INSET, bottom, int64_t{width} - SIDE_SHORTFALL, colour);
  fillClippedRectangle(1, int64_t{height} - SIDE_SHORTFALL, x, int64_t{y} + SIDE_INSET, colour);
  fillClippedRectangle(1, int64_t{height} - SIDE_SHORTFALL, right, int64_t{y} + SIDE_INSET, colour);
  for (int i = 0; i < CORNER_POINTS; ++i) {
    const int j = CORNER_POINTS - 1 - i;
    plot(int64_t{x} + CORNER_A[i], int64_t{y} + CORNER_A[j], colour);
    plot(right + CORNER_B[i] - 9, int64_t{y} + CORNER_A[j], colour);
    plot(int64_t{x} + CORNER_A[j], bottom + CORNER_B[i] - 9, colour);
    plot(right + CORNER_B[j] - 9, bottom + CORNER_B[i] - 9, colour);
  }
  exitGraphics();
}

// Stops one pixel short of the outline on the right: each cap row ends before
// the column where the outline has its arc point.
void drawFilledRoundedRectangle(int width, int height, int x, int y, int colour) {
  enterGraphics();
  const int64_t bottom = int64_t{y} + height;
  for (int i = 0; i < CORNER_POINTS; ++i) {
    const int j = CORNER_POINTS - 1 - i;
    fillRun(int64_t{x} + CORNER_A[i], int64_t{y} + CORNER_A[j],
            int64_t{width} + CORNER_B[i] - 9 - CORNER_A[i], colour);
    fillRun(int64_t{x} + CORNER_A[j], bottom + CORNER_B[i] - 9,
            int64_t{width} + CORNER_B[j] - 9 - CORNER_A[j], colour);
  }
  fillClippedRectangle(width, int64_t{height} - SIDE_SHORTFALL, x, int64_t{y} + SIDE_INSET, colour);
  exitGraphics();
}

namespace {

// An ellipse's radii, held in single precision, and its bounding box's corner.
struct Ellipse {
  float rx;
  float ry;
  double x;
  double y;
};

}  // namespace

static Ellipse ellipseOf(int width, int height, int x, int y) {
  return {static_cast<float>(width / 2), static_cast<float>(height / 2), static_cast<double>(x),
          static_cast<double>(y)};
}

// The curve's half-width at t steps from the centre along radius, scaled to
// the other radius.
static float halfChord(float radius, float otherRadius, int64_t t) {
  const auto k = static_cast<float>(otherRadius / radius);
  const auto squares =
      static_cast<float>(static_cast<double>(radius) * radius - static_cast<double>(t) * t);
  return static_cast<float>(sqr(squares) * k);
}

// Steps 0 while below radius: those whose pixels at centre - t or centre + t
// can fall within [0, extent).
static Steps mirroredSteps(float radius, double centre, int extent) {
  const int64_t count = radius > 0 ? static_cast<int64_t>(radius) : 0;
  auto before = [&](int64_t t) { return std::trunc(centre - static_cast<double>(t)); };
  auto after = [&](int64_t t) { return std::trunc(centre + static_cast<double>(t)); };
  const Steps a = stepsWithin(count, before, 0, extent - 1.0);
  const Steps b = stepsWithin(count, after, 0, extent - 1.0);
  if (a.first > a.last) return b;
  if (b.first > b.last) return a;
  return {std::min(a.first, b.first), std::max(a.last, b.last)};
}

static int64_t truncated(double value) { return static_cast<int64_t>(std::trunc(value)); }

void drawEllipse(int width, int height, int x, int y, int colour) {
  enterGraphics();
  const Ellipse e = ellipseOf(width, height, x, y);
  // One point per row leaves gaps where the curve runs flat; one point per
  // column fills them.
  const Steps rows = mirroredSteps(e.ry, e.y + e.ry, screen->h);
  for (int64_t t = rows.first; t <= rows.last; ++t) {
    const double dx = halfChord(e.ry, e.rx, t);
    const auto top = truncated(e.y - static_cast<double>(t) + e.ry);
    const auto low = truncated(e.y + static_cast<double>(t) + e.ry);
    const auto left = truncated(e.x - dx + e.rx);
    const auto right = truncated(e.x + dx + e.rx);
    plot(left, top, colour);
    plot(right, top, colour);
    plot(left, low, colour);
    plot(right, low, colour);
  }
  const Steps columns = mirroredSteps(e.rx, e.x + e.rx, screen->w);
  for (int64_t t = columns.first; t <= columns.last; ++t) {
    const double dy = halfChord(e.rx, e.ry, t);
    const auto left = truncated(e.x + e.rx - static_cast<double>(t));
    const auto right = truncated(e.x + e.rx + static_cast<double>(t));
    const auto top = truncated(e.y + e.ry - dy);
    const auto low = truncated(e.y + e.ry + dy);
    plot(left, top, colour);
    plot(left, low, colour);
    plot(right, top, colour);
    plot(right, low, colour);
  }
  exitGraphics();
}

// Rows only: the centre row is painted twice, and the top and bottom rows,
// which the outline reaches column by column, stay unpainted.
void drawFilledEllipse(int width, int height, int x, int y, int colour) {
  enterGraphics();
  const Ellipse e = ellipseOf(width, height, x, y);
  const auto centreColumn = static_cast<int64_t>(e.x + e.rx);
  const Steps rows = mirroredSteps(e.ry, e.y + e.ry, screen->h);
  for (int64_t t = rows.first; t <= rows.last; ++t) {
    const float dx = halfChord(e.ry, e.rx, t);
    // Columns from trunc(-dx) while below dx.
    const int64_t first = truncated(-dx);
    const auto end = static_cast<int64_t>(std::ceil(dx));
    fillRun(centreColumn + first, truncated(e.y - static_cast<double>(t) + e.ry), end - first,
            colour);
    fillRun(centreColumn + first, truncated(e.y + static_cast<double>(t) + e.ry), end - first,
            colour);
  }
  exitGraphics();
}

// Helpers shared by the drawing primitives. Shapes may reach far beyond the
// surface, so coordinates here are 64-bit: nothing computed from two ints can
// overflow, and whatever lies off the surface is dropped before it is walked.
#pragma once

#include <cstdint>

#include "surface.h"
#include "toolkit.h"

inline bool onSurface(int64_t x, int64_t y) {
  return x >= 0 && x < screen->w && y >= 0 && y < screen->h;
}

inline void plot(int64_t x, int64_t y, int colour) {
  if (onSurface(x, y)) setPixel(static_cast<int>(x), static_cast<int>(y), colour);
}

inline void fillRun(int64_t x, int64_t y, int64_t length, int colour) {
  fillClippedRectangle(length, 1, x, y, colour);
}

// drawBlock for a centre anywhere, even beyond the range of int.
void stampBlock(int64_t x, int64_t y, int size, int colour);

struct Steps {
  int64_t first;
  int64_t last;  // first > last when there is none
};

// The steps 0 to count - 1 of a walk whose position (a function of the step,
// moving in one direction only) lies within [low, high]. Walks far longer than
// the surface are cut to the part that can touch it, found by bisection.
template <class Position>
Steps stepsWithin(int64_t count, Position position, double low, double high) {
  if (count <= 0) return {0, -1};
  const bool rising = position(count - 1) >= position(0);
  auto firstWhere = [&](auto holds) {
    int64_t lo = 0, hi = count;
    while (lo < hi) {
      const int64_t mid = lo + (hi - lo) / 2;
      if (holds(position(mid))) {
        hi = mid;
      } else {
        lo = mid + 1;
      }
    }
    return lo;
  };
  if (rising) {
    return {firstWhere([&](double p) { return p >= low; }),
            firstWhere([&](double p) { return p > high; }) - 1};
  }
  return {firstWhere([&](double p) { return p <= high; }),
          firstWhere([&](double p) { return p < low; }) - 1};
}

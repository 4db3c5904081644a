// Direct access to the screen's pixel memory for the toolkit's own loops.
#pragma once

#include <algorithm>
#include <climits>
#include <cstdint>

#include "toolkit.h"

// Sets the part of the rectangle that lies on the surface, row by row from the
// top; a rectangle of width or height 0 or less sets nothing. 64-bit, so that
// shapes reaching far beyond the surface cannot overflow their far edges.
void fillClippedRectangle(int64_t width, int64_t height, int64_t x, int64_t y, int colour);

// A position or size that a widget computes in 64 bits from its geometry, for
// the primitives that take int: beyond the int range it is held at the range's
// end, which lies far off the surface.
inline int clampedToInt(int64_t value) {
  return static_cast<int>(std::clamp<int64_t>(value, INT_MIN, INT_MAX));
}

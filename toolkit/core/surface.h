// Direct access to the screen's pixel memory for the toolkit's own loops.
#pragma once

#include <algorithm>
#include <cstdint>

#include "toolkit.h"

// Sets the part of the rectangle that lies on the surface, row by row from the
// top; a rectangle of width or height 0 or less sets nothing. 64-bit, so that
// shapes reaching far beyond the surface cannot overflow their far edges.
void fillClippedRectangle(int64_t width, int64_t height, int64_t x, int64_t y, int colour);

// Widgets work out their shapes in 64 bits, so that views near the ends of the
// int range cannot overflow. A coordinate beyond that range lies far off every
// surface and is handed to the primitives as the nearest int.
inline int saturatedCoordinate(int64_t value) {
  return static_cast<int>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

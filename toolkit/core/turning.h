// Turning the program's screen into its window: a right angle clockwise and
// an integer scale, for the picture and, the other way, for touches.
#pragma once

#include <cstdint>

struct Turn {
  int32_t degrees;  // clockwise: 0, 90, 180 or 270
  int32_t scale;    // each pixel shown as a scale by scale block, 1 or more
};

inline constexpr Turn NO_TURN = {0, 1};

inline bool turnsOrScales(Turn turn) { return turn.degrees != 0 || turn.scale != 1; }

struct PlaneSize {
  int32_t width;
  int32_t height;
};

struct PlanePoint {
  int32_t x;
  int32_t y;
};

// Rows of 32-bit pixels; pitch counts words from one row to the next.
struct PixelPlane {
  uint32_t* pixels;
  int32_t width;
  int32_t height;
  int32_t pitch;
};

// The window's size for a program screen of the given size.
PlaneSize turnedSize(PlaneSize program, Turn turn);

// Fills the window with the program's screen turned and scaled: at 90 degrees
// the program's pixel (x, y) shows at (H - 1 - y, x) times the scale. Only the
// part of the picture that fits the window is written.
void turnPlane(const PixelPlane& program, const PixelPlane& window, Turn turn);

// The program's point shown at a window point, kept on the program's screen.
PlanePoint programPoint(PlanePoint shown, PlaneSize program, Turn turn);

#include <cstring>

#include "surface.h"
#include "toolkit.h"

// Room for "%d" of any int and its terminator.
struct NumberText {
  char characters[12];
};

static NumberText numberText(int n) {
  NumberText text;
  intToString(text.characters, n);
  return text;
}

static void drawScaleNumber(int n, int64_t x, int64_t y, int colour) {
  drawText(numberText(n).characters, clampedToInt(x), clampedToInt(y), 1, colour);
}

struct MeterReading {
  int maximum;
  int minimum;
  int current;
  int fill;
};

static MeterReading readMeter(const View* view, int trackLength) {
  return {packedMaximum(view->value), packedMinimum(view->value), packedCurrent(view->value),
          indicatorLength(trackLength, valueFraction(view->value))};
}

static bool currentIsInside(const MeterReading& reading) {
  return reading.minimum < reading.current && reading.current < reading.maximum;
}

void drawVMeter(View* view) {
  // Wide enough for the numbers and the track beside a view at the int range's ends.
  const int64_t w = view->width;
  const int64_t h = view->height;
  const int64_t x = view->xpos;
  const int64_t y = view->ypos;
  enterGraphics();
  if (view->background != COLOR_NONE) fillView(view, view->background);
  const MeterReading reading = readMeter(view, view->height);
  // The bar grows upwards from row y + h - 3.
  if (view->foreground != COLOR_NONE) {
    fillClippedRectangle(w - 6, reading.fill, x + 3, y + h - 2 - reading.fill, view->foreground);
  }
  if (view->border != COLOR_NONE) {
    // The erase colour lies inside the number strip, so it survives every wipe.
    const int erase = getPixel(clampedToInt(x + w + 3), clampedToInt(y + h / 2));
    drawRectangle(clampedToInt(w - 1), view->height, view->xpos, view->ypos, 1, view->border);
    fillClippedRectangle(24, h + 2, x + w + 1, y - 1, erase);
    drawScaleNumber(reading.minimum, x + w + 5, y + h - 5, view->border);
    drawScaleNumber(reading.maximum, x + w + 5, y, view->border);
    if (currentIsInside(reading)) {
      drawScaleNumber(reading.current, x + w + 5, y + h - reading.fill - 5, view->border);
    }
  }
  exitGraphics();
}

void drawHMeter(View* view) {
  // Wide enough for the numbers and the track beside a view at the int range's ends.
  const int64_t w = view->width;
  const int64_t h = view->height;
  const int64_t x = view->xpos;
  const int64_t y = view->ypos;
  enterGraphics();
  if (view->background != COLOR_NONE) fillView(view, view->background);
  const MeterReading reading = readMeter(view, view->width);
  if (view->foreground != COLOR_NONE) {
    fillClippedRectangle(reading.fill, h - 6, x + 3, y + 3, view->foreground);
  }
  if (view->border != COLOR_NONE) {
    // Read between the frame and the number band, which the wipe leaves alone.
    const int erase = getPixel(clampedToInt(x + w / 2), clampedToInt(y - 3));
    drawRectangle(view->width, clampedToInt(h - 1), view->xpos, view->ypos, 1, view->border);
    fillClippedRectangle(w + 9, 8, x - 1, y - 12, erase);
    drawScaleNumber(reading.minimum, x + 2, y - 10, view->border);
    drawScaleNumber(reading.maximum, x + w - 12, y - 10, view->border);
    // The current value ends just beyond the end of the bar.
    if (currentIsInside(reading)) {
      const NumberText current = numberText(reading.current);
      const int textWidth = 6 * static_cast<int>(std::strlen(current.characters));
      drawScaleNumber(reading.current, x + reading.fill + 9 - textWidth, y - 10, view->border);
    }
  }
  exitGraphics();
}

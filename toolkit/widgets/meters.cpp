#include <cstdint>
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
  drawText(numberText(n).characters, saturatedCoordinate(x), saturatedCoordinate(y), 1, colour);
}

static int pixelAt(int64_t x, int64_t y) {
  return getPixel(saturatedCoordinate(x), saturatedCoordinate(y));
}

static void drawFrame(int64_t width, int64_t height, int64_t x, int64_t y, int colour) {
  drawRectangle(saturatedCoordinate(width), saturatedCoordinate(height), saturatedCoordinate(x),
                saturatedCoordinate(y), 1, colour);
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
    const int erase = pixelAt(x + w + 3, y + h / 2);
    drawFrame(w - 1, h, x, y, view->border);
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
    const int erase = pixelAt(x + w / 2, y - 3);
    drawFrame(w, h - 1, x, y, view->border);
    fillClippedRectangle(w + 9, 8, x - 1, y - 12, erase);
    drawScaleNumber(reading.minimum, x + 2, y - 10, view->border);
    drawScaleNumber(reading.maximum, x + w - 12, y - 10, view->border);
    // The current value ends just beyond the end of the bar.
    if (currentIsInside(reading)) {
      const NumberText current = numberText(reading.current);
      const int64_t textWidth = 6 * static_cast<int64_t>(std::strlen(current.characters));
      drawText(current.characters, saturatedCoordinate(x + reading.fill + 9 - textWidth),
               saturatedCoordinate(y - 10), 1, view->border);
    }
  }
  exitGraphics();
}

#include <cstdint>

#include "surface.h"
#include "toolkit.h"

// The value fraction above which a vertical slider's track is filled,
// compared at double precision.
static constexpr double VERTICAL_FILL_THRESHOLD = 0.05;

struct Knob {
  int64_t diameter;
  int64_t x;
  int64_t y;
};

// Each draw repaints the whole slider, track ends and knob travel included,
// with the colour found at the erase point, which lies inside that rectangle.
static void repaint(int64_t width, int64_t height, int64_t x, int64_t y, int64_t eraseX,
                    int64_t eraseY) {
  fillClippedRectangle(width, height, x, y,
                       getPixel(saturatedCoordinate(eraseX), saturatedCoordinate(eraseY)));
}

static void drawTrack(int64_t width, int64_t height, int64_t x, int64_t y, int colour) {
  drawRoundedRectangle(saturatedCoordinate(width), saturatedCoordinate(height),
                       saturatedCoordinate(x), saturatedCoordinate(y), colour);
}

static void fillTrack(int64_t x, int64_t y, int colour) {
  fillArea(saturatedCoordinate(x), saturatedCoordinate(y), colour);
}

static void drawKnob(const View* view, Knob knob) {
  if (view->foreground == COLOR_NONE) return;
  const int diameter = saturatedCoordinate(knob.diameter);
  const int x = saturatedCoordinate(knob.x);
  const int y = saturatedCoordinate(knob.y);
  drawFilledEllipse(diameter, diameter, x, y, view->foreground);
  if (view->border != COLOR_NONE) drawEllipse(diameter, diameter, x, y, view->border);
}

void drawVSlider(View* view) {
  const int64_t w = view->width;
  const int64_t h = view->height;
  const int64_t x = view->xpos;
  const int64_t y = view->ypos;
  enterGraphics();
  const int64_t above = (5 * w) / 12 + 2;
  repaint(w, above + h + w / 3, x, y - above, x, y - w / 3);
  if (view->border != COLOR_NONE) {
    drawTrack(w / 2, h + w / 2, x + w / 4, y - w / 3, view->border);
  }
  const float fraction = valueFraction(view->value);
  const int64_t pos = indicatorLength(view->height, fraction);
  drawKnob(view, {(3 * w) / 4, x + w / 7, y + h - pos - w / 2});
  if (static_cast<double>(fraction) > VERTICAL_FILL_THRESHOLD && view->background != COLOR_NONE) {
    fillTrack(x + w / 2, y + h + w / 4 - 6, view->background);
  }
  exitGraphics();
}

void drawHSlider(View* view) {
  const int64_t w = view->width;
  const int64_t h = view->height;
  const int64_t x = view->xpos;
  const int64_t y = view->ypos;
  enterGraphics();
  const int64_t left = h / 3 + 2;
  repaint(left + w + (5 * h) / 12, h, x - left, y, x - h / 3, y);
  if (view->border != COLOR_NONE) {
    drawTrack(w + h / 2, h / 2, x - h / 4, y + h / 4, view->border);
  }
  const int64_t pos = indicatorLength(view->width, valueFraction(view->value));
  drawKnob(view, {(3 * h) / 4, x + pos - h / 4, y + h / 7});
  if (pos > h / 4 && view->background != COLOR_NONE) {
    fillTrack(x - h / 4 + 8, y + h / 2, view->background);
  }
  exitGraphics();
}

int sliderDragValue(const View* slider, int px, int py) {
  const bool vertical = slider->type == VIEW_VSLIDER;
  const int64_t distance =
      vertical ? int64_t{slider->ypos} + slider->height - py : int64_t{px} - slider->xpos;
  const int length = vertical ? slider->height : slider->width;
  const int minimum = packedMinimum(slider->value);
  // A slider without length cannot be hit; called directly it stays at its minimum.
  if (length <= 0) return minimum;
  // Widened so that far-off points cannot overflow; in range it equals the 32-bit product.
  const int64_t span = packedMaximum(slider->value) - minimum;
  return static_cast<int>(minimum + span * distance / length);
}

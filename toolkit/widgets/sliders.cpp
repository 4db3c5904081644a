#include <cstdint>

#include "surface.h"
#include "toolkit.h"

// The value fraction above which a vertical slider's track is filled,
// compared at double precision.
static constexpr double VERTICAL_FILL_THRESHOLD = 0.05;

struct Knob {
  int diameter;
  int x;
  int y;
};

// Each draw repaints the whole slider, track ends and knob travel included,
// with the colour found at the erase point, which lies inside that rectangle.
static void repaint(int width, int height, int x, int y, int eraseX, int eraseY) {
  fillClippedRectangle(width, height, x, y, getPixel(eraseX, eraseY));
}

static void drawKnob(const View* view, Knob knob) {
  if (view->foreground == COLOR_NONE) return;
  drawFilledEllipse(knob.diameter, knob.diameter, knob.x, knob.y, view->foreground);
  if (view->border != COLOR_NONE) {
    drawEllipse(knob.diameter, knob.diameter, knob.x, knob.y, view->border);
  }
}

void drawVSlider(View* view) {
  const int w = view->width;
  const int h = view->height;
  const int x = view->xpos;
  const int y = view->ypos;
  enterGraphics();
  const int above = (5 * w) / 12 + 2;
  repaint(w, above + h + w / 3, x, y - above, x, y - w / 3);
  if (view->border != COLOR_NONE) {
    drawRoundedRectangle(w / 2, h + w / 2, x + w / 4, y - w / 3, view->border);
  }
  const float fraction = valueFraction(view->value);
  const int pos = indicatorLength(h, fraction);
  drawKnob(view, {(3 * w) / 4, x + w / 7, y + h - pos - w / 2});
  if (static_cast<double>(fraction) > VERTICAL_FILL_THRESHOLD && view->background != COLOR_NONE) {
    fillArea(x + w / 2, y + h + w / 4 - 6, view->background);
  }
  exitGraphics();
}

void drawHSlider(View* view) {
  const int w = view->width;
  const int h = view->height;
  const int x = view->xpos;
  const int y = view->ypos;
  enterGraphics();
  const int left = h / 3 + 2;
  repaint(left + w + (5 * h) / 12, h, x - left, y, x - h / 3, y);
  if (view->border != COLOR_NONE) {
    drawRoundedRectangle(w + h / 2, h / 2, x - h / 4, y + h / 4, view->border);
  }
  const int pos = indicatorLength(w, valueFraction(view->value));
  drawKnob(view, {(3 * h) / 4, x + pos - h / 4, y + h / 7});
  if (pos > h / 4 && view->background != COLOR_NONE) {
    fillArea(x - h / 4 + 8, y + h / 2, view->background);
  }
  exitGraphics();
}

int sliderDragValue(const View* slider, int px, int py) {
  const bool vertical = slider->type == VIEW_VSLIDER;
  const int distance = vertical ? slider->ypos + slider->height - py : px - slider->xpos;
  const int length = vertical ? slider->height : slider->width;
  const int minimum = packedMinimum(slider->value);
  // A slider without length cannot be hit; called directly it stays at its minimum.
  if (length <= 0) return minimum;
  // Widened so that far-off points cannot overflow; in range it equals the 32-bit product.
  const int64_t span = packedMaximum(slider->value) - minimum;
  return minimum + static_cast<int>(span * distance / length);
}

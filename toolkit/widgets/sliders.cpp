#include <cstdint>

#include "surface.h"
#include "toolkit.h"

// The value fraction above which a vertical slider's track is filled,
// compared at double precision.
static constexpr double verticalFillThreshold = 0.05;

struct Knob {
  int64_t diameter;
  int64_t x;
  int64_t y;
};

// Each draw repaints the whole slider, track ends and knob travel included,
// with the colour found at the erase point, which lies inside that rectangle.
static void repaint(int64_t width, int64_t height, int64_t x, int64_t y, int64_t eraseX,
                    int64_t eraseY) {
  fillClippedRectangle(width, height, x, y, getPixel(clampedToInt(eraseX), clampedToInt(eraseY)));
}

static void drawTrack(const View* view, int64_t width, int64_t height, int64_t x, int64_t y) {
  if (view->border == COLOR_NONE) return;
  drawRoundedRectangle(clampedToInt(width), clampedToInt(height), clampedToInt(x), clampedToInt(y),
                       view->border);
}

static void drawKnob(const View* view, Knob knob) {
  if (view->foreground == COLOR_NONE) return;
  const int diameter = clampedToInt(knob.diameter);
  const int x = clampedToInt(knob.x);
  const int y = clampedToInt(knob.y);
  drawFilledEllipse(diameter, diameter, x, y, view->foreground);
  if (view->border != COLOR_NONE) drawEllipse(diameter, diameter, x, y, view->border);
}

static void fillTrack(const View* view, int64_t x, int64_t y) {
  if (view->background != COLOR_NONE) fillArea(clampedToInt(x), clampedToInt(y), view->background);
}

// Positions are wide enough for the track and knob of a view at the int range's ends.
void drawVSlider(View* view) {
  const int64_t w = view->width;
  const int64_t h = view->height;
  const int64_t x = view->xpos;
  const int64_t y = view->ypos;
  enterGraphics();
  const int64_t above = (5 * w) / 12 + 2;
  repaint(w, above + h + w / 3, x, y - above, x, y - w / 3);
  drawTrack(view, w / 2, h + w / 2, x + w / 4, y - w / 3);
  const float fraction = valueFraction(view->value);
  const int64_t pos = indicatorLength(view->height, fraction);
  drawKnob(view, {(3 * w) / 4, x + w / 7, y + h - pos - w / 2});
  if (static_cast<double>(fraction) > verticalFillThreshold)
    fillTrack(view, x + w / 2, y + h + w / 4 - 6);
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
  drawTrack(view, w + h / 2, h / 2, x - h / 4, y + h / 4);
  const int64_t pos = indicatorLength(view->width, valueFraction(view->value));
  drawKnob(view, {(3 * h) / 4, x + pos - h / 4, y + h / 7});
  if (pos > h / 4) fillTrack(view, x - h / 4 + 8, y + h / 2);
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

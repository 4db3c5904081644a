// Widgets of any size anywhere in the int range: drawn without overflow (the
// sanitizer build checks every step) and, when far off the screen, without
// touching it.
#include <climits>
#include <vector>

#include "widget_picture.h"

namespace {

class Extremes : public WidgetTest {};

using Constructor = View* (*)(int, int, int, int);

View* label(int w, int h, int x, int y) { return newLabel(w, h, x, y, "Label text 0123456789"); }
View* button(int w, int h, int x, int y) { return newButton(w, h, x, y, 0, "Button text 01234"); }
View* numView(int w, int h, int x, int y) { return newNumView(w, h, x, y); }
View* vMeter(int w, int h, int x, int y) { return newVMeter(w, h, x, y, 100, 0, 60); }
View* hMeter(int w, int h, int x, int y) { return newHMeter(w, h, x, y, 100, 0, 60); }
View* vSlider(int w, int h, int x, int y) { return newVSlider(w, h, x, y, 100, 0, 60); }
View* hSlider(int w, int h, int x, int y) { return newHSlider(w, h, x, y, 100, 0, 60); }

constexpr Constructor KINDS[] = {label, button, numView, vMeter, hMeter, vSlider, hSlider};
constexpr int SIZES[] = {1, INT_MAX};
constexpr int POSITIONS[] = {INT_MIN, -50, INT_MAX};

// Every element a widget draws lies within a billion pixels of its rectangle,
// and sizes below a thousand keep it within a few dozen.
bool farOffTheScreen(int w, int h, int x, int y) {
  return x == INT_MAX || y == INT_MAX || (x == INT_MIN && w < 1000) || (y == INT_MIN && h < 1000);
}

TEST_F(Extremes, EveryKindAnywhereInTheIntRange) {
  int far = 0;
  for (Constructor make : KINDS) {
    for (int w : SIZES) {
      for (int h : SIZES) {
        for (int x : POSITIONS) {
          for (int y : POSITIONS) {
            clearScreen(0x123456);
            const std::vector<uint32_t> before = snapshot();
            View* view = make(w, h, x, y);
            drawView(view);
            if (farOffTheScreen(w, h, x, y)) {
              ++far;
              ASSERT_EQ(snapshot(), before)
                  << view->type << " " << w << "x" << h << " at " << x << "," << y;
            }
            freeViewList();
          }
        }
      }
    }
  }
  EXPECT_GT(far, 180);
}

TEST_F(Extremes, SliderDragValueFromAnyPoint) {
  View* slider = newHSlider(INT_MAX, 40, INT_MIN, 0, 100, 0, 50);
  EXPECT_EQ(sliderDragValue(slider, INT_MIN, 0), 0);
  View* vertical = newVSlider(40, INT_MAX, 0, INT_MIN, 100, 0, 50);
  EXPECT_EQ(sliderDragValue(vertical, 0, INT_MIN), 100);
  EXPECT_EQ(sliderDragValue(vertical, 0, -1), 0);
}

}  // namespace

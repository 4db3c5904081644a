// Widgets at the ends of the int range: every kind drawn with positions and
// sizes there computes its track, numbers and text without overflow (the
// sanitizer build checks that), and one lying wholly beyond the screen's right
// or bottom leaves the screen as it was.
#include <algorithm>
#include <climits>
#include <string>

#include "rig.h"

namespace {

class WidgetExtremes : public ScreenTest {};

constexpr uint32_t GROUND = 0x123456;

bool screenIsGround() {
  for (int y = 0; y < screen->h; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(
        static_cast<const uint8_t*>(screen->pixels) + y * screen->pitch);
    if (std::count(row, row + screen->w, GROUND) != screen->w) return false;
  }
  return true;
}

View* makeView(int kind, int width, int height, int x, int y) {
  switch (kind) {
    case 0:
      return newLabel(width, height, x, y, "Extreme");
    case 1:
      return newNumView(width, height, x, y, "");
    case 2:
      return newButton(width, height, x, y, 0, "Extreme");
    case 3:
      return newVMeter(width, height, x, y);
    case 4:
      return newHMeter(width, height, x, y);
    case 5:
      return newVSlider(width, height, x, y);
    default:
      return newHSlider(width, height, x, y);
  }
}

void drawEveryGeometry(int kind, bool far) {
  constexpr int SIZES[] = {1, 40, 1 << 30, INT_MAX};
  constexpr int POSITIONS[] = {INT_MIN, INT_MIN + 5, -(1 << 30),  -100,
                               100,     1 << 30,     INT_MAX - 5, INT_MAX};
  for (int width : SIZES) {
    for (int height : SIZES) {
      for (int x : POSITIONS) {
        for (int y : POSITIONS) {
          if ((x >= INT_MAX - 5 || y >= INT_MAX - 5) != far) continue;
          freeViewList();
          View* v = makeView(kind, width, height, x, y);
          if (kind == 1) v->value = INT_MIN;  // the longest number text
          drawView(v);
        }
      }
    }
  }
}

// Everything a widget draws beside itself lies within 0.6 of its size to the
// left of or above it, so one placed at the right or bottom end stays off the
// screen.
TEST_F(WidgetExtremes, DrawWithoutOverflowAndFarOnesDrawNothing) {
  for (int kind = 0; kind < 7; ++kind) {
    clearScreen(GROUND);
    drawEveryGeometry(kind, true);
    EXPECT_TRUE(screenIsGround()) << "kind " << kind;
    drawEveryGeometry(kind, false);
    EXPECT_EQ(lockDepth(), 0);
  }
}

}  // namespace

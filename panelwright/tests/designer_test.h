// The designer's screen on SDL's dummy driver, rebuilt for every test, with
// helpers that drive it through SDL's real event queue.
#pragma once

#include <cstdint>

#include "designer.h"
#include "rig.h"
#include "start_screen.h"

inline uint32_t pixel(int x, int y) { return static_cast<uint32_t>(getPixel(x, y)); }

class DesignerTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    grid = 1;
    tempptr = nullptr;
    widthflag = heightflag = okflag = cancelflag = 0;
    ibuffsizex = ibuffsizey = jbuffsizex = jbuffsizey = jbuffposx = jbuffposy = 0;
    createFixedViews();
    drawAllViews();
    noOfFixViews = noOfViews() - 1;
    resetFlipCount();
  }

  static void tap(int x, int y) {
    pushPress(x, y);
    pushRelease(x, y);
    dispatch();
  }

  // Press, one motion on the way, a motion at the end, release there.
  static void drag(int x0, int y0, int x1, int y1) {
    pushPress(x0, y0);
    pushMotion((x0 + x1) / 2, (y0 + y1) / 2);
    pushMotion(x1, y1);
    pushRelease(x1, y1);
    dispatch();
  }

  // The widget placed last and its overlay.
  static View* lastWidget() { return getView(noOfViews() - 2); }
  static View* lastOverlay() { return getView(noOfViews() - 1); }

  // Presses and releases a fixed button at its centre.
  static void tapButton(const View* button) {
    tap(button->xpos + button->width / 2, button->ypos + button->height / 2);
  }
};

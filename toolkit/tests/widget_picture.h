// Shared by the widget tests: a fixture that also clears the recorded
// call-backs, and pictures built from the drawing primitives at literal
// coordinates to compare a widget's drawing with, pixel for pixel.
#pragma once

#include <cstdint>
#include <functional>
#include <set>
#include <vector>

#include "recorder.h"
#include "rig.h"

class WidgetTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    clearRecordedCalls();
  }
  void TearDown() override {
    clearRecordedCalls();
    ScreenTest::TearDown();
  }
};

// The screen cleared to `ground`, the few seeded pixels set, then `draw` run;
// the screen is left cleared the same way for the drawing under test.
struct Seed {
  int x;
  int y;
  uint32_t colour;
};

inline void prepareScreen(uint32_t ground, const std::vector<Seed>& seeds) {
  clearScreen(ground);
  for (const Seed& seed : seeds) setPixel(seed.x, seed.y, static_cast<int>(seed.colour));
}

inline std::vector<uint32_t> referencePicture(uint32_t ground, const std::vector<Seed>& seeds,
                                              const std::function<void()>& draw) {
  prepareScreen(ground, seeds);
  draw();
  std::vector<uint32_t> picture = snapshot();
  prepareScreen(ground, seeds);
  resetFlipCount();
  return picture;
}

// Every point where the screen differs from the picture.
inline std::set<Point> differencesFrom(const std::vector<uint32_t>& picture) {
  std::set<Point> points;
  const std::vector<uint32_t> now = snapshot();
  for (size_t i = 0; i < now.size(); ++i) {
    if (now[i] != picture[i]) {
      points.insert({static_cast<int>(i % screen->w), static_cast<int>(i / screen->w)});
    }
  }
  return points;
}

// Points of the colour inside the rectangle (inclusive bounds).
inline std::set<Point> pointsOfIn(uint32_t colour, int x0, int y0, int x1, int y1) {
  std::set<Point> points;
  for (const Point& p : rectanglePoints(x0, y0, x1, y1)) {
    if (static_cast<uint32_t>(getPixel(p.first, p.second)) == colour) points.insert(p);
  }
  return points;
}

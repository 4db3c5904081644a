#include "rig.h"

#include <cstdlib>
#include <cstring>
#include <sstream>

void openDummyScreen() {
  if (screen != nullptr) return;
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  initGraphics();
}

void closeDummyScreen() {
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
  screen = nullptr;
}

void resetViewList() {
  no_of_views = 0;
  for (int i = 0; i < viewListSlots; ++i) viewList[i] = nullptr;
  quit = 0;
}

void freeViewList() {
  for (int i = 0; i < viewListSlots; ++i) delete viewList[i];
  resetViewList();
}

void clearScreen(uint32_t colour) {
  for (int y = 0; y < screen->h; ++y) {
    auto* row =
        reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(screen->pixels) + y * screen->pitch);
    for (int x = 0; x < screen->w; ++x) row[x] = colour;
  }
}

void ScreenTest::SetUp() {
  openDummyScreen();
  resetViewList();
  SDL_Event drained;
  while (SDL_PollEvent(&drained)) {
  }
  clearScreen();
  resetFlipCount();
  resetLockDepth();
}

void ScreenTest::TearDown() {
  EXPECT_EQ(lockDepth(), 0) << "a drawing bracket was left open";
  freeViewList();
}

std::set<Point> pointsOf(uint32_t colour) {
  std::set<Point> points;
  for (int y = 0; y < screen->h; ++y) {
    for (int x = 0; x < screen->w; ++x) {
      if (static_cast<uint32_t>(getPixel(x, y)) == colour) points.insert({x, y});
    }
  }
  return points;
}

std::set<Point> pointsNot(uint32_t colour) {
  std::set<Point> points;
  for (int y = 0; y < screen->h; ++y) {
    for (int x = 0; x < screen->w; ++x) {
      if (static_cast<uint32_t>(getPixel(x, y)) != colour) points.insert({x, y});
    }
  }
  return points;
}

std::set<Point> rectanglePoints(int x0, int y0, int x1, int y1) {
  std::set<Point> points;
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) points.insert({x, y});
  }
  return points;
}

std::vector<uint32_t> snapshot() {
  std::vector<uint32_t> pixels;
  pixels.reserve(static_cast<size_t>(screen->w) * screen->h);
  for (int y = 0; y < screen->h; ++y) {
    for (int x = 0; x < screen->w; ++x) pixels.push_back(static_cast<uint32_t>(getPixel(x, y)));
  }
  return pixels;
}

std::string describe(const std::set<Point>& points) {
  if (points.empty()) return "(no points)";
  int x0 = points.begin()->first, x1 = x0, y0 = points.begin()->second, y1 = y0;
  for (const auto& [x, y] : points) {
    x0 = std::min(x0, x);
    x1 = std::max(x1, x);
    y0 = std::min(y0, y);
    y1 = std::max(y1, y);
  }
  std::ostringstream out;
  out << "points in x " << x0 << ".." << x1 << ", y " << y0 << ".." << y1 << ":\n";
  if (x1 - x0 > 120 || y1 - y0 > 80) return out.str() + "(too large to draw)";
  for (int y = y0; y <= y1; ++y) {
    out << y << "\t";
    for (int x = x0; x <= x1; ++x) out << (points.count({x, y}) ? '#' : '.');
    out << '\n';
  }
  return out.str();
}

#include <climits>
#include <set>

#include "rig.h"

namespace {

constexpr int WALL = 0x00202020;
constexpr int PAINT = 0x00E0C000;

class Fill : public ScreenTest {};

std::set<Point> unite(std::set<Point> a, const std::set<Point>& b) {
  a.insert(b.begin(), b.end());
  return a;
}

void paint(const std::set<Point>& points, int colour) {
  for (auto [x, y] : points) setPixel(x, y, colour);
}

TEST_F(Fill, ClosedRectangleFillsItsWholeInterior) {
  clearScreen(0x00FFFFFF);
  drawRectangle(20, 10, 100, 100, 1, WALL);
  const auto wall = pointsOf(WALL);
  resetFlipCount();
  fillArea(110, 105, PAINT);
  EXPECT_EQ(flipCount(), 1);
  EXPECT_EQ(pointsOf(PAINT), rectanglePoints(101, 101, 119, 109));
  EXPECT_EQ(pointsOf(WALL), wall);
}

TEST_F(Fill, RightArmOfAUFillsOnlyAlongTheBar) {
  clearScreen(WALL);
  const auto leftArm = rectanglePoints(10, 10, 14, 39);
  const auto rightArm = rectanglePoints(30, 10, 34, 39);
  const auto bar = rectanglePoints(10, 35, 34, 39);
  paint(unite(unite(leftArm, rightArm), bar), 0);
  fillArea(12, 15, PAINT);
  EXPECT_EQ(pointsOf(PAINT), unite(leftArm, bar)) << describe(pointsOf(PAINT));
  EXPECT_EQ(pointsOf(0), rectanglePoints(30, 10, 34, 34));
}

TEST_F(Fill, BayBesideTheSeedColumnStaysAsItWas) {
  // A box with a bay reaching up from its floor on the right, behind a wall.
  clearScreen(WALL);
  paint(rectanglePoints(50, 50, 69, 69), 0);
  paint(rectanglePoints(60, 50, 60, 65), WALL);
  fillArea(55, 60, PAINT);
  EXPECT_EQ(pointsOf(PAINT),
            unite(rectanglePoints(50, 50, 59, 69), rectanglePoints(60, 66, 69, 69)));
  EXPECT_EQ(pointsOf(0), rectanglePoints(61, 50, 69, 65));
}

TEST_F(Fill, LinesAndSinglePixels) {
  struct Case {
    std::set<Point> area;
    int x, y;
  };
  const Case cases[] = {
      {rectanglePoints(100, 200, 180, 200), 140, 200},
      {rectanglePoints(100, 200, 100, 260), 100, 230},
      {{{300, 300}}, 300, 300},
      {rectanglePoints(0, 0, 0, 0), 0, 0},
      {{{screenWidth - 1, screenHeight - 1}}, screenWidth - 1, screenHeight - 1},
  };
  for (const Case& c : cases) {
    clearScreen(WALL);
    paint(c.area, 0x00123456);
    resetFlipCount();
    fillArea(c.x, c.y, PAINT);
    EXPECT_EQ(pointsOf(PAINT), c.area) << "seed " << c.x << ", " << c.y;
    EXPECT_EQ(flipCount(), 1);
  }
}

TEST_F(Fill, FillingWithTheTargetColourChangesNothing) {
  clearScreen(0x00FFFFFF);
  drawRectangle(20, 10, 100, 100, 1, WALL);
  const auto before = snapshot();
  resetFlipCount();
  fillArea(110, 105, 0x00FFFFFF);
  EXPECT_EQ(snapshot(), before);
  EXPECT_EQ(flipCount(), 1);
}

TEST_F(Fill, AreaOpenToTheEdgesStopsThere) {
  // The screen is 0, the colour read off the surface: the runs must still end
  // at its edges.
  drawRectangle(20, 20, 100, 100, 1, WALL);
  fillArea(5, 5, PAINT);
  EXPECT_EQ(pointsOf(0), unite(rectanglePoints(101, 101, 119, 119),
                               rectanglePoints(121, 100, screenWidth - 1, 120)));
  EXPECT_EQ(pointsNot(PAINT).size(), pointsOf(0).size() + pointsOf(WALL).size());

  for (Point seed :
       {Point{0, 0}, Point{screenWidth - 1, screenHeight - 1}, Point{0, 639}, Point{709, 0}}) {
    clearScreen();
    fillArea(seed.first, seed.second, PAINT);
    EXPECT_TRUE(pointsNot(PAINT).empty()) << seed.first << ", " << seed.second;
  }
}

TEST_F(Fill, SeedOffTheSurfaceFillsNothingAndFlipsOnce) {
  for (Point seed : {Point{-1, 0}, Point{0, -1}, Point{screenWidth, 5}, Point{5, screenHeight},
                     Point{INT_MIN, INT_MAX}}) {
    resetFlipCount();
    fillArea(seed.first, seed.second, PAINT);
    EXPECT_TRUE(pointsOf(PAINT).empty()) << seed.first << ", " << seed.second;
    EXPECT_EQ(flipCount(), 1);
  }
}

}  // namespace

#include <climits>
#include <cmath>
#include <set>

#include "rig.h"

namespace {

constexpr int INK = 0x00FF8000;

class Lines : public ScreenTest {};

std::set<Point> unite(std::set<Point> a, const std::set<Point>& b) {
  a.insert(b.begin(), b.end());
  return a;
}

TEST_F(Lines, BlockIsASquareOfOddSideAndNeverFlips) {
  struct Case {
    int size, half;
  };
  for (Case c : {Case{0, 0}, Case{1, 0}, Case{2, 1}, Case{3, 1}, Case{4, 2}, Case{5, 2},
                 Case{-1, 0}, Case{-2, -1}}) {
    clearScreen();
    drawBlock(40, 50, c.size, INK);
    const auto expected = c.half < 0
                              ? std::set<Point>{}
                              : rectanglePoints(40 - c.half, 50 - c.half, 40 + c.half, 50 + c.half);
    EXPECT_EQ(pointsOf(INK), expected) << "size " << c.size;
  }
  EXPECT_EQ(flipCount(), 0);
}

TEST_F(Lines, BlockReachingBeyondTheSurfaceKeepsWhatLiesOnIt) {
  drawBlock(0, 0, 5, INK);
  EXPECT_EQ(pointsOf(INK), rectanglePoints(0, 0, 2, 2));
  clearScreen();
  drawBlock(screenWidth - 1, screenHeight, 5, INK);
  EXPECT_EQ(pointsOf(INK),
            rectanglePoints(screenWidth - 3, screenHeight - 2, screenWidth - 1, screenHeight - 1));
  clearScreen();
  drawBlock(INT_MIN, INT_MAX, INT_MAX, INK);
  EXPECT_TRUE(pointsOf(INK).empty());
  drawBlock(300, 300, INT_MAX, INK);
  EXPECT_TRUE(pointsNot(INK).empty());
}

TEST_F(Lines, WorkedExamples) {
  struct Case {
    int x1, y1, x2, y2, thickness;
    std::set<Point> expected;
  };
  const Case cases[] = {
      // 21 one-pixel stamps at x = 0, 0, 1, 1, ..., 9, 9, 10.
      {0, 0, 10, 0, 1, rectanglePoints(0, 0, 10, 0)},
      // 3 by 3 stamps at x = 0, 1, 3, 4, 6, 8, 9: the last falls one short of the end.
      {100, 100, 110, 100, 3, rectanglePoints(99, 99, 110, 101)},
      {0, 0, 10, 0, 3, rectanglePoints(0, 0, 10, 1)},
      {0, 0, 3, 4, 1, {{0, 0}, {0, 1}, {1, 1}, {1, 2}, {2, 2}, {2, 3}, {3, 4}}},
      {200,
       300,
       203,
       304,
       1,
       {{200, 300}, {200, 301}, {201, 301}, {201, 302}, {202, 302}, {202, 303}, {203, 304}}},
      // Shorter than its thickness: n is 0.
      {50, 50, 52, 50, 3, {}},
      {50, 50, 52, 50, 1, rectanglePoints(50, 50, 52, 50)},
      {50, 50, 50, 50, 1, {}},
      {50, 50, 50, 50, 5, {}},
      {50, 50, 60, 50, 0, {}},
      {50, 50, 60, 50, -3, {}},
  };
  for (const Case& c : cases) {
    clearScreen();
    resetFlipCount();
    drawLine(c.x1, c.y1, c.x2, c.y2, c.thickness, INK);
    EXPECT_EQ(pointsOf(INK), c.expected) << "(" << c.x1 << ", " << c.y1 << ") to (" << c.x2 << ", "
                                         << c.y2 << ") thickness " << c.thickness << "\n"
                                         << describe(pointsOf(INK));
    EXPECT_EQ(flipCount(), 1);
  }
}

TEST_F(Lines, ThickVerticalLineIsAStrokeWithSquareEnds) {
  // Length 20, thickness 5: n = 4, stamps every 2.5 rows, 5 by 5 squares.
  drawLine(30, 40, 30, 60, 5, INK);
  EXPECT_EQ(pointsOf(INK), rectanglePoints(28, 38, 32, 62)) << describe(pointsOf(INK));
}

TEST_F(Lines, SquareRootOfPerfectSquaresIsExact) {
  for (int root : {1, 2, 3, 7, 10, 25, 100, 639, 1000}) {
    EXPECT_EQ(sqr(static_cast<float>(root * root)), root) << root;
  }
}

TEST_F(Lines, SquareRootApproximation) {
  EXPECT_NEAR(sqr(2), 1.41667, 5e-6);
  EXPECT_NEAR(sqr(10), 3.16228, 5e-6);
  // a = 1, d = 1, b = 0.5, r = 1.5: 1.5 - 0.25 / 3.
  EXPECT_DOUBLE_EQ(sqr(2), 1.5 - 0.25 / 3);
}

TEST_F(Lines, SquareRootBelowOneIsNeverNaN) {
  EXPECT_EQ(sqr(0), 0);
  EXPECT_EQ(sqr(-4), 0);
  EXPECT_EQ(sqr(-INFINITY), 0);
  EXPECT_EQ(sqr(NAN), 0);
  EXPECT_DOUBLE_EQ(sqr(0.25f), 0.5);
  EXPECT_DOUBLE_EQ(sqr(0.5625f), 0.75);
  EXPECT_EQ(sqr(INFINITY), INFINITY);
}

TEST_F(Lines, RectangleOutlineCoversOneMoreThanTheFilledOneAndFlipsFourTimes) {
  drawRectangle(10, 5, 20, 30, 1, INK);
  EXPECT_EQ(flipCount(), 4);
  auto outline = unite(unite(rectanglePoints(20, 30, 30, 30), rectanglePoints(20, 35, 30, 35)),
                       unite(rectanglePoints(20, 30, 20, 35), rectanglePoints(30, 30, 30, 35)));
  EXPECT_EQ(pointsOf(INK), outline) << describe(pointsOf(INK));

  clearScreen();
  resetFlipCount();
  drawFilledRectangle(10, 5, 20, 30, INK);
  EXPECT_EQ(flipCount(), 1);
  EXPECT_EQ(pointsOf(INK), rectanglePoints(20, 30, 29, 34));
}

TEST_F(Lines, ZeroWidthRectangleDrawsItsCoincidingSidesOnly) {
  drawRectangle(0, 6, 40, 50, 1, INK);
  EXPECT_EQ(flipCount(), 4);
  EXPECT_EQ(pointsOf(INK), rectanglePoints(40, 50, 40, 56));
}

TEST_F(Lines, EmptyFilledRectangleStillFlips) {
  struct Case {
    int width, height;
  };
  for (Case c : {Case{0, 5}, Case{5, 0}, Case{-5, 5}, Case{5, INT_MIN}}) {
    resetFlipCount();
    drawFilledRectangle(c.width, c.height, 40, 50, INK);
    EXPECT_EQ(flipCount(), 1);
    EXPECT_TRUE(pointsOf(INK).empty()) << c.width << " by " << c.height;
  }
}

TEST_F(Lines, ThickRectangleFramesWithSquareCorners) {
  drawRectangle(20, 10, 100, 100, 3, INK);
  auto frame = pointsOf(INK);
  auto expected = rectanglePoints(99, 99, 121, 111);
  for (const Point& inner : rectanglePoints(102, 102, 118, 108)) expected.erase(inner);
  // The right side's last stamp falls one short, at row 109, and so does the
  // bottom side's, at column 119: the outer corner pixel stays unset.
  expected.erase({121, 111});
  EXPECT_EQ(frame, expected) << describe(frame);
}

TEST_F(Lines, ShapesFarBeyondTheSurfaceDrawOnlyWhatFallsOnIt) {
  drawLine(INT_MIN, 5, INT_MAX, 5, 1, INK);
  EXPECT_EQ(pointsOf(INK), rectanglePoints(0, 5, screenWidth - 1, 5));

  clearScreen();
  drawLine(-1000000000, -1000000000, 1000000000, 1000000000, 1, INK);
  std::set<Point> diagonal;
  for (int k = 0; k < screenHeight; ++k) diagonal.insert({k, k});
  EXPECT_EQ(pointsOf(INK), diagonal);

  clearScreen();
  drawLine(INT_MIN, INT_MIN, INT_MIN, INT_MAX, 7, INK);
  drawLine(INT_MAX, INT_MAX, INT_MIN, INT_MAX, 7, INK);
  EXPECT_TRUE(pointsOf(INK).empty());

  drawLine(0, 0, 100, 0, INT_MAX, INK);
  EXPECT_TRUE(pointsOf(INK).empty()) << "shorter than its thickness";

  drawLine(INT_MIN, 0, INT_MAX, 0, 1 << 30, INK);
  EXPECT_TRUE(pointsNot(INK).empty());

  clearScreen();
  drawRectangle(INT_MAX, INT_MAX, 10, 10, 1, INK);
  EXPECT_EQ(pointsOf(INK), unite(rectanglePoints(10, 10, screenWidth - 1, 10),
                                 rectanglePoints(10, 10, 10, screenHeight - 1)));

  clearScreen();
  drawRectangle(INT_MIN, INT_MIN, INT_MAX, INT_MAX, 5, INK);
  drawFilledRectangle(INT_MAX, INT_MAX, INT_MIN, INT_MIN, INK);
  // The far edges lie at INT_MAX + INT_MIN = -1, so the right and bottom sides
  // run just off the left and top edges and reach two pixels onto the surface.
  EXPECT_EQ(pointsOf(INK), unite(rectanglePoints(0, 0, screenWidth - 1, 1),
                                 rectanglePoints(0, 0, 1, screenHeight - 1)));
}

}  // namespace

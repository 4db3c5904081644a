#include <algorithm>
#include <climits>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "rig.h"

namespace {

constexpr int INK = 0x0040A0E0;

// The top-left arc's offsets from the corner of a rounded rectangle.
constexpr Point ARC[13] = {{9, 0}, {8, 0}, {7, 1}, {6, 1}, {5, 2}, {4, 2}, {3, 3},
                           {2, 4}, {2, 5}, {1, 6}, {1, 7}, {0, 8}, {0, 9}};

class Shapes : public ScreenTest {};

void addOnSurface(std::set<Point>& points, int64_t x, int64_t y) {
  if (x >= 0 && x < screenWidth && y >= 0 && y < screenHeight) {
    points.insert({static_cast<int>(x), static_cast<int>(y)});
  }
}

void addRun(std::set<Point>& points, int64_t x0, int64_t x1, int64_t y) {
  for (int64_t x = std::max<int64_t>(x0, 0); x <= std::min<int64_t>(x1, screenWidth - 1); ++x) {
    addOnSurface(points, x, y);
  }
}

// The outline: straight sides from 10 in from each corner to 10 before the
// next, meeting the four mirrored arcs.
std::set<Point> roundedOutline(int64_t w, int64_t h, int64_t x, int64_t y) {
  std::set<Point> points;
  addRun(points, x + 10, x + w - 10, y);
  addRun(points, x + 10, x + w - 10, y + h);
  for (int64_t r = std::max<int64_t>(y + 10, 0); r <= std::min<int64_t>(y + h - 10, screenHeight);
       ++r) {
    addOnSurface(points, x, r);
    addOnSurface(points, x + w, r);
  }
  for (auto [a, b] : ARC) {
    addOnSurface(points, x + a, y + b);
    addOnSurface(points, x + w - a, y + b);
    addOnSurface(points, x + a, y + h - b);
    addOnSurface(points, x + w - a, y + h - b);
  }
  return points;
}

// The fill: body rows 10 to h - 10 across the full width; on every other row
// the widest cap run, from x + u to x + w - u - 1 where u is an arc offset.
std::set<Point> roundedFill(int64_t w, int64_t h, int64_t x, int64_t y) {
  std::set<Point> points;
  for (int64_t r = 10; r <= h - 10 && y + r < screenHeight; ++r)
    addRun(points, x, x + w - 1, y + r);
  for (auto [a, b] : ARC) {
    addRun(points, x + a, x + w - a - 1, y + b);
    addRun(points, x + a, x + w - a - 1, y + h - b);
  }
  return points;
}

std::set<Point> picture(int x, int y, const std::vector<std::string>& rows) {
  std::set<Point> points;
  for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
    for (int column = 0; column < static_cast<int>(rows[row].size()); ++column) {
      if (rows[row][column] == '#') points.insert({x + column, y + row});
    }
  }
  return points;
}

std::set<Point> inRow(const std::set<Point>& points, int row) {
  std::set<Point> found;
  for (const Point& p : points) {
    if (p.second == row) found.insert(p);
  }
  return found;
}

std::set<Point> inColumn(const std::set<Point>& points, int column) {
  std::set<Point> found;
  for (const Point& p : points) {
    if (p.first == column) found.insert(p);
  }
  return found;
}

TEST_F(Shapes, RoundedOutlineHundredByForty) {
  drawRoundedRectangle(100, 40, 0, 0, INK);
  EXPECT_EQ(flipCount(), 1);
  const auto lit = pointsOf(INK);
  EXPECT_EQ(inRow(lit, 0), rectanglePoints(8, 0, 92, 0));
  EXPECT_EQ(inColumn(lit, 0), rectanglePoints(0, 8, 0, 32));
  EXPECT_EQ(getPixel(0, 0), 0);
  EXPECT_EQ(lit, roundedOutline(100, 40, 0, 0)) << describe(lit);
}

TEST_F(Shapes, RoundedOutlinesOfManySizes) {
  struct Case {
    int w, h, x, y;
  };
  // Narrower than 20: no straight top or bottom side, the arcs overlap.
  for (Case c : {Case{30, 25, 50, 60}, Case{12, 40, 100, 100}, Case{40, 12, 5, 300},
                 Case{5, 5, 200, 200}, Case{0, 0, 300, 300}, Case{60, 30, -20, -8},
                 Case{60, 30, screenWidth - 30, screenHeight - 10}}) {
    clearScreen();
    drawRoundedRectangle(c.w, c.h, c.x, c.y, INK);
    EXPECT_EQ(pointsOf(INK), roundedOutline(c.w, c.h, c.x, c.y))
        << c.w << " by " << c.h << " at " << c.x << ", " << c.y << "\n"
        << describe(pointsOf(INK));
  }
}

TEST_F(Shapes, FilledRoundedRectangleStopsOneShortOnTheRight) {
  drawFilledRoundedRectangle(100, 40, 10, 10, INK);
  EXPECT_EQ(flipCount(), 1);
  const auto fill = pointsOf(INK);
  EXPECT_EQ(fill, roundedFill(100, 40, 10, 10)) << describe(fill);
  clearScreen();
  drawRoundedRectangle(100, 40, 10, 10, INK);
  const auto outline = pointsOf(INK);
  for (int row = 10; row <= 50; ++row) {
    const auto filled = inRow(fill, row);
    const auto framed = inRow(outline, row);
    ASSERT_FALSE(filled.empty()) << row;
    EXPECT_EQ(filled.begin()->first, framed.begin()->first) << "row " << row;
    EXPECT_EQ(filled.rbegin()->first, framed.rbegin()->first - 1) << "row " << row;
  }
}

TEST_F(Shapes, FilledRoundedRectanglesOfManySizes) {
  struct Case {
    int w, h, x, y;
  };
  // Height 19 or less: the cap rows alone paint it.
  for (Case c : {Case{30, 15, 50, 50}, Case{30, 19, 50, 50}, Case{30, 20, 50, 50},
                 Case{12, 40, 100, 100}, Case{0, 30, 10, 10}, Case{60, 30, -20, -8},
                 Case{60, 30, screenWidth - 30, screenHeight - 10}}) {
    clearScreen();
    drawFilledRoundedRectangle(c.w, c.h, c.x, c.y, INK);
    EXPECT_EQ(pointsOf(INK), roundedFill(c.w, c.h, c.x, c.y))
        << c.w << " by " << c.h << " at " << c.x << ", " << c.y << "\n"
        << describe(pointsOf(INK));
  }
}

TEST_F(Shapes, EllipseTenByTenLeansToTheTopLeft) {
  drawEllipse(10, 10, 0, 0, INK);
  EXPECT_EQ(flipCount(), 1);
  // Top row 3 to 7, x = 10 only on row 5, one bottom pixel at (5, 10).
  EXPECT_EQ(pointsOf(INK), picture(0, 0,
                                   {
                                       "...#####...",
                                       "..#.....#..",
                                       ".#.......#.",
                                       "#........#.",
                                       "#........#.",
                                       "#.........#",
                                       "#........#.",
                                       "#........#.",
                                       ".#.......#.",
                                       "..###.###..",
                                       ".....#.....",
                                   }))
      << describe(pointsOf(INK));
}

TEST_F(Shapes, FilledEllipseTenByTenSkipsItsTopAndBottomRows) {
  drawFilledEllipse(10, 10, 0, 0, INK);
  EXPECT_EQ(flipCount(), 1);
  EXPECT_EQ(pointsOf(INK), picture(0, 0,
                                   {
                                       "..........",
                                       "..######..",
                                       ".########.",
                                       ".#########",
                                       ".#########",
                                       "##########",
                                       ".#########",
                                       ".#########",
                                       ".########.",
                                       "..######..",
                                   }))
      << describe(pointsOf(INK));
}

TEST_F(Shapes, ThinAndFlatEllipses) {
  struct Case {
    int w, h, x, y;
    std::set<Point> outline, filled;
  };
  const Case cases[] = {
      // The filled runs, from 0 while below a half-width of 0, are empty.
      {1, 10, 40, 50, rectanglePoints(40, 51, 40, 59), {}},
      {0, 10, 40, 50, rectanglePoints(40, 51, 40, 59), {}},
      {10, 1, 40, 50, rectanglePoints(41, 50, 49, 50), {}},
      {10, 0, 40, 50, rectanglePoints(41, 50, 49, 50), {}},
      {1, 1, 40, 50, {}, {}},
      {-10, -10, 40, 50, {}, {}},
  };
  for (const Case& c : cases) {
    clearScreen();
    resetFlipCount();
    drawEllipse(c.w, c.h, c.x, c.y, INK);
    EXPECT_EQ(pointsOf(INK), c.outline) << c.w << " by " << c.h << "\n" << describe(pointsOf(INK));
    clearScreen();
    drawFilledEllipse(c.w, c.h, c.x, c.y, INK);
    EXPECT_EQ(pointsOf(INK), c.filled) << c.w << " by " << c.h << "\n" << describe(pointsOf(INK));
    EXPECT_EQ(flipCount(), 2);
  }
}

TEST_F(Shapes, EllipsesOnTheEdgeKeepWhatLiesOnTheSurface) {
  // The 10 by 10 figure moved up and left by 5: its lower right quarter shows.
  drawEllipse(10, 10, -5, -5, INK);
  EXPECT_EQ(pointsOf(INK), picture(0, 0,
                                   {
                                       ".....#",
                                       "....#.",
                                       "....#.",
                                       "....#.",
                                       ".###..",
                                       "#.....",
                                   }))
      << describe(pointsOf(INK));

  // Its right edge at columns -0.1 and -0.42 truncates toward zero, onto the
  // surface, on rows 103, 104, 106 and 107 as well as at the centre row.
  clearScreen();
  drawEllipse(10, 10, -10, 100, INK);
  EXPECT_EQ(pointsOf(INK), rectanglePoints(0, 103, 0, 107)) << describe(pointsOf(INK));
}

TEST_F(Shapes, HugeShapesDrawOnlyWhatFallsOnTheSurface) {
  // Centred near the top-left corner, a radius of about 2^30 covers the surface.
  drawFilledEllipse(INT_MAX, INT_MAX, -(INT_MAX / 2), -(INT_MAX / 2), INK);
  EXPECT_TRUE(pointsNot(INK).empty());

  clearScreen();
  drawEllipse(INT_MAX, INT_MAX, -(INT_MAX / 2), -(INT_MAX / 2), INK);
  drawEllipse(INT_MAX, INT_MAX, INT_MIN, INT_MIN, INK);
  drawFilledEllipse(INT_MAX, INT_MAX, INT_MAX, INT_MAX, INK);
  drawEllipse(INT_MIN, INT_MIN, INT_MAX, INT_MAX, INK);
  EXPECT_TRUE(pointsOf(INK).empty()) << describe(pointsOf(INK));

  // A flat ellipse of huge width is a run along its centre row.
  drawEllipse(INT_MAX, 1, -(INT_MAX / 2), 20, INK);
  EXPECT_EQ(pointsOf(INK), rectanglePoints(0, 20, screenWidth - 1, 20));

  clearScreen();
  drawRoundedRectangle(INT_MAX, INT_MAX, 5, 5, INK);
  EXPECT_EQ(pointsOf(INK), roundedOutline(INT_MAX, INT_MAX, 5, 5));
  clearScreen();
  drawFilledRoundedRectangle(INT_MAX, INT_MAX, 5, 5, INK);
  EXPECT_EQ(pointsOf(INK), roundedFill(INT_MAX, INT_MAX, 5, 5));
  clearScreen();
  drawRoundedRectangle(INT_MIN, INT_MIN, INT_MAX, INT_MAX, INK);
  drawFilledRoundedRectangle(INT_MIN, INT_MIN, INT_MAX, INT_MAX, INK);
  drawFilledRoundedRectangle(INT_MAX, INT_MAX, INT_MIN, INT_MIN, INK);
  EXPECT_EQ(pointsOf(INK), roundedOutline(INT_MIN, INT_MIN, INT_MAX, INT_MAX));
}

}  // namespace

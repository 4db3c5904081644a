#include <algorithm>
#include <climits>
#include <cstring>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "rig.h"

namespace {

constexpr int INK = 0x0000C0FF;

// The glyphs of the codes 32 to 127, one hexadecimal number per row from the
// top, 0x10 the leftmost cell.
// clang-format off
constexpr const char* GLYPH_ROWS[96] = {
    "00 00 00 00 00 00 00", "04 04 04 04 00 00 04", "0A 0A 0A 00 00 00 00", "0A 0A 1F 0A 1F 0A 0A",
    "04 0F 14 0E 05 1E 04", "18 19 02 04 08 13 03", "0C 12 14 08 15 12 0D", "0C 04 08 00 00 00 00",
    "02 04 08 08 08 04 02", "08 04 02 02 02 04 08", "00 04 15 0E 15 04 00", "00 04 04 1F 04 04 00",
    "00 00 00 00 04 04 08", "00 00 00 1F 00 00 00", "00 00 00 00 00 0C 0C", "00 01 02 04 08 10 00",
    "0E 11 11 11 11 11 0E", "04 0C 04 04 04 04 0E", "0E 11 01 06 08 10 1F", "0E 11 01 02 01 11 0E",
    "12 12 12 1F 02 02 02", "1F 10 1E 01 01 11 0E", "0E 10 10 1E 11 11 0E", "1F 01 02 04 08 08 08",
    "0E 11 11 0E 11 11 0E", "0E 11 11 0E 01 01 0E", "00 00 0C 0C 00 0C 0C", "00 0C 0C 00 0C 04 08",
    "02 04 08 10 08 04 02", "00 00 1F 00 1F 00 00", "08 04 02 01 02 04 08", "0E 11 01 02 04 00 04",
    "0E 11 01 0D 15 15 0E", "0E 11 11 11 1F 11 11", "1E 11 11 1F 11 11 1E", "0F 10 10 10 10 10 0F",
    "1C 12 11 11 11 12 1C", "1F 10 10 1E 10 10 1F", "1F 10 10 1E 10 10 10", "0E 11 10 17 11 11 1F",
    "11 11 11 1F 11 11 11", "0E 04 04 04 04 04 0E", "07 02 02 02 02 12 0C", "11 12 14 18 14 12 11",
    "10 10 10 10 10 10 1F", "11 1B 15 15 11 11 11", "11 11 19 15 13 11 11", "0E 11 11 11 11 11 0E",
    "1E 11 11 1E 10 10 10", "0E 11 11 11 15 12 0D", "1E 11 11 1E 14 12 11", "0F 10 10 0E 01 01 1E",
    "1F 04 04 04 04 04 04", "11 11 11 11 11 11 0E", "11 11 11 11 11 0A 04", "11 11 11 11 15 15 0A",
    "11 11 0A 04 0A 11 11", "11 11 11 0A 04 04 04", "1F 01 02 04 08 10 1F", "0E 08 08 08 08 08 0E",
    "00 10 08 04 02 01 00", "0E 02 02 02 02 02 0E", "04 0A 11 00 00 00 00", "00 00 00 00 00 00 1F",
    "08 04 02 00 00 00 00", "00 00 0E 01 0F 11 0F", "10 10 16 19 11 11 1E", "00 00 0E 10 10 11 0E",
    "01 01 0D 13 11 11 0F", "00 00 0E 11 1F 10 0E", "06 09 08 1C 08 08 08", "0F 11 11 11 0F 01 0E",
    "10 10 16 19 11 11 11", "04 00 0C 04 04 04 0E", "02 00 06 02 02 12 0C", "10 10 12 14 18 14 12",
    "0C 04 04 04 04 04 0E", "00 00 1A 15 15 11 11", "00 00 16 19 11 11 11", "00 00 0E 11 11 11 0E",
    "1E 11 11 11 1E 10 10", "0D 13 11 13 0F 01 01", "00 00 16 19 10 10 10", "00 00 0E 10 0E 01 1E",
    "08 08 1C 08 08 09 06", "00 00 11 11 11 13 0D", "00 00 11 11 11 0A 04", "00 00 11 11 15 15 0A",
    "00 00 11 0A 04 0A 11", "11 11 11 11 0F 01 0E", "00 00 1F 02 04 08 1F", "02 04 04 08 04 04 02",
    "04 04 04 04 04 04 04", "08 04 04 02 04 04 08", "00 04 02 1F 02 04 00", "00 04 08 1F 08 04 00",
};
// clang-format on

constexpr char DESCENDERS[] = "gjpqy";

class Font : public ScreenTest {};

std::vector<int> hexRows(const char* glyph) {
  std::vector<int> rows;
  for (int row = 0; row < 7; ++row)
    rows.push_back(std::stoi(std::string(glyph + 3 * row, 2), nullptr, 16));
  return rows;
}

// The lit cells of one screen row, read as a glyph row.
int rowOnScreen(int x, int y) {
  int bits = 0;
  for (int column = 0; column < 5; ++column) {
    if (getPixel(x + column, y) == INK) bits |= 0x10 >> column;
  }
  return bits;
}

int litCells(const char* glyph) {
  int count = 0;
  for (int bits : hexRows(glyph)) count += __builtin_popcount(bits);
  return count;
}

// Points from a picture whose '#' marks a set pixel, its top-left at (x, y).
std::set<Point> picture(int x, int y, const std::vector<std::string>& rows) {
  std::set<Point> points;
  for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
    for (int column = 0; column < static_cast<int>(rows[row].size()); ++column) {
      if (rows[row][column] == '#') points.insert({x + column, y + row});
    }
  }
  return points;
}

std::set<Point> shifted(const std::set<Point>& points, int dx, int dy) {
  std::set<Point> moved;
  for (auto [x, y] : points) moved.insert({x + dx, y + dy});
  return moved;
}

TEST_F(Font, EveryGlyphAtSizeOneMatchesTheTable) {
  const int x = 100, y = 200;
  for (int code = 32; code <= 127; ++code) {
    clearScreen();
    enterGraphics();
    drawChar5(static_cast<char>(code), x, y, 1, INK);
    exitGraphics();
    const char* glyph = GLYPH_ROWS[code - 32];
    const bool lowered = code < 127 && std::strchr(DESCENDERS, code) != nullptr;
    const int top = y - 2 + (lowered ? 2 : 0);
    const std::vector<int> rows = hexRows(glyph);
    for (int row = 0; row < 7; ++row) {
      EXPECT_EQ(rowOnScreen(x, top + row), rows[row]) << "code " << code << ", row " << row;
    }
    EXPECT_EQ(static_cast<int>(pointsOf(INK).size()), litCells(glyph))
        << "code " << code << " lights pixels outside its cell box";
  }
  EXPECT_EQ(flipCount(), 96);
}

TEST_F(Font, CodesWithoutAGlyphDrawAQuestionMark) {
  drawText("?", 50, 50, 1, INK);
  const auto question = pointsOf(INK);
  ASSERT_FALSE(question.empty());
  for (int code : {0, 1, 31, 128, 200, 255}) {
    clearScreen();
    const char text[] = {static_cast<char>(code), '\0'};
    drawText(code == 0 ? "" : text, 50, 50, 1, INK);
    if (code == 0) continue;  // the terminating byte ends the text
    EXPECT_EQ(pointsOf(INK), question) << "code " << code;
  }
}

TEST_F(Font, TextAdvancesSixCellsACharacter) {
  drawText("AB", 10, 20, 1, INK);
  EXPECT_EQ(flipCount(), 1);
  EXPECT_EQ(pointsOf(INK), picture(10, 18,
                                   {
                                       ".###. ####.",
                                       "#...# #...#",
                                       "#...# #...#",
                                       "#...# #####",
                                       "##### #...#",
                                       "#...# #...#",
                                       "#...# ####.",
                                   }))
      << describe(pointsOf(INK));
}

TEST_F(Font, EmptyTextDrawsNothingAndFlipsOnce) {
  drawText("", 10, 20, 3, INK);
  EXPECT_EQ(flipCount(), 1);
  EXPECT_TRUE(pointsOf(INK).empty());
}

TEST_F(Font, DescendersAreLoweredTwoRows) {
  drawText("a", 10, 20, 1, INK);
  drawText("g", 30, 20, 1, INK);
  const auto a = picture(10, 20, {".###.", "....#", ".####", "#...#", ".####"});
  const auto g = picture(30, 20, {".####", "#...#", "#...#", "#...#", ".####", "....#", ".###."});
  std::set<Point> both = a;
  both.insert(g.begin(), g.end());
  EXPECT_EQ(pointsOf(INK), both) << describe(pointsOf(INK));
}

// The lowest and highest rows holding a set pixel.
std::pair<int, int> rowSpan(const std::set<Point>& points) {
  int top = INT_MAX, bottom = INT_MIN;
  for (auto [x, y] : points) {
    top = std::min(top, y);
    bottom = std::max(bottom, y);
  }
  return {top, bottom};
}

TEST_F(Font, DescenderTailReachesSixPensBelowTheOrigin) {
  // Size 3: pens of side 3 every 3 pixels. g's pens run from row 100 to 118,
  // a's from 100 to 112.
  drawText("g", 100, 100, 3, INK);
  EXPECT_EQ(rowSpan(pointsOf(INK)), std::make_pair(99, 119));
  clearScreen();
  drawText("a", 100, 100, 3, INK);
  EXPECT_EQ(rowSpan(pointsOf(INK)), std::make_pair(99, 113));
}

TEST_F(Font, CharactersAtSizeThreeLieEighteenPixelsApart) {
  drawText("I", 40, 60, 3, INK);
  const auto one = pointsOf(INK);
  // Its 11 lit cells are pens of side 3 that touch edge to edge.
  EXPECT_EQ(one.size(), 11u * 9);
  clearScreen();
  drawText("II", 40, 60, 3, INK);
  std::set<Point> two = one;
  const auto next = shifted(one, 18, 0);
  two.insert(next.begin(), next.end());
  EXPECT_EQ(pointsOf(INK), two);
}

TEST_F(Font, SizeZeroShowsTheTextAsOneDot) {
  drawText("Hey, jig!", 50, 60, 0, INK);
  EXPECT_EQ(pointsOf(INK), (std::set<Point>{{50, 60}}));
}

TEST_F(Font, CharacterCallsDoNotBracket) {
  drawChar5('W', 10, 10, 2, INK);
  EXPECT_EQ(flipCount(), 0);
  EXPECT_EQ(lockDepth(), 0);
  EXPECT_FALSE(pointsOf(INK).empty());
}

TEST_F(Font, TextBeyondTheSurfaceIsCutAtItsEdges) {
  drawText("W", screenWidth - 3, -1, 1, INK);
  // W is 11 11 11 11 15 15 0A from row -3: rows 0 to 3 show, columns 0 to 2.
  EXPECT_EQ(pointsOf(INK), picture(screenWidth - 3, 0, {"#..", "#.#", "#.#", ".#."}));

  clearScreen();
  const std::string longText(100000, 'W');
  drawText(longText.c_str(), INT_MAX - 10, INT_MIN, 5, INK);
  drawText(longText.c_str(), 0, 300, 1 << 30, INK);
  drawText(longText.c_str(), INT_MIN, 300, INT_MAX, INK);
  EXPECT_TRUE(pointsNot(INK).empty()) << "a pen of size 2^30 centred on the surface covers it";

  clearScreen();
  drawText(longText.c_str(), INT_MAX - 10, INT_MAX - 10, 1 << 20, INK);
  drawText(longText.c_str(), INT_MIN, 300, 1 << 20, INK);
  EXPECT_TRUE(pointsOf(INK).empty());
}

TEST_F(Font, IntegersAsText) {
  struct Case {
    int n;
    const char* text;
  };
  for (Case c : {Case{0, "0"}, Case{-45, "-45"}, Case{7, "7"}, Case{1000000, "1000000"},
                 Case{INT_MAX, "2147483647"}, Case{INT_MIN, "-2147483648"}}) {
    char buffer[16];
    std::memset(buffer, 'x', sizeof buffer);
    intToString(buffer, c.n);
    EXPECT_STREQ(buffer, c.text);
    for (size_t i = std::strlen(c.text) + 1; i < sizeof buffer; ++i) {
      EXPECT_EQ(buffer[i], 'x') << "byte " << i << " written for " << c.n;
    }
  }
}

}  // namespace

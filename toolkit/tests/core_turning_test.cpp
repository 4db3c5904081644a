#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "turning.h"

namespace {

// The program's screen of 3 by 2 pixels, numbered row by row.
constexpr PlaneSize PROGRAM = {3, 2};
const std::vector<uint32_t> PROGRAM_PIXELS = {1, 2, 3, 4, 5, 6};
constexpr uint32_t UNTOUCHED = 0xEE;

struct TurnCase {
  Turn turn;
  PlaneSize window;                // as large as the turned picture, or smaller
  std::vector<uint32_t> expected;  // the window's rows, one word of margin right of each
};

TEST(Turning, WritesEachPixelWhereTheTurnShowsItAndNothingBeyond) {
  const TurnCase cases[] = {
      {{90, 1}, {2, 3}, {4, 1, UNTOUCHED, 5, 2, UNTOUCHED, 6, 3, UNTOUCHED}},
      {{180, 1}, {3, 2}, {6, 5, 4, UNTOUCHED, 3, 2, 1, UNTOUCHED}},
      {{270, 1}, {2, 3}, {3, 6, UNTOUCHED, 2, 5, UNTOUCHED, 1, 4, UNTOUCHED}},
      {{90, 2}, {4, 6}, {4, 4, 1, 1, UNTOUCHED, 4, 4, 1, 1, UNTOUCHED, 5, 5, 2, 2, UNTOUCHED,
                         5, 5, 2, 2, UNTOUCHED, 6, 6, 3, 3, UNTOUCHED, 6, 6, 3, 3, UNTOUCHED}},
      // A window too small for the picture gets the part that fits.
      {{270, 1}, {1, 2}, {3, UNTOUCHED, 2, UNTOUCHED}},
      {{0, 2},
       {3, 3},
       {1, 1, UNTOUCHED, UNTOUCHED, 1, 1, UNTOUCHED, UNTOUCHED, UNTOUCHED, UNTOUCHED, UNTOUCHED,
        UNTOUCHED}},
  };
  for (const TurnCase& c : cases) {
    std::vector<uint32_t> program = PROGRAM_PIXELS;
    std::vector<uint32_t> window(c.expected.size(), UNTOUCHED);
    turnPlane({program.data(), PROGRAM.width, PROGRAM.height, PROGRAM.width},
              {window.data(), c.window.width, c.window.height, c.window.width + 1}, c.turn);
    EXPECT_EQ(window, c.expected) << c.turn.degrees << " degrees, scale " << c.turn.scale;
    EXPECT_EQ(program, PROGRAM_PIXELS) << "the program's screen is only read";
  }
}

TEST(Turning, WindowSizesAndPointsTurnedBack) {
  struct Case {
    Turn turn;
    PlaneSize window;
    PlanePoint shown;
    PlanePoint program;
  };
  constexpr Case cases[] = {
      {{90, 1}, {2, 3}, {1, 2}, {2, 0}},
      {{180, 1}, {3, 2}, {0, 0}, {2, 1}},
      {{270, 1}, {2, 3}, {1, 2}, {0, 1}},
      {{90, 2}, {4, 6}, {3, 5}, {2, 0}},
      {{0, 3}, {9, 6}, {8, 5}, {2, 1}},
      // Beyond the window (a window manager's larger one): the nearest edge.
      {{90, 1}, {2, 3}, {-5, 100}, {2, 1}},
  };
  for (const Case& c : cases) {
    const PlaneSize window = turnedSize(PROGRAM, c.turn);
    EXPECT_EQ(window.width, c.window.width);
    EXPECT_EQ(window.height, c.window.height);
    const PlanePoint back = programPoint(c.shown, PROGRAM, c.turn);
    EXPECT_EQ(std::pair(back.x, back.y), std::pair(c.program.x, c.program.y))
        << c.turn.degrees << " degrees, scale " << c.turn.scale;
  }
}

}  // namespace

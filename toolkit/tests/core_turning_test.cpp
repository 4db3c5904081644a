#include <cstdlib>
#include <vector>

#include "recorder.h"
#include "rig.h"
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
      {{0, 1}, {3, 2}, {1, 2, 3, UNTOUCHED, 4, 5, 6, UNTOUCHED}},
      {{90, 1}, {2, 3}, {4, 1, UNTOUCHED, 5, 2, UNTOUCHED, 6, 3, UNTOUCHED}},
      {{180, 1}, {3, 2}, {6, 5, 4, UNTOUCHED, 3, 2, 1, UNTOUCHED}},
      {{270, 1}, {2, 3}, {3, 6, UNTOUCHED, 2, 5, UNTOUCHED, 1, 4, UNTOUCHED}},
      {{90, 2}, {4, 6}, {4, 4, 1, 1, UNTOUCHED, 4, 4, 1, 1, UNTOUCHED, 5, 5, 2, 2, UNTOUCHED,
                         5, 5, 2, 2, UNTOUCHED, 6, 6, 3, 3, UNTOUCHED, 6, 6, 3, 3, UNTOUCHED}},
      {{180, 2}, {6, 4}, {6, 6, 5, 5, 4, 4, UNTOUCHED, 6, 6, 5, 5, 4, 4, UNTOUCHED,
                          3, 3, 2, 2, 1, 1, UNTOUCHED, 3, 3, 2, 2, 1, 1, UNTOUCHED}},
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
      {{0, 1}, {3, 2}, {2, 1}, {2, 1}},
      {{90, 1}, {2, 3}, {0, 0}, {0, 1}},
      {{90, 1}, {2, 3}, {1, 2}, {2, 0}},
      {{180, 1}, {3, 2}, {0, 0}, {2, 1}},
      {{270, 1}, {2, 3}, {0, 0}, {2, 0}},
      {{270, 1}, {2, 3}, {1, 2}, {0, 1}},
      {{90, 2}, {4, 6}, {3, 5}, {2, 0}},
      {{90, 2}, {4, 6}, {1, 1}, {0, 1}},
      {{0, 3}, {9, 6}, {8, 5}, {2, 1}},
      {{180, 2}, {6, 4}, {5, 3}, {0, 0}},
      // Beyond the window (a window manager's larger one): the nearest edge.
      {{0, 1}, {3, 2}, {100, 100}, {2, 1}},
      {{90, 1}, {2, 3}, {-5, 100}, {2, 1}},
  };
  for (const Case& c : cases) {
    const PlaneSize window = turnedSize(PROGRAM, c.turn);
    EXPECT_EQ(window.width, c.window.width);
    EXPECT_EQ(window.height, c.window.height);
    const PlanePoint back = programPoint(c.shown, PROGRAM, c.turn);
    EXPECT_EQ(back.x, c.program.x) << c.turn.degrees << " degrees, scale " << c.turn.scale << " at "
                                   << c.shown.x << ", " << c.shown.y;
    EXPECT_EQ(back.y, c.program.y) << c.turn.degrees << " degrees, scale " << c.turn.scale << " at "
                                   << c.shown.x << ", " << c.shown.y;
  }
}

class TurnedScreen : public ScreenTest {
 protected:
  void TearDown() override {
    unsetenv("KIOSKTK_ROTATION");
    unsetenv("KIOSKTK_SCALE");
    initGraphics();  // the plain screen again for the tests after this one
    ScreenTest::TearDown();
  }
};

// The program draws and is touched on its own screen; the window shows it
// turned once per flip.
TEST_F(TurnedScreen, ShowsTheScreenTurnedAndTurnsTouchesBack) {
  EXPECT_FALSE(setRotation(90)) << "the screen is open already";
  EXPECT_FALSE(setRotation(45));
  setenv("KIOSKTK_ROTATION", "270", 1);
  setenv("KIOSKTK_SCALE", "2", 1);
  initGraphics();
  SDL_Surface* window = SDL_GetVideoSurface();
  ASSERT_NE(window, screen);
  EXPECT_EQ(screen->w, screenWidth);
  EXPECT_EQ(screen->h, screenHeight);
  EXPECT_EQ(window->w, 2 * screenHeight);
  EXPECT_EQ(window->h, 2 * screenWidth);

  View* view = insertView(VIEW_PLAIN, 30, 20, 10, 40, 0, "", 0, 0, 0, 0, STATUS_SHOWN);
  resetFlipCount();
  fillView(view, 0x123456);
  EXPECT_EQ(flipCount(), 1);
  // At 270 degrees the program's (x, y) shows at (y, W - 1 - x), twice as large.
  const auto shownPixel = [window](int x, int y) {
    return static_cast<const uint32_t*>(window->pixels)[y * (window->pitch / 4) + x];
  };
  EXPECT_EQ(shownPixel(2 * 40, 2 * (screenWidth - 1 - 10)), 0x123456u);
  EXPECT_EQ(shownPixel(2 * 59 + 1, 2 * (screenWidth - 1 - 39) + 1), 0x123456u);
  EXPECT_EQ(shownPixel(2 * 39 + 1, 2 * (screenWidth - 1 - 10)), 0u);
  EXPECT_EQ(shownPixel(2 * 40, 2 * (screenWidth - 1 - 40)), 0u);

  // The program's (11, 41) shows at (2 * 41, 2 * (W - 1 - 11)).
  clearRecordedCalls();
  pushPress(2 * 41 + 1, 2 * (screenWidth - 1 - 11));
  pushMotion(2 * 42, 2 * (screenWidth - 1 - 13) + 1);
  pushRelease(2 * 59 - 1, 2 * (screenWidth - 1 - 39));
  dispatch();
  EXPECT_EQ(recordedCalls,
            (std::vector<std::string>{"viewDown 0 1 1", "viewMotion 0 3 2", "viewUp 0 29 18"}));
}

}  // namespace

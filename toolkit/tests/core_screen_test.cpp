#include <cstdlib>
#include <utility>

#include "rig.h"

namespace {

class Screen : public ScreenTest {};

TEST_F(Screen, IsOpenAtTheProgramsSize) {
  EXPECT_EQ(screen->w, screenWidth);
  EXPECT_EQ(screen->h, screenHeight);
  EXPECT_EQ(screen->format->BytesPerPixel, 4);
}

TEST_F(Screen, RotationIsChosenBeforeTheScreenOpens) {
  EXPECT_FALSE(setRotation(90)) << "the screen is open already";
  EXPECT_FALSE(setRotation(45));
}

TEST_F(Screen, OpensAtTheSizeChosenBeforeIt) {
  EXPECT_FALSE(setScreenSize(300, 200)) << "the screen is open already";
  closeDummyScreen();
  for (const auto& [width, height] : {std::pair{0, 200}, {300, 0}, {8193, 200}, {300, 8193}}) {
    EXPECT_FALSE(setScreenSize(width, height)) << width << "x" << height;
  }
  EXPECT_TRUE(setScreenSize(8192, 1));
  EXPECT_TRUE(setScreenSize(300, 200));
  openDummyScreen();
  EXPECT_EQ(std::pair(screen->w, screen->h), std::pair(300, 200));
  closeDummyScreen();
  EXPECT_TRUE(setScreenSize(screenWidth, screenHeight));
  openDummyScreen();
}

TEST_F(Screen, PixelsAreStoredUnmapped) {
  for (uint32_t colour : {0x00000000u, 0x00FFFFFFu, 0x00123456u, 0xFFFFFFFFu, 0x80000001u}) {
    setPixel(3, 4, static_cast<int>(colour));
    EXPECT_EQ(static_cast<uint32_t>(getPixel(3, 4)), colour);
    const auto* word = reinterpret_cast<const uint32_t*>(
                           static_cast<const uint8_t*>(screen->pixels) + 4 * screen->pitch) +
                       3;
    EXPECT_EQ(*word, colour);
  }
  EXPECT_EQ(flipCount(), 0) << "pixel access neither locks nor flips";
}

TEST_F(Screen, PixelsOutsideTheSurfaceAreIgnoredAndReadAsZero) {
  clearScreen(0x00ABCDEF);
  const auto before = snapshot();
  const Point outside[] = {{-1, 0},
                           {0, -1},
                           {screenWidth, 0},
                           {0, screenHeight},
                           {-100000, 5},
                           {5, 1 << 30},
                           {screenWidth, screenHeight},
                           {-1, -1},
                           {INT32_MIN, INT32_MIN}};
  for (auto [x, y] : outside) {
    setPixel(x, y, 0x112233);
    EXPECT_EQ(getPixel(x, y), 0) << x << ", " << y;
  }
  EXPECT_EQ(snapshot(), before);
}

TEST_F(Screen, FillScreenSetsEveryPixelAndFlipsOnce) {
  fillScreen(0x00C0FFEE);
  EXPECT_EQ(flipCount(), 1);
  EXPECT_TRUE(pointsNot(0x00C0FFEE).empty());
}

TEST_F(Screen, FillViewSetsExactlyItsRectangle) {
  View* v = insertView(VIEW_PLAIN, 3, 2, 10, 20, 0, "", 0, 0, 0, 0, STATUS_SHOWN);
  fillView(v, 0x00FF0000);
  EXPECT_EQ(flipCount(), 1);
  EXPECT_EQ(pointsOf(0x00FF0000), rectanglePoints(10, 20, 12, 21));
}

TEST_F(Screen, EmptyFillViewStillFlips) {
  struct Case {
    int width, height;
  };
  for (Case c : {Case{0, 5}, Case{5, 0}, Case{-3, 5}, Case{5, -3}}) {
    resetFlipCount();
    View* v = insertView(VIEW_PLAIN, c.width, c.height, 10, 20, 0, "", 0, 0, 0, 0, STATUS_SHOWN);
    fillView(v, 0x00FF0000);
    EXPECT_EQ(flipCount(), 1);
    EXPECT_TRUE(pointsOf(0x00FF0000).empty()) << c.width << " by " << c.height;
  }
}

TEST_F(Screen, FillViewReachingBeyondTheSurfaceFillsOnlyWhatLiesOnIt) {
  View* v = insertView(VIEW_PLAIN, 40, 30, screenWidth - 10, -5, 0, "", 0, 0, 0, 0, STATUS_SHOWN);
  fillView(v, 0x0000FF00);
  EXPECT_EQ(pointsOf(0x0000FF00), rectanglePoints(screenWidth - 10, 0, screenWidth - 1, 24));

  View* huge = insertView(VIEW_PLAIN, INT32_MAX, INT32_MAX, -INT32_MAX + 5, 7, 0, "", 0, 0, 0, 0,
                          STATUS_SHOWN);
  fillView(huge, 0x000000FF);
  EXPECT_EQ(pointsOf(0x000000FF), rectanglePoints(0, 7, 4, screenHeight - 1));
}

TEST_F(Screen, BracketLocksWhereSdlNeedsItAndFlips) {
  enterGraphics();
  EXPECT_EQ(lockDepth(), SDL_MUSTLOCK(screen) ? 1 : 0);
  exitGraphics();
  EXPECT_EQ(lockDepth(), 0);
  EXPECT_EQ(flipCount(), 1);
}

// What sdl12-compat is told before SDL starts, unless the user said otherwise.
TEST_F(Screen, OpeningChoosesSdlSettingsTheUserLeftUnset) {
  struct Case {
    const char* variable;
    const char* users;  // null: left unset
    const char* expected;
  };
  constexpr Case cases[] = {
      {"SDL_RENDER_DRIVER", "opengl", "opengl"},
      {"SDL_FRAMEBUFFER_ACCELERATION", nullptr, "0"},
      {"SDL12COMPAT_SCALE_METHOD", nullptr, "nearest"},
  };
  for (const Case& c : cases) {
    if (c.users != nullptr) {
      setenv(c.variable, c.users, 1);
    } else {
      unsetenv(c.variable);
    }
  }
  initGraphics();
  for (const Case& c : cases) {
    const char* value = std::getenv(c.variable);
    ASSERT_NE(value, nullptr) << c.variable;
    EXPECT_STREQ(value, c.expected) << c.variable;
  }
}

}  // namespace

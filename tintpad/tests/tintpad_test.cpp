#include "tintpad.h"

#include <gtest/gtest.h>

#include <cstdlib>

extern "C" {
int __real_SDL_Flip(SDL_Surface* surface);
static int flips = 0;
int __wrap_SDL_Flip(SDL_Surface* surface) {
  ++flips;
  return __real_SDL_Flip(surface);
}
}

namespace {

uint32_t pixelAt(int x, int y) {
  return static_cast<const uint32_t*>(screen->pixels)[y * (screen->pitch / 4) + x];
}

// Starts the pad once on the dummy driver; each test begins with the display white.
class Pad : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    startTintpad();
  }
  void SetUp() override {
    fillView(display, 0xFFFFFF);
    quit = 0;
    flips = 0;
  }
  static void press(int x, int y, Uint8 button = SDL_BUTTON_LEFT) {
    SDL_Event e{};
    e.type = SDL_MOUSEBUTTONDOWN;
    e.button.type = SDL_MOUSEBUTTONDOWN;
    e.button.button = button;
    e.button.x = static_cast<Uint16>(x);
    e.button.y = static_cast<Uint16>(y);
    SDL_PushEvent(&e);
  }
};

TEST_F(Pad, StartScreenHasSixViewsInOrder) {
  ASSERT_EQ(noOfViews(), 6);
  PadView* const expected[] = {background, display, button1, button2, button3, button4};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(getView(i), expected[i]) << i;
  EXPECT_EQ(screen->w, 400);
  EXPECT_EQ(screen->h, 600);
}

TEST_F(Pad, HitTestFollowsStrictEdgesAndLastCreatedView) {
  struct Case {
    int x, y;
    PadView* const* hit;  // pointer to the global, null for no view
  };
  const Case cases[] = {
      {0, 0, nullptr},         {0, 300, nullptr},       {200, 0, nullptr},
      {1, 1, &background},     {399, 599, &background}, {30, 190, &background},
      {31, 190, &display},     {379, 229, &display},    {380, 229, &background},
      {30, 290, &background},  {31, 251, &button1},     {109, 329, &button1},
      {110, 290, &background}, {121, 251, &button2},    {289, 329, &button3},
      {300, 290, &background}, {379, 329, &button4},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(findView(c.x, c.y), c.hit ? *c.hit : nullptr) << c.x << ", " << c.y;
  }
}

TEST_F(Pad, PressesQueuedBehindTheQuittingPressAreStillHandled) {
  press(5, 5);        // background: quit
  press(70, 290, 3);  // red, right button
  eventLoop();
  EXPECT_EQ(quit, 1);
  EXPECT_EQ(pixelAt(200, 190), 0xFF0000u);
  EXPECT_EQ(flips, 1) << "one fill, one flip";
}

TEST_F(Pad, ReleasesMotionAndKeysAreDiscarded) {
  SDL_Event e{};
  for (Uint8 type : {SDL_MOUSEBUTTONUP, SDL_MOUSEMOTION, SDL_KEYDOWN}) {
    e.type = type;
    e.button.x = 70;
    e.button.y = 290;
    SDL_PushEvent(&e);
  }
  eventLoop();
  EXPECT_EQ(quit, 0);
  EXPECT_EQ(flips, 0);
  EXPECT_EQ(pixelAt(200, 190), 0xFFFFFFu);
}

// The close button ends the pad; an uncovered window is shown again.
TEST_F(Pad, CloseRequestQuitsAndExposeShows) {
  SDL_Event e{};
  e.type = SDL_VIDEOEXPOSE;
  SDL_PushEvent(&e);
  eventLoop();
  EXPECT_EQ(flips, 1);
  EXPECT_EQ(quit, 0);
  e.type = SDL_QUIT;
  SDL_PushEvent(&e);
  eventLoop();
  EXPECT_EQ(quit, 1);
  EXPECT_EQ(flips, 1);
}

TEST_F(Pad, FillViewClipsToTheSurface) {
  PadView outside{50, 50, 380, 580};
  fillView(&outside, 0x123456);
  EXPECT_EQ(pixelAt(399, 599), 0x123456u);
  EXPECT_EQ(pixelAt(379, 579), 0x505050u);
  EXPECT_EQ(flips, 1);
  fillView(background, 0x505050);
}

// The list holds 80 views; further records are built but never registered.
TEST_F(Pad, ListStopsAtEightySlots) {
  const int before = noOfViews();
  for (int i = before; i < PAD_VIEW_SLOTS; ++i) insertView(1, 1, 0, 0);
  EXPECT_EQ(noOfViews(), PAD_VIEW_SLOTS);
  PadView* extra = insertView(10, 20, 30, 40);
  ASSERT_NE(extra, nullptr);
  EXPECT_EQ(extra->height, 20);
  EXPECT_EQ(noOfViews(), PAD_VIEW_SLOTS);
  EXPECT_NE(getView(PAD_VIEW_SLOTS - 1), extra);
  delete extra;
  no_of_views = before;
}

}  // namespace

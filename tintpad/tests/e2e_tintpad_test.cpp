// The real tintpad on Xvfb, driven by XTest pointer and key events.
#include <csignal>
#include <string>

#include "harness.h"

namespace {

constexpr int WIDTH = 400;
constexpr int HEIGHT = 600;

constexpr uint32_t DARK_GREY = 0x505050;
constexpr uint32_t WHITE = 0xFFFFFF;
constexpr uint32_t RED = 0xFF0000;
constexpr uint32_t GREEN = 0x00FF00;
constexpr uint32_t BLUE = 0x0000FF;
constexpr uint32_t LIGHT_GREY = 0xB4B4B4;

struct Painted {
  int x0, y0, x1, y1;  // inclusive
  uint32_t colour;
};

// The start screen; later rectangles lie on top.
constexpr Painted START_SCREEN[] = {
    {0, 0, 399, 599, DARK_GREY}, {30, 150, 379, 229, WHITE}, {30, 250, 109, 329, RED},
    {120, 250, 199, 329, GREEN}, {210, 250, 289, 329, BLUE}, {300, 250, 379, 329, LIGHT_GREY},
};

uint32_t expectedAt(int x, int y, uint32_t displayColour) {
  uint32_t colour = 0;
  for (const Painted& p : START_SCREEN) {
    if (p.x0 <= x && x <= p.x1 && p.y0 <= y && y <= p.y1) colour = p.colour;
  }
  const bool inDisplay = 30 <= x && x <= 379 && 150 <= y && y <= 229;
  return inDisplay ? displayColour : colour;
}

// Counts the pixels that differ from the start screen with the display in the given colour.
int mismatches(const Screenshot& shot, uint32_t displayColour, std::string& first) {
  int count = 0;
  for (int y = 0; y < HEIGHT; ++y) {
    for (int x = 0; x < WIDTH; ++x) {
      const uint32_t want = expectedAt(x, y, displayColour);
      if (shot.at(x, y) != want && count++ == 0) {
        char text[96];
        std::snprintf(text, sizeof text, "(%d, %d) is %06X, not %06X", x, y, shot.at(x, y), want);
        first = text;
      }
    }
  }
  return count;
}

class Tintpad : public ::testing::TestWithParam<Runtime> {
 protected:
  void SetUp() override {
    pad = std::make_unique<XSession>(programPath("tintpad"), WIDTH, HEIGHT, GetParam());
    ASSERT_TRUE(pad->ok()) << pad->error();
  }

  void expectScreen(uint32_t displayColour, const std::string& after) {
    std::string first;
    EXPECT_EQ(mismatches(pad->capture(), displayColour, first), 0)
        << "after " << after << ": " << first;
  }

  std::unique_ptr<XSession> pad;
};

TEST_P(Tintpad, StartScreenShowsTheSixRectangles) {
  expectScreen(WHITE, "start-up");
  EXPECT_TRUE(pad->running());
  EXPECT_EQ(pad->windowTitle(), "tintpad");
}

TEST_P(Tintpad, PressesPaintTheDisplay) {
  struct Press {
    int x, y, button;
    uint32_t display;
    const char* what;
  };
  const Press presses[] = {
      {70, 290, 1, RED, "red square"},
      {31, 190, 1, WHITE, "display's first touchable column"},
      {121, 251, 1, GREEN, "green square's first touchable point"},
      {379, 229, 1, WHITE, "display's last column and row"},
      {289, 329, 1, BLUE, "blue square's last column and row"},
      {340, 290, 1, LIGHT_GREY, "grey square"},
      {340, 290, 1, LIGHT_GREY, "grey square again"},
      {160, 300, 3, GREEN, "right button on green"},
      {250, 300, 2, BLUE, "middle button on blue"},
      {70, 300, 4, RED, "wheel step up on red"},
      {340, 300, 5, LIGHT_GREY, "wheel step down on grey"},
      {0, 300, 1, LIGHT_GREY, "left column"},
      {200, 0, 1, LIGHT_GREY, "top row"},
      {0, 0, 1, LIGHT_GREY, "top-left corner"},
  };
  for (const Press& p : presses) {
    pad->click(p.x, p.y, p.button);
    ASSERT_TRUE(pad->running()) << p.what;
    expectScreen(p.display, p.what);
  }
}

TEST_P(Tintpad, ReleasesDragsAndKeysDoNothing) {
  pad->click(70, 290);  // red
  // Press on green, drag across the background and release there.
  pad->moveTo(160, 290);
  pad->press();
  pad->settle();
  expectScreen(GREEN, "the press that starts a drag");
  for (auto [x, y] : {std::pair{160, 400}, {10, 500}, {5, 5}}) {
    pad->moveTo(x, y);
    pad->settle();
  }
  pad->release();
  pad->settle();
  pad->key("Escape");
  pad->key("q");
  pad->key("space");
  pad->settle();
  EXPECT_TRUE(pad->running());
  expectScreen(GREEN, "drag, release on the background and keys");
}

using ExitCase = std::tuple<Runtime, std::pair<int, int>>;

// Quit requests from the window system are ignored, but the usual signals
// still end the program.
TEST_P(Tintpad, InterruptAndTerminateSignalsEndTheProgram) {
  pad->sendSignal(SIGTERM);
  EXPECT_EQ(pad->waitSignal(20000), SIGTERM);
  XSession second(programPath("tintpad"), WIDTH, HEIGHT, GetParam());
  ASSERT_TRUE(second.ok()) << second.error();
  second.sendSignal(SIGINT);
  EXPECT_EQ(second.waitSignal(20000), SIGINT);
}

class TintpadExit : public ::testing::TestWithParam<ExitCase> {};

std::string exitCaseName(const ::testing::TestParamInfo<ExitCase>& info) {
  const auto& [runtime, point] = info.param;
  return runtime.name + "_at_" + std::to_string(point.first) + "_" + std::to_string(point.second);
}

TEST_P(TintpadExit, PressOnTheBackgroundEndsWithStatusZero) {
  const auto& [runtime, point] = GetParam();
  XSession pad(programPath("tintpad"), WIDTH, HEIGHT, runtime);
  ASSERT_TRUE(pad.ok()) << pad.error();
  pad.moveTo(point.first, point.second);
  pad.press();
  EXPECT_EQ(pad.waitExit(20000), 0) << pad.stderrText();
}

INSTANTIATE_TEST_SUITE_P(Runtimes, Tintpad, ::testing::ValuesIn(sdlRuntimes()), runtimeName);

// The display's left edge, the red square's left edge and first column after
// it, a gap between squares, and open background.
INSTANTIATE_TEST_SUITE_P(
    Runtimes, TintpadExit,
    ::testing::Combine(::testing::ValuesIn(sdlRuntimes()),
                       ::testing::Values(std::pair{30, 190}, std::pair{30, 290},
                                         std::pair{110, 290}, std::pair{205, 290},
                                         std::pair{200, 500})),
    exitCaseName);

}  // namespace

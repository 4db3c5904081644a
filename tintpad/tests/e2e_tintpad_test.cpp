// The real tintpad on Xvfb, driven by XTest pointer and key events.
#include <csignal>
#include <string>

#include "harness.h"

namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 600;

constexpr uint32_t kDarkGrey = 0x505050;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kGreen = 0x00FF00;
constexpr uint32_t kBlue = 0x0000FF;
constexpr uint32_t kLightGrey = 0xB4B4B4;

struct Painted {
  int x0, y0, x1, y1;  // inclusive
  uint32_t colour;
};

// The start screen; later rectangles lie on top.
constexpr Painted kStartScreen[] = {
    {0, 0, 399, 599, kDarkGrey},  {30, 150, 379, 229, kWhite}, {30, 250, 109, 329, kRed},
    {120, 250, 199, 329, kGreen}, {210, 250, 289, 329, kBlue}, {300, 250, 379, 329, kLightGrey},
};

uint32_t expectedAt(int x, int y, uint32_t displayColour) {
  uint32_t colour = 0;
  for (const Painted& p : kStartScreen) {
    if (p.x0 <= x && x <= p.x1 && p.y0 <= y && y <= p.y1) colour = p.colour;
  }
  const bool inDisplay = 30 <= x && x <= 379 && 150 <= y && y <= 229;
  return inDisplay ? displayColour : colour;
}

// Counts the pixels that differ from the start screen with the display in the given colour.
int mismatches(const Screenshot& shot, uint32_t displayColour, std::string& first) {
  int count = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
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
    pad = std::make_unique<XSession>(programPath("tintpad"), kWidth, kHeight, GetParam());
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
  expectScreen(kWhite, "start-up");
  EXPECT_TRUE(pad->running());
}

TEST_P(Tintpad, PressesPaintTheDisplay) {
  struct Press {
    int x, y, button;
    uint32_t display;
    const char* what;
  };
  const Press presses[] = {
      {70, 290, 1, kRed, "red square"},
      {31, 190, 1, kWhite, "display's first touchable column"},
      {121, 251, 1, kGreen, "green square's first touchable point"},
      {379, 229, 1, kWhite, "display's last column and row"},
      {289, 329, 1, kBlue, "blue square's last column and row"},
      {340, 290, 1, kLightGrey, "grey square"},
      {340, 290, 1, kLightGrey, "grey square again"},
      {160, 300, 3, kGreen, "right button on green"},
      {250, 300, 2, kBlue, "middle button on blue"},
      {70, 300, 4, kRed, "wheel step up on red"},
      {340, 300, 5, kLightGrey, "wheel step down on grey"},
      {0, 300, 1, kLightGrey, "left column"},
      {200, 0, 1, kLightGrey, "top row"},
      {0, 0, 1, kLightGrey, "top-left corner"},
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
  expectScreen(kGreen, "the press that starts a drag");
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
  expectScreen(kGreen, "drag, release on the background and keys");
}

using ExitCase = std::tuple<Runtime, std::pair<int, int>>;

// Quit requests from the window system are ignored, but the usual signals
// still end the program.
TEST_P(Tintpad, InterruptAndTerminateSignalsEndTheProgram) {
  pad->sendSignal(SIGTERM);
  EXPECT_EQ(pad->waitSignal(20000), SIGTERM);
  XSession second(programPath("tintpad"), kWidth, kHeight, GetParam());
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
  XSession pad(programPath("tintpad"), kWidth, kHeight, runtime);
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

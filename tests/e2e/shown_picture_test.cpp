// The picture as the display shows it: turned and scaled for a panel mounted
// on its side, and 1:1 in the middle of a display larger than the screen,
// with presses landing on what is shown there.
#include <memory>
#include <string>
#include <vector>

#include "harness.h"
#include "screen_text.h"

namespace {

constexpr int WIDTH = 400;
constexpr int HEIGHT = 600;

struct Shown {
  int degrees;
  int scale;
};

// Where the top-left corner of the program's pixel (x, y) shows, counted from
// the picture's own corner: at 90 degrees (HEIGHT - 1 - y, x).
std::pair<int, int> shownAt(int x, int y, Shown shown) {
  int across = x;
  int down = y;
  if (shown.degrees == 90) {
    across = HEIGHT - 1 - y;
    down = x;
  } else if (shown.degrees == 180) {
    across = WIDTH - 1 - x;
    down = HEIGHT - 1 - y;
  } else if (shown.degrees == 270) {
    across = y;
    down = WIDTH - 1 - x;
  }
  return {across * shown.scale, down * shown.scale};
}

// "" when the display shows the program's screen as asked, with the picture's
// corner at (left, top); else the first pixel that differs and how many do.
std::string compareShown(const Screenshot& display, int left, int top, const Screenshot& program,
                         Shown shown) {
  std::string first;
  int wrong = 0;
  for (int y = 0; y < HEIGHT; ++y) {
    for (int x = 0; x < WIDTH; ++x) {
      const auto [across, down] = shownAt(x, y, shown);
      for (int i = 0; i < shown.scale * shown.scale; ++i) {
        const int dx = left + across + i % shown.scale;
        const int dy = top + down + i / shown.scale;
        if (display.at(dx, dy) == program.at(x, y) || wrong++ > 0) continue;
        first = "(" + std::to_string(x) + ", " + std::to_string(y) + ") " +
                hexColour(program.at(x, y)) + " shows at (" + std::to_string(dx) + ", " +
                std::to_string(dy) + ") as " + hexColour(display.at(dx, dy));
      }
    }
  }
  return wrong == 0 ? "" : first + ", " + std::to_string(wrong) + " pixels differ";
}

// A program's screen at start-up and after one press, as it draws them on a
// display of its own size.
struct Reference {
  Screenshot start;
  Screenshot pressed;
};

Reference referenceOf(const std::string& program, std::pair<int, int> press,
                      const Runtime& runtime) {
  XSession session(programPath(program), WIDTH, HEIGHT, runtime);
  EXPECT_TRUE(session.ok()) << session.error();
  if (!session.ok()) return {};
  Reference reference{session.capture(), {}};
  session.click(press.first, press.second);
  reference.pressed = session.capture();
  EXPECT_NE(reference.start.pixels, reference.pressed.pixels) << program << ": the press drew";
  return reference;
}

class ShownPicture : public ::testing::TestWithParam<Runtime> {};

// The calculator turned and scaled: the screen shows turned, and a press on
// the turned 7 key types 7.
TEST_P(ShownPicture, TurnedAndScaledWithPressesTurnedBack) {
  const std::pair<int, int> seven = keyCentre(keyLook('7'));
  const Reference reference = referenceOf("tallyboard", seven, GetParam());
  const Shown table[] = {{90, 1}, {180, 1}, {270, 1}, {90, 2}, {0, 2}};
  for (const Shown shown : table) {
    SCOPED_TRACE(std::to_string(shown.degrees) + " degrees, scale " + std::to_string(shown.scale));
    const bool onItsSide = shown.degrees % 180 != 0;
    const int width = (onItsSide ? HEIGHT : WIDTH) * shown.scale;
    const int height = (onItsSide ? WIDTH : HEIGHT) * shown.scale;
    XSession calc(programPath("tallyboard"), width, height, GetParam(), "", false, {},
                  {"KIOSKTK_ROTATION=" + std::to_string(shown.degrees),
                   "KIOSKTK_SCALE=" + std::to_string(shown.scale)});
    ASSERT_TRUE(calc.ok()) << calc.error();
    EXPECT_EQ(compareShown(calc.capture(), 0, 0, reference.start, shown), "");
    const auto [x, y] = shownAt(seven.first, seven.second, shown);
    calc.click(x, y);
    EXPECT_EQ(compareShown(calc.capture(), 0, 0, reference.pressed, shown), "");
  }
}

// Without a window manager, on a display larger than the screen: 1:1 in the
// middle, and a press there lands on the button under it.
TEST_P(ShownPicture, CentredOneToOneOnALargerDisplay) {
  constexpr int DISPLAY_WIDTH = 1920;
  constexpr int DISPLAY_HEIGHT = 1080;
  constexpr int LEFT = (DISPLAY_WIDTH - WIDTH) / 2;
  constexpr int TOP = (DISPLAY_HEIGHT - HEIGHT) / 2;
  struct Program {
    const char* name;
    std::pair<int, int> press;
  };
  const Program programs[] = {{"tallyboard", keyCentre(keyLook('7'))},
                              {"tintpad", {70, 290}}};  // the red square
  for (const Program& program : programs) {
    SCOPED_TRACE(program.name);
    const Reference reference = referenceOf(program.name, program.press, GetParam());
    XSession session(programPath(program.name), DISPLAY_WIDTH, DISPLAY_HEIGHT, GetParam());
    ASSERT_TRUE(session.ok()) << session.error();
    EXPECT_EQ(compareShown(session.capture(), LEFT, TOP, reference.start, {0, 1}), "");
    session.click(LEFT + program.press.first, TOP + program.press.second);
    EXPECT_TRUE(session.running());
    EXPECT_EQ(compareShown(session.capture(), LEFT, TOP, reference.pressed, {0, 1}), "");
  }
}

INSTANTIATE_TEST_SUITE_P(Runtimes, ShownPicture, ::testing::ValuesIn(sdlRuntimes()), runtimeName);

// Refused before SDL starts, whatever the display.
TEST(ShownPictureSettings, BadValuesEndTheProgramWithStatusTwo) {
  const std::string refusals[][2] = {
      {"KIOSKTK_ROTATION=45", "tallyboard: KIOSKTK_ROTATION=45: must be 0, 90, 180 or 270\n"},
      {"KIOSKTK_ROTATION=090", "tallyboard: KIOSKTK_ROTATION=090: must be 0, 90, 180 or 270\n"},
      {"KIOSKTK_SCALE=5", "tallyboard: KIOSKTK_SCALE=5: must be 1, 2, 3 or 4\n"},
      {"KIOSKTK_SCALE=2x", "tallyboard: KIOSKTK_SCALE=2x: must be 1, 2, 3 or 4\n"},
  };
  for (const auto& [setting, line] : refusals) {
    XSession calc(programPath("tallyboard"), WIDTH, HEIGHT, sdlRuntimes().front(), "", false, {},
                  {setting});
    EXPECT_FALSE(calc.ok()) << setting;
    EXPECT_EQ(calc.waitExit(), 2) << setting;
    EXPECT_EQ(calc.stderrText(), line);
  }
}

}  // namespace

// The keypad and the keyboard in a real program on each SDL runtime: answered
// by touches and by keys, and the program's screen back as it was after each.
#include <string>

#include "harness.h"

namespace {

constexpr int W = 320, H = 240;
constexpr int KEYPAD_BUTTON_X = 84, KEYBOARD_BUTTON_X = 236, ENTRY_BUTTON_Y = 200;
// The setpoint's number view.
constexpr int SETPOINT_X = 184, SETPOINT_Y = 24, SETPOINT_W = 120, SETPOINT_H = 32;

// The centre of a keypad key: column and row of the grid below H / 3.
void tapKeypad(XSession& app, int column, int row) {
  app.click(column * (W / 3) + W / 6, H / 3 + row * (H / 6) + H / 12);
}

class Entry : public ::testing::TestWithParam<Runtime> {};

TEST_P(Entry, AnswersLeaveTheProgramsScreen) {
  XSession app(programPath("entry_scene"), W, H, GetParam());
  ASSERT_TRUE(app.ok()) << app.error();
  const Screenshot start = app.capture();

  app.click(KEYPAD_BUTTON_X, ENTRY_BUTTON_Y);
  EXPECT_FALSE(app.capture().pixels == start.pixels) << "no keypad shown";
  app.click(2 * W / 3 + W / 6, H / 12);  // Cancel
  EXPECT_TRUE(app.capture().pixels == start.pixels) << "Cancel left the screen changed";

  app.click(KEYPAD_BUTTON_X, ENTRY_BUTTON_Y);
  tapKeypad(app, 2, 0);  // 3
  tapKeypad(app, 1, 3);  // 0
  tapKeypad(app, 2, 3);  // OK
  const Screenshot answered = app.capture();
  for (int y = 0; y < H; ++y) {
    for (int x = 0; x < W; ++x) {
      const bool setpoint = x >= SETPOINT_X && x < SETPOINT_X + SETPOINT_W && y >= SETPOINT_Y &&
                            y < SETPOINT_Y + SETPOINT_H;
      if (!setpoint) {
        ASSERT_EQ(answered.at(x, y), start.at(x, y)) << x << ", " << y;
      }
    }
  }

  app.click(KEYBOARD_BUTTON_X, ENTRY_BUTTON_Y);
  app.keys("x Return");
  app.moveTo(0, H / 2);
  app.press();
  app.release();
  EXPECT_EQ(app.waitExit(), 0);
  EXPECT_EQ(app.stderrText(), "number 30\ntext Lobbyx\n");
}

INSTANTIATE_TEST_SUITE_P(Runtimes, Entry, ::testing::ValuesIn(sdlRuntimes()), runtimeName);

}  // namespace

// The real tallyboard on Xvfb, driven by XTest pointer events alone and read
// back pixel by pixel.
#include <cmath>
#include <memory>
#include <string>
#include <string_view>

#include "harness.h"
#include "screen_text.h"

namespace {

constexpr int WIDTH = 400;
constexpr int HEIGHT = 600;

constexpr uint32_t WHITE = 0xFFFFFF;
constexpr uint32_t BODY_GREY = 0xB4B4B4;
constexpr uint32_t TITLE_GREY = 0x505050;
constexpr uint32_t BARE = 0x000000;

class Tallyboard : public ::testing::TestWithParam<Runtime> {
 protected:
  void SetUp() override {
    calc = std::make_unique<XSession>(programPath("tallyboard"), WIDTH, HEIGHT, GetParam());
    ASSERT_TRUE(calc->ok()) << calc->error();
  }

  void tap(std::string_view keys) {
    for (char name : keys) {
      const auto [x, y] = keyCentre(keyLook(name));
      calc->click(x, y);
    }
  }
  void hold(char name) {
    const auto [x, y] = keyCentre(keyLook(name));
    calc->moveTo(x, y);
    calc->press();
    calc->settle();
  }
  void letGo() {
    calc->release();
    calc->settle();
  }

  PixelReader reader() {
    auto shot = std::make_shared<Screenshot>(calc->capture());
    return [shot](int x, int y) { return shot->at(x, y); };
  }
  void expectDisplay(std::string_view shown, std::string_view after) {
    EXPECT_EQ(compareDisplay(reader(), shown), "") << "after " << after;
  }
  // Taps the keys and then expects the display to show the text.
  void expectChain(std::string_view keys, std::string_view shown) {
    tap(keys);
    expectDisplay(shown, keys);
  }
  void expectOperatorKeys(char lit, std::string_view after) {
    const PixelReader read = reader();
    for (char name : std::string_view("+-*/")) {
      if (name == lit) {
        EXPECT_EQ(compareKey(read, name, CAPTION_NEAR_WHITE, FUNCTION_BODY), "")
            << "'" << name << "' lit after " << after;
      } else {
        EXPECT_EQ(compareKey(read, name, FUNCTION_BODY, CAPTION_NEAR_WHITE), "")
            << "'" << name << "' dark after " << after;
      }
    }
  }
  void pressOffTheKeysEndsIt(int x, int y) {
    calc->moveTo(x, y);
    calc->press();
    EXPECT_EQ(calc->waitExit(20000), 0) << calc->stderrText();
  }

  std::unique_ptr<XSession> calc;
};

// Each handled event that drew is presented once: a key's press and its release.
TEST_P(Tallyboard, APressAndItsReleaseArePresentedOnceEach) {
  const uint64_t before = calc->flips();
  tap("7");
  EXPECT_EQ(calc->flips() - before, 2u);
}

TEST_P(Tallyboard, StartScreenChainsAndTheLitKey) {
  EXPECT_EQ(calc->windowTitle(), "tallyboard");
  {
    const PixelReader read = reader();
    for (int i = 5; i <= 395; ++i) {
      ASSERT_EQ(read(i, 5), WHITE) << "frame top at " << i;
      ASSERT_EQ(read(i, 595), WHITE) << "frame bottom at " << i;
      ASSERT_EQ(read(5, i), WHITE) << "frame left at " << i;
      ASSERT_EQ(read(395, i), WHITE) << "frame right at " << i;
    }
    for (int x = 35; x <= 365; ++x) ASSERT_EQ(read(x, 30), BODY_GREY) << "body top at " << x;
    for (int y = 40; y <= 570; ++y) ASSERT_EQ(read(25, y), BODY_GREY) << "body left at " << y;
    EXPECT_EQ(read(34, 30), BODY_GREY);
    EXPECT_EQ(read(25, 30), BARE) << "the body's corner is rounded";
    EXPECT_EQ(read(45, 95), BODY_GREY) << "display frame";
    EXPECT_EQ(read(355, 140), BODY_GREY) << "display frame";
    EXPECT_EQ(compareDisplay(read, "0"), "");
    for (char name : std::string_view("1234567890"))
      EXPECT_EQ(compareKey(read, name, DIGIT_BODY, CAPTION_NEAR_WHITE), "") << name;
    for (char name : std::string_view("C.+-*/"))
      EXPECT_EQ(compareKey(read, name, FUNCTION_BODY, CAPTION_NEAR_WHITE), "") << name;
    EXPECT_EQ(compareArea(read, {91, 530, 280, 556}, textPixels("TALLYBOARD", 93, 541, 3),
                          TITLE_GREY, BARE),
              "");
  }

  expectChain("12+", "12");
  expectOperatorKeys('+', "12+");
  tap("3");
  expectOperatorKeys(' ', "a digit after +");
  expectChain("*", "15");
  expectChain("2-", "30");
  expectChain("4/", "26");
  expectChain("4+", "6.5");
  expectOperatorKeys('+', "the worked chain");

  // Held again, the lit key is drawn dark; released, it is lit again.
  hold('+');
  expectOperatorKeys(' ', "pressing the lit + again");
  expectDisplay("13", "6.5 + 6.5");
  letGo();
  expectOperatorKeys('+', "releasing + again");

  expectChain("C", "0");
  expectOperatorKeys(' ', "CLR");
  expectChain("5+", "5");
  expectChain("+", "10");

  expectChain("C1/3+", "0.3333333333");

  volatile double infinity = INFINITY;
  const std::string nanText = std::signbit(infinity - infinity) ? "-nan" : "nan";
  expectChain("C2/0+", "inf");
  expectChain("-", "inf");
  expectChain("-", nanText);

  expectChain("C1.2.3+", "1.2");

  pressOffTheKeysEndsIt(200, 115);  // on the display
}

TEST_P(Tallyboard, OverflowLongEntriesSignsAndAReleaseElsewhere) {
  expectChain("99999*99999+", "************");
  expectChain("-", "************");
  expectChain("-", "0");

  // Thirteen characters typed: the display shows twelve, all of them count.
  expectChain("C0.000000000051", "0.0000000000");
  expectChain("+", "0.0000000001");

  expectChain("C0-5*", "-5");
  expectChain("0+", "-0");

  // A digit pressed and released on an operator key lights the operator but
  // does not apply it, and stays pressed itself.
  tap("C");
  const auto [x1, y1] = keyCentre(keyLook('1'));
  const auto [xm, ym] = keyCentre(keyLook('*'));
  calc->drag(x1, y1, xm, ym);
  expectDisplay("1", "a digit released on *");
  expectOperatorKeys('*', "a digit released on *");
  EXPECT_EQ(compareKey(reader(), '1', CAPTION_NEAR_WHITE, DIGIT_BODY), "") << "1 stays pressed";
  tap("1");
  EXPECT_EQ(compareKey(reader(), '1', DIGIT_BODY, CAPTION_NEAR_WHITE), "") << "1 released";
  expectChain("+", "11");

  pressOffTheKeysEndsIt(20, 300);  // the open area beside the keys
}

INSTANTIATE_TEST_SUITE_P(Runtimes, Tallyboard, ::testing::ValuesIn(sdlRuntimes()), runtimeName);

}  // namespace

#include "tallyboard.h"

#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "rig.h"
#include "screen_text.h"

namespace {

constexpr uint32_t WHITE = 0xFFFFFF;
constexpr uint32_t BODY_GREY = 0xB4B4B4;
constexpr uint32_t TITLE_GREY = 0x505050;
constexpr uint32_t BARE = 0x000000;  // the window background the rig clears to

uint32_t readScreen(int x, int y) { return static_cast<uint32_t>(getPixel(x, y)); }

class Calculator : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    startTallyboard();
  }

  static void pressKey(char name) {
    const auto [x, y] = keyCentre(keyLook(name));
    pushPress(x, y);
    dispatch();
  }
  static void releaseKey(char name) {
    const auto [x, y] = keyCentre(keyLook(name));
    pushRelease(x, y);
    dispatch();
  }
  static void tap(char name) {
    pressKey(name);
    releaseKey(name);
  }
  // Taps each key in turn; returns the display text after each operator key.
  static std::vector<std::string> results(std::string_view keys) {
    std::vector<std::string> shown;
    for (char name : keys) {
      tap(name);
      if (std::string_view("+-*/").find(name) != std::string_view::npos)
        shown.emplace_back(textarea->text);
    }
    return shown;
  }
  static View* keyView(char name) {
    return findView(keyCentre(keyLook(name)).first, keyCentre(keyLook(name)).second);
  }
};

TEST_F(Calculator, TwentyViewsInOrder) {
  struct Expected {
    int32_t type, width, height, xpos, ypos, id;
    const char* text;
    int32_t border, background, foreground;
  };
  const Expected expected[] = {
      {VIEW_LABEL, 400, 600, 0, 0, 0, "", -1, -1, 0x505050},
      {VIEW_LABEL, 320, 54, 40, 90, 0, "", -1, 0xB4B4B4, 0x505050},
      {VIEW_NUMVIEW, 300, 32, 50, 100, 0, "", 0x141414, 0xFFFFFF, 0x000000},
      {VIEW_BUTTON, 60, 50, 50, 230, 1, "1", 0xFFFFFF, 0x000000, 0xF0F0F0},
      {VIEW_BUTTON, 60, 50, 125, 230, 2, "2", 0xFFFFFF, 0x000000, 0xF0F0F0},
      {VIEW_BUTTON, 60, 50, 200, 230, 3, "3", 0xFFFFFF, 0x000000, 0xF0F0F0},
      {VIEW_BUTTON, 60, 50, 50, 300, 4, "4", 0xFFFFFF, 0x000000, 0xF0F0F0},
      {VIEW_BUTTON, 60, 50, 125, 300, 5, "5", 0xFFFFFF, 0x000000, 0xF0F0F0},
      {VIEW_BUTTON, 60, 50, 200, 300, 6, "6", 0xFFFFFF, 0x000000, 0xF0F0F0},
      {VIEW_BUTTON, 60, 50, 50, 370, 7, "7", 0xFFFFFF, 0x000000, 0xF0F0F0},
      {VIEW_BUTTON, 60, 50, 125, 370, 8, "8", 0xFFFFFF, 0x000000, 0xF0F0F0},
      {VIEW_BUTTON, 60, 50, 200, 370, 9, "9", 0xFFFFFF, 0x000000, 0xF0F0F0},
      {VIEW_BUTTON, 60, 50, 125, 440, 0, "0", 0xFFFFFF, 0x000000, 0xF0F0F0},
      {VIEW_BUTTON, 60, 50, 50, 440, 15, "CLR", 0xFFFFFF, 0x808080, 0xF0F0F0},
      {VIEW_BUTTON, 60, 50, 200, 440, 10, ".", 0xFFFFFF, 0x808080, 0xF0F0F0},
      {VIEW_BUTTON, 70, 50, 280, 230, 11, "+", 0xFFFFFF, 0x808080, 0xF0F0F0},
      {VIEW_BUTTON, 70, 50, 280, 300, 12, "-", 0xFFFFFF, 0x808080, 0xF0F0F0},
      {VIEW_BUTTON, 70, 50, 280, 370, 13, "*", 0xFFFFFF, 0x808080, 0xF0F0F0},
      {VIEW_BUTTON, 70, 50, 280, 440, 14, "/", 0xFFFFFF, 0x808080, 0xF0F0F0},
      {VIEW_LABEL, 320, 40, 90, 520, 0, "TALLYBOARD", -1, -1, 0x505050},
  };
  ASSERT_EQ(noOfViews(), 20);
  for (int i = 0; i < 20; ++i) {
    const View* v = getView(i);
    const Expected& e = expected[i];
    SCOPED_TRACE("view " + std::to_string(i));
    EXPECT_EQ(v->type, e.type);
    EXPECT_EQ(v->width, e.width);
    EXPECT_EQ(v->height, e.height);
    EXPECT_EQ(v->xpos, e.xpos);
    EXPECT_EQ(v->ypos, e.ypos);
    EXPECT_EQ(v->id, e.id);
    EXPECT_STREQ(v->text, e.text);
    EXPECT_EQ(v->border, e.border);
    EXPECT_EQ(v->background, e.background);
    EXPECT_EQ(v->foreground, e.foreground);
    EXPECT_EQ(v->value, 0);
  }
  EXPECT_EQ(screenview, getView(0));
  EXPECT_EQ(dispframe, getView(1));
  EXPECT_EQ(textarea, getView(2));
  EXPECT_EQ(screen->w, 400);
  EXPECT_EQ(screen->h, 600);
}

TEST_F(Calculator, StartsClearedWithNothingLit) {
  EXPECT_EQ(pre, 0);
  EXPECT_EQ(cur, 0);
  EXPECT_EQ(state, 0);
  EXPECT_EQ(op, 11);
  EXPECT_EQ(recentview, nullptr);
  EXPECT_EQ(quit, 0);
}

TEST_F(Calculator, WindowFrameAndBodyOutline) {
  // The white frame covers rows and columns 5 to 395 of its edges.
  for (int i = 5; i <= 395; ++i) {
    EXPECT_EQ(readScreen(i, 5), WHITE) << i;
    EXPECT_EQ(readScreen(5, i), WHITE) << i;
    EXPECT_EQ(readScreen(395, i), WHITE) << i;
  }
  for (int x = 5; x <= 395; ++x) EXPECT_EQ(readScreen(x, 595), WHITE) << x;
  EXPECT_EQ(readScreen(4, 4), BARE);
  EXPECT_EQ(readScreen(396, 300), BARE);
  EXPECT_EQ(readScreen(6, 6), BARE);

  // The rounded body outline: straight sides and the ends of its corner arcs.
  for (int x = 35; x <= 365; ++x) {
    EXPECT_EQ(readScreen(x, 30), BODY_GREY) << x;
    EXPECT_EQ(readScreen(x, 580), BODY_GREY) << x;
  }
  for (int y = 40; y <= 570; ++y) {
    EXPECT_EQ(readScreen(25, y), BODY_GREY) << y;
    EXPECT_EQ(readScreen(375, y), BODY_GREY) << y;
  }
  const Point arcPoints[] = {{34, 30},  {25, 39},  {28, 33},   {366, 30}, {375, 39},
                             {25, 571}, {34, 580}, {366, 580}, {375, 571}};
  for (auto [x, y] : arcPoints) EXPECT_EQ(readScreen(x, y), BODY_GREY) << x << ", " << y;
  EXPECT_EQ(readScreen(25, 30), BARE) << "the corner itself is cut off";
  EXPECT_EQ(readScreen(375, 580), BARE);
}

TEST_F(Calculator, DisplayFrameDisplayAndTitle) {
  EXPECT_EQ(compareDisplay(readScreen, "0"), "");
  for (int x = 50; x <= 350; ++x) {
    EXPECT_EQ(readScreen(x, 100), 0x141414u) << x;
    EXPECT_EQ(readScreen(x, 132), 0x141414u) << x;
  }
  // The grey frame shows around the display.
  const Point grey[] = {{40, 90},  {359, 90},  {40, 143}, {359, 143},
                        {45, 115}, {355, 115}, {200, 95}, {200, 138}};
  for (auto [x, y] : grey) EXPECT_EQ(readScreen(x, y), BODY_GREY) << x << ", " << y;
  EXPECT_EQ(readScreen(360, 115), BARE);
  EXPECT_EQ(readScreen(200, 144), BARE);

  // The title: text scale 3 from the origin (93, 541), on the bare background.
  EXPECT_EQ(compareArea(readScreen, {91, 530, 280, 556}, textPixels("TALLYBOARD", 93, 541, 3),
                        TITLE_GREY, BARE),
            "");
}

TEST_F(Calculator, KeysInTheirThemes) {
  for (char name : std::string_view("1234567890"))
    EXPECT_EQ(compareKey(readScreen, name, DIGIT_BODY, CAPTION_NEAR_WHITE), "") << name;
  for (char name : std::string_view("C.+-*/"))
    EXPECT_EQ(compareKey(readScreen, name, FUNCTION_BODY, CAPTION_NEAR_WHITE), "") << name;
  // White outlines: the left and right sides and the top of "1" and "+".
  const Point outline[] = {{50, 255},  {110, 255}, {80, 230},  {80, 280},
                           {280, 255}, {350, 255}, {315, 230}, {315, 280}};
  for (auto [x, y] : outline) EXPECT_EQ(readScreen(x, y), WHITE) << x << ", " << y;
}

TEST_F(Calculator, ChainsOfOperations) {
  struct Chain {
    const char* keys;
    std::vector<std::string> shown;  // after each operator key
  };
  const Chain chains[] = {
      {"12+3*2-4/4+", {"12", "15", "30", "26", "6.5"}},
      {"5++", {"5", "10"}},
      {"1/3+", {"1", "0.3333333333"}},
      {"1.2.3+", {"1.2"}},
      {"007+", {"7"}},
      {"99999*99999+", {"99999", "************"}},
      {"0-5*0+", {"0", "-5", "-0"}},
      {"7*+", {"7", "49"}},
      {"6-C+", {"6", "0"}},
      {"8/.+", {"8", "inf"}},
      {"+", {"0"}},
  };
  for (const Chain& chain : chains) {
    tap('C');
    EXPECT_EQ(results(chain.keys), chain.shown) << chain.keys;
    EXPECT_EQ(compareDisplay(readScreen, chain.shown.back()), "") << chain.keys;
  }
}

// pre keeps the full precision that the display text cuts off.
TEST_F(Calculator, PreviousResultKeepsFullPrecision) {
  EXPECT_EQ(results("1/3*"), (std::vector<std::string>{"1", "0.3333333333"}));
  EXPECT_EQ(pre, 1.0 / 3.0);
  EXPECT_EQ(cur, pre);
  EXPECT_EQ(state, 1);
  EXPECT_EQ(op, 13);
  EXPECT_EQ(results("3+"), (std::vector<std::string>{"1"}));
}

TEST_F(Calculator, DivisionByZeroPropagatesUntilClear) {
  volatile double infinity = INFINITY;
  const std::string nanText = std::signbit(infinity - infinity) ? "-nan" : "nan";
  EXPECT_EQ(results("2/0+--"), (std::vector<std::string>{"2", "inf", "inf", nanText}));
  EXPECT_EQ(compareDisplay(readScreen, nanText), "");
  EXPECT_EQ(results("5+"), (std::vector<std::string>{nanText}));
  EXPECT_EQ(results("C5+"), (std::vector<std::string>{"5"}));
}

// The overflow text stands for the result it replaces: the same number again.
TEST_F(Calculator, OverflowTextReadsAsTheLastResult) {
  EXPECT_EQ(results("99999*99999/"), (std::vector<std::string>{"99999", "************"}));
  EXPECT_EQ(pre, 9999800001.0);
  EXPECT_EQ(compareDisplay(readScreen, "************"), "");
  EXPECT_EQ(results("/"), (std::vector<std::string>{"1"}));
  EXPECT_EQ(results("C99999*99999--"), (std::vector<std::string>{"99999", "************", "0"}));
}

TEST_F(Calculator, DisplayShowsTwelveCharactersButAllCount) {
  results("12345678901234");
  EXPECT_STREQ(textarea->text, "12345678901234");
  EXPECT_EQ(compareDisplay(readScreen, "123456789012"), "");
  results("-");
  EXPECT_EQ(pre, 12345678901234.0);
  results("C0.000000000051+");
  EXPECT_STREQ(textarea->text, "0.0000000001");
}

TEST_F(Calculator, TypingStopsAtTheTextCapacity) {
  for (int i = 0; i < 30; ++i) tap('7');
  EXPECT_EQ(std::string(textarea->text), std::string(24, '7'));
  EXPECT_EQ(compareDisplay(readScreen, std::string(12, '7')), "");
  results("+");
  EXPECT_EQ(pre, 777777777777777777777777.0);
  results("12");
  EXPECT_STREQ(textarea->text, "12") << "a result is replaced by the next number";
}

TEST_F(Calculator, ClearResetsEverything) {
  results("12+3*4");
  tap('C');
  EXPECT_EQ(pre, 0);
  EXPECT_EQ(cur, 0);
  EXPECT_EQ(state, 0);
  EXPECT_EQ(op, 11);
  EXPECT_STREQ(textarea->text, "");
  EXPECT_EQ(compareDisplay(readScreen, "0"), "");
  EXPECT_EQ(compareKey(readScreen, '*', FUNCTION_BODY, CAPTION_NEAR_WHITE), "")
      << "no operator key stays lit";
}

TEST_F(Calculator, ReleasedOperatorKeyIsLitUntilTheNextPress) {
  View* plus = keyView('+');
  tap('+');
  EXPECT_EQ(recentview, plus);
  EXPECT_EQ(plus->value, 1);
  EXPECT_EQ(compareKey(readScreen, '+', CAPTION_NEAR_WHITE, FUNCTION_BODY), "");

  pressKey('4');
  EXPECT_EQ(plus->value, 0);
  EXPECT_EQ(compareKey(readScreen, '+', FUNCTION_BODY, CAPTION_NEAR_WHITE), "");
  EXPECT_EQ(compareKey(readScreen, '4', CAPTION_NEAR_WHITE, DIGIT_BODY), "") << "held down";
  releaseKey('4');
  EXPECT_EQ(compareKey(readScreen, '4', DIGIT_BODY, CAPTION_NEAR_WHITE), "");
  EXPECT_EQ(recentview, plus) << "kept, only dimmed";

  tap('-');
  EXPECT_EQ(recentview, keyView('-'));
  EXPECT_EQ(compareKey(readScreen, '-', CAPTION_NEAR_WHITE, FUNCTION_BODY), "");
  EXPECT_EQ(compareKey(readScreen, '+', FUNCTION_BODY, CAPTION_NEAR_WHITE), "");
}

TEST_F(Calculator, LitKeyHeldAgainIsDarkThenLitOnRelease) {
  results("5+");
  pressKey('+');
  EXPECT_EQ(compareKey(readScreen, '+', FUNCTION_BODY, CAPTION_NEAR_WHITE), "");
  EXPECT_STREQ(textarea->text, "10");
  releaseKey('+');
  EXPECT_EQ(compareKey(readScreen, '+', CAPTION_NEAR_WHITE, FUNCTION_BODY), "");
}

TEST_F(Calculator, DigitReleasedOnAnOperatorLightsItWithoutApplyingIt) {
  const auto [x1, y1] = keyCentre(keyLook('1'));
  const auto [xm, ym] = keyCentre(keyLook('*'));
  pushPress(x1, y1);
  pushMotion(200, y1);
  pushRelease(xm, ym);
  dispatch();
  EXPECT_STREQ(textarea->text, "1");
  EXPECT_EQ(op, 11) << "the pending operation is unchanged";
  EXPECT_EQ(state, 0);
  EXPECT_EQ(recentview, keyView('*'));
  EXPECT_EQ(compareKey(readScreen, '*', CAPTION_NEAR_WHITE, FUNCTION_BODY), "");
  EXPECT_EQ(keyView('1')->value, 1);
  EXPECT_EQ(compareKey(readScreen, '1', CAPTION_NEAR_WHITE, DIGIT_BODY), "") << "still pressed";

  tap('1');
  EXPECT_STREQ(textarea->text, "11");
  EXPECT_EQ(compareKey(readScreen, '1', DIGIT_BODY, CAPTION_NEAR_WHITE), "");
  EXPECT_EQ(results("+"), (std::vector<std::string>{"11"}));
}

TEST_F(Calculator, PressOffTheKeysEndsTheProgram) {
  const Point offKeys[] = {{20, 20},   {200, 115}, {45, 95},   {150, 540},
                           {117, 255}, {80, 220},  {380, 590}, {399, 599}};
  for (auto [x, y] : offKeys) {
    quit = 0;
    pushPress(x, y);
    dispatch();
    EXPECT_EQ(quit, 1) << x << ", " << y;
  }
  quit = 0;
  tap('5');
  tap('+');
  EXPECT_EQ(quit, 0) << "keys do not end it";
  pushRelease(200, 115);
  dispatch();
  EXPECT_EQ(quit, 0) << "a release on the display is no press";
  pushRelease(0, 0);
  dispatch();
  EXPECT_EQ(quit, 1) << "a release outside every view";
}

}  // namespace

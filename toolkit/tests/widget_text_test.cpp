#include <cstring>
#include <string>

#include "widget_picture.h"

namespace {

constexpr uint32_t GROUND = 0x00203040;
constexpr int GREY = 0xB4B4B4;
constexpr int RED = 0x00AA0000;
constexpr int GREEN = 0x0000AA00;
constexpr int BLUE = 0x000000AA;

class TextViews : public WidgetTest {};

void expectPicture(const std::vector<uint32_t>& picture) {
  const std::set<Point> wrong = differencesFrom(picture);
  EXPECT_TRUE(wrong.empty()) << describe(wrong);
}

TEST_F(TextViews, LabelTextSitsAtItsScale) {
  struct Case {
    int width, height;
    const char* text;
    int originX, originY, scale;
    const char* shown;
  };
  const Case cases[] = {
      {80, 32, " Label", 2, 14, 2, " Label"},
      {40, 24, "ABCDEFGH", 2, 14, 2, "ABC"},
      {200, 12, "Twelve", 1, 7, 1, "Twelve"},
      {36, 47, "abcd", 3, 21, 3, "ab"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    freeViewList();
    View* label = newLabel(c.width, c.height, 100, 100, c.text);
    const auto expected = referencePicture(GROUND, {}, [&] {
      drawText(c.shown, 100 + c.originX, 100 + c.originY, c.scale, 0x505050);
    });
    drawLabel(label);
    expectPicture(expected);
    EXPECT_EQ(flipCount(), 2) << "the text and the label's own bracket";
    EXPECT_STREQ(label->text, c.text) << "cutting never changes the view's text";
  }
}

TEST_F(TextViews, LabelFillAndFrame) {
  View* label = newLabel(80, 32, 100, 100, " Label");
  label->border = RED;
  label->background = GREEN;
  const auto expected = referencePicture(GROUND, {}, [] {
    drawFilledRectangle(80, 32, 100, 100, GREEN);
    drawRectangle(80, 32, 100, 100, 1, RED);
    drawText(" Label", 102, 114, 2, 0x505050);
  });
  drawLabel(label);
  expectPicture(expected);
  EXPECT_EQ(flipCount(), 7);
}

TEST_F(TextViews, ScaleZeroTextIsOneDotAtTheOrigin) {
  View* label = newLabel(50, 11, 300, 300, "Hi");
  View* number = newNumView(30, 7, 400, 300, "123");
  number->border = COLOR_NONE;
  number->background = COLOR_NONE;
  number->foreground = BLUE;
  View* button = newButton(40, 17, 500, 300, 1, "Hi");
  prepareScreen(GROUND, {});
  drawLabel(label);
  EXPECT_EQ(pointsNot(GROUND), (std::set<Point>{{300, 300}}));
  drawNumView(number);
  EXPECT_EQ(pointsOf(BLUE), (std::set<Point>{{430, 300}}));
  drawButton(button);
  EXPECT_EQ(pointsOf(0x5050B4), (std::set<Point>{{520, 308}}));
}

TEST_F(TextViews, ViewsWithEveryColourLeftOutDrawNothingButFlip) {
  View* label = newLabel(80, 32, 100, 100, "Text");
  View* number = newNumView(80, 32, 200, 100, "123");
  View* button = newButton(80, 32, 300, 100, 1, "Go");
  for (View* view : {label, number, button}) {
    view->border = view->background = view->foreground = COLOR_NONE;
  }
  prepareScreen(GROUND, {});
  resetFlipCount();
  drawLabel(label);
  drawNumView(number);
  EXPECT_EQ(flipCount(), 2);
  button->value = 1;
  drawButton(button);
  EXPECT_EQ(flipCount(), 3);
  EXPECT_TRUE(pointsNot(GROUND).empty());
}

TEST_F(TextViews, LabelTextWithoutTerminatorShowsTwentyFourCharacters) {
  View* label = newLabel(400, 12, 10, 10, "");
  std::memset(label->text, 'W', sizeof label->text);
  prepareScreen(GROUND, {});
  drawLabel(label);
  // The 24th W starts at 11 + 23 * 6 and is five pixels wide.
  int rightmost = 0;
  for (const auto& [x, y] : pointsOf(0x505050)) rightmost = std::max(rightmost, x);
  EXPECT_EQ(rightmost, 11 + 23 * 6 + 4);
}

TEST_F(TextViews, NumberViewIsRightAligned) {
  struct Case {
    int width, height;
    const char* text;
    int value;
    int originX, originY, scale;
    const char* shown;
  };
  const Case cases[] = {
      {160, 16, "NumView", 0, 78, 6, 2, "NumView"},
      {100, 16, "", -42, 66, 6, 2, "-42"},
      {24, 16, "", 987, 2, 6, 2, "98"},
      {40, 16, "123456", 0, 6, 6, 2, "123"},
      {40, 16, "", 0, 30, 6, 2, "0"},
      {300, 32, "", -2147483647 - 1, 40, 12, 4, "-2147483648"},
      {90, 8, "", 5, 85, 3, 1, "5"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.text) + " " + std::to_string(c.value));
    freeViewList();
    View* number = newNumView(c.width, c.height, 100, 100, c.text);
    number->value = c.value;
    const auto expected = referencePicture(GROUND, {}, [&] {
      drawFilledRectangle(c.width, c.height, 100, 100, 0xFFFFFF);
      drawRectangle(c.width, c.height, 100, 100, 1, 0x141414);
      drawText(c.shown, 100 + c.originX, 100 + c.originY, c.scale, 0x000000);
    });
    drawNumView(number);
    expectPicture(expected);
    EXPECT_EQ(flipCount(), 7);
    EXPECT_STREQ(number->text, c.text);
  }
}

TEST_F(TextViews, ButtonCaptionIsCentred) {
  struct Case {
    int width, height;
    const char* text;
    int xoff, yoff, scale;
    const char* shown;
  };
  const Case cases[] = {
      {80, 32, "Button", 23, 14, 1, "Button"}, {60, 40, "OK", 20, 18, 2, "OK"},
      {120, 100, "Go", 50, 48, 2, "Go"},       {30, 20, "ABCDEFG", 1, 8, 1, "ABCDE"},
      {35, 36, "xyz", 7, 16, 2, "xy"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    freeViewList();
    View* button = newButton(c.width, c.height, 100, 100, 9, c.text);
    const auto expected = referencePicture(GROUND, {}, [&] {
      drawFilledRoundedRectangle(c.width, c.height, 100, 100, 0xF0F0F0);
      drawRoundedRectangle(c.width, c.height, 100, 100, 0x141414);
      drawText(c.shown, 100 + c.xoff, 100 + c.yoff, c.scale, 0x5050B4);
    });
    drawButton(button);
    expectPicture(expected);
    EXPECT_EQ(flipCount(), 3) << "the caption is drawn inside the button's bracket";
    EXPECT_STREQ(button->text, c.text);
  }
}

TEST_F(TextViews, ButtonLooks) {
  struct Case {
    int value;
    int8_t status;
    int border, background, foreground;
    int body, outline, caption;
  };
  const int none = COLOR_NONE;
  const Case cases[] = {
      {0, STATUS_SHOWN, RED, GREEN, BLUE, GREEN, RED, BLUE},
      {1, STATUS_SHOWN, RED, GREEN, BLUE, BLUE, RED, GREEN},
      {5, STATUS_SHOWN, RED, GREEN, BLUE, BLUE, RED, GREEN},
      {0, STATUS_DISABLED, RED, GREEN, BLUE, GREEN, GREY, GREY},
      {1, STATUS_DISABLED, RED, GREEN, BLUE, BLUE, RED, GREY},
      {0, STATUS_HIDDEN, RED, GREEN, BLUE, GREEN, GREY, BLUE},
      {1, STATUS_HIDDEN, RED, GREEN, BLUE, BLUE, RED, GREEN},
      {0, STATUS_SHOWN, RED, none, BLUE, none, RED, BLUE},
      {1, STATUS_SHOWN, RED, none, BLUE, BLUE, RED, none},
      {0, STATUS_SHOWN, RED, GREEN, none, GREEN, RED, none},
      {1, STATUS_SHOWN, RED, GREEN, none, none, RED, GREEN},
      {0, STATUS_DISABLED, none, GREEN, BLUE, GREEN, none, GREY},
      {1, STATUS_DISABLED, none, GREEN, BLUE, BLUE, none, GREY},
      {1, STATUS_DISABLED, RED, none, BLUE, BLUE, RED, none},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("value " + std::to_string(c.value) + " status " + std::to_string(c.status) +
                 " colours " + std::to_string(c.border) + " " + std::to_string(c.background) + " " +
                 std::to_string(c.foreground));
    freeViewList();
    View* button = newButton(80, 32, 100, 100, 3, "Button");
    button->value = c.value;
    button->status = c.status;
    button->border = c.border;
    button->background = c.background;
    button->foreground = c.foreground;
    const auto expected = referencePicture(GROUND, {}, [&] {
      if (c.body != none) drawFilledRoundedRectangle(80, 32, 100, 100, c.body);
      if (c.outline != none) drawRoundedRectangle(80, 32, 100, 100, c.outline);
      if (c.caption != none) drawText("Button", 123, 114, 1, c.caption);
    });
    drawButton(button);
    expectPicture(expected);
    EXPECT_EQ(flipCount(), 1 + (c.body != none) + (c.outline != none));
  }
}

TEST_F(TextViews, TextOfViewsOfNegativeWidthIsDropped) {
  View* label = newLabel(-100, -24, 300, 300, "Hello");
  View* number = newNumView(-50, 16, 300, 400, "Hello");
  View* button = newButton(-60, 40, 300, 500, 1, "Hello");
  prepareScreen(GROUND, {});
  drawLabel(label);
  drawNumView(number);
  button->border = button->background = COLOR_NONE;
  drawButton(button);
  EXPECT_TRUE(pointsOf(0x000000).empty()) << "a number view narrower than nothing shows no text";
  EXPECT_TRUE(pointsOf(0x5050B4).empty()) << "a button narrower than nothing shows no caption";
  EXPECT_EQ(lockDepth(), 0);
}

}  // namespace

namespace {

// A clean update shows exactly what a fresh drawing of the changed views shows,
// with one presentation, whatever lay beneath and above the view.
TEST_F(TextViews, CleanUpdatesMatchAFreshDrawing) {
  struct Case {
    const char* name;
    View* (*build)();  // the views; returns the one updated
    void (*update)(View*);
  };
  static const Case cases[] = {
      {"label without background", [] { return newLabel(120, 24, 40, 40, "Heating"); },
       [](View* v) { setViewText(v, "Idle"); }},
      {"label over a number view, beside a button over it",
       [] {
         newNumView(200, 60, 50, 50, "88888888");
         newButton(80, 32, 160, 60, 1, "OK");
         return newLabel(60, 24, 60, 70, "Heating");
       },
       [](View* v) { setViewText(v, "Off"); }},
      {"number view under a label",
       [] {
         View* number = newNumView(120, 32, 40, 300);
         number->value = 2150;
         newLabel(60, 24, 30, 310, "set");
         return number;
       },
       [](View* v) { setViewNumber(v, 7); }},
      {"hidden label over a meter",
       [] {
         newVMeter(32, 96, 200, 200);
         View* label = newLabel(120, 24, 180, 230, "Alarm");
         label->background = RED;
         return label;
       },
       [](View* v) { setViewShown(v, false); }},
  };
  constexpr int FILL = 0x00336699;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    freeViewList();
    View* updated = c.build();
    fillScreen(FILL);
    drawAllViews();
    resetFlipCount();
    c.update(updated);
    EXPECT_EQ(flipCount(), 1);
    const std::vector<uint32_t> afterUpdate = snapshot();
    clearScreen(0);
    fillScreen(FILL);
    drawAllViews();
    expectPicture(afterUpdate);
  }
}

TEST_F(TextViews, UpdatesOfAHiddenViewStoreWithoutDrawing) {
  View* label = newLabel(120, 24, 40, 40, "Heating");
  label->status = STATUS_HIDDEN;
  setViewText(label, "a text longer than twenty-four");
  setViewNumber(label, 12);
  EXPECT_STREQ(label->text, "a text longer than twent");
  EXPECT_EQ(label->value, 12);
  EXPECT_EQ(flipCount(), 0);
  EXPECT_TRUE(pointsNot(0).empty());
}

}  // namespace

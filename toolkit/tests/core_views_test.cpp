#include <cstdint>
#include <cstring>

#include "rig.h"

namespace {

View* addView(int width, int height, int xpos, int ypos, const char* text = "") {
  return insertView(VIEW_LABEL, width, height, xpos, ypos, 0, text, 0, 0, 0, 0, STATUS_SHOWN);
}

class ViewList : public ScreenTest {};

TEST_F(ViewList, EmptyListFindsNothing) {
  EXPECT_EQ(noOfViews(), 0);
  for (auto [x, y] : {Point{0, 0}, Point{5, 5}, Point{709, 639}})
    EXPECT_EQ(findView(x, y), nullptr);
}

TEST_F(ViewList, InsertFillsEveryFieldAndStartsShown) {
  View* v = insertView(VIEW_BUTTON, 11, 12, 13, 14, 15, "caption", 16, 17, 18, 19, STATUS_HIDDEN);
  ASSERT_EQ(noOfViews(), 1);
  EXPECT_EQ(getView(0), v);
  EXPECT_EQ(v->type, VIEW_BUTTON);
  EXPECT_EQ(v->width, 11);
  EXPECT_EQ(v->height, 12);
  EXPECT_EQ(v->xpos, 13);
  EXPECT_EQ(v->ypos, 14);
  EXPECT_EQ(v->id, 15);
  EXPECT_STREQ(v->text, "caption");
  EXPECT_EQ(v->border, 16);
  EXPECT_EQ(v->background, 17);
  EXPECT_EQ(v->foreground, 18);
  EXPECT_EQ(v->value, 19);
  EXPECT_EQ(v->status, STATUS_SHOWN) << "the status argument is not used";
}

TEST_F(ViewList, TextIsCutAtTwentyFourCharacters) {
  struct Case {
    const char* given;
    const char* stored;
  };
  const Case cases[] = {
      {"", ""},
      {"123456789012345678901234", "123456789012345678901234"},
      {"123456789012345678901234567890", "123456789012345678901234"},
  };
  for (const Case& c : cases) {
    View* v = addView(1, 1, 0, 0, c.given);
    EXPECT_STREQ(v->text, c.stored);
    EXPECT_EQ(v->text[VIEW_TEXT_LENGTH], '\0');
  }
}

// A view at xpos 10 of width 20 answers for x from 11 to 29 only.
TEST_F(ViewList, EdgesLieOutsideTheView) {
  View* v = addView(20, 20, 10, 10);
  struct Case {
    int x, y;
    bool hit;
  };
  const Case cases[] = {
      {10, 15, false}, {11, 15, true}, {29, 15, true},  {30, 15, false},
      {15, 10, false}, {15, 11, true}, {15, 29, true},  {15, 30, false},
      {10, 10, false}, {29, 29, true}, {30, 30, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(findView(c.x, c.y), c.hit ? v : nullptr) << "at " << c.x << ", " << c.y;
  }
}

TEST_F(ViewList, NarrowViews) {
  View* one = addView(1, 50, 100, 0);
  View* two = addView(2, 50, 200, 0);
  View* flat = addView(50, 1, 300, 100);
  for (int x = 98; x <= 103; ++x) EXPECT_NE(findView(x, 10), one) << x;
  EXPECT_EQ(findView(200, 10), nullptr);
  EXPECT_EQ(findView(201, 10), two);
  EXPECT_EQ(findView(202, 10), nullptr);
  for (int y = 99; y <= 102; ++y) EXPECT_NE(findView(320, y), flat) << y;
}

TEST_F(ViewList, LaterViewWinsWhereViewsOverlap) {
  View* under = addView(100, 100, 0, 0);
  View* over = addView(50, 50, 25, 25);
  EXPECT_EQ(findView(30, 30), over);
  EXPECT_EQ(findView(10, 10), under);
  EXPECT_EQ(findView(75, 50), under) << "x 75 is the right edge of the later view";
}

TEST_F(ViewList, DisabledAndHiddenViewsAreNotHit) {
  View* under = addView(100, 100, 0, 0);
  View* over = addView(50, 50, 25, 25);
  for (int8_t status : {STATUS_DISABLED, STATUS_HIDDEN}) {
    over->status = status;
    EXPECT_EQ(findView(30, 30), under) << int{status};
    under->status = status;
    EXPECT_EQ(findView(30, 30), nullptr) << int{status};
    under->status = STATUS_SHOWN;
    over->status = STATUS_SHOWN;
    EXPECT_EQ(findView(30, 30), over) << "shown again, hit again at once";
  }
}

TEST_F(ViewList, ViewsAtTheEndOfTheIntRangeDoNotWrapAround) {
  View* far = addView(INT32_MAX, INT32_MAX, INT32_MAX - 5, INT32_MAX - 5);
  View* wide = addView(INT32_MAX, 10, 0, 100);
  EXPECT_EQ(findView(10, 10), nullptr) << "a wrapped right edge would make this hit";
  EXPECT_EQ(findView(INT32_MAX - 1, INT32_MAX - 1), far);
  EXPECT_EQ(findView(709, 105), wide);
}

TEST_F(ViewList, GetViewFollowsCreationOrder) {
  View* a = addView(1, 1, 0, 0, "a");
  View* b = addView(1, 1, 0, 0, "b");
  EXPECT_EQ(getView(0), a);
  EXPECT_EQ(getView(noOfViews() - 1), b);
}

TEST_F(ViewList, FindViewByIdAnswersWithTheFirstRegisteredViewOfThatId) {
  EXPECT_EQ(findViewById(0), nullptr);
  View* first = newLabel(10, 10, 0, 0, "");
  View* button = newButton(10, 10, 0, 0, 7, "");
  View* meter = newVMeter(10, 10, 0, 0);
  meter->id = 7;
  meter->status = STATUS_HIDDEN;
  View* number = newNumView(10, 10, 0, 0);
  number->id = -3;
  EXPECT_EQ(findViewById(0), first);
  EXPECT_EQ(findViewById(7), button);
  EXPECT_EQ(findViewById(-3), number);
  EXPECT_EQ(findViewById(8), nullptr);
  button->id = 1;
  EXPECT_EQ(findViewById(7), meter) << "hidden views are found as well";
}

}  // namespace

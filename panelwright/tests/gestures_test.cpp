// Placing views from the palette, selecting, moving, resizing, copying and
// deleting them, and the drag picture.
#include <algorithm>
#include <string>

#include "designer_test.h"

namespace {

constexpr int32_t PACKED = 0x00640032;  // maximum 100, minimum 0, value 50

struct Entry {
  View** overlay;
  int32_t type, width, height;
  const char* text;
  int32_t border, background, foreground, value;
  const char* what;
};

// What a drop of each live palette entry carries.
const Entry ENTRIES[] = {
    {&labelview, VIEW_LABEL, 80, 32, " Label", 0xB4B4B4, -1, 0x505050, 0, "label"},
    {&buttonview, VIEW_BUTTON, 80, 32, "Button", 0x141414, 0xFFFFFF, 0x000000, 0, "button"},
    {&vmeterview, VIEW_VMETER, 32, 64, "", 0x000000, 0xFFFFFF, 0x5050B4, PACKED, "vmeter"},
    {&hmeterview, VIEW_HMETER, 64, 32, "", 0x000000, 0xFFFFFF, 0x5050B4, PACKED, "hmeter"},
    {&hsliderview, VIEW_HSLIDER, 128, 32, "", 0x141414, 0x5050B4, 0xF0F0F0, PACKED, "hslider"},
    {&vsliderview, VIEW_VSLIDER, 32, 128, "", 0x141414, 0x5050B4, 0xF0F0F0, PACKED, "vslider"},
    {&numviewview, VIEW_NUMVIEW, 160, 16, "NumView", 0x000000, 0xFFFFFF, 0x141414, 0, "numview"},
    {&graphicviewview, VIEW_GRAPHIC, 144, 96, "", 0, 0, 0, 0, "graphic view"},
};

class Gestures : public DesignerTest {
 protected:
  // Drags the palette label from the given point inside it to the release point.
  static void dropLabel(int dx, int dy, int releaseX, int releaseY) {
    drag(464 + dx, 48 + dy, releaseX, releaseY);
  }

  // Places a palette label with its top-left corner at (x, y), grid off or on
  // a multiple of 16.
  static void placeLabel(int x, int y) { dropLabel(1, 1, x + 1, y + 1); }

  static void expectGeometry(const View* v, int w, int h, int x, int y, const std::string& what) {
    EXPECT_EQ(v->width, w) << what;
    EXPECT_EQ(v->height, h) << what;
    EXPECT_EQ(v->xpos, x) << what;
    EXPECT_EQ(v->ypos, y) << what;
  }

  static void expectPair(int w, int h, int x, int y, const std::string& what) {
    expectGeometry(lastWidget(), w, h, x, y, what + " (widget)");
    expectGeometry(lastOverlay(), w, h, x, y, what + " (overlay)");
  }
};

TEST_F(Gestures, EveryLiveEntryDropsACopyOfItsWidget) {
  int count = 53;
  for (const Entry& e : ENTRIES) {
    const View* overlay = *e.overlay;
    drag(overlay->xpos + 3, overlay->ypos + 3, 103, 203);
    count += 2;
    ASSERT_EQ(noOfViews(), count) << e.what;
    const View* w = lastWidget();
    const View* o = lastOverlay();
    EXPECT_EQ(w->type, e.type) << e.what;
    expectPair(e.width, e.height, 100, 200, e.what);
    EXPECT_EQ(w->id, 0) << e.what;
    EXPECT_STREQ(w->text, e.text) << e.what;
    EXPECT_EQ(w->border, e.border) << e.what;
    EXPECT_EQ(w->background, e.background) << e.what;
    EXPECT_EQ(w->foreground, e.foreground) << e.what;
    EXPECT_EQ(w->value, e.value) << e.what;
    EXPECT_EQ(w->status, STATUS_SHOWN) << e.what;
    EXPECT_EQ(o->type, VIEW_PLAIN) << e.what;
    EXPECT_EQ(o->value, count - 2) << e.what;
    EXPECT_EQ(o->status, STATUS_SHOWN) << e.what;
    EXPECT_EQ(tempptr, o) << e.what;
    EXPECT_EQ(widthnum->value, e.width) << e.what;
    EXPECT_EQ(heightnum->value, e.height) << e.what;
    EXPECT_EQ(xposnum->value, 100) << e.what;
    EXPECT_EQ(yposnum->value, 200) << e.what;
    EXPECT_STREQ(textlabel->text, e.text) << e.what;
    EXPECT_EQ(penlabel->background, e.border) << e.what;
    EXPECT_EQ(bglabel->background, e.background) << e.what;
    EXPECT_EQ(fglabel->background, e.foreground) << e.what;
  }
}

TEST_F(Gestures, TapOnAnEntryPlacesTheViewOverIt) {
  for (const Entry& e : ENTRIES) {
    const View* entry = *e.overlay;
    tap(entry->xpos + 5, entry->ypos + 5);
    expectPair(e.width, e.height, entry->xpos, entry->ypos, e.what);
    pushPress(entry->xpos + 5, entry->ypos + 5);
    dispatch();
    EXPECT_EQ(tempptr, lastOverlay()) << "a later press picks up the new " << e.what;
  }
}

TEST_F(Gestures, ViewEntryPlacesNothing) {
  tap(600, 300);
  drag(600, 300, 200, 200);
  EXPECT_EQ(noOfViews(), 53);
  EXPECT_EQ(tempptr, nullptr);
}

TEST_F(Gestures, DropsSnapToTheGrid) {
  struct Case {
    int grid, dx, dy, releaseX, releaseY, x, y;
  };
  const Case cases[] = {
      {1, 5, 7, 205, 307, 200, 300},    {16, 5, 7, 205, 307, 192, 304},
      {16, 20, 17, 150, 150, 128, 128}, {16, 64, 16, 300, 100, 224, 80},
      {16, 79, 31, 415, 615, 336, 592}, {1, 79, 31, 415, 615, 336, 584},
  };
  for (const Case& c : cases) {
    grid = c.grid;
    dropLabel(c.dx, c.dy, c.releaseX, c.releaseY);
    const std::string what = "grid " + std::to_string(c.grid) + " release at " +
                             std::to_string(c.releaseX) + "," + std::to_string(c.releaseY);
    expectPair(80, 32, c.x, c.y, what);
    EXPECT_EQ(labelview->background, c.grid == 16 ? c.dx / 16 * 16 : c.dx) << what;
    EXPECT_EQ(labelview->foreground, c.grid == 16 ? c.dy / 16 * 16 : c.dy) << what;
  }
}

TEST_F(Gestures, GridButtonMakesMovesLandOnMultiplesOfSixteen) {
  dropLabel(5, 5, 106, 208);  // off the grid at (101, 203)
  expectPair(80, 32, 101, 203, "drop with the grid off");
  tapButton(gridbutton);
  drag(141, 213, 250, 333);  // grab offset (40, 10) snaps to (32, 0)
  expectPair(80, 32, 208, 320, "move with the grid on");
  EXPECT_EQ(noOfViews(), 55);
}

TEST_F(Gestures, PressInTheMiddleMovesAndEdgesResize) {
  struct Case {
    int rx, ry, dx, dy;
    int widthflag, heightflag;
    int w, h, x, y;
    const char* what;
  };
  // A label 80 by 32 at (300, 300).
  const Case cases[] = {
      {40, 16, 30, 5, 0, 0, 80, 32, 330, 305, "middle: move"},
      {75, 16, 30, 5, 0, 0, 80, 32, 330, 305, "five columns from the right: move"},
      {76, 16, 30, 5, 1, 0, 110, 32, 300, 300, "four columns from the right: width"},
      {77, 16, 30, 5, 1, 0, 110, 32, 300, 300, "right edge: width"},
      {40, 27, 7, 20, 0, 0, 80, 32, 307, 320, "five rows from the bottom: move"},
      {40, 29, 7, 20, 0, 1, 80, 52, 300, 300, "bottom edge: height"},
      {78, 30, -30, -10, 1, 1, 50, 22, 300, 300, "corner: both"},
      {79, 31, 330, 300, 1, 1, 410, 332, 300, 300, "corner: wider than the buffers"},
      {78, 16, -200, 0, 1, 0, 1, 32, 300, 300, "width shrinks to 1 at least"},
      {40, 30, 0, -250, 0, 1, 80, 1, 300, 300, "height shrinks to 1 at least"},
  };
  for (const Case& c : cases) {
    placeLabel(300, 300);
    pushPress(300 + c.rx, 300 + c.ry);
    dispatch();
    EXPECT_EQ(widthflag, c.widthflag) << c.what;
    EXPECT_EQ(heightflag, c.heightflag) << c.what;
    pushMotion(300 + c.rx + c.dx, 300 + c.ry + c.dy);
    pushRelease(300 + c.rx + c.dx, 300 + c.ry + c.dy);
    dispatch();
    expectPair(c.w, c.h, c.x, c.y, c.what);
    EXPECT_EQ(widthnum->value, c.w) << c.what;
    EXPECT_EQ(heightnum->value, c.h) << c.what;
    EXPECT_EQ(xposnum->value, c.x) << c.what;
  }
}

TEST_F(Gestures, PressOnAPaletteEntryKeepsTheResizeMode) {
  placeLabel(300, 300);
  drag(378, 316, 388, 316);  // right edge: width 90
  ASSERT_EQ(widthflag, 1);
  dropLabel(5, 5, 105, 105);
  EXPECT_EQ(widthflag, 1);
  expectPair(80, 32, 100, 100, "a drop ignores the resize mode");
}

TEST_F(Gestures, ReleaseOnAFixedCaptionMovesTheGrabPointThere) {
  placeLabel(100, 100);
  tap(140, 116);  // select it with the grab offset (40, 16)
  tap(600, 460);  // the "xpos       ypos" caption leaves the selection as it is
  expectPair(80, 32, 560, 444, "moved under the release");
}

// After the release redraws everything, what was kept under the last picture
// is out of date; a drag from a fixed caption must not paint it back over the
// view that now stands there.
TEST_F(Gestures, DragAfterAFullRedrawPaintsNoStalePixels) {
  placeLabel(100, 100);
  drag(140, 116, 240, 216);
  expectPair(80, 32, 200, 200, "moved");
  const auto moved = snapshot();
  pushPress(600, 460);  // the "xpos       ypos" caption keeps the selection
  pushMotion(605, 462);
  dispatch();
  for (int c = -1; c <= 81; ++c) {
    for (int r = -1; r <= 33; ++r) {
      const size_t at = static_cast<size_t>(200 + r) * 710 + 200 + c;
      ASSERT_EQ(pixel(200 + c, 200 + r), moved[at]) << c << "," << r;
    }
  }
}

TEST_F(Gestures, ReleaseOverAButtonRunsTheButtonInstead) {
  dropLabel(5, 5, 600, 425);
  EXPECT_EQ(noOfViews(), 53);
  EXPECT_EQ(grid, 16);
}

TEST_F(Gestures, DropsMayLandOutsideTheCanvas) {
  dropLabel(5, 5, 655, 560);
  expectPair(80, 32, 650, 555, "over the property panel");
  pushPress(660, 565);
  dispatch();
  EXPECT_EQ(tempptr, lastOverlay()) << "the placed view covers the panel";
}

TEST_F(Gestures, CopyPlacesTenPixelsFurtherAndSelectsTheCopy) {
  drag(580, 52, 104, 104);  // the palette button to (100, 100)
  tapButton(copybutton);
  ASSERT_EQ(noOfViews(), 57);
  expectPair(80, 32, 110, 110, "first copy");
  EXPECT_EQ(tempptr, lastOverlay());
  EXPECT_EQ(lastOverlay()->value, 55);
  EXPECT_EQ(lastWidget()->type, VIEW_BUTTON);
  EXPECT_STREQ(lastWidget()->text, "Button");
  EXPECT_EQ(lastWidget()->background, 0xFFFFFF);
  EXPECT_EQ(xposnum->value, 100) << "the panel is not updated";
  EXPECT_EQ(pixel(140, 99), WHITE) << "no selection frame after a copy";
  EXPECT_EQ(pixel(150, 109), WHITE) << "no selection frame after a copy";
  tapButton(copybutton);
  expectPair(80, 32, 120, 120, "copy of the copy");
}

TEST_F(Gestures, CopyIsNotSnapped) {
  grid = 16;
  placeLabel(96, 96);
  tapButton(copybutton);
  expectPair(80, 32, 106, 106, "copy with the grid on");
}

TEST_F(Gestures, DeleteHidesThePairAndCopyRevivesIt) {
  drag(580, 52, 104, 104);
  View* widget = lastWidget();
  View* overlay = lastOverlay();
  tapButton(deletebutton);
  EXPECT_EQ(widget->status, STATUS_HIDDEN);
  EXPECT_EQ(overlay->status, STATUS_HIDDEN);
  EXPECT_EQ(tempptr, overlay);
  EXPECT_EQ(pixel(140, 100), WHITE) << "the deleted button and its frame are gone";
  pushPress(140, 116);
  dispatch();
  EXPECT_EQ(tempptr, drawarea) << "the deleted view no longer takes touches";
  tempptr = overlay;
  tapButton(copybutton);
  ASSERT_EQ(noOfViews(), 57);
  expectPair(80, 32, 110, 110, "copy of the deleted view");
  EXPECT_EQ(lastWidget()->status, STATUS_SHOWN);
  EXPECT_EQ(pixel(150, 110), NEAR_BLACK) << "the copy's outline is drawn";
}

TEST_F(Gestures, SelectionFrameSurroundsTheSelectedView) {
  drag(580, 52, 104, 104);  // button at (100, 100), 80 by 32
  const Point grey[] = {{140, 99},  {140, 100}, {140, 101}, {99, 116},  {101, 116},
                        {179, 116}, {181, 116}, {140, 131}, {140, 133}, {100, 132}};
  for (const auto& [x, y] : grey) EXPECT_EQ(pixel(x, y), LIGHT_GREY_PIXEL) << x << "," << y;
  EXPECT_EQ(pixel(140, 98), WHITE);
  EXPECT_EQ(pixel(140, 102), WHITE);
  EXPECT_EQ(pixel(182, 116), WHITE);
  EXPECT_EQ(pixel(140, 134), WHITE);
}

// A frame on the canvas's edges would cover its outline and first inner row.
TEST_F(Gestures, CanvasSelectionDrawsNoFrame) {
  tap(200, 300);
  for (int x : {30, 200, 410}) {
    EXPECT_EQ(pixel(x, 20), NEAR_BLACK) << x;
    EXPECT_EQ(pixel(x, 21), WHITE) << x;
    EXPECT_EQ(pixel(x, 619), WHITE) << x;
  }
  EXPECT_EQ(pixel(21, 300), WHITE);
  EXPECT_EQ(pixel(419, 300), WHITE);
}

TEST_F(Gestures, DragMovesOnlyAPictureOfTheView) {
  const auto before = snapshot();
  auto beforeAt = [&](int x, int y) { return before[static_cast<size_t>(y) * 710 + x]; };
  pushPress(586, 58);  // the palette button, grab offset (10, 10)
  pushMotion(110, 110);
  dispatch();
  for (int c = 0; c < 80; ++c) {
    for (int r = 0; r < 32; ++r) {
      ASSERT_EQ(pixel(100 + c, 100 + r), beforeAt(576 + c, 48 + r)) << c << "," << r;
    }
  }
  pushMotion(210, 310);
  dispatch();
  for (int c = 0; c < 80; ++c) {
    for (int r = 0; r < 32; ++r) {
      ASSERT_EQ(pixel(100 + c, 100 + r), WHITE) << "restored " << c << "," << r;
      ASSERT_EQ(pixel(200 + c, 300 + r), beforeAt(576 + c, 48 + r)) << c << "," << r;
      ASSERT_EQ(pixel(576 + c, 48 + r), beforeAt(576 + c, 48 + r)) << "entry " << c << "," << r;
    }
  }
  EXPECT_EQ(noOfViews(), 53) << "nothing is placed before the release";
  EXPECT_EQ(widthnum->value, 80);
  EXPECT_EQ(heightnum->value, 32);
  EXPECT_EQ(xposnum->value, 200);
  EXPECT_EQ(yposnum->value, 300);
}

TEST_F(Gestures, DragOfTheWindowOrCanvasMovesNoPicture) {
  for (const Point& p : {Point{5, 5}, Point{200, 300}}) {
    pushPress(p.first, p.second);
    dispatch();
    const auto before = snapshot();
    pushMotion(100, 100);
    pushMotion(300, 500);
    dispatch();
    EXPECT_TRUE(snapshot() == before);
    EXPECT_EQ(widthnum->value, 0);
    EXPECT_EQ(xposnum->value, 0);
  }
}

TEST_F(Gestures, NothingSelectedMeansDragAndReleaseDoNothing) {
  const auto before = snapshot();
  pushPress(500, 460);  // a caption: selects nothing
  pushMotion(200, 200);
  pushRelease(200, 200);
  pushPress(445, 496);  // a stepper
  pushRelease(445, 496);
  dispatch();
  EXPECT_EQ(tempptr, nullptr);
  EXPECT_EQ(noOfViews(), 53);
  EXPECT_EQ(flipCount(), 0) << "nothing was drawn";
  EXPECT_TRUE(snapshot() == before);
}

TEST_F(Gestures, PressOnTheCanvasShowsItsRectangle) {
  tap(200, 300);
  EXPECT_EQ(tempptr, drawarea);
  EXPECT_EQ(widthnum->value, 400);
  EXPECT_EQ(heightnum->value, 600);
  EXPECT_EQ(xposnum->value, 20);
  EXPECT_EQ(yposnum->value, 20);
}

TEST_F(Gestures, ViewNumberFindsTheFirstSlot) {
  EXPECT_EQ(viewNumber(window), 0);
  EXPECT_EQ(viewNumber(alertyes), 52);
  EXPECT_EQ(viewNumber(nullptr), -1);
  View outside{};
  EXPECT_EQ(viewNumber(&outside), -1);
  EXPECT_FALSE(isUserView(alertyes));
  placeLabel(100, 100);
  EXPECT_TRUE(isUserView(lastWidget()));
  EXPECT_TRUE(isUserView(lastOverlay()));
}

TEST_F(Gestures, AFullLayoutRefusesTheThirtyFourthDropAndCopy) {
  for (int i = 0; i < 33; ++i) placeLabel(100 + i, 100 + i);
  ASSERT_EQ(noOfViews(), 119);
  View* lastPlaced = lastWidget();
  testing::internal::CaptureStderr();
  answerNoRoom();
  placeLabel(300, 300);
  tapButton(copybutton);
  const std::string errors = testing::internal::GetCapturedStderr();
  EXPECT_EQ(noOfViews(), 119);
  EXPECT_EQ(viewList[119], nullptr) << "no record went into the spare slot";
  EXPECT_EQ(lastWidget(), lastPlaced);
  expectPair(80, 32, 132, 132, "the last placed view is intact");
  EXPECT_EQ(tempptr, labelview) << "the refused drop leaves the palette entry selected";
  EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
  EXPECT_NE(errors.find("full"), std::string::npos) << errors;
  tempptr = lastOverlay();
  testing::internal::CaptureStderr();
  answerNoRoom();
  tapButton(copybutton);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("full"), std::string::npos);
  EXPECT_EQ(noOfViews(), 119);
  EXPECT_EQ(tempptr, lastOverlay());
}

}  // namespace

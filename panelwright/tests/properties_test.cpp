// The property panel and its eight steppers.
#include <string>

#include "designer_test.h"

namespace {

class Properties : public DesignerTest {
 protected:
  // A palette label placed at (300, 300) and selected by a tap in its middle.
  static void placeAndSelectLabel() {
    drag(465, 49, 301, 301);
    tap(340, 316);
  }

  static void expectPair(int w, int h, int x, int y, const std::string& what) {
    for (const View* v : {lastWidget(), lastOverlay()}) {
      EXPECT_EQ(v->width, w) << what;
      EXPECT_EQ(v->height, h) << what;
      EXPECT_EQ(v->xpos, x) << what;
      EXPECT_EQ(v->ypos, y) << what;
    }
  }

  static void expectPanel(int w, int h, int x, int y, const std::string& what) {
    EXPECT_EQ(widthnum->value, w) << what;
    EXPECT_EQ(heightnum->value, h) << what;
    EXPECT_EQ(xposnum->value, x) << what;
    EXPECT_EQ(yposnum->value, y) << what;
  }
};

TEST_F(Properties, ShowPropertiesCopiesGeometryTextAndColours) {
  View v{};
  v.width = 1234;
  v.height = -5;
  v.xpos = 7;
  v.ypos = 8;
  std::snprintf(v.text, sizeof v.text, "%s", "exactly twenty-four char");
  v.border = 0x123456;
  v.background = -1;
  v.foreground = 0xABCDEF;
  const auto before = snapshot();
  showProperties(&v);
  expectPanel(1234, -5, 7, 8, "direct call");
  EXPECT_STREQ(textlabel->text, "exactly twenty-four char");
  EXPECT_EQ(penlabel->background, 0x123456);
  EXPECT_EQ(bglabel->background, -1);
  EXPECT_EQ(fglabel->background, 0xABCDEF);
  EXPECT_EQ(flipCount(), 0) << "nothing is drawn";
  EXPECT_TRUE(snapshot() == before);
}

TEST_F(Properties, DroppedButtonShowsItsFieldsAndSwatches) {
  drag(580, 52, 104, 104);
  expectPanel(80, 32, 100, 100, "button drop");
  EXPECT_STREQ(textlabel->text, "Button");
  EXPECT_EQ(pixel(520, 538), NEAR_BLACK) << "pencolor swatch: the button border";
  EXPECT_EQ(pixel(585, 538), WHITE) << "background swatch";
  EXPECT_EQ(pixel(650, 538), BLACK) << "foreground swatch";
  EXPECT_EQ(pixel(500, 538), BLACK) << "swatch frame";
}

TEST_F(Properties, NoColourLeavesTheSwatchUnfilled) {
  drag(580, 52, 104, 104);
  drag(465, 49, 201, 201);  // a label: background COLOR_NONE
  EXPECT_EQ(pixel(585, 538), LIGHT_GREY_PIXEL) << "the window shows through";
  EXPECT_EQ(pixel(520, 538), LIGHT_GREY_PIXEL) << "pencolor: the label's grey border";
  EXPECT_EQ(pixel(650, 538), DARK_GREY) << "foreground: the label text colour";
}

TEST_F(Properties, CanvasAndWindowShowTheirOwnFields) {
  tap(200, 300);
  expectPanel(400, 600, 20, 20, "canvas");
  EXPECT_STREQ(textlabel->text, "");
  for (int x : {520, 585, 650}) EXPECT_EQ(pixel(x, 538), BLACK) << "canvas swatch at " << x;
  tap(5, 5);
  expectPanel(710, 640, 0, 0, "window");
  EXPECT_EQ(bglabel->background, 0xB4B4B4);
  EXPECT_EQ(penlabel->background, -1);
  EXPECT_EQ(fglabel->background, 0x505050);
}

TEST_F(Properties, EachStepperMovesOneEdgeByOnePixel) {
  placeAndSelectLabel();
  struct Step {
    View** stepper;
    int w, h, x, y;
    const char* what;
  };
  const Step steps[] = {
      {&incwidth, 81, 32, 300, 300, "incwidth"},   {&decwidth, 80, 32, 300, 300, "decwidth"},
      {&decwidth, 79, 32, 300, 300, "decwidth"},   {&incheight, 79, 33, 300, 300, "incheight"},
      {&decheight, 79, 32, 300, 300, "decheight"}, {&decheight, 79, 31, 300, 300, "decheight"},
      {&incxpos, 79, 31, 301, 300, "incxpos"},     {&decxpos, 79, 31, 300, 300, "decxpos"},
      {&decxpos, 79, 31, 299, 300, "decxpos"},     {&incypos, 79, 31, 299, 301, "incypos"},
      {&decypos, 79, 31, 299, 300, "decypos"},     {&decypos, 79, 31, 299, 299, "decypos"},
  };
  for (const Step& s : steps) {
    tapButton(*s.stepper);
    expectPair(s.w, s.h, s.x, s.y, s.what);
    expectPanel(s.w, s.h, s.x, s.y, s.what);
  }
  EXPECT_EQ(noOfViews(), 55);
}

TEST_F(Properties, FiveIncrementsWidenTheViewAndItsFrame) {
  placeAndSelectLabel();
  for (int i = 0; i < 5; ++i) tapButton(incwidth);
  expectPair(85, 32, 300, 300, "after five incwidth");
  EXPECT_EQ(widthnum->value, 85);
  for (int x : {384, 385, 386}) EXPECT_EQ(pixel(x, 316), LIGHT_GREY_PIXEL) << "frame at " << x;
  EXPECT_EQ(pixel(382, 316), WHITE) << "the old frame is gone";
}

TEST_F(Properties, SteppingIgnoresTheGrid) {
  placeAndSelectLabel();
  tapButton(gridbutton);
  tapButton(decxpos);
  expectPair(80, 32, 299, 300, "decxpos with the grid on");
}

TEST_F(Properties, SizesStopAtOne) {
  placeAndSelectLabel();
  lastWidget()->width = lastOverlay()->width = 2;
  lastWidget()->height = lastOverlay()->height = 2;
  for (int i = 0; i < 3; ++i) {
    tapButton(decwidth);
    tapButton(decheight);
  }
  expectPair(1, 1, 300, 300, "stepped down");
  EXPECT_EQ(widthnum->value, 1);
}

TEST_F(Properties, StepperPressAloneDoesNothing) {
  placeAndSelectLabel();
  resetFlipCount();
  pushPress(445, 496);
  dispatch();
  expectPair(80, 32, 300, 300, "press on incwidth");
  EXPECT_EQ(flipCount(), 0);
}

// The window, the canvas and the palette keep their geometry whatever is selected.
TEST_F(Properties, SteppersLeaveFixedViewsAlone) {
  View* const steppers[] = {incwidth, decwidth, incheight, decheight,
                            incxpos,  decxpos,  incypos,   decypos};
  tap(5, 5);  // the window
  for (View* s : steppers) tapButton(s);
  tap(200, 300);  // the canvas
  for (View* s : steppers) tapButton(s);
  drag(470, 55, 445, 496);  // the palette label released over incwidth
  EXPECT_EQ(tempptr, labelview);
  EXPECT_EQ(noOfViews(), 53) << "nothing dropped on a stepper";
  struct Kept {
    const View* view;
    int w, h, x, y;
  };
  const Kept kept[] = {{window, 710, 640, 0, 0},
                       {drawarea, 400, 600, 20, 20},
                       {labelview, 80, 32, 464, 48},
                       {getView(4), 80, 32, 464, 48}};
  for (const Kept& k : kept) {
    EXPECT_EQ(k.view->width, k.w);
    EXPECT_EQ(k.view->height, k.h);
    EXPECT_EQ(k.view->xpos, k.x);
    EXPECT_EQ(k.view->ypos, k.y);
  }
}

}  // namespace

// The save-under buffers, and views pushed to the screen's edges, beyond the
// buffers' size and to the end of the view list: nothing may be read or
// written outside the surface or the buffers (run under the sanitizers too).
#include <algorithm>
#include <string>

#include "designer_test.h"

namespace {

using Buffers = DesignerTest;

// Element c * 600 + r of the buffers holds column c, row r of the picture.
TEST_F(Buffers, CaptureIsStoredColumnByColumn) {
  const uint32_t colours[2][3] = {{0x111111, 0x222222, 0x333333}, {0x444444, 0x555555, 0x666666}};
  for (int r = 0; r < 2; ++r) {
    for (int c = 0; c < 3; ++c) setPixel(10 + c, 20 + r, static_cast<int>(colours[r][c]));
  }
  getIBuff(3, 2, 10, 20);
  getJBuff(3, 2, 10, 20);
  for (const int32_t* buffer : {ibuff, jbuff}) {
    EXPECT_EQ(buffer[0], 0x111111);
    EXPECT_EQ(buffer[1], 0x444444);
    EXPECT_EQ(buffer[600], 0x222222);
    EXPECT_EQ(buffer[601], 0x555555);
    EXPECT_EQ(buffer[1200], 0x333333);
    EXPECT_EQ(buffer[1201], 0x666666);
  }
  EXPECT_EQ(ibuffsizex, 3);
  EXPECT_EQ(ibuffsizey, 2);
  EXPECT_EQ(jbuffsizex, 3);
  EXPECT_EQ(jbuffsizey, 2);
  EXPECT_EQ(jbuffposx, 10);
  EXPECT_EQ(jbuffposy, 20);
  EXPECT_EQ(flipCount(), 2) << "each capture brackets itself";
}

TEST_F(Buffers, PaintingWritesExactlyTheRectangle) {
  clearScreen(0);
  ibuff[0] = 0x010203;
  ibuff[1] = 0x040506;
  ibuff[600] = 0x070809;
  ibuff[601] = 0x0A0B0C;
  drawIBuff(2, 2, 100, 200);
  EXPECT_EQ(pointsNot(0), rectanglePoints(100, 200, 101, 201));
  EXPECT_EQ(pixel(100, 200), 0x010203u);
  EXPECT_EQ(pixel(100, 201), 0x040506u);
  EXPECT_EQ(pixel(101, 200), 0x070809u);
  EXPECT_EQ(pixel(101, 201), 0x0A0B0Cu);
  jbuff[0] = 0x0D0E0F;
  drawJBuff(1, 1, 709, 639);
  EXPECT_EQ(pixel(709, 639), 0x0D0E0Fu);
}

void fillWithPositions(int32_t* buffer) {
  for (int c = 0; c < bufferColumns(); ++c) {
    for (int r = 0; r < bufferRows(); ++r) buffer[c * bufferRows() + r] = (c << 12) | r;
  }
}

TEST_F(Buffers, PicturesLargerThanTheBuffersArePaintedInPart) {
  fillWithPositions(ibuff);
  clearScreen(0xFFFFFFFF);
  drawIBuff(700, 640, 0, 0);
  std::set<Point> unpainted = rectanglePoints(400, 0, 709, 639);
  unpainted.merge(rectanglePoints(0, 600, 399, 639));
  EXPECT_EQ(pointsOf(0xFFFFFFFF), unpainted) << "only 400 columns of 600 rows are painted";
  EXPECT_EQ(pixel(399, 599), static_cast<uint32_t>((399 << 12) | 599));
}

TEST_F(Buffers, PicturesBeyondTheScreenArePaintedInPart) {
  fillWithPositions(jbuff);
  struct Case {
    int x, y;
    int x0, y0, x1, y1;  // the part on the screen
  };
  const Case cases[] = {
      {-350, -550, 0, 0, 49, 49},     {500, 300, 500, 300, 709, 639}, {-399, 100, 0, 100, 0, 639},
      {100, 639, 100, 639, 499, 639}, {710, 0, 0, 0, -1, -1},         {-400, -600, 0, 0, -1, -1},
  };
  for (const Case& c : cases) {
    clearScreen(0xFFFFFFFF);
    drawJBuff(400, 600, c.x, c.y);
    const auto painted = pointsNot(0xFFFFFFFF);
    EXPECT_EQ(painted, c.x0 <= c.x1 ? rectanglePoints(c.x0, c.y0, c.x1, c.y1) : std::set<Point>{})
        << "picture at " << c.x << "," << c.y;
    if (c.x0 <= c.x1) {
      const int col = c.x0 - c.x, row = c.y0 - c.y;
      EXPECT_EQ(pixel(c.x0, c.y0), static_cast<uint32_t>((col << 12) | row));
    }
  }
}

TEST_F(Buffers, OffScreenPixelsCaptureAsZero) {
  clearScreen(0x777777);
  getIBuff(10, 10, 705, 635);
  EXPECT_EQ(ibuff[0], 0x777777);
  EXPECT_EQ(ibuff[4 * 600 + 4], 0x777777);
  EXPECT_EQ(ibuff[5 * 600 + 0], 0);
  EXPECT_EQ(ibuff[0 * 600 + 5], 0);
  getJBuff(710, 640, -5, -5);
  EXPECT_EQ(jbuff[0], 0);
  EXPECT_EQ(jbuff[5 * 600 + 5], 0x777777);
  EXPECT_EQ(jbuff[399 * 600 + 599], 0x777777);
  EXPECT_EQ(jbuffsizex, 710);
  EXPECT_EQ(jbuffsizey, 640);
}

class Extremes : public DesignerTest {
 protected:
  // A palette label at (300, 300), selected with the grab offset (40, 16).
  static void placeAndSelectLabel() {
    drag(465, 49, 301, 301);
    tap(340, 316);
  }
};

const Point EDGES_AND_CORNERS[] = {{1, 1},     {355, 1},   {709, 1}, {709, 320},
                                   {709, 639}, {355, 639}, {1, 639}, {1, 320}};

// The grab point (40, 16) lies strictly inside the view wherever it goes, so
// the view can be picked up again there.
TEST_F(Extremes, ViewsMovedToEveryEdgeAndCorner) {
  placeAndSelectLabel();
  const View* w = lastWidget();
  for (const auto& [px, py] : EDGES_AND_CORNERS) {
    drag(340, 316, px, py);
    EXPECT_EQ(w->xpos, px - 40) << px << "," << py;
    EXPECT_EQ(w->ypos, py - 16) << px << "," << py;
    drag(px, py, 340, 316);
    ASSERT_EQ(w->xpos, 300) << "back from " << px << "," << py;
    ASSERT_EQ(w->ypos, 300) << "back from " << px << "," << py;
  }
}

TEST_F(Extremes, ViewsDroppedAndCopiedAtEveryEdgeAndCorner) {
  int count = 53;
  for (const auto& [px, py] : EDGES_AND_CORNERS) {
    drag(504, 64, px, py);  // the palette label grabbed at (40, 16)
    tapButton(copybutton);
    count += 4;
    ASSERT_EQ(noOfViews(), count);
    EXPECT_EQ(lastWidget()->xpos, px - 40 + 10) << px << "," << py;
    EXPECT_EQ(lastWidget()->ypos, py - 16 + 10) << px << "," << py;
  }
}

TEST_F(Extremes, ViewsResizedBeyondTheBuffersAndDragged) {
  placeAndSelectLabel();
  drag(340, 316, 21, 21);  // to (-19, 5)
  tap(58, 33);             // grab (77, 28): inside the corner zone
  ASSERT_EQ(widthflag, 1);
  ASSERT_EQ(heightflag, 1);
  drag(58, 33, 709, 639);
  const View* w = lastWidget();
  EXPECT_EQ(w->width, 80 + 651);
  EXPECT_EQ(w->height, 32 + 606);
  EXPECT_EQ(xposnum->value, -19);
  tap(300, 300);  // grab the middle of the large view
  EXPECT_EQ(tempptr, lastOverlay());
  EXPECT_EQ(widthflag, 0);
  EXPECT_EQ(ibuffsizex, 731);
  EXPECT_EQ(ibuffsizey, 638);
  for (const Point& p : {Point{1, 1}, Point{709, 639}, Point{1, 639}, Point{709, 1}}) {
    pushPress(300, 300);
    pushMotion(p.first, p.second);
    pushMotion(355, 320);
    pushMotion(p.first, p.second);
    pushRelease(p.first, p.second);
    dispatch();
    EXPECT_EQ(w->xpos, -19 + p.first - 300) << p.first << "," << p.second;
    EXPECT_EQ(w->ypos, 5 + p.second - 300) << p.first << "," << p.second;
    drag(p.first, p.second, 300, 300);
    ASSERT_EQ(w->xpos, -19);
    ASSERT_EQ(w->ypos, 5);
  }
}

// Copies from (20, 20) run diagonally to (340, 340), clear of the buttons.
TEST_F(Extremes, ViewListFilledToItsEndByCopies) {
  drag(465, 49, 21, 21);
  for (int i = 0; i < 32; ++i) tapButton(copybutton);
  ASSERT_EQ(noOfViews(), 119);
  EXPECT_EQ(lastWidget()->xpos, 340);
  testing::internal::CaptureStderr();
  for (int i = 0; i < 3; ++i) {
    answerNoRoom();
    tapButton(copybutton);
  }
  EXPECT_NE(testing::internal::GetCapturedStderr().find("full"), std::string::npos);
  EXPECT_EQ(noOfViews(), 119);
  EXPECT_EQ(viewList[119], nullptr);
  drag(350, 350, 700, 630);  // the last copy, mostly off the screen
  EXPECT_EQ(lastWidget()->xpos, 690);
  EXPECT_EQ(lastWidget()->ypos, 620);
}

TEST_F(Extremes, ViewsSteppedToWidthOneStillDrag) {
  placeAndSelectLabel();
  for (int i = 0; i < 80; ++i) tapButton(decwidth);
  for (int i = 0; i < 32; ++i) tapButton(decheight);
  const View* w = lastWidget();
  EXPECT_EQ(w->width, 1);
  EXPECT_EQ(w->height, 1);
  EXPECT_EQ(lastOverlay()->width, 1);
  tapButton(incwidth);
  tapButton(incheight);
  tapButton(incwidth);
  tapButton(incheight);  // 3 by 3: touchable in its middle pixel only
  tap(301, 301);
  ASSERT_EQ(tempptr, lastOverlay());
  EXPECT_EQ(widthflag, 1);
  EXPECT_EQ(heightflag, 1);
  drag(301, 301, 1, 1);
  EXPECT_EQ(w->width, 1) << "a resize does not go below 1";
  EXPECT_EQ(w->height, 1);
}

}  // namespace

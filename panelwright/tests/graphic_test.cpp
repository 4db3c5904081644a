// The placeholder that stands in for a graphic view's content.
#include <algorithm>
#include <ostream>

#include "designer_test.h"

namespace {

using GraphicPlaceholder = DesignerTest;

// Bounding box of the points of one colour inside a rectangle (inclusive).
struct Box {
  int x0, y0, x1, y1;
  bool operator==(const Box&) const = default;
};

Box boxOf(uint32_t colour, const Box& within) {
  Box box{within.x1 + 1, within.y1 + 1, within.x0 - 1, within.y0 - 1};
  for (const auto& [x, y] : pointsOf(colour)) {
    if (x < within.x0 || x > within.x1 || y < within.y0 || y > within.y1) continue;
    box = {std::min(box.x0, x), std::min(box.y0, y), std::max(box.x1, x), std::max(box.y1, y)};
  }
  return box;
}

std::ostream& operator<<(std::ostream& out, const Box& b) {
  return out << "(" << b.x0 << "," << b.y0 << ")-(" << b.x1 << "," << b.y1 << ")";
}

// The palette's entry: 144 by 96 at (440, 295), caption origin (446, 337) at
// scale 2, "GraphicView" from the G's left column to the w's right one and
// from the capitals' top row to the p's tail.
TEST_F(GraphicPlaceholder, PaletteEntryShowsTheWholeCaption) {
  EXPECT_EQ(boxOf(GREY_PIXEL, {441, 296, 583, 390}), (Box{445, 332, 575, 350}));
  for (int x : {440, 512, 584}) {
    EXPECT_EQ(pixel(x, 295), LIGHT_GREY_PIXEL) << "top edge at " << x;
    EXPECT_EQ(pixel(x, 391), LIGHT_GREY_PIXEL) << "bottom edge at " << x;
  }
  for (int y : {295, 340, 391}) {
    EXPECT_EQ(pixel(440, y), LIGHT_GREY_PIXEL) << "left edge at " << y;
    EXPECT_EQ(pixel(584, y), LIGHT_GREY_PIXEL) << "right edge at " << y;
  }
  EXPECT_EQ(pixel(450, 300), PALE_GREY) << "the inside is not filled";
}

struct Case {
  int width;
  Box caption;  // of a view at (50, 50), 60 high; empty when x0 > x1
  const char* what;
};

class NarrowGraphic : public ScreenTest, public ::testing::WithParamInterface<Case> {};

TEST_P(NarrowGraphic, KeepsTheCharactersThatFit) {
  const Case& c = GetParam();
  clearScreen(WHITE);
  View* v = newGraphicView(c.width, 60, 50, 50);
  drawView(v);
  EXPECT_EQ(boxOf(GREY_PIXEL, {0, 0, 709, 639}), c.caption) << c.what;
  EXPECT_EQ(pixel(50, 50), LIGHT_GREY_PIXEL);
  EXPECT_EQ(pixel(50 + c.width, 110), LIGHT_GREY_PIXEL);
  EXPECT_EQ(pixel(51, 51), WHITE);
}

// Text origin y = 50 + 30 - 6 = 74: capitals from row 69 to 83, the p's tail to 87.
INSTANTIATE_TEST_SUITE_P(
    Widths, NarrowGraphic,
    ::testing::Values(Case{100, {51, 69, 145, 87}, "eight characters, \"GraphicV\""},
                      Case{24, {49, 69, 71, 83}, "two characters, \"Gr\""},
                      Case{12, {49, 69, 59, 83}, "one character, \"G\""},
                      Case{11, {710, 640, -1, -1}, "outline only"}));

}  // namespace

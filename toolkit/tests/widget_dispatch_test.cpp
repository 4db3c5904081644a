#include <string>

#include "widget_picture.h"

namespace {

constexpr uint32_t GROUND = 0x00203040;
constexpr int RED = 0x00AA0000;
constexpr int GREEN = 0x0000AA00;

class DrawDispatch : public WidgetTest {};

using Strings = std::vector<std::string>;

TEST_F(DrawDispatch, EachKindIsDrawnByItsRoutine) {
  struct Case {
    const char* name;
    View* (*make)();
    void (*draw)(View*);
  };
  const Case cases[] = {
      {"button", [] { return newButton(80, 32, 100, 100, 1, "Button"); }, drawButton},
      {"number view", [] { return newNumView(160, 16, 100, 100, "NumView"); }, drawNumView},
      {"label", [] { return newLabel(80, 32, 100, 100, " Label"); }, drawLabel},
      {"vertical meter", [] { return newVMeter(32, 64, 464, 96); }, drawVMeter},
      {"horizontal meter", [] { return newHMeter(64, 32, 544, 128); }, drawHMeter},
      {"vertical slider", [] { return newVSlider(32, 128, 640, 144); }, drawVSlider},
      {"horizontal slider", [] { return newHSlider(128, 32, 464, 192); }, drawHSlider},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    freeViewList();
    View* view = c.make();
    int flips = 0;
    const auto expected = referencePicture(GROUND, {}, [&] {
      resetFlipCount();
      c.draw(view);
      flips = flipCount();
    });
    drawView(view);
    const std::set<Point> wrong = differencesFrom(expected);
    EXPECT_TRUE(wrong.empty()) << describe(wrong);
    EXPECT_EQ(flipCount(), flips) << "drawView adds no flip of its own";
    EXPECT_GT(flips, 0);
  }
}

TEST_F(DrawDispatch, PlainViewsAndUnknownKindsAreNeverDrawn) {
  View* plain = newView(80, 32, 100, 100);
  plain->border = plain->background = plain->foreground = RED;
  View* unknown = insertView(42, 80, 32, 200, 100, 0, "Text", RED, RED, RED, 0, STATUS_SHOWN);
  prepareScreen(GROUND, {});
  drawView(plain);
  drawView(unknown);
  drawAllViews();
  EXPECT_TRUE(pointsNot(GROUND).empty());
  EXPECT_EQ(flipCount(), 0);
  EXPECT_EQ(lockDepth(), 0);
}

TEST_F(DrawDispatch, GraphicViewsAreLeftToTheApplication) {
  View* graphic = newGraphicView(80, 32, 100, 100);
  graphic->border = graphic->background = graphic->foreground = RED;
  prepareScreen(GROUND, {});
  drawView(graphic);
  EXPECT_EQ(recordedCalls, Strings{"drawGraphic 0"});
  EXPECT_TRUE(pointsNot(GROUND).empty());
  EXPECT_EQ(flipCount(), 0);
}

TEST_F(DrawDispatch, DrawViewIgnoresTheStatus) {
  View* hidden = newLabel(80, 32, 100, 100, "Hidden");
  hidden->status = STATUS_HIDDEN;
  View* disabled = newGraphicView(10, 10, 0, 0);
  disabled->status = STATUS_DISABLED;
  prepareScreen(GROUND, {});
  drawView(hidden);
  drawView(disabled);
  EXPECT_FALSE(pointsOf(0x505050).empty());
  EXPECT_EQ(recordedCalls, Strings{"drawGraphic 1"});
}

TEST_F(DrawDispatch, AllViewsSkipsOnlyHiddenOnes) {
  for (int i = 0; i < 5; ++i) newGraphicView(10, 10, 20 * i, 0);
  getView(1)->status = STATUS_HIDDEN;
  getView(2)->status = STATUS_DISABLED;
  getView(4)->status = STATUS_HIDDEN;
  drawAllViews();
  EXPECT_EQ(recordedCalls, (Strings{"drawGraphic 0", "drawGraphic 2", "drawGraphic 3"}));
}

TEST_F(DrawDispatch, AllViewsOnAnEmptyListDoesNothing) {
  prepareScreen(GROUND, {});
  drawAllViews();
  EXPECT_TRUE(pointsNot(GROUND).empty());
  EXPECT_EQ(flipCount(), 0);
  EXPECT_TRUE(recordedCalls.empty());
}

TEST_F(DrawDispatch, LaterViewsCoverEarlierOnes) {
  View* below = newLabel(50, 50, 100, 100, "");
  below->background = RED;
  View* above = newLabel(50, 50, 120, 120, "");
  above->background = GREEN;
  View* disabledButton = newButton(80, 32, 300, 300, 1, "Off");
  disabledButton->status = STATUS_DISABLED;
  const auto expected = referencePicture(GROUND, {}, [&] {
    drawFilledRectangle(50, 50, 100, 100, RED);
    drawFilledRectangle(50, 50, 120, 120, GREEN);
    drawButton(disabledButton);
  });
  drawAllViews();
  const std::set<Point> wrong = differencesFrom(expected);
  EXPECT_TRUE(wrong.empty()) << describe(wrong);
  EXPECT_EQ(getPixel(130, 130), GREEN);
  EXPECT_EQ(getPixel(110, 110), RED);
  EXPECT_EQ(getPixel(320 + 2, 300 + 16), 0xF0F0F0) << "a disabled button keeps its body";
}

TEST_F(DrawDispatch, ViewsAddedWhileDrawingAreDrawnToo) {
  newGraphicView(10, 10, 0, 0);
  onCallback = [](View* view) {
    if (view == getView(0)) newGraphicView(10, 10, 20, 0);
  };
  drawAllViews();
  EXPECT_EQ(recordedCalls, (Strings{"drawGraphic 0", "drawGraphic 1"}));
}

}  // namespace

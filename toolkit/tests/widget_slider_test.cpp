#include <string>

#include "widget_picture.h"

namespace {

constexpr uint32_t GROUND = 0x00203040;
constexpr uint32_t ERASE = 0x00AA5500;
constexpr int OUTLINE = 0x141414;
constexpr int FILLED = 0x5050B4;
constexpr int KNOB = 0xF0F0F0;

class Sliders : public WidgetTest {};

void expectPicture(const std::vector<uint32_t>& picture) {
  const std::set<Point> wrong = differencesFrom(picture);
  EXPECT_TRUE(wrong.empty()) << describe(wrong);
}

// A vertical slider 32 by 128 at (640, 144) and a horizontal one 128 by 32 at (464, 192).
View* exampleSlider(bool vertical, int current) {
  return vertical ? newVSlider(32, 128, 640, 144, 100, 0, current)
                  : newHSlider(128, 32, 464, 192, 100, 0, current);
}

const Seed VERTICAL_ERASE_POINT{640, 134, ERASE};
const Seed HORIZONTAL_ERASE_POINT{454, 192, ERASE};

void drawSlider(View* slider) {
  if (slider->type == VIEW_VSLIDER) {
    drawVSlider(slider);
  } else {
    drawHSlider(slider);
  }
}

TEST_F(Sliders, VerticalSliderPixelForPixel) {
  View* slider = exampleSlider(true, 50);
  const auto expected = referencePicture(GROUND, {VERTICAL_ERASE_POINT}, [] {
    drawFilledRectangle(32, 153, 640, 129, ERASE);
    drawRoundedRectangle(16, 144, 648, 134, OUTLINE);
    drawFilledEllipse(24, 24, 644, 195, KNOB);
    drawEllipse(24, 24, 644, 195, OUTLINE);
    fillArea(656, 274, FILLED);
  });
  drawVSlider(slider);
  expectPicture(expected);
  EXPECT_EQ(getPixel(640, 134), static_cast<int>(ERASE));
  EXPECT_EQ(getPixel(656, 274), FILLED);
  EXPECT_EQ(getPixel(656, 230), FILLED) << "the fill reaches up to the knob";
  EXPECT_EQ(flipCount(), 5) << "track, two ellipses, fill, the bracket";
}

TEST_F(Sliders, HorizontalSliderPixelForPixel) {
  View* slider = exampleSlider(false, 50);
  const auto expected = referencePicture(GROUND, {HORIZONTAL_ERASE_POINT}, [] {
    drawFilledRectangle(153, 32, 452, 192, ERASE);
    drawRoundedRectangle(144, 16, 456, 200, OUTLINE);
    drawFilledEllipse(24, 24, 517, 196, KNOB);
    drawEllipse(24, 24, 517, 196, OUTLINE);
    fillArea(464, 208, FILLED);
  });
  drawHSlider(slider);
  expectPicture(expected);
  EXPECT_EQ(getPixel(454, 192), static_cast<int>(ERASE));
  EXPECT_EQ(getPixel(464, 208), FILLED);
  EXPECT_EQ(getPixel(510, 208), FILLED) << "the fill reaches up to the knob";
  EXPECT_EQ(flipCount(), 5);
}

TEST_F(Sliders, TrackIsFilledAboveTheThresholds) {
  struct Case {
    bool vertical;
    int current;
    int knobX, knobY;
    bool trackFilled;
  };
  const Case cases[] = {
      {true, 5, 644, 250, true},    {true, 4, 644, 252, false},   {true, 0, 644, 256, false},
      {true, 100, 644, 133, true},  {false, 8, 465, 196, true},   {false, 7, 464, 196, false},
      {false, 0, 456, 196, false},  {false, 100, 579, 196, true}, {true, -30, 644, 256, false},
      {false, 120, 579, 196, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.vertical ? "vertical " : "horizontal ") + std::to_string(c.current));
    freeViewList();
    View* slider = exampleSlider(c.vertical, c.current);
    const Seed erasePoint = c.vertical ? VERTICAL_ERASE_POINT : HORIZONTAL_ERASE_POINT;
    const auto expected = referencePicture(GROUND, {erasePoint}, [&] {
      if (c.vertical) {
        drawFilledRectangle(32, 153, 640, 129, ERASE);
        drawRoundedRectangle(16, 144, 648, 134, OUTLINE);
      } else {
        drawFilledRectangle(153, 32, 452, 192, ERASE);
        drawRoundedRectangle(144, 16, 456, 200, OUTLINE);
      }
      drawFilledEllipse(24, 24, c.knobX, c.knobY, KNOB);
      drawEllipse(24, 24, c.knobX, c.knobY, OUTLINE);
      if (c.trackFilled) {
        if (c.vertical) {
          fillArea(656, 274, FILLED);
        } else {
          fillArea(464, 208, FILLED);
        }
      }
    });
    drawSlider(slider);
    expectPicture(expected);
    EXPECT_EQ(flipCount(), c.trackFilled ? 5 : 4);
  }
}

TEST_F(Sliders, RedrawWipesThePreviousKnob) {
  for (bool vertical : {true, false}) {
    SCOPED_TRACE(vertical ? "vertical" : "horizontal");
    freeViewList();
    View* slider = exampleSlider(vertical, 90);
    const Seed erasePoint = vertical ? VERTICAL_ERASE_POINT : HORIZONTAL_ERASE_POINT;
    setSliderValue(slider, 25);
    const auto expected = referencePicture(GROUND, {erasePoint}, [&] { drawSlider(slider); });
    setSliderValue(slider, 90);
    drawSlider(slider);
    setSliderValue(slider, 25);
    drawSlider(slider);
    expectPicture(expected);
  }
}

TEST_F(Sliders, WithoutBorderTheFillIsBoundedByTheKnobAndTheRepaintedArea) {
  View* slider = exampleSlider(true, 50);
  slider->border = COLOR_NONE;
  prepareScreen(GROUND, {VERTICAL_ERASE_POINT});
  drawVSlider(slider);
  EXPECT_TRUE(pointsOf(OUTLINE).empty());
  // The knob's body covers column 656 down to row 218.
  EXPECT_EQ(pointsOf(FILLED), rectanglePoints(640, 219, 671, 281));
  EXPECT_EQ(flipCount(), 3);
}

TEST_F(Sliders, WithoutForegroundTheFillRunsUpTheWholeTrack) {
  View* vertical = exampleSlider(true, 50);
  View* horizontal = exampleSlider(false, 50);
  vertical->foreground = horizontal->foreground = COLOR_NONE;
  prepareScreen(GROUND, {VERTICAL_ERASE_POINT, HORIZONTAL_ERASE_POINT});
  drawVSlider(vertical);
  EXPECT_EQ(flipCount(), 3) << "track, fill, the bracket";
  drawHSlider(horizontal);
  EXPECT_TRUE(pointsOf(KNOB).empty());
  EXPECT_EQ(getPixel(656, 136), FILLED);
  EXPECT_EQ(getPixel(656, 134), OUTLINE);
  EXPECT_EQ(getPixel(590, 208), FILLED);
  EXPECT_EQ(getPixel(600, 208), OUTLINE);
}

TEST_F(Sliders, WithoutBackgroundTheTrackStaysEmpty) {
  View* slider = exampleSlider(true, 90);
  slider->background = COLOR_NONE;
  prepareScreen(GROUND, {VERTICAL_ERASE_POINT});
  drawVSlider(slider);
  EXPECT_TRUE(pointsOf(FILLED).empty());
  EXPECT_EQ(getPixel(656, 274), static_cast<int>(ERASE));
  EXPECT_EQ(flipCount(), 4);
}

TEST_F(Sliders, SlidersAtTheSurfaceEdgesWriteOnlyWhatLiesOnIt) {
  View* corner = newVSlider(32, 128, 0, 0, 100, 0, 50);
  View* bottomRight = newHSlider(128, 32, 650, 620, 100, 0, 50);
  prepareScreen(GROUND, {{640, 620, ERASE}});
  drawVSlider(corner);
  // The erase point lies above the surface, where the screen reads as 0.
  EXPECT_EQ(getPixel(0, 0), 0);
  EXPECT_EQ(getPixel(31, 137), 0);
  EXPECT_EQ(getPixel(0, 138), static_cast<int>(GROUND));
  drawHSlider(bottomRight);
  EXPECT_EQ(getPixel(638, 620), static_cast<int>(ERASE));
  EXPECT_EQ(getPixel(637, 620), static_cast<int>(GROUND));
  EXPECT_EQ(getPixel(650, 636), FILLED);
  EXPECT_EQ(getPixel(650, 639), FILLED) << "the track's lower part lies below the surface";
}

}  // namespace

#include <string>

#include "widget_picture.h"

namespace {

constexpr uint32_t GROUND = 0x00203040;
constexpr uint32_t ERASE = 0x00AA5500;
constexpr int WHITE = 0xFFFFFF;
constexpr int BLACK = 0x000000;
constexpr int BAR = 0x5050B4;

class Meters : public WidgetTest {};

void expectPicture(const std::vector<uint32_t>& picture) {
  const std::set<Point> wrong = differencesFrom(picture);
  EXPECT_TRUE(wrong.empty()) << describe(wrong);
}

TEST_F(Meters, VerticalMeterPixelForPixel) {
  View* meter = newVMeter(32, 64, 464, 96, 100, 0, 50);
  const auto expected = referencePicture(GROUND, {{499, 128, ERASE}}, [] {
    drawFilledRectangle(32, 64, 464, 96, WHITE);
    drawFilledRectangle(26, 29, 467, 129, BAR);
    drawRectangle(31, 64, 464, 96, 1, BLACK);
    drawFilledRectangle(24, 66, 497, 95, ERASE);
    drawText("0", 501, 155, 1, BLACK);
    drawText("100", 501, 96, 1, BLACK);
    drawText("50", 501, 126, 1, BLACK);
  });
  drawVMeter(meter);
  expectPicture(expected);
  EXPECT_EQ(pointsOf(BAR), rectanglePoints(467, 129, 492, 157));
  const auto wiped = rectanglePoints(497, 95, 520, 160);
  auto strip = pointsOfIn(ERASE, 497, 95, 520, 160);
  strip.merge(pointsOfIn(BLACK, 497, 95, 520, 160));
  EXPECT_EQ(strip, wiped) << "the strip holds only the erase colour and the numbers";
  EXPECT_EQ(flipCount(), 9) << "fill, four frame sides, three numbers, the bracket";
}

TEST_F(Meters, HorizontalMeterPixelForPixel) {
  View* meter = newHMeter(64, 32, 544, 128, 100, 0, 50);
  const auto expected = referencePicture(GROUND, {{576, 125, ERASE}}, [] {
    drawFilledRectangle(64, 32, 544, 128, WHITE);
    drawFilledRectangle(29, 26, 547, 131, BAR);
    drawRectangle(64, 31, 544, 128, 1, BLACK);
    drawFilledRectangle(73, 8, 543, 116, ERASE);
    drawText("0", 546, 118, 1, BLACK);
    drawText("100", 596, 118, 1, BLACK);
    drawText("50", 570, 118, 1, BLACK);
  });
  drawHMeter(meter);
  expectPicture(expected);
  EXPECT_EQ(pointsOf(BAR), rectanglePoints(547, 131, 575, 156));
  EXPECT_EQ(getPixel(576, 125), static_cast<int>(ERASE)) << "the erase point is left alone";
  auto band = pointsOfIn(ERASE, 543, 116, 615, 123);
  band.merge(pointsOfIn(BLACK, 543, 116, 615, 123));
  EXPECT_EQ(band, rectanglePoints(543, 116, 615, 123));
  EXPECT_EQ(flipCount(), 9);
}

struct Number {
  const char* text;
  int x, y;
};

struct RangeCase {
  bool vertical;
  int maximum, minimum, current;
  int barWidth, barHeight, barX, barY;
  std::vector<Number> numbers;
};

TEST_F(Meters, BarAndNumbersFollowTheRange) {
  const RangeCase cases[] = {
      {true, 100, 0, 0, 0, 0, 0, 0, {{"0", 501, 155}, {"100", 501, 96}}},
      {true, 100, 0, 100, 26, 59, 467, 99, {{"0", 501, 155}, {"100", 501, 96}}},
      {true, 0, 100, 25, 26, 44, 467, 114, {{"100", 501, 155}, {"0", 501, 96}}},
      {true,
       100,
       -20,
       -10,
       26,
       4,
       467,
       154,
       {{"-20", 501, 155}, {"100", 501, 96}, {"-10", 501, 151}}},
      {true, 100, 0, 120, 26, 59, 467, 99, {{"0", 501, 155}, {"100", 501, 96}}},
      {false, 100, 0, 0, 0, 0, 0, 0, {{"0", 546, 118}, {"100", 596, 118}}},
      {false, 100, 0, 100, 59, 26, 547, 131, {{"0", 546, 118}, {"100", 596, 118}}},
      {false, 0, 100, 25, 44, 26, 547, 131, {{"100", 546, 118}, {"0", 596, 118}}},
      {false,
       100,
       -20,
       40,
       29,
       26,
       547,
       131,
       {{"-20", 546, 118}, {"100", 596, 118}, {"40", 570, 118}}},
      {false, 100, 0, 5, 2, 26, 547, 131, {{"0", 546, 118}, {"100", 596, 118}, {"5", 549, 118}}},
  };
  for (const RangeCase& c : cases) {
    SCOPED_TRACE(std::string(c.vertical ? "vertical " : "horizontal ") + std::to_string(c.maximum) +
                 " " + std::to_string(c.minimum) + " " + std::to_string(c.current));
    freeViewList();
    View* meter = c.vertical ? newVMeter(32, 64, 464, 96, c.maximum, c.minimum, c.current)
                             : newHMeter(64, 32, 544, 128, c.maximum, c.minimum, c.current);
    const auto expected = referencePicture(GROUND, {}, [&] {
      if (c.vertical) {
        drawFilledRectangle(32, 64, 464, 96, WHITE);
        drawFilledRectangle(c.barWidth, c.barHeight, c.barX, c.barY, BAR);
        drawRectangle(31, 64, 464, 96, 1, BLACK);
        drawFilledRectangle(24, 66, 497, 95, static_cast<int>(GROUND));
      } else {
        drawFilledRectangle(64, 32, 544, 128, WHITE);
        drawFilledRectangle(c.barWidth, c.barHeight, c.barX, c.barY, BAR);
        drawRectangle(64, 31, 544, 128, 1, BLACK);
        drawFilledRectangle(73, 8, 543, 116, static_cast<int>(GROUND));
      }
      for (const Number& n : c.numbers) drawText(n.text, n.x, n.y, 1, BLACK);
    });
    if (c.vertical) {
      drawVMeter(meter);
    } else {
      drawHMeter(meter);
    }
    expectPicture(expected);
    EXPECT_EQ(flipCount(), 6 + static_cast<int>(c.numbers.size()));
  }
}

TEST_F(Meters, WipeRemovesTheOldNumbersInTheColourBesideTheMeter) {
  View* meter = newVMeter(32, 64, 464, 96, 100, 0, 80);
  prepareScreen(GROUND, {{499, 128, ERASE}});
  drawVMeter(meter);
  setMeterValue(meter, 20);
  const auto expected = referencePicture(GROUND, {{499, 128, ERASE}}, [&] { drawVMeter(meter); });
  prepareScreen(GROUND, {{499, 128, ERASE}});
  setMeterValue(meter, 80);
  drawVMeter(meter);
  setMeterValue(meter, 20);
  drawVMeter(meter);
  expectPicture(expected);
}

TEST_F(Meters, WithoutBackgroundTheOldLongerBarStays) {
  View* meter = newVMeter(32, 64, 464, 96, 100, 0, 80);
  meter->background = COLOR_NONE;
  prepareScreen(GROUND, {});
  drawVMeter(meter);
  EXPECT_EQ(pointsOf(BAR), rectanglePoints(467, 111, 492, 157));
  setMeterValue(meter, 20);
  drawVMeter(meter);
  EXPECT_EQ(pointsOf(BAR), rectanglePoints(467, 111, 492, 157));
}

TEST_F(Meters, WithoutBorderNothingBesideTheMeterIsTouched) {
  View* vertical = newVMeter(32, 64, 464, 96, 100, 0, 50);
  View* horizontal = newHMeter(64, 32, 544, 128, 100, 0, 50);
  vertical->border = horizontal->border = COLOR_NONE;
  prepareScreen(GROUND, {});
  drawVMeter(vertical);
  drawHMeter(horizontal);
  auto expected = rectanglePoints(464, 96, 495, 159);
  expected.merge(rectanglePoints(544, 128, 607, 159));
  EXPECT_EQ(pointsNot(GROUND), expected);
  EXPECT_TRUE(pointsOf(BLACK).empty());
  EXPECT_EQ(flipCount(), 4);
}

TEST_F(Meters, WithoutForegroundThereIsNoBar) {
  View* vertical = newVMeter(32, 64, 464, 96, 100, 0, 50);
  View* horizontal = newHMeter(64, 32, 544, 128, 100, 0, 50);
  vertical->foreground = horizontal->foreground = COLOR_NONE;
  prepareScreen(GROUND, {});
  drawVMeter(vertical);
  drawHMeter(horizontal);
  EXPECT_TRUE(pointsOf(BAR).empty());
  EXPECT_EQ(pointsOf(WHITE).size(), 30u * 63 + 63u * 30)
      << "the boxes stay white inside the frames";
}

TEST_F(Meters, MetersAtTheSurfaceEdgesWriteOnlyWhatLiesOnIt) {
  View* right = newVMeter(32, 64, 670, 600, 100, 0, 50);
  View* top = newHMeter(64, 32, 0, 5, 100, 0, 50);
  prepareScreen(GROUND, {{705, 632, ERASE}, {32, 2, ERASE}});
  drawVMeter(right);
  drawHMeter(top);
  EXPECT_EQ(pointsOf(BAR), [] {
    auto bars = rectanglePoints(673, 633, 698, 639);
    bars.merge(rectanglePoints(3, 8, 31, 33));
    return bars;
  }());
  auto erased = rectanglePoints(703, 599, 706, 639);
  erased.merge(rectanglePoints(0, 0, 71, 0));
  for (const Point& p : erased) {
    ASSERT_EQ(getPixel(p.first, p.second), static_cast<int>(ERASE)) << p.first << ", " << p.second;
  }
}

}  // namespace

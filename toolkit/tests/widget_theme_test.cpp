#include <cstring>
#include <string>

#include "widget_picture.h"

namespace {

class Theme : public WidgetTest {
 protected:
  void TearDown() override {
    setButtonTheme(0x141414, 0xF0F0F0, 0x5050B4);
    WidgetTest::TearDown();
  }
};

uint32_t bytesOf(const View* view) { return static_cast<uint32_t>(view->value); }

TEST_F(Theme, GlobalsStartWithTheirColours) {
  struct Case {
    const char* name;
    int32_t actual;
    int32_t expected;
  };
  const Case cases[] = {
      {"buttonborder", buttonborder, 0x141414},
      {"buttonbackground", buttonbackground, 0xF0F0F0},
      {"buttontext", buttontext, 0x5050B4},
      {"labelborder", labelborder, -1},
      {"labelbackground", labelbackground, -1},
      {"labeltext", labeltext, 0x505050},
      {"numborder", numborder, 0x141414},
      {"numbackground", numbackground, 0xFFFFFF},
      {"numtext", numtext, 0x000000},
      {"meterborder", meterborder, 0x000000},
      {"meterbackground", meterbackground, 0xFFFFFF},
      {"meterforeground", meterforeground, 0x5050B4},
      {"sliderborder", sliderborder, 0x141414},
      {"sliderbackground", sliderbackground, 0x5050B4},
      {"sliderforeground", sliderforeground, 0xF0F0F0},
  };
  for (const Case& c : cases) EXPECT_EQ(c.actual, c.expected) << c.name;
}

TEST_F(Theme, ConstructorsFillTheirFieldsAndRegisterInOrder) {
  struct Case {
    View* view;
    int32_t type, id;
    const char* text;
    int32_t border, background, foreground, value;
  };
  const Case cases[] = {
      {newView(1, 2, 3, 4), VIEW_PLAIN, 0, "", 0, 0, 0, 0},
      {newButton(1, 2, 3, 4, 77, "Go"), VIEW_BUTTON, 77, "Go", 0x141414, 0xF0F0F0, 0x5050B4, 0},
      {newLabel(1, 2, 3, 4, "Name"), VIEW_LABEL, 0, "Name", -1, -1, 0x505050, 0},
      {newNumView(1, 2, 3, 4, "12"), VIEW_NUMVIEW, 0, "12", 0x141414, 0xFFFFFF, 0x000000, 0},
      {newGraphicView(1, 2, 3, 4), VIEW_GRAPHIC, 0, "", 0, 0, 0, 0},
      {newVMeter(1, 2, 3, 4, 100, 0, 50), VIEW_VMETER, 0, "", 0x000000, 0xFFFFFF, 0x5050B4,
       0x00640032},
      {newHMeter(1, 2, 3, 4, 10, 1, 2), VIEW_HMETER, 0, "", 0x000000, 0xFFFFFF, 0x5050B4,
       0x000A0102},
      {newVSlider(1, 2, 3, 4, 127, -128, -1), VIEW_VSLIDER, 0, "", 0x141414, 0x5050B4, 0xF0F0F0,
       0x007F80FF},
      {newHSlider(1, 2, 3, 4, 100, -20, 0), VIEW_HSLIDER, 0, "", 0x141414, 0x5050B4, 0xF0F0F0,
       0x0064EC00},
  };
  ASSERT_EQ(noOfViews(), 9);
  for (int i = 0; i < 9; ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE("view " + std::to_string(i));
    EXPECT_EQ(getView(i), c.view);
    EXPECT_EQ(c.view->type, c.type);
    EXPECT_EQ(c.view->width, 1);
    EXPECT_EQ(c.view->height, 2);
    EXPECT_EQ(c.view->xpos, 3);
    EXPECT_EQ(c.view->ypos, 4);
    EXPECT_EQ(c.view->id, c.id);
    EXPECT_STREQ(c.view->text, c.text);
    EXPECT_EQ(c.view->border, c.border);
    EXPECT_EQ(c.view->background, c.background);
    EXPECT_EQ(c.view->foreground, c.foreground);
    EXPECT_EQ(bytesOf(c.view), static_cast<uint32_t>(c.value));
    EXPECT_EQ(c.view->status, STATUS_SHOWN);
  }
}

TEST_F(Theme, SavedLayoutCallsTakeThePaletteDefaults) {
  const View* num = newNumView(160, 16, 448, 240);
  EXPECT_STREQ(num->text, "");
  for (const View* ranged : {newVMeter(32, 64, 464, 96), newHMeter(64, 32, 544, 128),
                             newVSlider(32, 128, 640, 144), newHSlider(128, 32, 464, 192)}) {
    EXPECT_EQ(bytesOf(ranged), 0x00640032u) << "kind " << ranged->type;
  }
}

TEST_F(Theme, TextsAreCutToTwentyFourCharacters) {
  const View* label = newLabel(1, 1, 0, 0, "abcdefghijklmnopqrstuvwxyz0123");
  EXPECT_STREQ(label->text, "abcdefghijklmnopqrstuvwx");
  const View* button = newButton(1, 1, 0, 0, 1, "123456789012345678901234");
  EXPECT_STREQ(button->text, "123456789012345678901234");
}

TEST_F(Theme, ButtonThemeAffectsOnlyLaterButtons) {
  const View* before = newButton(10, 10, 0, 0, 1, "a");
  setButtonTheme(0x010203, 0x040506, 0x070809);
  EXPECT_EQ(buttonborder, 0x010203);
  EXPECT_EQ(buttonbackground, 0x040506);
  EXPECT_EQ(buttontext, 0x070809);
  const View* after = newButton(10, 10, 0, 0, 2, "b");
  EXPECT_EQ(before->border, 0x141414);
  EXPECT_EQ(before->background, 0xF0F0F0);
  EXPECT_EQ(before->foreground, 0x5050B4);
  EXPECT_EQ(after->border, 0x010203);
  EXPECT_EQ(after->background, 0x040506);
  EXPECT_EQ(after->foreground, 0x070809);
  const View* label = newLabel(10, 10, 0, 0, "c");
  EXPECT_EQ(label->foreground, 0x505050) << "only the button three change";
}

TEST_F(Theme, PackedFieldsReadBackSigned) {
  const View* meter = newVMeter(32, 64, 464, 96, 100, 0, 50);
  EXPECT_EQ(packedMaximum(meter->value), 100);
  EXPECT_EQ(packedMinimum(meter->value), 0);
  EXPECT_EQ(packedCurrent(meter->value), 50);
  EXPECT_EQ(valueFraction(meter->value), 0.5f);

  const View* slider = newHSlider(128, 32, 464, 192, 100, -20, 0);
  EXPECT_EQ(packedMinimum(slider->value), -20);

  const View* wide = newVSlider(1, 1, 0, 0, 200, -129, 383);
  EXPECT_EQ(bytesOf(wide), 0x00C87F7Fu) << "only the low 8 bits of each argument are kept";
  EXPECT_EQ(packedMaximum(wide->value), -56);
  EXPECT_EQ(packedMinimum(wide->value), 127);
  EXPECT_EQ(packedCurrent(wide->value), 127);

  // The top byte is ignored when read.
  EXPECT_EQ(packedMaximum(static_cast<int32_t>(0xAB9C0D80u)), -100);
  EXPECT_EQ(packedMinimum(static_cast<int32_t>(0xAB9C0D80u)), 13);
  EXPECT_EQ(packedCurrent(static_cast<int32_t>(0xAB9C0D80u)), -128);
}

TEST_F(Theme, SettersReplaceOnlyTheLowestByte) {
  struct Case {
    void (*set)(View*, int);
    int current;
    uint32_t expected;
    int readBack;
  };
  const Case cases[] = {
      {setSliderValue, 75, 0x0064EC4Bu, 75},
      {setMeterValue, 300, 0x0064EC2Cu, 44},
      {setMeterValue, -1, 0x0064ECFFu, -1},
      {setSliderValue, -128, 0x0064EC80u, -128},
  };
  for (const Case& c : cases) {
    View* view = newHSlider(128, 32, 464, 192, 100, -20, 0);
    const int flips = flipCount();
    c.set(view, c.current);
    EXPECT_EQ(bytesOf(view), c.expected) << c.current;
    EXPECT_EQ(packedCurrent(view->value), c.readBack);
    EXPECT_EQ(flipCount(), flips) << "setters do not redraw";
  }
  View* marked = newVMeter(1, 1, 0, 0);
  marked->value = static_cast<int32_t>(0xA5640032u);
  setMeterValue(marked, 7);
  EXPECT_EQ(bytesOf(marked), 0xA5640007u) << "bits 8 to 31 stay as they are";
}

TEST_F(Theme, ValueFractions) {
  struct Case {
    int maximum, minimum, current;
    float fraction;
  };
  const Case cases[] = {
      {100, 0, 50, 0.5f},
      {100, 0, 120, 1.0f},
      {100, 0, -5, 0.0f},
      {10, 10, 10, 0.0f},
      {10, 10, 11, 1.0f},
      {10, 10, -3, 0.0f},
      {0, 100, 25, 0.75f},
      {0, 100, 100, 0.0f},
      {100, 0, 0, 0.0f},
      {100, 0, 100, 1.0f},
      {100, 0, 5, 0.05f},
      {3, 0, 1, 1.0f / 3.0f},
      {127, -128, 0, 128.0f / 255.0f},
  };
  for (const Case& c : cases) {
    const View* view = newVMeter(1, 1, 0, 0, c.maximum, c.minimum, c.current);
    EXPECT_EQ(valueFraction(view->value), c.fraction)
        << c.maximum << " " << c.minimum << " " << c.current;
  }
  // One twentieth in single precision lies just above the double 0.05.
  EXPECT_GT(static_cast<double>(valueFraction(newVMeter(1, 1, 0, 0, 100, 0, 5)->value)), 0.05);
}

TEST_F(Theme, IndicatorLengths) {
  struct Case {
    int length;
    float fraction;
    int expected;
  };
  const Case cases[] = {
      {64, 0.5f, 29},  {64, 1.0f, 59},  {64, 0.0f, 0},    {128, 0.5f, 61}, {128, 0.05f, 6},
      {128, 0.08f, 9}, {128, 0.07f, 8}, {128, 0.75f, 92}, {5, 1.0f, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(indicatorLength(c.length, c.fraction), c.expected) << c.length << " " << c.fraction;
  }
}

TEST_F(Theme, DragRule) {
  struct Case {
    bool vertical;
    int maximum, minimum;
    int px, py;
    int expected;
  };
  // A vertical slider 32 by 128 at (640, 144) and a horizontal one 128 by 32 at (464, 192).
  const Case cases[] = {
      {true, 100, 0, 650, 240, 25},    {true, 100, 20, 650, 208, 60},
      {true, 100, 0, 650, 271, 0},     {true, 100, 0, 650, 145, 99},
      {true, 0, 100, 650, 208, 50},    {true, 0, 100, 650, 271, 100},
      {true, 10, 10, 650, 150, 10},    {false, 100, 0, 496, 200, 25},
      {false, 100, 0, 465, 200, 0},    {false, 100, 0, 591, 200, 99},
      {false, 100, -20, 528, 200, 40}, {false, -128, 127, 528, 200, 0},
  };
  for (const Case& c : cases) {
    const View* slider = c.vertical ? newVSlider(32, 128, 640, 144, c.maximum, c.minimum, 3)
                                    : newHSlider(128, 32, 464, 192, c.maximum, c.minimum, 3);
    EXPECT_EQ(sliderDragValue(slider, c.px, c.py), c.expected)
        << (c.vertical ? "vertical " : "horizontal ") << c.maximum << " " << c.minimum << " at "
        << c.px << ", " << c.py;
  }
}

TEST_F(Theme, DragRuleOnASliderWithoutLengthKeepsTheMinimum) {
  const View* flat = newVSlider(32, 0, 640, 144, 100, 7, 50);
  EXPECT_EQ(sliderDragValue(flat, 650, 144), 7);
  const View* thin = newHSlider(0, 32, 464, 192, 100, -3, 50);
  EXPECT_EQ(sliderDragValue(thin, 464, 200), -3);
}

}  // namespace

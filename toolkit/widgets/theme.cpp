#include <cstdint>

#include "toolkit.h"

int32_t buttonborder = 0x141414;
int32_t buttonbackground = 0xF0F0F0;
int32_t buttontext = 0x5050B4;
int32_t labelborder = COLOR_NONE;
int32_t labelbackground = COLOR_NONE;
int32_t labeltext = 0x505050;
int32_t numborder = 0x141414;
int32_t numbackground = 0xFFFFFF;
int32_t numtext = 0x000000;
int32_t meterborder = 0x000000;
int32_t meterbackground = 0xFFFFFF;
int32_t meterforeground = 0x5050B4;
int32_t sliderborder = 0x141414;
int32_t sliderbackground = 0x5050B4;
int32_t sliderforeground = 0xF0F0F0;

// Each range argument keeps only its low 8 bits; bits 24 to 31 stay 0.
static int32_t packValue(int maximum, int minimum, int current) {
  return ((maximum & 0xFF) << 16) | ((minimum & 0xFF) << 8) | (current & 0xFF);
}

static int signedByte(int32_t value, int shift) {
  return static_cast<int8_t>(static_cast<uint8_t>(value >> shift));
}

int packedMaximum(int32_t value) { return signedByte(value, 16); }
int packedMinimum(int32_t value) { return signedByte(value, 8); }
int packedCurrent(int32_t value) { return signedByte(value, 0); }

float valueFraction(int32_t value) {
  const int maximum = packedMaximum(value);
  const int minimum = packedMinimum(value);
  const int current = packedCurrent(value);
  if (maximum == minimum) return current > maximum ? 1.0f : 0.0f;
  // Both differences are exact in single precision, so the quotient is rounded once.
  const float fraction =
      static_cast<float>(current - minimum) / static_cast<float>(maximum - minimum);
  if (fraction < 0.0f) return 0.0f;
  if (fraction > 1.0f) return 1.0f;
  return fraction;
}

int indicatorLength(int length, float fraction) {
  return static_cast<int>((static_cast<double>(length) - 5.0) * static_cast<double>(fraction));
}

View* newView(int width, int height, int xpos, int ypos) {
  return insertView(VIEW_PLAIN, width, height, xpos, ypos, 0, "", 0, 0, 0, 0, STATUS_SHOWN);
}

View* newButton(int width, int height, int xpos, int ypos, int id, const char* text) {
  return insertView(VIEW_BUTTON, width, height, xpos, ypos, id, text, buttonborder,
                    buttonbackground, buttontext, 0, STATUS_SHOWN);
}

View* newLabel(int width, int height, int xpos, int ypos, const char* text) {
  return insertView(VIEW_LABEL, width, height, xpos, ypos, 0, text, labelborder, labelbackground,
                    labeltext, 0, STATUS_SHOWN);
}

View* newNumView(int width, int height, int xpos, int ypos, const char* text) {
  return insertView(VIEW_NUMVIEW, width, height, xpos, ypos, 0, text, numborder, numbackground,
                    numtext, 0, STATUS_SHOWN);
}

View* newGraphicView(int width, int height, int xpos, int ypos) {
  return insertView(VIEW_GRAPHIC, width, height, xpos, ypos, 0, "", 0, 0, 0, 0, STATUS_SHOWN);
}

View* newVMeter(int width, int height, int xpos, int ypos, int maximum, int minimum, int current) {
  return insertView(VIEW_VMETER, width, height, xpos, ypos, 0, "", meterborder, meterbackground,
                    meterforeground, packValue(maximum, minimum, current), STATUS_SHOWN);
}

View* newHMeter(int width, int height, int xpos, int ypos, int maximum, int minimum, int current) {
  return insertView(VIEW_HMETER, width, height, xpos, ypos, 0, "", meterborder, meterbackground,
                    meterforeground, packValue(maximum, minimum, current), STATUS_SHOWN);
}

View* newVSlider(int width, int height, int xpos, int ypos, int maximum, int minimum, int current) {
  return insertView(VIEW_VSLIDER, width, height, xpos, ypos, 0, "", sliderborder, sliderbackground,
                    sliderforeground, packValue(maximum, minimum, current), STATUS_SHOWN);
}

View* newHSlider(int width, int height, int xpos, int ypos, int maximum, int minimum, int current) {
  return insertView(VIEW_HSLIDER, width, height, xpos, ypos, 0, "", sliderborder, sliderbackground,
                    sliderforeground, packValue(maximum, minimum, current), STATUS_SHOWN);
}

void setButtonTheme(int border, int background, int text) {
  buttonborder = border;
  buttonbackground = background;
  buttontext = text;
}

// Only the current value changes; the range in bits 8 to 31 is kept.
static void setCurrent(View* view, int current) {
  view->value = (view->value & ~0xFF) | (current & 0xFF);
}

void setMeterValue(View* view, int current) { setCurrent(view, current); }
void setSliderValue(View* view, int current) { setCurrent(view, current); }

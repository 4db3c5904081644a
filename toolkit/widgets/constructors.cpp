#include <cstdint>

#include "toolkit.h"

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

// Each range argument keeps only its low 8 bits; bits 24 to 31 stay 0.
static int32_t packValue(int maximum, int minimum, int current) {
  return ((maximum & 0xFF) << 16) | ((minimum & 0xFF) << 8) | (current & 0xFF);
}

// Meters and sliders: a meter takes the meter theme, a slider the slider theme.
static View* newRanged(int32_t type, int width, int height, int xpos, int ypos, int maximum,
                       int minimum, int current) {
  const bool meter = type == VIEW_VMETER || type == VIEW_HMETER;
  return insertView(type, width, height, xpos, ypos, 0, "", meter ? meterborder : sliderborder,
                    meter ? meterbackground : sliderbackground,
                    meter ? meterforeground : sliderforeground,
                    packValue(maximum, minimum, current), STATUS_SHOWN);
}

View* newVMeter(int width, int height, int xpos, int ypos, int maximum, int minimum, int current) {
  return newRanged(VIEW_VMETER, width, height, xpos, ypos, maximum, minimum, current);
}

View* newHMeter(int width, int height, int xpos, int ypos, int maximum, int minimum, int current) {
  return newRanged(VIEW_HMETER, width, height, xpos, ypos, maximum, minimum, current);
}

View* newVSlider(int width, int height, int xpos, int ypos, int maximum, int minimum, int current) {
  return newRanged(VIEW_VSLIDER, width, height, xpos, ypos, maximum, minimum, current);
}

View* newHSlider(int width, int height, int xpos, int ypos, int maximum, int minimum, int current) {
  return newRanged(VIEW_HSLIDER, width, height, xpos, ypos, maximum, minimum, current);
}

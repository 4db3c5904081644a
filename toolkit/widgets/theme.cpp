#include <cstdint>

#include "toolkit.h"

// Each constructor reads its family's three colours when it is called.
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

void setButtonTheme(int border, int background, int text) {
  buttonborder = border;
  buttonbackground = background;
  buttontext = text;
}

#include <cstdint>

#include "toolkit.h"

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

// Only the current value changes; the range in bits 8 to 31 is kept.
static void setCurrent(View* view, int current) {
  view->value = (view->value & ~0xFF) | (current & 0xFF);
}

void setMeterValue(View* view, int current) { setCurrent(view, current); }
void setSliderValue(View* view, int current) { setCurrent(view, current); }

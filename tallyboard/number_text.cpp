#include "number_text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string_view>

static_assert(sizeof OVERFLOW_TEXT == DISPLAY_CHARACTERS + 1);

// Nine integer digits, the point and ten decimals fill the display and more;
// from here on the integer part alone would not fit.
static constexpr double OVERFLOW_LIMIT = 1'000'000'000.0;

static constexpr int MAXIMUM_DECIMALS = 10;

// A sign, nine integer digits, the point, ten decimals and the terminator.
static constexpr int WORKING_TEXT_SIZE = 22;

double stringToDouble(const char* text) {
  double value = 0;
  std::sscanf(text, "%lf", &value);
  return value;
}

static bool overflows(double value) {
  return std::isfinite(value) && std::fabs(std::trunc(value)) > OVERFLOW_LIMIT - 1;
}

// Drops trailing zeros and then a bare trailing point, and leading padding.
static std::string_view trimmed(std::string_view text) {
  while (text.ends_with('0')) text.remove_suffix(1);
  if (text.ends_with('.')) text.remove_suffix(1);
  while (text.starts_with(' ')) text.remove_prefix(1);
  return text;
}

// The decimals that fit in the display beside the integer part (and sign) of
// a text formatted with ten decimals; ten when there is no point (inf, nan).
static int decimalsThatFit(std::string_view formatted) {
  const size_t point = formatted.find('.');
  if (point == std::string_view::npos) return MAXIMUM_DECIMALS;
  return std::clamp(DISPLAY_CHARACTERS - static_cast<int>(point) - 1, 1, MAXIMUM_DECIMALS);
}

void doubleToString(double value, char* out) {
  std::memset(out, 0, DISPLAY_CHARACTERS);
  if (overflows(value)) {
    std::memcpy(out, OVERFLOW_TEXT, sizeof OVERFLOW_TEXT);
    return;
  }
  char working[WORKING_TEXT_SIZE];
  std::snprintf(working, sizeof working, "%10.10f", value);
  // A long number is rounded to the decimals that fit rather than cut: most
  // decimals have no exact double, and a cut would show 12345678.122 for the
  // 12345678.123 just typed, whose double lies a hair below it.
  const int decimals = decimalsThatFit(working);
  if (decimals < MAXIMUM_DECIMALS) std::snprintf(working, sizeof working, "%.*f", decimals, value);
  const std::string_view shown = trimmed(working).substr(0, DISPLAY_CHARACTERS);
  shown.copy(out, shown.size());
  out[shown.size()] = '\0';
}

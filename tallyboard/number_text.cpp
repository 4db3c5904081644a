#include "number_text.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string_view>

static_assert(sizeof overflowText == displayCharacters + 1);

// Nine integer digits, the point and ten decimals fill the display and more;
// from here on the integer part alone would not fit.
static constexpr double overflowLimit = 1'000'000'000.0;

// A sign, nine integer digits, the point, ten decimals and the terminator.
static constexpr int workingTextSize = 22;

double stringToDouble(const char* text) {
  double value = 0;
  std::sscanf(text, "%lf", &value);
  return value;
}

static bool overflows(double value) {
  return std::isfinite(value) && std::fabs(std::trunc(value)) > overflowLimit - 1;
}

// Drops trailing zeros and then a bare trailing point, and leading padding.
static std::string_view trimmed(std::string_view text) {
  while (text.ends_with('0')) text.remove_suffix(1);
  if (text.ends_with('.')) text.remove_suffix(1);
  while (text.starts_with(' ')) text.remove_prefix(1);
  return text;
}

void doubleToString(double value, char* out) {
  std::memset(out, 0, displayCharacters);
  if (overflows(value)) {
    std::memcpy(out, overflowText, sizeof overflowText);
    return;
  }
  char working[workingTextSize];
  std::snprintf(working, sizeof working, "%10.10f", value);
  const std::string_view shown = trimmed(working).substr(0, displayCharacters);
  shown.copy(out, shown.size());
  out[shown.size()] = '\0';
}

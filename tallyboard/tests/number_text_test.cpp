#include "number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

namespace {

constexpr double POSITIVE_INFINITY = std::numeric_limits<double>::infinity();
constexpr double QUIET_NAN = std::numeric_limits<double>::quiet_NaN();

std::string textOf(double value) {
  char out[DISPLAY_CHARACTERS + 1];
  doubleToString(value, out);
  return out;
}

struct Shown {
  double value;
  const char* text;
};

// One divided by three and friends are computed at run time on purpose: the
// display must show what the arithmetic really produced.
double divided(double a, double b) { return a / b; }

TEST(DoubleToString, TableOfResults) {
  const Shown cases[] = {
      {0, "0"},
      {100, "100"},
      {2.5, "2.5"},
      {-3, "-3"},
      {divided(1, 3), "0.3333333333"},
      {divided(2, 3), "0.6666666667"},
      {0.1 + 0.2, "0.3"},
      {0.000005, "0.000005"},
      {123456.789, "123456.789"},
      {12345678.123456, "12345678.123"},
      // Rounded to the decimals that fit: this double lies just below 12345678.123.
      {12345678.123, "12345678.123"},
      {12345678.9999, "12345679"},
      {-12345678.125001, "-12345678.13"},
      {99999999.9999, "100000000"},
      {999999999.999, "1000000000"},
      {123456.00000000001, "123456"},
      {-99999999.5, "-99999999.5"},
      {999999999, "999999999"},
      {999999999.99, "999999999.99"},
      {1000000000, "************"},
      {-1000000000, "************"},
      {9999800001, "************"},
      {1e300, "************"},
      {0.00000000001, "0"},
      {-0.00000000001, "-0"},
      {-0.0, "-0"},
      {POSITIVE_INFINITY, "inf"},
      {-POSITIVE_INFINITY, "-inf"},
      {QUIET_NAN, "nan"},
      {-QUIET_NAN, "-nan"},
  };
  for (const Shown& c : cases) EXPECT_EQ(textOf(c.value), c.text) << "value " << c.value;
}

TEST(DoubleToString, OverflowStartsExactlyAtOneBillion) {
  const Shown cases[] = {
      // Just below the limit the number is still shown, rounded to what fits.
      {std::nextafter(1e9, 0.0), "1000000000"},
      {-std::nextafter(1e9, 0.0), "-1000000000"},
      {999999999.994, "999999999.99"},
      {-999999999.94, "-999999999.9"},
      {-999999999, "-999999999"},
      {std::numeric_limits<double>::max(), "************"},
      {-std::numeric_limits<double>::max(), "************"},
  };
  for (const Shown& c : cases) EXPECT_EQ(textOf(c.value), c.text) << "value " << c.value;
}

TEST(DoubleToString, TinyValuesRoundAtTheTenthDecimal) {
  const Shown cases[] = {
      {0.00000000005000001, "0.0000000001"},
      {0.00000000004999999, "0"},
      {std::numeric_limits<double>::denorm_min(), "0"},
      {-std::numeric_limits<double>::denorm_min(), "-0"},
      {1.5, "1.5"},
      {10.25, "10.25"},
  };
  for (const Shown& c : cases) EXPECT_EQ(textOf(c.value), c.text) << "value " << c.value;
}

// Whatever the buffer held, the result is terminated within its 13 bytes and
// nothing after them is touched.
TEST(DoubleToString, WritesOnlyItsThirteenBytes) {
  const double values[] = {0,         -0.0,         1, -99999999.5, 1e300, POSITIVE_INFINITY,
                           QUIET_NAN, divided(2, 3)};
  for (double value : values) {
    char buffer[32];
    std::memset(buffer, '#', sizeof buffer);
    doubleToString(value, buffer);
    EXPECT_LE(std::strlen(buffer), static_cast<size_t>(DISPLAY_CHARACTERS)) << value;
    for (size_t i = DISPLAY_CHARACTERS + 1; i < sizeof buffer; ++i)
      EXPECT_EQ(buffer[i], '#') << "byte " << i << " written for " << value;
  }
}

TEST(StringToDouble, ReadsTheLeadingNumber) {
  const Shown cases[] = {
      {12, "12"},
      {1.2, "1.2.3"},
      {7, "007"},
      {0.5, ".5"},
      {-5, "-5"},
      {123456789012, "123456789012"},
      {2.5, "  2.5"},
      {POSITIVE_INFINITY, "inf"},
      {-POSITIVE_INFINITY, "-inf"},
      {0, ""},
      {0, "."},
      {0, "************"},
      {100, "100"},
  };
  for (const Shown& c : cases) EXPECT_EQ(stringToDouble(c.text), c.value) << '"' << c.text << '"';
}

TEST(StringToDouble, ReadsSignedZeroAndNaN) {
  EXPECT_TRUE(std::signbit(stringToDouble("-0")));
  EXPECT_FALSE(std::signbit(stringToDouble("0")));
  EXPECT_TRUE(std::isnan(stringToDouble("nan")));
  EXPECT_TRUE(std::isnan(stringToDouble("-nan")));
  EXPECT_TRUE(std::signbit(stringToDouble("-nan")));
}

// Every text a result produces, except the overflow text and texts cut at
// twelve characters, reads back as a number that shows as the same text again.
TEST(NumberText, ResultTextsReadBackToTheSameText) {
  const double values[] = {
      0,        -0.0,       2.5,         -3,        divided(1, 3),     divided(2, 3),
      0.000005, 123456.789, -99999999.5, 999999999, POSITIVE_INFINITY, -POSITIVE_INFINITY,
      QUIET_NAN};
  for (double value : values) {
    const std::string shown = textOf(value);
    EXPECT_EQ(textOf(stringToDouble(shown.c_str())), shown) << "value " << value;
  }
}

}  // namespace
